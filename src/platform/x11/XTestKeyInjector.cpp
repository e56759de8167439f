#include "platform/KeyInjector.h"

#include <QHash>
#include <QLoggingCategory>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

Q_LOGGING_CATEGORY(lcKeys, "tl97.platform.keys")

namespace platform {

namespace {

constexpr int ShiftBit = 0x100;
constexpr int CtrlBit = 0x200;
constexpr int AltBit = 0x400;

// The keys the virtual-key codes name on this desktop.
KeySym keysymOf(int vk)
{
    if (vk >= 0x30 && vk <= 0x39)
        return XK_0 + KeySym(vk - 0x30);
    if (vk >= 0x41 && vk <= 0x5A)
        return XK_a + KeySym(vk - 0x41);
    if (vk >= 0x60 && vk <= 0x69)
        return XK_KP_0 + KeySym(vk - 0x60);
    if (vk >= 0x70 && vk <= 0x7B)
        return XK_F1 + KeySym(vk - 0x70);
    static const QHash<int, KeySym> named{
        {0x08, XK_BackSpace},   {0x09, XK_Tab},        {0x0D, XK_Return},      {0x13, XK_Pause},
        {0x14, XK_Caps_Lock},   {0x1B, XK_Escape},     {0x20, XK_space},       {0x21, XK_Prior},
        {0x22, XK_Next},        {0x23, XK_End},        {0x24, XK_Home},        {0x25, XK_Left},
        {0x26, XK_Up},          {0x27, XK_Right},      {0x28, XK_Down},        {0x2C, XK_Print},
        {0x2D, XK_Insert},      {0x2E, XK_Delete},     {0x6A, XK_KP_Multiply}, {0x6B, XK_KP_Add},
        {0x6D, XK_KP_Subtract}, {0x6E, XK_KP_Decimal}, {0x6F, XK_KP_Divide}};
    return named.value(vk, NoSymbol);
}

class Unavailable final : public KeyInjector {
public:
    bool isAvailable() const override { return false; }
    void pressKey(int) override {}
    void pressText(const QString &) override {}
};

class XTestKeyInjector final : public KeyInjector {
public:
    explicit XTestKeyInjector(Display *display) : m_display(display) {}
    ~XTestKeyInjector() override { XCloseDisplay(m_display); }

    bool isAvailable() const override { return true; }

    void pressKey(int code) override
    {
        const int vk = code & 0xFF;
        holdModifiers(code, true);
        if (vk == 1 || vk == 2 || vk == 3 || vk == 5 || vk == 6 || vk == 7) {
            // X numbers the buttons left 1, middle 2, right 3.
            const unsigned button = (vk % 4) == 1 ? 1 : (vk % 4) == 2 ? 3 : 2;
            for (int click = 0; click < (vk >= 5 ? 2 : 1); ++click) {
                XTestFakeButtonEvent(m_display, button, True, CurrentTime);
                XTestFakeButtonEvent(m_display, button, False, CurrentTime);
            }
        } else if (const KeyCode key = XKeysymToKeycode(m_display, keysymOf(vk))) {
            tap(key);
        } else {
            qCInfo(lcKeys) << "no key on this keyboard for code" << Qt::hex << code;
        }
        holdModifiers(code, false);
        XSync(m_display, False);
    }

    void pressText(const QString &text) override
    {
        for (const uint c : text.toUcs4()) {
            const KeySym symbol = c == '\n'   ? XK_Return
                                  : c == '\t' ? XK_Tab
                                  : c < 0x100 ? KeySym(c)
                                              : KeySym(0x01000000 | c);
            const KeyCode key = XKeysymToKeycode(m_display, symbol);
            if (!key) {
                qCInfo(lcKeys) << "no key on this layout makes"
                               << QString::fromUcs4(reinterpret_cast<const char32_t *>(&c), 1);
                continue;
            }
            bool shift = XkbKeycodeToKeysym(m_display, key, 0, 0) != symbol &&
                         XkbKeycodeToKeysym(m_display, key, 0, 1) == symbol;
            // Caps Lock turns letters to the other case: Shift turns them back.
            if (capsLocked() && QChar(char32_t(c)).isLetter())
                shift = !shift;
            const KeyCode shiftKey = XKeysymToKeycode(m_display, XK_Shift_L);
            if (shift)
                XTestFakeKeyEvent(m_display, shiftKey, True, CurrentTime);
            tap(key);
            if (shift)
                XTestFakeKeyEvent(m_display, shiftKey, False, CurrentTime);
        }
        XSync(m_display, False);
    }

private:
    void tap(KeyCode key)
    {
        XTestFakeKeyEvent(m_display, key, True, CurrentTime);
        XTestFakeKeyEvent(m_display, key, False, CurrentTime);
    }

    void holdModifiers(int code, bool down)
    {
        const std::pair<int, KeySym> modifiers[] = {
            {ShiftBit, XK_Shift_L}, {CtrlBit, XK_Control_L}, {AltBit, XK_Alt_L}};
        for (const auto &[bit, symbol] : modifiers) {
            if (code & bit)
                XTestFakeKeyEvent(m_display, XKeysymToKeycode(m_display, symbol), down,
                                  CurrentTime);
        }
    }

    bool capsLocked()
    {
        XkbStateRec state{};
        XkbGetState(m_display, XkbUseCoreKbd, &state);
        return state.locked_mods & LockMask;
    }

    Display *m_display;
};

} // namespace

std::unique_ptr<KeyInjector> createKeyInjector(const QString &display)
{
    const QByteArray name = display.toLocal8Bit();
    Display *d = XOpenDisplay(display.isEmpty() ? nullptr : name.constData());
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    if (!d || !XTestQueryExtension(d, &event, &error, &major, &minor)) {
        qCInfo(lcKeys) << "keystrokes cannot be sent: no display with the XTest extension";
        if (d)
            XCloseDisplay(d);
        return std::make_unique<Unavailable>();
    }
    return std::make_unique<XTestKeyInjector>(d);
}

} // namespace platform
