// Any text through the conversions and the input filter: no crash, no
// undefined behaviour, and the invariants the windows rely on.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/clsTextBox.h"
#include "framework/numconv.h"

namespace {

class Box : public kz::TextBoxAccess {
public:
    std::u32string t;
    int c = 0;
    std::u32string text() const override { return t; }
    void setText(const std::u32string& s) override { t = s; }
    int caret() const override { return c; }
    void setCaret(int p) override { c = p; }
    void setColour(kz::TextColour) override {}
    void beep() override {}
};

void check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        double v = kz::leadingNumber(text);
        std::string shown = kz::numberToText(v);
        check(!shown.empty() && shown != "-0");
        // What is shown reads back as the same 15-digit value.
        check(kz::numberToText(kz::strictNumber(shown)) == shown);
        (void)kz::displayFormat(v);
        (void)kz::singleToText(v);
        (void)kz::toInt32(v);
    } catch (const kz::NumFailure&) {}
    try {
        (void)kz::strictNumber(text);
    } catch (const kz::NumFailure&) {}

    std::u32string u;
    for (std::size_t i = 0; i < size; ++i)
        u.push_back(static_cast<char32_t>(data[i] < 0x80 ? data[i] : 0x4E00 + data[i]));
    kz::clsTextBox filter;
    for (auto mode : {kz::FilterMode::Integer_All, kz::FilterMode::Numeric_Pos, kz::FilterMode::MaskedDate}) {
        Box box;
        box.t = u;
        box.c = size ? data[0] % (size + 1) : 0;
        filter.apply(mode, box);
        check(box.c >= 0 && box.c <= static_cast<int>(box.t.size()));
        if (mode == kz::FilterMode::MaskedDate) check(box.t.size() <= kz::kDateMask.size() || box.t == u);
    }
    return 0;
}
