// The input filter of the tool windows' boxes. It works on a box through a
// small interface so the rules run (and are tested) without any toolkit.
// Characters are Unicode code points: a Chinese or full-width character is one.
#pragma once

#include <string>
#include <string_view>

namespace kz {

enum class TextColour { Black, Red };

// What the filter needs of a text box. setText may re-enter the filter (the
// box's change event fires again); the busy flag turns that call away.
class TextBoxAccess {
public:
    virtual ~TextBoxAccess() = default;
    virtual std::u32string text() const = 0;
    virtual void setText(const std::u32string& text) = 0;
    virtual int caret() const = 0;
    virtual void setCaret(int position) = 0;
    virtual void setColour(TextColour colour) = 0;
    virtual void beep() = 0;
};

enum class FilterMode { None, Integer_All, Numeric_Pos, MaskedDate };

inline constexpr std::u32string_view kDateMask = U"####-##-##";

class clsTextBox {
public:
    // Digits anywhere, and a "-" only as the first character of the text.
    void Integer_All(TextBoxAccess& rTextBox, bool vblnLimitValue = false);
    // Digits anywhere, and the first ".".
    void Numeric_Pos(TextBoxAccess& rTextBox);
    // "#" a digit, "@" a non-digit, anything else a literal the filter supplies.
    // True when the text is exactly as long as the mask.
    bool MaskedText(TextBoxAccess& rTextBox, std::u32string_view vstrProfile);

    // Runs the mode a box was declared with.
    void apply(FilterMode mode, TextBoxAccess& rTextBox);

private:
    template <typename Keep>
    void filterCharacters(TextBoxAccess& box, Keep keep, bool limit);

    bool busy_ = false;
    int workingCaret_ = 0;
};

}  // namespace kz
