#include "FrameExtents.h"

#include <QtGui/qtguiglobal.h>

#if MIRAVANE_XCB && QT_CONFIG(xcb)
#define MIRAVANE_X11_FRAMES 1
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include <QAbstractNativeEventFilter>
#include <QTimer>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>
#endif

namespace miravane {

#if MIRAVANE_X11_FRAMES
namespace {

// Window managers that answer a frame-extents request mostly do so within a millisecond or two;
// one that has not answered by then is not waited for: the window is mapped with the frame
// expected and moved once the real one is known. (Some take longer for their very first frame,
// and still answer before they map the window.)
constexpr std::chrono::microseconds kAnswerWait{3000};
constexpr std::chrono::microseconds kAnswerPoll{100};

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> owned(Reply* reply) {
    return ReplyPtr<Reply>(reply, &std::free);
}

struct X11Window {
    xcb_connection_t* connection = nullptr;
    xcb_window_t window = 0;
    xcb_window_t root = 0;
};

std::optional<X11Window> x11Window(QWidget* widget) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return std::nullopt;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection() || !widget->windowHandle()) return std::nullopt;
    xcb_connection_t* connection = x11->connection();
    const auto window = static_cast<xcb_window_t>(widget->windowHandle()->winId());
    // With a single X screen, as nearly every display has, its root is every window's root,
    // known from the connection's setup without asking the server.
    const xcb_setup_t* setup = xcb_get_setup(connection);
    if (xcb_setup_roots_length(setup) == 1) return X11Window{connection, window, xcb_setup_roots_iterator(setup).data->root};
    const auto tree = owned(xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
    if (!tree) return std::nullopt;
    return X11Window{connection, window, tree->root};
}

// The atoms this file uses, interned once, in one round trip.
struct Atoms {
    xcb_atom_t check, supported, request, extents, motif;
};

const Atoms& atoms(xcb_connection_t* connection) {
    static xcb_connection_t* internedOn = nullptr;
    static Atoms interned{};
    if (internedOn != connection) {
        const std::array<const char*, 5> names = {"_NET_SUPPORTING_WM_CHECK", "_NET_SUPPORTED",
                                                  "_NET_REQUEST_FRAME_EXTENTS", "_NET_FRAME_EXTENTS",
                                                  "_MOTIF_WM_HINTS"};
        std::array<xcb_intern_atom_cookie_t, 5> cookies{};
        for (std::size_t i = 0; i < names.size(); ++i)
            cookies[i] = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(names[i])), names[i]);
        std::array<xcb_atom_t, 5> values{};
        for (std::size_t i = 0; i < names.size(); ++i) {
            const auto reply = owned(xcb_intern_atom_reply(connection, cookies[i], nullptr));
            values[i] = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        }
        interned = Atoms{values[0], values[1], values[2], values[3], values[4]};
        internedOn = connection;
    }
    return interned;
}

// Every question to the X server waits for its answer, a round trip each: the questions that do
// not depend on one another are sent together and their answers read afterwards.
xcb_get_property_cookie_t askCardinals(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                                       xcb_atom_t type, std::uint32_t count) {
    return xcb_get_property(connection, 0, window, property, type, 0, count);
}

