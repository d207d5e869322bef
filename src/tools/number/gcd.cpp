#include "tools/number/gcd.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <numeric>
#include <vector>

#include "tools/number/factorize.h"
#include "tools/number/workingtext.h"

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

// The boxes' whole numbers stay within ±9E+18, so the absolute values
// cannot overflow (only INT64_MIN could).
std::int64_t gcdOf(std::int64_t a, std::int64_t b) { return std::gcd(std::llabs(a), std::llabs(b)); }

// Short division of two positive numbers by their common prime divisors,
// smallest first, until what is left is coprime.
struct ShortDivision {
    struct Row {
        std::int64_t divisor;
        std::vector<std::int64_t> numbers;  // before this division
    };
    std::vector<Row> rows;
    std::vector<std::int64_t> left;
};

ShortDivision commonDivision(std::int64_t top, std::int64_t bottom) {
    ShortDivision d;
    d.left = {top, bottom};
    const std::int64_t g = gcdOf(top, bottom);
    if (g <= 1) return d;
    // The common prime divisors are those of the gcd, smallest first.
    const auto primes = factorize(U128(static_cast<std::uint64_t>(g)));
    for (const U128& p : primes.value_or(std::vector<U128>{})) {
        const auto f = static_cast<std::int64_t>(p.lo);
        d.rows.push_back({f, d.left});
        for (std::int64_t& n : d.left) n /= f;
    }
    return d;
}

Working ladderOf(const ShortDivision& d) {
    std::vector<LadderRow> rows;
    for (const auto& r : d.rows) {
        LadderRow row{numberToText(r.divisor), {}, std::nullopt};
        for (std::int64_t n : r.numbers) row.numbers.push_back(numberToText(n));
        rows.push_back(std::move(row));
    }
    std::vector<std::string> left;
    for (std::int64_t n : d.left) left.push_back(numberToText(n));
    Working w;
    w.ladder(std::move(rows), std::move(left));
    return w;
}

std::vector<std::string> divisorTexts(const ShortDivision& d) {
    std::vector<std::string> s;
    for (const auto& r : d.rows) s.push_back(numberToText(r.divisor));
    return s;
}

// The ladder in the boxes' order, top box first, then the product.
Working gcdWorking(std::int64_t top, std::int64_t bottom, std::int64_t g) {
    const ShortDivision d = commonDivision(top, bottom);
    if (d.rows.empty()) return Working().line(numberToText(top) + "和" + numberToText(bottom) + "互质，最大公因数是1");
    Working w = ladderOf(d);
    const auto divisors = divisorTexts(d);
    std::string product = "最大公因数：" + joinedBy(divisors, sign::kTimes);
    if (divisors.size() > 1) product += std::string(sign::kEquals) + numberToText(g);
    return w.line(std::move(product));
}

Working lcmWorking(std::int64_t top, std::int64_t bottom, std::int64_t lcm) {
    const ShortDivision d = commonDivision(top, bottom);
    std::vector<std::string> factors = divisorTexts(d);
    for (std::int64_t n : d.left) factors.push_back(numberToText(n));
    const std::string product =
        "最小公倍数：" + joinedBy(factors, sign::kTimes) + std::string(sign::kEquals) + numberToText(lcm);
    if (d.rows.empty()) return Working().line(numberToText(top) + "和" + numberToText(bottom) + "互质，" + product);
    return ladderOf(d).line(product);
}

}  // namespace

CommonDivision commonDivisionLadder(std::int64_t top, std::int64_t bottom) {
    const ShortDivision d = commonDivision(top, bottom);
    return {ladderOf(d), divisorTexts(d)};
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
        const std::int64_t g = gcdOf(p, q);
        out.show("Label1", numberToText(g));
        out.working = gcdWorking(q, p, g);  // Text2 (q) is the top box
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
    const std::int64_t lcm = a / gcdOf(a, b) * b;
    out.show("Label2", numberToText(lcm));
    out.working = lcmWorking(a, b, lcm);
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
    d.showsWorking = true;
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
