#include "framework/clsTextBox.h"

#include "framework/numconv.h"

namespace kz {

namespace {

bool isAsciiDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

// Keeps the flag set for one filter run, also if something throws.
struct BusyScope {
    explicit BusyScope(bool& f) : flag(f) { flag = true; }
    ~BusyScope() { flag = false; }
    bool& flag;
};

std::string toAscii(const std::u32string& s) {
    std::string out;
    for (char32_t c : s) out.push_back(c < 128 ? static_cast<char>(c) : '?');
    return out;
}

}  // namespace

template <typename Keep>
void clsTextBox::filterCharacters(TextBoxAccess& box, Keep keep, bool limit) {
    if (busy_) return;
    BusyScope scope(busy_);
    workingCaret_ = box.caret();
    const std::u32string text = box.text();
    std::u32string kept;
    kept.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (keep(text, i, kept)) kept.push_back(text[i]);
        else --workingCaret_;  // wherever the character stood
    }
    if (workingCaret_ < 0 || workingCaret_ > static_cast<int>(kept.size()))
        workingCaret_ = static_cast<int>(kept.size());
    if (limit) {
        double v = 0;
        try {
            v = leadingNumber(toAscii(kept));
        } catch (const NumFailure&) {
            v = 1e300;  // only a huge run of digits overflows
        }
        if (v > 32767) kept = U"32767";
        else if (v < -32767) kept = U"-32767";
        if (workingCaret_ > static_cast<int>(kept.size())) workingCaret_ = static_cast<int>(kept.size());
    }
    box.setText(kept);
    box.setCaret(workingCaret_);
}

void clsTextBox::Integer_All(TextBoxAccess& rTextBox, bool vblnLimitValue) {
    filterCharacters(
        rTextBox,
        [](const std::u32string& text, std::size_t i, const std::u32string&) {
            return isAsciiDigit(text[i]) || (i == 0 && text[i] == U'-');
        },
        vblnLimitValue);
}

void clsTextBox::Numeric_Pos(TextBoxAccess& rTextBox) {
    filterCharacters(
        rTextBox,
        [](const std::u32string& text, std::size_t i, const std::u32string& kept) {
            return isAsciiDigit(text[i]) || (text[i] == U'.' && kept.find(U'.') == std::u32string::npos);
        },
        false);
}

bool clsTextBox::MaskedText(TextBoxAccess& rTextBox, std::u32string_view mask) {
    if (busy_) return false;
    BusyScope scope(busy_);
    auto cutToMask = [&](std::u32string text) {
        text.resize(mask.size());
        rTextBox.setText(text);
        rTextBox.setCaret(static_cast<int>(text.size()));
        rTextBox.beep();
        return text;
    };
    std::u32string text = rTextBox.text();
    if (text.size() > mask.size()) text = cutToMask(text);
    workingCaret_ = rTextBox.caret();

    std::u32string out;
    std::size_t j = 0, k = 0;
    while (j < text.size()) {
        if (k >= mask.size()) {
            // Mask used up with text left: treat it as over-long text.
            cutToMask(out);
            return out.size() == mask.size();
        }
        const char32_t c = text[j];
        const char32_t m = mask[k];
        bool accepted;
        if (m == U'#') accepted = isAsciiDigit(c);
        else if (m == U'@') accepted = !isAsciiDigit(c);
        else {
            if (c != m) {  // the filter supplies the literal itself
                out.push_back(m);
                ++k;
                ++workingCaret_;
                continue;
            }
            accepted = true;
        }
        if (!accepted) {
            rTextBox.setColour(TextColour::Red);
            rTextBox.beep();
            return false;  // the box keeps its text and caret
        }
        out.push_back(c);
        ++j;
        ++k;
        rTextBox.setColour(TextColour::Black);
    }
    rTextBox.setText(out);
    if (workingCaret_ > static_cast<int>(out.size())) workingCaret_ = static_cast<int>(out.size());
    rTextBox.setCaret(workingCaret_);
    return out.size() == mask.size();
}

void clsTextBox::apply(FilterMode mode, TextBoxAccess& rTextBox) {
    switch (mode) {
        case FilterMode::Integer_All: Integer_All(rTextBox, false); break;
        case FilterMode::Numeric_Pos: Numeric_Pos(rTextBox); break;
        case FilterMode::MaskedDate: MaskedText(rTextBox, kDateMask); break;
        case FilterMode::None: break;
    }
}

}  // namespace kz