std::vector<std::uint32_t> cardinals(xcb_connection_t* connection, xcb_get_property_cookie_t asked) {
    const auto reply = owned(xcb_get_property_reply(connection, asked, nullptr));
    if (!reply || reply->format != 32) return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

std::vector<std::uint32_t> cardinals(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                                     xcb_atom_t type, std::uint32_t count) {
    return cardinals(connection, askCardinals(connection, window, property, type, count));
}

// The frame the window manager has announced for the window, in X pixels, left, right, top, bottom.
std::optional<std::array<std::uint32_t, 4>> announcedFrame(xcb_connection_t* connection, xcb_window_t window) {
    const auto ltrb = cardinals(connection, window, atoms(connection).extents, XCB_ATOM_CARDINAL, 4);
    if (ltrb.size() != 4) return std::nullopt;
    return std::array<std::uint32_t, 4>{ltrb[0], ltrb[1], ltrb[2], ltrb[3]};
}

// X pixels and the window's own, which differ on a scaled screen (the scale is the same on every
// screen, as Qt applies it to X11).
QMargins inWindowPixels(const std::array<std::uint32_t, 4>& ltrb, const QWidget* widget) {
    const qreal ratio = widget->devicePixelRatioF();
    const auto logical = [ratio](std::uint32_t pixels) { return qRound(pixels / ratio); };
    return {logical(ltrb[0]), logical(ltrb[2]), logical(ltrb[1]), logical(ltrb[3])};
}

QPoint inWindowPixels(QPoint x11, const QWidget* widget) {
    const qreal ratio = widget->devicePixelRatioF();
    return {qRound(x11.x() / ratio), qRound(x11.y() / ratio)};
}

QPoint inX11Pixels(QPoint logical, const QWidget* widget) {
    const qreal ratio = widget->devicePixelRatioF();
    return {qRound(logical.x() * ratio), qRound(logical.y() * ratio)};
}

// Where the window's top-left corner is on the screen, as the server has it now.
QPoint screenPosition(const X11Window& x) {
    const auto reply = owned(xcb_translate_coordinates_reply(
        x.connection, xcb_translate_coordinates(x.connection, x.window, x.root, 0, 0), nullptr));
    return reply ? QPoint(reply->dst_x, reply->dst_y) : QPoint();
}

// What the root says of the window manager: whether an EWMH one runs (its check window must name
// itself, or the root's property is a leftover of one that has gone), and whether it offers to
// answer frame-extents requests. One round trip without a window manager, two with one.
struct WindowManager {
    bool runs = false;
    bool answersFrameRequests = false;
};

WindowManager windowManager(const X11Window& x) {
    const Atoms& atom = atoms(x.connection);
    const auto checkAsked = askCardinals(x.connection, x.root, atom.check, XCB_ATOM_WINDOW, 1);
    const auto supportedAsked = askCardinals(x.connection, x.root, atom.supported, XCB_ATOM_ATOM, 4096);
    const auto fromRoot = cardinals(x.connection, checkAsked);
    const auto supported = cardinals(x.connection, supportedAsked);
    if (fromRoot.size() != 1) return {};
    const auto fromItself = cardinals(x.connection, fromRoot[0], atom.check, XCB_ATOM_WINDOW, 1);
    if (fromItself.size() != 1 || fromItself[0] != fromRoot[0]) return {};
    const bool answers = atom.request != XCB_ATOM_NONE &&
                         std::find(supported.begin(), supported.end(), atom.request) != supported.end();
    return {true, answers};
}

// What this program has learnt of the window manager from its earlier windows.
struct Learnt {
    // The frame it drew around the last window it framed, in X pixels.
    std::optional<std::array<std::uint32_t, 4>> frame;
    // Whether it answers frame-extents requests: not known until a request has gone unanswered
    // for a few milliseconds and the window it was for has been mapped.
    enum class Answers { Unknown, Yes, No } answers = Answers::Unknown;
    // The window whose request was not answered in time: if the answer comes before the window
    // is mapped, the window manager answers, only slowly.
    xcb_window_t unanswered = 0;
};
Learnt learnt;

std::optional<std::array<std::uint32_t, 4>> askForFrame(const X11Window& x) {
    const xcb_atom_t request = atoms(x.connection).request;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = x.window;
    message.type = request;
    xcb_send_event(x.connection, 0, x.root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(x.connection);

    // The toolkit reads this connection's events on a thread of its own, so the answer is
    // looked for in the property rather than waited for as an event.
    const auto deadline = std::chrono::steady_clock::now() + kAnswerWait;
    for (;;) {
        if (auto frame = announcedFrame(x.connection, x.window)) {
            learnt.answers = Learnt::Answers::Yes;
            return frame;
        }
        if (std::chrono::steady_clock::now() >= deadline) break;
        std::this_thread::sleep_for(kAnswerPoll);
    }
    learnt.unanswered = x.window;
    return std::nullopt;
}

// Shows `handle` each of the toolkit's X events, as the toolkit receives them and before it acts on
// them, until `handle` says it is done or the widget is gone.
class EventWatch : public QObject, public QAbstractNativeEventFilter {
public:
    EventWatch(QWidget* widget, std::function<bool(const xcb_generic_event_t&)> handle)
        : QObject(widget), handle_(std::move(handle)) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~EventWatch() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (done_ || eventType != "xcb_generic_event_t") return false;
        if (handle_(*static_cast<const xcb_generic_event_t*>(message))) {
            done_ = true;
            deleteLater();
        }
        return false;  // the toolkit sees every event too
    }

private:
    std::function<bool(const xcb_generic_event_t&)> handle_;
    bool done_ = false;
};

int eventType(const xcb_generic_event_t& event) { return event.response_type & 0x7f; }
bool sentByAClient(const xcb_generic_event_t& event) { return (event.response_type & 0x80) != 0; }

template <typename Event>
const Event& as(const xcb_generic_event_t& event) {
    return reinterpret_cast<const Event&>(event);
}

// Called at the window's mapping and at each new frame announced after it: the frame, once both
// have happened. Notes by the way whether the window manager answered this window's request late.
std::optional<std::array<std::uint32_t, 4>> framedBy(const xcb_generic_event_t& event, const X11Window& x,
                                                     bool& mapped) {
    if (eventType(event) == XCB_MAP_NOTIFY && as<xcb_map_notify_event_t>(event).window == x.window) {
        mapped = true;
        auto frame = announcedFrame(x.connection, x.window);
        if (learnt.unanswered == x.window) {
            learnt.answers = frame ? Learnt::Answers::Yes : Learnt::Answers::No;
            learnt.unanswered = 0;
        }
        return frame;
    }
    if (eventType(event) == XCB_PROPERTY_NOTIFY) {
        const auto& property = as<xcb_property_notify_event_t>(event);
        if (property.window != x.window || property.atom != atoms(x.connection).extents ||
            property.state != XCB_PROPERTY_NEW_VALUE)
            return std::nullopt;
        if (!mapped && learnt.unanswered == x.window) {  // a late answer, still before mapping
            learnt.answers = Learnt::Answers::Yes;
            learnt.unanswered = 0;
        }
        if (mapped) return announcedFrame(x.connection, x.window);
    }
    return std::nullopt;
}

void configurePosition(const X11Window& x, QPoint at) {
    const std::array<std::uint32_t, 2> values = {static_cast<std::uint32_t>(at.x()),
                                                 static_cast<std::uint32_t>(at.y())};
    xcb_configure_window(x.connection, x.window, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, values.data());
    xcb_flush(x.connection);
}

}  // namespace

