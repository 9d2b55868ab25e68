#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;

namespace zv {

// Runs an offset box's key handler on every character typed into the box, before the box sees
// it. The handler gets the character code and may set it to 0 to swallow the character; keys that
// type nothing (arrows, Delete, Tab, Shift+Insert) reach the box without it.
class OffsetKeyFilter : public QObject {
    Q_OBJECT

public:
    using KeyHandler = std::function<void(int& KeyAscii)>;

    OffsetKeyFilter(KeyHandler handler, QObject* parent);

    // The characters the key types: empty for keys that type none. Ctrl with a letter types its
    // control code (Ctrl+V is 22) on every platform.
    static QString TypedText(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyHandler m_handler;
};

}  // namespace zv
