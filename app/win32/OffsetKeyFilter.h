#pragma once

#include <windows.h>

#include <functional>

namespace zv {

// Runs an offset box's key handler on every character typed into the box, before the box sees
// it. The handler gets the character code and may set it to 0 to swallow the character; keys that
// type nothing (arrows, Delete, Tab, Shift+Insert) and the context menu's Paste reach the box
// without it.
class OffsetKeyFilter {
public:
    using KeyHandler = std::function<void(int& KeyAscii)>;

    OffsetKeyFilter(HWND box, KeyHandler handler);
    OffsetKeyFilter(const OffsetKeyFilter&) = delete;
    OffsetKeyFilter& operator=(const OffsetKeyFilter&) = delete;
    ~OffsetKeyFilter();

private:
    static LRESULT CALLBACK SubclassProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);

    HWND m_box;
    KeyHandler m_handler;
};

}  // namespace zv
