#pragma once

namespace platform {

enum class ImeState { Off, Hiragana, Other };

class InputMethodState
{
public:
    virtual ~InputMethodState() = default;
    virtual ImeState state() const = 0;
};

// Qt does not expose the input method's conversion mode (Qt 6.4 QInputMethod tells
// visibility, locale and geometry only), so this platform always answers Other.
class QtInputMethodState : public InputMethodState
{
public:
    ImeState state() const override { return ImeState::Other; }
};

} // namespace platform
