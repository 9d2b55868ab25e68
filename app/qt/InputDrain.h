#pragma once

#include <QAbstractNativeEventFilter>
#include <QWindow>

struct xcb_connection_t;

namespace zv {

// Delivers the user input that the X server has sent the program up to now, for the window to
// drop. While a click runs the event loop only repaints and answers the window manager: the
// platform plugin sets aside the keys and clicks the server delivers meanwhile, and looks at them
// again only when more X traffic comes, which may be the box that opens next. A message the
// program sends itself through the server comes back behind all of them.
class InputDrain : public QAbstractNativeEventFilter {
public:
    InputDrain();

    void Drain(WId window);
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    xcb_connection_t* m_connection = nullptr;
    bool m_markerBack = false;
};

}  // namespace zv
