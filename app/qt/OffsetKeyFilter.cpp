#include "app/qt/OffsetKeyFilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <utility>

namespace zv {

namespace {

constexpr char16_t kDelete = 0x7F;
constexpr char16_t kControlMask = 0x1F;

// '@', 'A' to 'Z', '[', '\', ']', '^', '_' and the lower-case letters have control codes.
bool HasControlCode(char16_t c) {
    return (c >= u'@' && c <= u'_') || (c >= u'a' && c <= u'z');
}

}  // namespace

OffsetKeyFilter::OffsetKeyFilter(KeyHandler handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler)) {}

QString OffsetKeyFilter::TypedText(const QKeyEvent& event) {
    // Tab moves the focus; it types nothing into a box.
    if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) {
        return {};
    }
    QString text = event.text();
    // X11 reports Delete as the character 127; the key deletes, it does not type.
    if (text.size() == 1 && text[0] == kDelete) {
        return {};
    }
    // X11 already turns Ctrl+V into 22; synthetic events (QTest, some platforms) send "v".
    if (text.size() == 1 && (event.modifiers() & Qt::ControlModifier) &&
        HasControlCode(text[0].unicode())) {
        return QString(QChar(text[0].unicode() & kControlMask));
    }
    return text;
}

bool OffsetKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    auto& key = static_cast<QKeyEvent&>(*event);
    QString typed = TypedText(key);
    if (typed.isEmpty()) {
        return false;
    }
    QString kept;
    for (QChar c : typed) {
        int code = c.unicode();
        m_handler(code);
        if (code != 0) {
            kept += QChar(code);
        }
    }
    if (kept == typed) {
        return false;
    }
    // The handler swallowed or changed a character: the box gets only what it let through.
    if (auto* box = qobject_cast<QLineEdit*>(watched); box != nullptr && !kept.isEmpty()) {
        box->insert(kept);
    }
    return true;
}

}  // namespace zv
