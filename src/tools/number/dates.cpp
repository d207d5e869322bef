#include "tools/number/dates.h"

#include <string>
#include <vector>

#include "tools/number/workingtext.h"

namespace kz {

std::optional<std::chrono::sys_days> readDate(std::string_view text) {
    using namespace std::chrono;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    auto digits = [&](std::size_t from, std::size_t count) -> std::optional<int> {
        int v = 0;
        for (std::size_t i = from; i < from + count; ++i) {
            if (text[i] < '0' || text[i] > '9') return std::nullopt;
            v = v * 10 + (text[i] - '0');
        }
        return v;
    };
    const auto y = digits(0, 4), m = digits(5, 2), d = digits(8, 2);
    if (!y || !m || !d || *y < 1) return std::nullopt;
    const year_month_day date{year{*y}, month{static_cast<unsigned>(*m)}, day{static_cast<unsigned>(*d)}};
    if (!date.ok()) return std::nullopt;
    return sys_days{date};
}

namespace {

using std::chrono::sys_days;
using std::chrono::year_month_day;

int daysIn(int y, unsigned m) {
    using namespace std::chrono;
    return static_cast<int>(unsigned(year_month_day_last(year{y}, month_day_last(month{m})).day()));
}

std::string days(std::int64_t n) { return numberToText(n) + "（天）"; }
std::string yearText(int y) { return numberToText(static_cast<std::int64_t>(y)) + "年"; }
std::string monthText(int y, unsigned m) { return yearText(y) + numberToText(static_cast<std::int64_t>(m)) + "月"; }

// Counts from the earlier date to the later one as the exercise book does:
// what is left of the first month, whole months, whole years (their leap
// years named, one line for any run), the days of the last month, the sum.
class DayCount {
public:
    Working count(year_month_day from, year_month_day to) {
        const int y1 = int(from.year()), y2 = int(to.year());
        const unsigned m1 = unsigned(from.month()), m2 = unsigned(to.month());
        const int d1 = int(unsigned(from.day())), d2 = int(unsigned(to.day()));
        if (y1 == y2 && m1 == m2) {
            add(monthText(y1, m1) + "：" + numberToText(std::int64_t{d2}) + "－" + numberToText(std::int64_t{d1}) +
                    "＝" + days(d2 - d1),
                d2 - d1);
            return std::move(w_);
        }
        const int left = daysIn(y1, m1) - d1;
        add(monthText(y1, m1) + "：" + numberToText(std::int64_t{daysIn(y1, m1)}) + "－" +
                numberToText(std::int64_t{d1}) + "＝" + days(left),
            left);
        if (y1 == y2) {
            months(y1, m1 + 1, m2 - 1);
        } else {
            months(y1, m1 + 1, 12);
            years(y1 + 1, y2 - 1);
            months(y2, 1, m2 - 1);
        }
        add(monthText(y2, m2) + "：" + days(d2), d2);
        std::vector<std::string> parts;
        for (std::int64_t p : parts_) parts.push_back(numberToText(p));
        w_.line("一共：" + joinedBy(parts, sign::kPlus) + "＝" + days(total_));
        return std::move(w_);
    }

private:
    void add(std::string line, std::int64_t n) {
        w_.line(std::move(line));
        parts_.push_back(n);
        total_ += n;
    }

    void months(int y, unsigned from, unsigned to) {
        if (from > to) return;
        std::vector<std::string> each;
        std::int64_t sum = 0;
        for (unsigned m = from; m <= to; ++m) {
            each.push_back(numberToText(std::int64_t{daysIn(y, m)}));
            sum += daysIn(y, m);
        }
        if (from == to) add(monthText(y, from) + "：" + days(sum), sum);
        else
            add(monthText(y, from) + "～" + numberToText(std::int64_t{to}) + "月：" + joinedBy(each, sign::kPlus) +
                    "＝" + days(sum),
                sum);
    }

    void years(int from, int to) {
        if (from > to) return;
        std::vector<std::string> leap;
        for (int y = from; y <= to; ++y)
            if (isLeapYear(y)) leap.push_back(yearText(y));
        const std::int64_t n = to - from + 1, l = static_cast<std::int64_t>(leap.size());
        const std::int64_t sum = 365 * n + l;
        if (n == 1) {
            add(yearText(from) + (l ? "是闰年：" : "：") + days(sum), sum);
            return;
        }
        std::string line = yearText(from) + "～" + yearText(to) + "共" + numberToText(n) + "年，";
        line += l ? "其中闰年有" + shortList(leap) + "，共" + numberToText(l) + "个，" : std::string("没有闰年，");
        line += "365×" + numberToText(n) + (l ? "＋" + numberToText(l) : std::string()) + "＝" + days(sum);
        add(std::move(line), sum);
    }

