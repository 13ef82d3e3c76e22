#pragma once

#include <QString>

namespace platform {

enum class ImeState { Off, Hiragana, Other };

class InputMethodState
{
public:
    virtual ~InputMethodState() = default;
    virtual ImeState state() const = 0;
};

// The state from fcitx5's controller: its State answer (0 no input context, 1 off, 2 on)
// and the name of the current input method ("mozc", "keyboard-us", ...). An active
// Japanese engine counts as Hiragana, the mode each of them starts in: fcitx5 does not
// report the engine's own sub-mode.
ImeState imeStateFromFcitx(int state, const QString &inputMethod);

// Qt 6.4 tells nothing about the conversion mode, so this asks fcitx5 over the session bus;
// with another input method (ibus keeps its own bus) or none, the answer is Other.
class QtInputMethodState : public InputMethodState
{
public:
    ImeState state() const override;
};

} // namespace platform
