#include "platform/WindowSystem.h"

#include <QLoggingCategory>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <algorithm>

Q_LOGGING_CATEGORY(lcWindows, "tl97.platform.windows")

namespace platform {

namespace {

// Windows can vanish between listing and asking about them; X then reports BadWindow, which
// by default ends the program.
int ignoreErrors(Display *, XErrorEvent *)
{
    return 0;
}

class Unavailable final : public WindowSystem {
public:
    bool isAvailable() const override { return false; }
    std::vector<TopLevelWindow> topLevelWindows() override { return {}; }
    WindowId foregroundWindow() override { return 0; }
    bool activate(WindowId) override { return false; }
    bool close(WindowId) override { return false; }
    qint64 processOf(WindowId) override { return 0; }
};

class X11WindowSystem final : public WindowSystem {
public:
    explicit X11WindowSystem(Display *display)
        : m_display(display), m_root(DefaultRootWindow(display))
    {
        XSetErrorHandler(ignoreErrors);
        m_clientListStacking = atom("_NET_CLIENT_LIST_STACKING");
        m_activeWindow = atom("_NET_ACTIVE_WINDOW");
        m_wmName = atom("_NET_WM_NAME");
        m_utf8 = atom("UTF8_STRING");
        m_wmState = atom("WM_STATE");
        m_wmProtocols = atom("WM_PROTOCOLS");
        m_wmDelete = atom("WM_DELETE_WINDOW");
        m_supportingCheck = atom("_NET_SUPPORTING_WM_CHECK");
        m_wmPid = atom("_NET_WM_PID");
    }
    ~X11WindowSystem() override { XCloseDisplay(m_display); }

    bool isAvailable() const override { return true; }

    std::vector<TopLevelWindow> topLevelWindows() override
    {
        std::vector<TopLevelWindow> windows;
        auto add = [&](Window w) {
            if (std::any_of(windows.begin(), windows.end(),
                            [w](const TopLevelWindow &t) { return t.id == w; }))
                return;
            const QString t = title(w);
            if (!t.isEmpty())
                windows.push_back({w, t});
        };
        // Under a window manager its stacking list says what is in front; it lists the managed
        // windows only, so the unmanaged ones (hidden windows among them) follow.
        std::vector<Window> stacking = windowList(m_root, m_clientListStacking);
        std::for_each(stacking.rbegin(), stacking.rend(), add);
        Window rootReturn = 0;
        Window parent = 0;
        Window *children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(m_display, m_root, &rootReturn, &parent, &children, &count)) {
            for (unsigned int i = count; i-- > 0;) {
                const Window client = clientOf(children[i]);
                if (client && isOrdinary(client))
                    add(client);
            }
            if (children)
                XFree(children);
        }
        return windows;
    }

    WindowId foregroundWindow() override
    {
        if (hasWindowManager()) {
            const std::vector<Window> active = windowList(m_root, m_activeWindow);
            if (!active.empty())
                return active.front();
        }
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(m_display, &focus, &revert);
        return focus > PointerRoot ? focus : 0;
    }

    bool activate(WindowId window) override
    {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(m_display, window, &attributes))
            return false;
        // Hidden or minimised: map it again, which also brings it up.
        XMapRaised(m_display, window);
        if (hasWindowManager()) {
            XEvent e{};
            e.xclient.type = ClientMessage;
            e.xclient.window = window;
            e.xclient.message_type = m_activeWindow;
            e.xclient.format = 32;
            e.xclient.data.l[0] = 2; // from a pager-like tool: the user asked for it
            e.xclient.data.l[1] = CurrentTime;
            XSendEvent(m_display, m_root, False, SubstructureRedirectMask | SubstructureNotifyMask,
                       &e);
        } else {
            XSync(m_display, False);
            XSetInputFocus(m_display, window, RevertToParent, CurrentTime);
        }
        XFlush(m_display);
        return true;
    }

