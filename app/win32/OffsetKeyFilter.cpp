#include "app/win32/OffsetKeyFilter.h"

#include <commctrl.h>

#include <utility>

namespace zv {

namespace {
constexpr UINT_PTR kSubclassId = 1;
}  // namespace

OffsetKeyFilter::OffsetKeyFilter(HWND box, KeyHandler handler)
    : m_box(box), m_handler(std::move(handler)) {
    SetWindowSubclass(m_box, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

OffsetKeyFilter::~OffsetKeyFilter() {
    RemoveWindowSubclass(m_box, SubclassProc, kSubclassId);
}

LRESULT CALLBACK OffsetKeyFilter::SubclassProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                               UINT_PTR, DWORD_PTR self) {
    // The box pastes on Ctrl+V's character 22 too: the filter sees it first.
    if (message == WM_CHAR) {
        int code = static_cast<int>(wParam);
        reinterpret_cast<OffsetKeyFilter*>(self)->m_handler(code);
        if (code == 0) {
            return 0;
        }
        wParam = static_cast<WPARAM>(code);
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

}  // namespace zv