ExpectedFrame frameBeforeMapping(QWidget* widget) {
    const auto x = x11Window(widget);
    if (!x) return {};
    const WindowManager manager = windowManager(*x);
    if (!manager.runs) return {};
    ExpectedFrame expected{true, {}};
    std::optional<std::array<std::uint32_t, 4>> frame;
    if (manager.answersFrameRequests && learnt.answers != Learnt::Answers::No) frame = askForFrame(*x);
    if (!frame) frame = learnt.frame;
    if (frame) expected.frame = inWindowPixels(*frame, widget);
    expected.known = frame.has_value();
    return expected;
}

void whenFramed(QWidget* widget, std::function<void(QMargins, QPoint)> framed) {
    const auto x = x11Window(widget);
    if (!x) return;
    auto watch = [widget, x = *x, framed = std::move(framed),
                  mapped = false](const xcb_generic_event_t& event) mutable {
        const auto frame = framedBy(event, x, mapped);
        if (!frame) return false;
        learnt.frame = frame;
        framed(inWindowPixels(*frame, widget), inWindowPixels(screenPosition(x), widget));
        return true;
    };
    new EventWatch(widget, std::move(watch));
}

// Straight to the server: the toolkit's own idea of the window's place lags behind the window
// manager's moves and would take a move to where it thinks the window is for no move at all.
// A window manager that reads the move a pixel or two off (Window Maker counts its border on
// one side only) says so in the notice it sends of the window's new place (ICCCM 4.1.5); the
// window is then asked once more, by the difference. A notice of a place farther off is one the
// window manager sent before it read the move.
void moveFramedWindow(QWidget* widget, QPoint to, std::function<void()> arrived) {
    const auto x = x11Window(widget);
    if (!x) return arrived();
    const QPoint target = inX11Pixels(to, widget);
    configurePosition(*x, target);
    new EventWatch(widget, [x = *x, target, arrived = std::move(arrived)](const xcb_generic_event_t& event) {
        if (eventType(event) != XCB_CONFIGURE_NOTIFY || !sentByAClient(event)) return false;
        const auto& notice = as<xcb_configure_notify_event_t>(event);
        constexpr int kReadOff = 2;
        const QPoint off = QPoint(notice.x, notice.y) - target;
        if (notice.window != x.window || std::abs(off.x()) > kReadOff || std::abs(off.y()) > kReadOff) return false;
        if (off != QPoint()) configurePosition(x, target - off);
        arrived();
        return true;
    });
}