    Working w_;
    std::vector<std::int64_t> parts_;
    std::int64_t total_ = 0;
};

Working dayCountWorking(sys_days a, sys_days b) {
    if (a == b) return Working().line("两个日期相同，相差0天");
    const bool backwards = b < a;
    Working w = DayCount().count(year_month_day{backwards ? b : a}, year_month_day{backwards ? a : b});
    if (backwards)
        w.line("第二个日期早于第一个日期，所以结果是" + numberToText(static_cast<std::int64_t>((b - a).count())) +
               "天");
    return w;
}

}  // namespace

Outcome dateDifference(std::string_view text1, std::string_view text2) {
    Outcome out;
    const auto a = readDate(text1), b = readDate(text2);
    if (!a || !b) {
        // No result stands under the result heading when a date is unreadable.
        out.show("Label2", std::string(kDateHeading));
        out.show("Label1", std::string(kDateHint));
        out.show("Label3", std::string(kDateExample));
        out.error(std::string(kDateFormatError));
        out.failed = true;
        return out;
    }
    out.show("Label1", numberToText(static_cast<std::int64_t>((*b - *a).count())) + "天");
    out.show("Label2", std::string(kDateResultHeading));
    out.show("Label3", "");
    out.working = dayCountWorking(*a, *b);
    return out;
}

bool isLeapYear(std::int32_t y) { return y % 400 == 0 || (y % 4 == 0 && y % 100 != 0); }

namespace {

// "2008÷100＝20……8，不能被100整除": the division that decides one rule.
std::string divisionBy(std::int32_t y, std::int32_t d) {
    std::string s = numberToText(y) + std::string(sign::kDivide) + numberToText(d) + std::string(sign::kEquals) +
                    numberToText(y / d);
    if (y % d != 0) s += std::string(sign::kRemainder) + numberToText(y % d);
    s += y % d == 0 ? "，能被" : "，不能被";
    return s + numberToText(d) + "整除";
}

Working leapYearWorking(std::int32_t y) {
    const std::string verdict =
        "，所以" + numberToText(y) + "年是" + std::string(isLeapYear(y) ? kLeapYear : kCommonYear);
    Working w;
    if (y % 400 == 0) return w.line(divisionBy(y, 400) + verdict);
    if (y % 100 == 0) return w.line(divisionBy(y, 100)).line(divisionBy(y, 400) + verdict);
    if (y % 4 == 0) return w.line(divisionBy(y, 4)).line(divisionBy(y, 100) + verdict);
    return w.line(divisionBy(y, 4) + verdict);
}

}  // namespace

Outcome leapYear(std::string_view text1) {
    Outcome out;
    Calculation calc(true);
    std::int32_t y = 0;
    calc.step([&] { y = toInt32(leadingNumber(text1)); });
    if (calc.failed()) {
        // Not a verdict on year 0, which the failed reading would leave.
        calc.reportTo(out, kYearFailure);
        return out;
    }
    out.show("Label1", std::string(isLeapYear(y) ? kLeapYear : kCommonYear));
    out.working = leapYearWorking(y);
    return out;
}

namespace {

// Copy of a window whose result is a label: silent, and only once the label
// no longer shows its initial text.
class LabelResultWindow : public WindowModel {
public:
    LabelResultWindow(WindowDecl d, Compute c, Texts clear, std::string result, std::string initial)
        : WindowModel(std::move(d), std::move(c), std::move(clear)),
          result_(std::move(result)),
          initial_(std::move(initial)) {}

protected:
    void onCopy() override {
        const std::string_view shown = text(result_);
        if (shown != initial_) clipboard(std::string(shown));
    }

private:
    std::string result_, initial_;
};

}  // namespace

std::unique_ptr<WindowModel> makeDateDiffWindow() {
    WindowDecl d;
    d.form = "Form41";
    d.controls = {input("Text1", 10, FilterMode::MaskedDate, "第一个日期").inRow(0),
                  input("Text2", 10, FilterMode::MaskedDate, "第二个日期").inRow(1),
                  label("Label2", std::string(kDateHeading)).aligned(ControlDecl::Align::Centre).inRow(2),
                  label("Label1", std::string(kDateHint)).aligned(ControlDecl::Align::Centre).inRow(3),
                  label("Label3", std::string(kDateExample)).aligned(ControlDecl::Align::Centre).inRow(4)};
    for (auto& b : buttonRow(5)) d.controls.push_back(b);
    d.showsWorking = true;
    return std::make_unique<LabelResultWindow>(
        std::move(d), [](const Texts& t) { return dateDifference(t.at("Text1"), t.at("Text2")); },
        Texts{{"Text1", ""},
              {"Text2", ""},
              {"Label2", std::string(kDateHeading)},
              {"Label1", std::string(kDateHint)},
              {"Label3", std::string(kDateExample)}},
        "Label1", std::string(kDateHint));
}

std::unique_ptr<WindowModel> makeLeapYearWindow() {
    WindowDecl d;
    d.form = "Form42";
    d.controls = {input("Text1", 4, FilterMode::Integer_All, "年份").inRow(0),
                  label("Label1", std::string(kYearPrompt)).inRow(1)};
    for (auto& b : buttonRow(2)) d.controls.push_back(b);
    d.showsWorking = true;
    return std::make_unique<LabelResultWindow>(
        std::move(d), [](const Texts& t) { return leapYear(t.at("Text1")); },
        Texts{{"Text1", ""}, {"Label1", std::string(kYearPrompt)}}, "Label1", std::string(kYearPrompt));
}

}  // namespace kz
