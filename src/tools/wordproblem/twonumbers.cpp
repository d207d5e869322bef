#include "tools/wordproblem/wordproblems.h"
#include "tools/wordproblem/wordwindow.h"

namespace kz {

namespace {

Outcome smallAndLarge(double small, double large) {
    Outcome out;
    Calculation calc(true);
    std::string smallText, largeText;
    calc.step([&] {
        smallText = numberToText(finiteOrFail(small));
        largeText = numberToText(finiteOrFail(large));
    });
    if (!calc.failed()) {
        out.show("Text3", smallText);
        out.show("Text4", largeText);
    }
    calc.reportTo(out);
    return out;
}

// The large number follows from the small one as the pupil sees it, so the
// two shown numbers always add up (or differ) exactly as the facts say. A
// failing quotient shows the message once and leaves both boxes as they were:
// no large number is made from an answer of an earlier problem.
template <typename Small, typename Large, typename Explain>
Outcome fromShownSmall(std::initializer_list<std::pair<double*, std::string_view>> inputs, Small small, Large largeFrom,
                       Explain explain) {
    Outcome out;
    Calculation calc(true);
    NumberText smallText{};
    double large = 0;
    std::string largeText;
    readLeading(calc, inputs);
    calc.step([&] { smallText = toNumberText(finiteOrFail(small())); });
    calc.step([&] {
        large = finiteOrFail(largeFrom(smallText.value));
        largeText = numberToText(large);
    });
    if (!calc.failed()) {
        out.show("Text3", std::string(smallText.view()));
        out.show("Text4", largeText);
        out.working = workingOf([&] { return explain(smallText.value, large); });
    }
    calc.reportTo(out);
    return out;
}

// The small number is one share and the large one `multiple` shares, so the
// given sum or difference is `shares` shares (written as the window forms it).
Working sharesWorking(const char* given, double multiple, const std::string& sharesLine) {
    Working w;
    w.line("把小数看作1份，大数就是" + num(multiple) + "份");
    w.line(std::string(given) + "的份数：" + sharesLine);
    return w;
}

WordWindowDesign twoNumbersDesign(const char* form, const char* first, const char* second, const char* example) {
    WordWindowDesign s;
    WindowDecl& d = s.decl;
    d.form = form;
    addRow(d, 0, label("Label1", first), input("Text1", 19, FilterMode::Numeric_Pos));
    addRow(d, 1, label("Label2", second), input("Text2", 19, FilterMode::Numeric_Pos));
    addRow(d, 2, label("Label3", "小数"), output("Text3"));
    addRow(d, 3, label("Label4", "大数"), output("Text4"));
    d.controls.push_back(label("Label7", example).inRow(4));
    d.controls.push_back(line("Line1").inRow(5));
    for (auto& b : buttonRow(6)) d.controls.push_back(b);
    d.controls.push_back(check("Check1", "").hidden());
    d.controls.push_back(check("Check2", "").hidden());
    d.managesCopy = true;
    d.copyPrimary = "Text4";
    d.showsWorking = true;
    s.emptied = {{"Text1", ""}, {"Text2", ""}, {"Text3", ""}, {"Text4", ""}};
    s.copyText = [](std::size_t, const Texts& t) { return twoNumbersCopyText(t.at("Text3"), t.at("Text4")); };
    return s;
}

}  // namespace

Outcome sumDifferenceCalculate(std::string_view sumText, std::string_view differenceText) {
    Outcome out;
    Calculation calc(true);
    double sum = 0, difference = 0;
    if (!readLeading(calc, {{&sum, sumText}, {&difference, differenceText}})) {
        calc.reportTo(out);
        return out;
    }
    if (sum < difference) {
        out.show("Text3", std::string(kWrongInput));
        out.show("Text4", "和必须大于差！");
        out.failed = true;
        return out;
    }
    const double small = (sum - difference) / 2, large = (sum + difference) / 2;
    out = smallAndLarge(small, large);
    if (!out.failed)
        out.working = workingOf([&] {
            const double s = shownValue(small), l = shownValue(large);
            Working w;
            w.line("小数：(和－差)÷2＝(" + operand(sum) + "－" + operand(difference) + ")÷2＝" + num(small));
            w.line("大数：(和＋差)÷2＝(" + operand(sum) + "＋" + operand(difference) + ")÷2＝" + num(large));
            w.line(lead::kCheck, operand(small) + "＋" + operand(large) + checkSign(s + l, sum) + num(sum) + "，" +
                                     operand(large) + "－" + operand(small) + checkSign(l - s, difference) +
                                     num(difference));
            return w;
        });
    return out;
}

Outcome sumMultipleCalculate(std::string_view sumText, std::string_view multipleText) {
    double sum = 0, multiple = 0;
    return fromShownSmall(
        {{&sum, sumText}, {&multiple, multipleText}}, [&] { return quotientOrFail(sum, finiteOrFail(multiple + 1)); },
        [&](double small) { return sum - small; },
        [&](double small, double large) {
            const double shares = multiple + 1;
            Working w = sharesWorking("和", multiple, operand(multiple) + "＋1＝" + num(shares));
            w.line("小数：" + operand(sum) + "÷" + operand(shares) + "＝" + num(small));
            w.line("大数：" + operand(sum) + "－" + operand(small) + "＝" + num(large));
            const double l = shownValue(large);
            w.line(lead::kCheck, operand(small) + "＋" + operand(large) + checkSign(small + l, sum) + num(sum) + "，" +
                                     operand(small) + "×" + operand(multiple) + checkSign(small * multiple, l) +
                                     num(large));
            return w;
        });
}

Outcome differenceMultipleCalculate(std::string_view differenceText, std::string_view multipleText) {
    double difference = 0, multiple = 0;
    return fromShownSmall(
        {{&difference, differenceText}, {&multiple, multipleText}},
        [&] { return quotientOrFail(difference, multiple - 1); }, [&](double small) { return small + difference; },
        [&](double small, double large) {
            const double shares = multiple - 1;
            Working w = sharesWorking("差", multiple, operand(multiple) + "－1＝" + num(shares));
            w.line("小数：" + operand(difference) + "÷" + operand(shares) + "＝" + num(small));
            w.line("大数：" + operand(small) + "＋" + operand(difference) + "＝" + num(large));
            const double l = shownValue(large);
            w.line(lead::kCheck, operand(large) + "－" + operand(small) + checkSign(l - small, difference) +
                                     num(difference) + "，" + operand(small) + "×" + operand(multiple) +
                                     checkSign(small * multiple, l) + num(large));
            return w;
        });
}

std::string twoNumbersCopyText(std::string_view small, std::string_view large) {
    return "小数：" + std::string(small) + "；大数：" + std::string(large) + "。";
}

std::unique_ptr<WindowModel> makeSumDifferenceWindow() {
    auto s = twoNumbersDesign(
        "Form19", "两数之和", "两数之差",
        "例题：小明在一次测验中语文和数学得分的总和是192分，语文(小数)比数学(大数)少8分。语文数学各多少分？");
    s.calculate = [](std::size_t, const Texts& t) { return sumDifferenceCalculate(t.at("Text1"), t.at("Text2")); };
    s.rejectionBox = "Text4";
    return std::make_unique<WordWindow>(std::move(s));
}

std::unique_ptr<WindowModel> makeSumMultipleWindow() {
    auto s = twoNumbersDesign("Form21", "两数之和", "倍数关系",
                              "例题：学校图书馆有两个书架，两个书架共有160本书，第二个书架的书的数量是第一个书架的3倍。"
                              "两个书架各有多少本书？");
    s.calculate = [](std::size_t, const Texts& t) { return sumMultipleCalculate(t.at("Text1"), t.at("Text2")); };
    return std::make_unique<WordWindow>(std::move(s));
}

std::unique_ptr<WindowModel> makeDifferenceMultipleWindow() {
    auto s = twoNumbersDesign(
        "Form22", "两数之差", "倍数关系",
        "例题：小明和小东都是集邮爱好者，小明的邮票的数量比小东多72张，并且是小东的5倍。小明小东各有多少张邮票？");
    s.calculate = [](std::size_t, const Texts& t) { return differenceMultipleCalculate(t.at("Text1"), t.at("Text2")); };
    return std::make_unique<WordWindow>(std::move(s));
}

}  // namespace kz