    bool close(WindowId window) override
    {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(m_display, window, &attributes))
            return false;
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = window;
        e.xclient.message_type = m_wmProtocols;
        e.xclient.format = 32;
        e.xclient.data.l[0] = long(m_wmDelete);
        e.xclient.data.l[1] = CurrentTime;
        XSendEvent(m_display, window, False, NoEventMask, &e);
        XFlush(m_display);
        return true;
    }

    qint64 processOf(WindowId window) override
    {
        const std::vector<unsigned long> pid = propertyList(window, m_wmPid, XA_CARDINAL);
        return pid.empty() ? 0 : qint64(pid.front());
    }

private:
    Atom atom(const char *name) { return XInternAtom(m_display, name, False); }

    bool hasWindowManager() { return !windowList(m_root, m_supportingCheck).empty(); }

    std::vector<Window> windowList(Window w, Atom property)
    {
        return propertyList(w, property, XA_WINDOW);
    }

    // A property of 32-bit items (windows, cardinals); empty when it is not there.
    std::vector<unsigned long> propertyList(Window w, Atom property, Atom itemType)
    {
        std::vector<unsigned long> list;
        Atom type = 0;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char *data = nullptr;
        if (XGetWindowProperty(m_display, w, property, 0, 65536, False, itemType, &type, &format,
                               &items, &after, &data) == Success &&
            data) {
            if (format == 32) {
                const auto *windows = reinterpret_cast<const unsigned long *>(data);
                list.assign(windows, windows + items);
            }
            XFree(data);
        }
        return list;
    }

    bool hasProperty(Window w, Atom property)
    {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char *data = nullptr;
        const bool found = XGetWindowProperty(m_display, w, property, 0, 0, False, AnyPropertyType,
                                              &type, &format, &items, &after, &data) == Success &&
                           type != None;
        if (data)
            XFree(data);
        return found;
    }

    // A window manager puts each managed window in a frame of its own: the application's
    // window is the frame's descendant that has WM_STATE. A window without one anywhere below
    // it (no window manager, or a window it does not manage) stands for itself.
    Window clientOf(Window w) { return findClient(w, 0) ? findClient(w, 0) : w; }

    Window findClient(Window w, int depth)
    {
        if (hasProperty(w, m_wmState))
            return w;
        if (depth >= 3)
            return 0;
        Window rootReturn = 0;
        Window parent = 0;
        Window *children = nullptr;
        unsigned int count = 0;
        Window found = 0;
        if (XQueryTree(m_display, w, &rootReturn, &parent, &children, &count)) {
            for (unsigned int i = 0; i < count && !found; ++i)
                found = findClient(children[i], depth + 1);
            if (children)
                XFree(children);
        }
        return found;
    }

    bool isOrdinary(Window w)
    {
        XWindowAttributes a;
        return XGetWindowAttributes(m_display, w, &a) && a.c_class == InputOutput &&
               !a.override_redirect;
    }

    QString title(Window w)
    {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char *data = nullptr;
        QString text;
        if (XGetWindowProperty(m_display, w, m_wmName, 0, 1024, False, m_utf8, &type, &format,
                               &items, &after, &data) == Success &&
            data) {
            text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(items));
            XFree(data);
        }
        if (text.isEmpty()) {
            XTextProperty property{};
            if (XGetWMName(m_display, w, &property) && property.value) {
                char **list = nullptr;
                int n = 0;
                if (Xutf8TextPropertyToTextList(m_display, &property, &list, &n) >= Success &&
                    n > 0)
                    text = QString::fromUtf8(list[0]);
                if (list)
                    XFreeStringList(list);
                XFree(property.value);
            }
        }
        return text;
    }

    Display *m_display;
    Window m_root;
    Atom m_clientListStacking, m_activeWindow, m_wmName, m_utf8, m_wmState, m_wmProtocols,
        m_wmDelete, m_supportingCheck, m_wmPid;
};

} // namespace

std::unique_ptr<WindowSystem> createWindowSystem(const QString &display)
{
    const QByteArray name = display.toLocal8Bit();
    Display *d = XOpenDisplay(display.isEmpty() ? nullptr : name.constData());
    if (!d) {
        qCInfo(lcWindows) << "no X display: other windows cannot be found or focused";
        return std::make_unique<Unavailable>();
    }
    return std::make_unique<X11WindowSystem>(d);
}

} // namespace platform
