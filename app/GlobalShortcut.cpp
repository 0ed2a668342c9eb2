#include "GlobalShortcut.h"

#include "PrivateProfile.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <memory>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace {

// NumLock (Mod2) and CapsLock must not keep the shortcut from working: it is grabbed with each.
constexpr uint16_t IgnoredModifiers[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                         XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

xcb_connection_t* X11Connection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return nullptr;
    }
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t RootWindow(xcb_connection_t* connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

// Keysyms of the keys a shortcut may use: letters, digits and the printable Latin-1 signs share
// their codes (letters in lower case); the rest have their own.
std::optional<uint32_t> KeySymOf(int key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return uint32_t(key - Qt::Key_A + 'a');
    }
    if (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde) {
        return uint32_t(key);
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35) {
        return uint32_t(0xffbe + (key - Qt::Key_F1));
    }
    struct TNamed
    {
        int Key;
        uint32_t KeySym;
    };
    static constexpr TNamed named[] = {
        {Qt::Key_Escape, 0xff1b}, {Qt::Key_Tab, 0xff09},      {Qt::Key_Backspace, 0xff08},
        {Qt::Key_Return, 0xff0d}, {Qt::Key_Enter, 0xff8d},    {Qt::Key_Insert, 0xff63},
        {Qt::Key_Delete, 0xffff}, {Qt::Key_Pause, 0xff13},    {Qt::Key_Print, 0xff61},
        {Qt::Key_Home, 0xff50},   {Qt::Key_End, 0xff57},      {Qt::Key_Left, 0xff51},
        {Qt::Key_Up, 0xff52},     {Qt::Key_Right, 0xff53},    {Qt::Key_Down, 0xff54},
        {Qt::Key_PageUp, 0xff55}, {Qt::Key_PageDown, 0xff56},
    };
    for (const TNamed& entry : named) {
        if (entry.Key == key) {
            return entry.KeySym;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<TX11Key> X11KeyOf(const QKeySequence& sequence)
{
    if (sequence.isEmpty()) {
        return std::nullopt;
    }
    const QKeyCombination combination = sequence[0];
    const std::optional<uint32_t> keySym = KeySymOf(combination.key());
    if (!keySym) {
        return std::nullopt;
    }
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    TX11Key result{*keySym, 0};
    if (modifiers & Qt::ShiftModifier) {
        result.Modifiers |= XCB_MOD_MASK_SHIFT;
    }
    if (modifiers & Qt::ControlModifier) {
        result.Modifiers |= XCB_MOD_MASK_CONTROL;
    }
    if (modifiers & Qt::AltModifier) {
        result.Modifiers |= XCB_MOD_MASK_1;
    }
    if (modifiers & Qt::MetaModifier) {
        result.Modifiers |= XCB_MOD_MASK_4;
    }
    return result;
}

TGlobalShortcut::TGlobalShortcut(const QKeySequence& sequence, std::function<void()> pressed)
    : FPressed(std::move(pressed))
{
    if (sequence.isEmpty() || !X11Connection()) {
        return;
    }
    const std::optional<TX11Key> key = X11KeyOf(sequence);
    if (!key) {
        FState = Unsupported;
        return;
    }
    Grab(*key);
    if (FState == Active) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
}

TGlobalShortcut::~TGlobalShortcut()
{
    if (FState == Active) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
        Ungrab();
    }
}

void TGlobalShortcut::Grab(const TX11Key& key)
{
    xcb_connection_t* connection = X11Connection();
    const std::unique_ptr<xcb_key_symbols_t, decltype(&xcb_key_symbols_free)> symbols(
        xcb_key_symbols_alloc(connection), &xcb_key_symbols_free);
    const std::unique_ptr<xcb_keycode_t, decltype(&free)> codes(
        xcb_key_symbols_get_keycode(symbols.get(), key.KeySym), &free);
    for (const xcb_keycode_t* code = codes.get(); code && *code != XCB_NO_SYMBOL; ++code) {
        FKeyCodes.push_back(*code);
    }
    if (FKeyCodes.empty()) {
        FState = Unsupported;
        return;
    }
    FModifiers = key.Modifiers;
    FState = Active;
    const xcb_window_t root = RootWindow(connection);
    for (const uint8_t code : FKeyCodes) {
        for (const uint16_t ignored : IgnoredModifiers) {
            const xcb_void_cookie_t cookie = xcb_grab_key_checked(
                connection, 1, root, FModifiers | ignored, code, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
            if (xcb_generic_error_t* error = xcb_request_check(connection, cookie)) {
                free(error);
                FState = Held;
            }
        }
    }
    if (FState == Held) {
        Ungrab();
    }
}

void TGlobalShortcut::Ungrab()
{
    xcb_connection_t* connection = X11Connection();
    if (!connection) {
        return;
    }
    const xcb_window_t root = RootWindow(connection);
    for (const uint8_t code : FKeyCodes) {
        for (const uint16_t ignored : IgnoredModifiers) {
            xcb_ungrab_key(connection, code, root, FModifiers | ignored);
        }
    }
    xcb_flush(connection);
}

bool TGlobalShortcut::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_KEY_PRESS) {
        return false;
    }
    const auto* press = static_cast<const xcb_key_press_event_t*>(message);
    const uint16_t state = press->state & ~(XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2);
    const bool ours = state == FModifiers &&
                      std::find(FKeyCodes.begin(), FKeyCodes.end(), press->detail) != FKeyCodes.end() &&
                      press->event == RootWindow(X11Connection());
    if (!ours) {
        return false;
    }
    FPressed();
    return true;
}

QKeySequence SelectionShortcutFrom(const QString& settingsFile)
{
    const std::optional<QString> text =
        FindPrivateProfileString(QStringLiteral("General"), QStringLiteral("HotkeySelection"), settingsFile);
    if (!text) {
        return QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_E);
    }
    const QKeySequence sequence = QKeySequence::fromString(*text, QKeySequence::PortableText);
    // A text Qt cannot read is no shortcut the user meant to turn off: it is reported.
    return sequence.isEmpty() && !text->isEmpty() ? QKeySequence(Qt::Key_unknown) : sequence;
}
