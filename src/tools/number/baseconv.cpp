#include "tools/number/baseconv.h"

#include <charconv>

namespace kz {

std::string bitsInBase(std::int32_t n, unsigned base) {
    char buf[40];
    auto r = std::to_chars(buf, buf + sizeof buf, static_cast<std::uint32_t>(n), static_cast<int>(base));
    std::string s(buf, r.ptr);
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

namespace {

// Binary keeps its own rule: a negative number has no binary form here.
std::string binaryText(std::int32_t n) {
    if (n == 0) return "0";
    if (n < 0) return "";
    return bitsInBase(n, 2);
}

}  // namespace

Outcome baseConvert(std::string_view text1, std::string_view baseEntry) {
    Outcome out;
    unsigned base = 0;
    if (baseEntry == kBaseHex) base = 16;
    else if (baseEntry == kBaseOctal) base = 8;
    else if (baseEntry == kBaseBinary) base = 2;
    else return out;
    // Out of the 32-bit range there is no result: the box keeps its text
    // rather than showing a number the input never had.
    Calculation calc(true);
    std::int32_t n = 0;
    calc.step([&] { n = toInt32(leadingNumber(text1)); });
    if (calc.failed()) {
        calc.reportTo(out);
        return out;
    }
    out.show("Text2", base == 2 ? binaryText(n) : bitsInBase(n, base));
    return out;
}

std::unique_ptr<WindowModel> makeBaseConvWindow() {
    WindowDecl d;
    d.form = "Form14";
    // Placed so that the three boxes line up, with room for all 31 binary digits.
    d.client = {0, 0, 6540, 2115};
    d.controls = {label("Label2", "请输入十进制数字").place(120, 180, 2040, 300),
                  input("Text1", 10, FilterMode::Integer_All, "十进制数字").place(2220, 120, 4200, 360),
                  label("Label4", "选择转换进制").place(120, 660, 2040, 300),
                  combo("Combo1", {std::string(kBaseBinary), std::string(kBaseOctal), std::string(kBaseHex)})
                      .place(2220, 600, 4200, 360),
                  label("Label3", "转换结果").place(120, 1140, 2040, 300),
                  output("Text2", "转换结果").place(2220, 1080, 4200, 360)};
    const int left[] = {120, 2520, 4920};
    const auto buttons = buttonRow(3, "转换");
    for (std::size_t i = 0; i < buttons.size(); ++i) d.controls.push_back(buttons[i].place(left[i], 1620, 1500, 375));
    d.copyPrimary = "Text2";
    return std::make_unique<WindowModel>(
        std::move(d), [](const Texts& t) { return baseConvert(t.at("Text1"), t.at("Combo1")); },
        Texts{{"Text1", ""}, {"Text2", ""}});
}

}  // namespace kz