namespace {

constexpr std::chrono::milliseconds kLongestPaintHold{100};
constexpr char kPaintHoldName[] = "miravane-paint-hold";

// The toolkit paints a window when the X server says it is mapped (MapNotify) and when the server
// asks for it to be drawn (Expose). Until the hold is released, neither reaches the toolkit;
// then the toolkit is told of the mapping, with the server's own word for it (a MapNotify the
// program sends itself), and paints the window where it now is.
class PaintHold : public QObject, public QAbstractNativeEventFilter {
public:
    PaintHold(QWidget* widget, const X11Window& x) : QObject(widget), x_(x) {
        setObjectName(QLatin1String(kPaintHoldName));
        QCoreApplication::instance()->installNativeEventFilter(this);
        QTimer::singleShot(kLongestPaintHold, this, &PaintHold::release);
    }
    ~PaintHold() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (released_ || eventType != "xcb_generic_event_t") return false;
        const auto& event = *static_cast<const xcb_generic_event_t*>(message);
        switch (miravane::eventType(event)) {
        case XCB_MAP_NOTIFY:
            if (as<xcb_map_notify_event_t>(event).window != x_.window) return false;
            mapped_ = true;
            return true;
        case XCB_EXPOSE:
            return as<xcb_expose_event_t>(event).window == x_.window;
        default:
            return false;
        }
    }

    void release() {
        if (released_) return;
        released_ = true;
        if (mapped_) {
            xcb_map_notify_event_t mapped{};
            mapped.response_type = XCB_MAP_NOTIFY;
            mapped.event = x_.window;
            mapped.window = x_.window;
            xcb_send_event(x_.connection, 0, x_.window, XCB_EVENT_MASK_STRUCTURE_NOTIFY,
                           reinterpret_cast<const char*>(&mapped));
            xcb_flush(x_.connection);
        }
        deleteLater();
    }

private:
    X11Window x_;
    bool mapped_ = false;
    bool released_ = false;
};

}  // namespace

void holdFirstPaint(QWidget* widget) {
    if (const auto x = x11Window(widget)) new PaintHold(widget, *x);
}

void releaseFirstPaint(QWidget* widget) {
    if (auto* hold = widget->findChild<PaintHold*>(QLatin1String(kPaintHoldName), Qt::FindDirectChildrenOnly))
        hold->release();
}

void requestFixedDialogFrame(QWidget* widget) {
    const auto x = x11Window(widget);
    if (!x) return;
    // The Motif window-manager hints: flags, functions, decorations, input mode, status.
    enum : std::uint32_t { kFunctions = 1, kDecorations = 2 };
    enum : std::uint32_t { kFuncMove = 4, kFuncClose = 32 };
    enum : std::uint32_t { kDecorBorder = 2, kDecorTitle = 8, kDecorMenu = 16 };
    const std::array<std::uint32_t, 5> hints = {kFunctions | kDecorations, kFuncMove | kFuncClose,
                                                kDecorBorder | kDecorTitle | kDecorMenu, 0, 0};
    const xcb_atom_t motif = atoms(x->connection).motif;
    xcb_change_property(x->connection, XCB_PROP_MODE_REPLACE, x->window, motif, motif, 32,
                        static_cast<std::uint32_t>(hints.size()), hints.data());
    xcb_flush(x->connection);
}

#else

ExpectedFrame frameBeforeMapping(QWidget*) { return {}; }

void whenFramed(QWidget*, std::function<void(QMargins, QPoint)>) {}

void moveFramedWindow(QWidget*, QPoint, std::function<void()> arrived) { arrived(); }

void holdFirstPaint(QWidget*) {}

void releaseFirstPaint(QWidget*) {}

void requestFixedDialogFrame(QWidget*) {}

#endif

}  // namespace miravane
