#include "tools/number/baseconv.h"

#include <charconv>
#include <cstdint>

#include "tools/number/workingtext.h"

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

constexpr std::string_view kSubscript[] = {"₂", "₈", "₁₆"};

std::string_view subscriptOf(unsigned base) { return kSubscript[base == 2 ? 0 : base == 8 ? 1 : 2]; }

// 除二取余 (and by 8, by 16) on the 32 bits of n, as the window's digits are formed.
Working baseWorking(std::int32_t n, unsigned base, const std::string& digits) {
    const std::string number = numberToText(n);
    const std::string written = "(" + digits + ")" + std::string(subscriptOf(base));
    Working w;
    if (n < 0 && base == 2) return w.line(number + "是负数，这里只把正整数和0转换成二进制");
    std::uint32_t v = static_cast<std::uint32_t>(n);
    if (n < 0)
        w.line(number + "是负数，用32位补码表示：" + number + std::string(sign::kPlus) + "2^32" +
               std::string(sign::kEquals) + numberToText(static_cast<std::int64_t>(v)));
    const std::string value = numberToText(static_cast<std::int64_t>(v));
    if (v < base) {
        w.line(value + std::string(sign::kEquals) + written);
    } else {
        std::vector<LadderRow> rows;
        bool letters = false;
        for (; v >= base; v /= base) {
            rows.push_back({numberToText(static_cast<std::int64_t>(base)),
                            {numberToText(static_cast<std::int64_t>(v))},
                            numberToText(static_cast<std::int64_t>(v % base))});
            letters = letters || v % base >= 10;
        }
        w.ladder(std::move(rows), {numberToText(static_cast<std::int64_t>(v))});
        if (letters || v >= 10) w.line("余数10、11、12、13、14、15分别记作A、B、C、D、E、F");
        w.line("从下往上读余数：" + value + std::string(sign::kEquals) + written);
    }
    if (n < 0) w.line("所以" + number + "的32位补码是" + written);
    return w;
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
    const std::string digits = base == 2 ? binaryText(n) : bitsInBase(n, base);
    out.show("Text2", digits);
    out.working = baseWorking(n, base, digits);
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
    d.showsWorking = true;
    return std::make_unique<WindowModel>(
        std::move(d), [](const Texts& t) { return baseConvert(t.at("Text1"), t.at("Combo1")); },
        Texts{{"Text1", ""}, {"Text2", ""}});
}

}  // namespace kz
