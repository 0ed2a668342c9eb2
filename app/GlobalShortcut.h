#pragma once
// A keyboard shortcut that works from any program: on X11 the key is grabbed on the root window
// through the X server; elsewhere (Wayland) nothing is grabbed, and the desktop's own shortcut
// settings bind the desktop entry's actions instead.

#include <QAbstractNativeEventFilter>
#include <QKeySequence>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// The X keysym and modifier mask of a key sequence's first key; none for keys this cannot name.
struct TX11Key
{
    uint32_t KeySym = 0;
    uint16_t Modifiers = 0;
};
std::optional<TX11Key> X11KeyOf(const QKeySequence& sequence);

class TGlobalShortcut : public QAbstractNativeEventFilter
{
public:
    enum TState
    {
        Off,         // an empty sequence, or not on X11
        Active,      // grabbed: the key reaches this program from anywhere
        Held,        // another program holds the key
        Unsupported, // a key X cannot name
    };

    // Grabs at once; pressed runs on the GUI thread each time the key is pressed.
    TGlobalShortcut(const QKeySequence& sequence, std::function<void()> pressed);
    ~TGlobalShortcut() override;
    TGlobalShortcut(const TGlobalShortcut&) = delete;
    TGlobalShortcut& operator=(const TGlobalShortcut&) = delete;

    TState State() const { return FState; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void Grab(const TX11Key& key);
    void Ungrab();

    std::function<void()> FPressed;
    TState FState = Off;
    std::vector<uint8_t> FKeyCodes;
    uint16_t FModifiers = 0;
};

// The settings key of the shortcut, in section "General": a key sequence in Qt's portable text
// form; missing means Ctrl+Alt+E, an empty value none, and a text that is no key sequence gives
// Qt::Key_unknown, which cannot be grabbed.
QKeySequence SelectionShortcutFrom(const QString& settingsFile);
