#include "tools/number/gcd.h"

#include <cmath>
#include <limits>
#include <numeric>

namespace kz {

namespace {

// The boxes admit ten digits, beyond any 32-bit type: read them as 64-bit
// whole numbers (nearest, ties to even).
std::int64_t toInt64(double v) {
    if (std::isnan(v)) fail(FailureKind::Overflow);
    double r = std::nearbyint(v);
    if (r < -9.0e18 || r > 9.0e18) fail(FailureKind::Overflow);
    return static_cast<std::int64_t>(r);
}

}  // namespace

std::int64_t gcd64(std::int64_t a, std::int64_t b) {
    a = a < 0 ? -a : a;
    b = b < 0 ? -b : b;
    while (b != 0) {
        std::int64_t r = a % b;
        a = b;
        b = r;
    }
    return a;
}

Outcome gcdCalculate(std::string_view text1, std::string_view text2) {
    Outcome out;
    Calculation calc;
    std::int64_t p = 0, q = 0;
    calc.step([&] { p = toInt64(leadingNumber(text1)); });
    calc.step([&] { q = toInt64(leadingNumber(text2)); });
    if (!calc.failed() && (p <= 0 || q <= 0)) return out;
    if (!calc.failed()) {
        out.show("Label4", std::string(kGcdCaption));
        out.show("Label1", numberToText(gcd64(p, q)));
    }
    calc.reportTo(out);
    return out;
}

Outcome lcmCalculate(std::string_view text1, std::string_view text2) {
    Outcome out;
    Calculation calc(true);
    std::int64_t a = 0, b = 0;
    calc.step([&] { a = toInt16(leadingNumber(text1)); });
    calc.step([&] { b = toInt16(leadingNumber(text2)); });
    if (calc.failed()) {
        calc.reportTo(out);
        return out;
    }
    if (a <= 0 || b <= 0) {
        // Zero has no least common multiple worth teaching; say so once and
        // leave no stale result under the prompt.
        out.show("Label1", std::string(kGcdPrompt));
        out.show("Label2", "");
        out.error(std::string(kLcmRejection));
        out.failed = true;
        return out;
    }
    out.show("Label1", std::string(kLcmCaption));
    out.show("Label2", numberToText(a / gcd64(a, b) * b));
    return out;
}

namespace {

// Both windows: two boxes one above the other, a caption label over the
// result label, the usual buttons; a rejection disables Copy.
std::unique_ptr<WindowModel> twoNumberWindow(std::string form, const char* top, const char* bottom, int maxLength,
                                             const char* caption, const char* result, WindowModel::Compute compute) {
    WindowDecl d;
    d.form = std::move(form);
    d.controls = {input(top, maxLength, FilterMode::Integer_All, "第一个数").inRow(0),
                  input(bottom, maxLength, FilterMode::Integer_All, "第二个数").inRow(1),
                  label(caption, std::string(kGcdPrompt)).inRow(2), label(result, "").inRow(3)};
    for (auto& b : buttonRow(4)) d.controls.push_back(b);
    d.managesCopy = true;
    d.copyPrimary = result;
    return std::make_unique<WindowModel>(
        std::move(d), std::move(compute),
        Texts{{"Text1", ""}, {"Text2", ""}, {caption, std::string(kGcdPrompt)}, {result, ""}});
}

}  // namespace

std::unique_ptr<WindowModel> makeGcdWindow() {
    return twoNumberWindow("Form12", "Text2", "Text1", 10, "Label4", "Label1",
                           [](const Texts& t) { return gcdCalculate(t.at("Text1"), t.at("Text2")); });
}

std::unique_ptr<WindowModel> makeLcmWindow() {
    return twoNumberWindow("Form13", "Text1", "Text2", 3, "Label1", "Label2",
                           [](const Texts& t) { return lcmCalculate(t.at("Text1"), t.at("Text2")); });
}

}  // namespace kz
