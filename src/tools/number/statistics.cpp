#include "tools/number/statistics.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "calc/tokenizer.h"
#include "tools/number/workingtext.h"

namespace kz {

namespace {

// The statistics in screen order, by the index of their label and box.
struct StatRow {
    const char* index;
    const char* caption;
};
constexpr StatRow kStatRows[] = {
    {"(0)", "平均数"}, {"(1)", "众数"}, {"(11)", "中位数"}, {"(13)", "最大值"},
    {"(9)", "最小值"}, {"(2)", "和"},   {"(3)", "平方和"},
};

}  // namespace

NumberList readNumberList(std::string_view text) {
    NumberList r;
    if (text.find("，") != std::string_view::npos) r.messages.push_back(errorMessage(kFullWidthCommaWarning));
    Scanner s(text);
    auto stop = [&](std::string_view why) {
        r.messages.push_back(errorMessage(why));
        r.stopped = true;
    };
    // A number text the scanner cannot convert ("1..5", ".") is no number at
    // all; one beyond the double range is a failure. Either way there is no
    // list to compute on, rather than a 0 standing in for the number.
    Calculation scan(/*stopAtFirstFailure=*/true);
    auto readNumber = [&]() -> bool {
        if (!scan.step([&] { s.readToken(); })) {
            stop(scan.lastFailure() == FailureKind::TypeMismatch ? kSyntaxErrorText : kFailureText);
            return false;
        }
        if (s.kind() != TokenKind::Number) {
            stop(kSyntaxErrorText);
            return false;
        }
        r.values.push_back(s.tokenValue());
        return true;
    };
    if (!readNumber()) return r;
    // A single character after the last number is never looked at, so a
    // trailing comma is harmless.
    while (s.position() < s.length()) {
        if (s.characterAt(s.position()) != ",") r.messages.push_back(errorMessage(kSyntaxErrorText));
        if (!scan.step([&] { s.advance(); })) {
            stop(kFailureText);
            return r;
        }
        if (!readNumber()) return r;
    }
    return r;
}

double statSum(std::span<const double> v) {
    double sum = 0;
    for (double x : v) sum += x;
    return finiteOrFail(sum);
}

double statSumOfSquares(std::span<const double> v) {
    double sum = 0;
    for (double x : v) sum += x * x;
    return finiteOrFail(sum);
}

double statMean(std::span<const double> v) { return statSum(v) / static_cast<double>(v.size()); }

double statMinimum(std::span<const double> v) { return *std::min_element(v.begin(), v.end()); }
double statMaximum(std::span<const double> v) { return *std::max_element(v.begin(), v.end()); }

double statMedian(std::span<const double> v) {
    std::vector<double> sorted(v.begin(), v.end());
    std::sort(sorted.begin(), sorted.end());
    const std::size_t n = sorted.size();
    if (n % 2 == 1) return sorted[n / 2];
    const double a = sorted[n / 2 - 1], b = sorted[n / 2];
    return a + (b - a) / 2;
}

std::string statMode(std::span<const double> v) {
    std::vector<double> distinct;  // in order of first appearance
    std::vector<std::size_t> counts;
    std::unordered_map<double, std::size_t> where;
    for (double x : v) {
        auto [it, fresh] = where.try_emplace(x, distinct.size());
        if (fresh) {
            distinct.push_back(x);
            counts.push_back(0);
        }
        ++counts[it->second];
    }
    const std::size_t top = *std::max_element(counts.begin(), counts.end());
    if (top == 1) return std::string(kNoModeText);
    std::string text;
    for (std::size_t i = 0; i < distinct.size(); ++i)
        if (counts[i] == top) text += (text.empty() ? "" : ", ") + numberToText(distinct[i]);
    return text;
}

namespace {

std::string listOf(std::span<const double> v, std::string_view sign) {
    std::vector<std::string> texts;
    for (double x : v) texts.push_back(numberToText(x));
    return joinedBy(texts, sign);
}

// The list in order, the mean from the sum, the median, the mode and the
// range, each from the numbers the boxes show.
Working statisticsWorking(std::span<const double> v, const Texts& shown) {
    std::vector<double> sorted(v.begin(), v.end());
    std::sort(sorted.begin(), sorted.end());
    const std::size_t n = sorted.size();
    const std::string count = numberToText(static_cast<std::int64_t>(n));
    Working w;
    w.line("从小到大排列：" + listOf(sorted, "，"));
    const std::string sum = n > 1 ? "(" + listOf(v, sign::kPlus) + ")÷" + count + "＝" : std::string();
    w.line("平均数：" + sum + shown.at("txtStat(2)") + "÷" + count + "＝" + shown.at("txtStat(0)"));
    if (n % 2 == 1) w.line("中位数：排在正中间的数是" + shown.at("txtStat(11)"));
    else
        w.line("中位数：(" + numberToText(sorted[n / 2 - 1]) + std::string(sign::kPlus) + numberToText(sorted[n / 2]) +
               ")÷2＝" + shown.at("txtStat(11)"));
    const std::string& mode = shown.at("txtStat(1)");
    if (mode == kNoModeText) {
        w.line("众数：每个数都只出现1次，没有众数");
    } else {
        // The mode is every value of the longest run of equal values.
        std::size_t times = 0;
        for (std::size_t i = 0, j = 0; i < n; i = j) {
            while (j < n && sorted[j] == sorted[i]) ++j;
            times = std::max(times, j - i);
        }
        std::vector<std::string> values;
        for (std::size_t from = 0; from <= mode.size();) {
            const std::size_t to = std::min(mode.find(", ", from), mode.size());
            values.push_back(mode.substr(from, to - from));
            from = to + 2;
        }
        w.line("众数：" + joinedBy(values, "、") + (values.size() > 1 ? "，各出现" : "，出现") +
               numberToText(static_cast<std::int64_t>(times)) + "次");
    }
    w.line("极差：" + shown.at("txtStat(13)") + std::string(sign::kMinus) + operand(shown.at("txtStat(9)")) + "＝" +
           numberToText(sorted.back() - sorted.front()));
    return w;
}

}  // namespace

Outcome statisticsCalculate(std::string_view list) {
    Outcome out;
    NumberList r = readNumberList(list);
    out.messages = std::move(r.messages);
    if (r.stopped) {
        out.failed = true;  // the boxes keep what they showed
        return out;
    }
    const std::span<const double> v = r.values;
    auto number = [](double x) { return numberToText(x); };
    // A statistic that fails leaves its box empty: a value of the previous
    // list beside the new ones would read as a result of this one.
    Calculation calc;
    auto put = [&](const char* box, auto compute) {
        std::string shown;
        calc.step([&] { shown = compute(); });
        out.show(box, shown);
    };
    put("txtStat(0)", [&] { return number(statMean(v)); });
    put("txtStat(1)", [&] { return statMode(v); });
    put("txtStat(2)", [&] { return number(statSum(v)); });
    put("txtStat(3)", [&] { return number(statSumOfSquares(v)); });
    put("txtStat(9)", [&] { return number(statMinimum(v)); });
    put("txtStat(11)", [&] { return number(statMedian(v)); });
    put("txtStat(13)", [&] { return number(statMaximum(v)); });
    calc.reportTo(out);
    if (!out.failed) out.working = statisticsWorking(v, out.set);
    return out;
}

std::string statisticsCopyText(const Texts& t) {
    return "平均数：" + t.at("txtStat(0)") + "，众数：" + t.at("txtStat(1)") + "，最大值：" + t.at("txtStat(13)") +
           "，最小值：" + t.at("txtStat(9)") + "，中位数：" + t.at("txtStat(11)") + "，和：" + t.at("txtStat(2)") +
           "，平方和：" + t.at("txtStat(3)") + "。";
}

namespace {

class StatisticsWindow : public WindowModel {
public:
    using WindowModel::WindowModel;

protected:
    // The window outlives a close, but every opening starts empty.
    void onLoad() override {
        for (const auto& [name, text] : clearTexts()) setText(name, text);
        setCopyEnabled(true);
        requestFocus("txtList");
    }
    std::string copyText() override { return statisticsCopyText(texts()); }
};

}  // namespace

std::unique_ptr<WindowModel> makeStatisticsWindow() {
    WindowDecl d;
    d.form = "Form28";
    // Placed rather than in rows, so the frame encloses the list.
    // The list box shows three lines, as a long list wraps.
    d.client = {0, 0, 4200, 5520};
    d.controls = {
        frame("fraList", " 请以英文逗号“,”分隔数据").place(120, 60, 3960, 1320),
        input("txtList", kStatisticsListLength, FilterMode::None, "数据").severalLines().place(240, 390, 3720, 825)};
    int top = 1500;
    Texts clear{{"txtList", ""}};
    for (const StatRow& r : kStatRows) {
        const std::string box = std::string("txtStat") + r.index;
        d.controls.push_back(label(std::string("lblStat") + r.index, r.caption).place(120, top + 60, 960, 300));
        d.controls.push_back(output(box, r.caption).place(1080, top, 3000, 360));
        clear[box] = "";
        top += 480;
    }
    d.controls.push_back(button("cmdAnalyse", "计算", ButtonRole::Calculate).place(120, top + 60, 1080, 375));
    d.controls.push_back(button("cmdClear", "清空", ButtonRole::Clear).place(1560, top + 60, 1080, 375));
    d.controls.push_back(button("Command1", "复制", ButtonRole::Copy).place(3000, top + 60, 1080, 375));
    // The hidden switches of the seven boxes, in index order; always clear.
    for (int i = 1; i <= 7; ++i) d.controls.push_back(check("Check" + std::to_string(i), "").hidden());
    d.managesCopy = true;
    d.copyPrimary = "txtStat(0)";
    d.showsWorking = true;
    return std::make_unique<StatisticsWindow>(
        std::move(d), [](const Texts& t) { return statisticsCalculate(t.at("txtList")); }, std::move(clear));
}

}  // namespace kz
