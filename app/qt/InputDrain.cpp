#include "app/qt/InputDrain.h"

#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdint>

namespace zv {

namespace {

// Sent with no type of its own: only this program ever receives it.
constexpr std::uint32_t kMarker = 0x5A56'4452;

}  // namespace

InputDrain::InputDrain() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    m_connection = x11 != nullptr ? x11->connection() : nullptr;
    if (m_connection != nullptr) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
}

void InputDrain::Drain(WId window) {
    if (m_connection == nullptr) {
        // Without X, the input that waits is all in the event loop's own queue.
        QCoreApplication::processEvents();
        return;
    }
    xcb_client_message_event_t marker{};
    marker.response_type = XCB_CLIENT_MESSAGE;
    marker.format = 32;
    marker.window = static_cast<xcb_window_t>(window);
    marker.data.data32[0] = kMarker;
    // With no event mask the server sends it to the window's own client: this program.
    xcb_send_event(m_connection, 0, marker.window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&marker));
    xcb_flush(m_connection);
    m_markerBack = false;
    while (!m_markerBack) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    // What came before the marker has been read; this delivers it.
    QCoreApplication::processEvents();
}

bool InputDrain::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE ||
        static_cast<xcb_client_message_event_t*>(message)->data.data32[0] != kMarker) {
        return false;
    }
    m_markerBack = true;
    return true;
}

}  // namespace zv
