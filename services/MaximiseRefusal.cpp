#include "services/MaximiseRefusal.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#if TONGSHU_HAVE_XCB
#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#endif

namespace tongshu {
namespace {

// Qt knows only the whole maximised state, which is all other platforms have.
class StateRefusal final : public QObject {
 public:
  explicit StateRefusal(QWidget& window) : QObject(&window), m_window(&window) { window.installEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == m_window && event->type() == QEvent::WindowStateChange &&
        (m_window->windowState() & Qt::WindowMaximized))
      // Not from inside the state change itself, which the platform is still making.
      QTimer::singleShot(0, this, [this] {
        if (m_window && (m_window->windowState() & Qt::WindowMaximized))
          m_window->setWindowState(m_window->windowState() & ~Qt::WindowMaximized);
      });
    return false;
  }

 private:
  QPointer<QWidget> m_window;
};

#if TONGSHU_HAVE_XCB
// On X11 the window manager may set _NET_WM_STATE_MAXIMIZED_VERT or _HORZ
// alone, which Qt does not count as maximised and never reports; the window's
// _NET_WM_STATE on the server is watched instead, and the window manager asked
// to remove both.
class XcbRefusal final : public QObject, public QAbstractNativeEventFilter {
 public:
  XcbRefusal(QWidget& window, xcb_connection_t* x) : QObject(&window), m_window(window), m_x(x) {
    const char* names[] = {"_NET_WM_STATE", "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ"};
    std::array<xcb_intern_atom_cookie_t, 3> cookies{};
    for (std::size_t i = 0; i < cookies.size(); ++i)
      cookies[i] = xcb_intern_atom(m_x, 0, static_cast<std::uint16_t>(std::strlen(names[i])), names[i]);
    for (std::size_t i = 0; i < cookies.size(); ++i) {
      const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
          xcb_intern_atom_reply(m_x, cookies[i], nullptr), &std::free);
      m_atoms[i] = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
  }
  ~XcbRefusal() override {
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
  }

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) return false;
    const auto* change = reinterpret_cast<const xcb_property_notify_event_t*>(event);
    const xcb_window_t window = static_cast<xcb_window_t>(m_window.internalWinId());
    if (window == 0 || change->window != window || change->atom != m_atoms[0] ||
        change->state != XCB_PROPERTY_NEW_VALUE)
      return false;
    if (maximised(window)) unmaximise(window);
    return false;  // Qt reads the new state too
  }

 private:
  bool maximised(xcb_window_t window) const {
    const auto cookie = xcb_get_property(m_x, 0, window, m_atoms[0], XCB_ATOM_ATOM, 0, 64);
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(m_x, cookie, nullptr), &std::free);
    if (!reply || reply->format != 32) return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    for (int i = 0; i < count; ++i)
      if (atoms[i] == m_atoms[1] || atoms[i] == m_atoms[2]) return true;
    return false;
  }

  // A _NET_WM_STATE request to the root window: remove both directions.
  void unmaximise(xcb_window_t window) const {
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = window;
    request.type = m_atoms[0];
    request.data.data32[0] = 0;  // _NET_WM_STATE_REMOVE
    request.data.data32[1] = m_atoms[1];
    request.data.data32[2] = m_atoms[2];
    request.data.data32[3] = 1;  // from an application
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_x)).data->root;
    xcb_send_event(m_x, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&request));
    xcb_flush(m_x);
  }

  QWidget& m_window;
  xcb_connection_t* m_x;
  std::array<xcb_atom_t, 3> m_atoms{};  // _NET_WM_STATE, its VERT and HORZ
};
#endif

}  // namespace

void RefuseMaximising(QWidget& window) {
#if TONGSHU_HAVE_XCB
  // The offscreen platform answers as X11 too, without a connection.
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 && x11->connection() && QGuiApplication::platformName() == QLatin1String("xcb")) {
    new XcbRefusal(window, x11->connection());
    return;
  }
#endif
  new StateRefusal(window);
}

}  // namespace tongshu
