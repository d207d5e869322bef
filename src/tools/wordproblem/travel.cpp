#include "tools/wordproblem/wordproblems.h"
#include "tools/wordproblem/wordwindow.h"

namespace kz {

namespace {

const char* const kTimes[] = {"错车时间", "超车时间"};
const char* const kSpeeds[] = {"船速", "水速"};

// Reads the boxes, computes one number into Text5 and explains it; a failure
// shows the one message and leaves the last answer.
template <typename Compute, typename Explain>
Outcome intoText5(std::initializer_list<std::pair<double*, std::string_view>> inputs, Compute compute,
                  Explain explain) {
    Outcome out;
    Calculation calc(true);
    double value = 0;
    std::string result;
    if (readLeading(calc, inputs))
        calc.step([&] {
            value = compute();
            result = numberToText(value);
        });
    if (!calc.failed()) {
        out.show("Text5", result);
        out.working = workingOf([&] { return explain(value); });
    }
    calc.reportTo(out);
    return out;
}

}  // namespace

Outcome trainCalculate(std::size_t which, std::string_view lengthA, std::string_view speedA, std::string_view lengthB,
                       std::string_view speedB) {
    double a = 0, u = 0, b = 0, v = 0;
    return intoText5(
        {{&a, lengthA}, {&u, speedA}, {&b, lengthB}, {&v, speedB}},
        [&] { return which == 0 ? quotientOrFail(a + b, u + v) : quotientOrFail(a + b, v - u); },
        [&](double time) {
            // The trains cover their two lengths at the sum (head-on) or the
            // difference (overtaking) of their speeds.
            const bool passing = which == 0;
            const std::string lengths = operand(a) + "＋" + operand(b);
            const std::string speeds = passing ? operand(u) + "＋" + operand(v) : operand(v) + "－" + operand(u);
            const double length = a + b, speed = passing ? u + v : v - u;
            Working w;
            w.line("两车长度之和：" + lengths + "＝" + num(length));
            w.line(std::string(passing ? "两车速度之和：" : "两车速度之差：") + speeds + "＝" + num(speed));
            w.line(std::string(kTimes[passing ? 0 : 1]) + "：" + operand(length) + "÷" + operand(speed) + "＝" +
                   num(time));
            w.line(lead::kCheck,
                   "(" + speeds + ")×" + operand(time) + checkSign(speed * shownValue(time), length) + lengths);
            return w;
        });
}

Outcome riverCalculate(std::size_t which, std::string_view downstream, std::string_view upstream) {
    double d = 0, w = 0;
    return intoText5(
        {{&d, downstream}, {&w, upstream}}, [&] { return finiteOrFail(which == 0 ? (d + w) / 2 : (d - w) / 2); },
        [&](double speed) {
            // The check goes back from the one speed to the other and on to the upstream speed.
            const bool boat = which == 0;
            const double shown = shownValue(speed);
            const double other = d - shown;  // the water's speed from the boat's, or the boat's from the water's
            const double back = boat ? shown - other : other - shown;
            Working work;
            work.steps({boat ? "船速＝(顺水速度＋逆水速度)÷2" : "水速＝(顺水速度－逆水速度)÷2",
                        "(" + operand(d) + (boat ? "＋" : "－") + operand(w) + ")÷2", num(speed)});
            work.line(lead::kCheck,
                      operand(d) + "－" + operand(speed) + "＝" + num(other) + "，" +
                          (boat ? operand(speed) + "－" + operand(other) : operand(other) + "－" + operand(speed)) +
                          checkSign(back, w) + num(w));
            return work;
        });
}

std::unique_ptr<WindowModel> makeTrainWindow() {
    WordWindowDesign s;
    WindowDecl& d = s.decl;
    d.form = "Form29";
    d.keyPreview = true;
    d.controls = {option("Option1", "错车", "C", true).inRow(0), option("Option2", "超车", "H").inRow(0),
                  line("Line1").inRow(1)};
    addRow(d, 2, label("Label1", "甲车长度"), input("Text1", 19, FilterMode::Numeric_Pos));
    addRow(d, 3, label("Label8", "甲车速度"), input("Text3", 19, FilterMode::Numeric_Pos));
    addRow(d, 4, label("Label2", "乙车长度"), input("Text2", 19, FilterMode::Numeric_Pos));
    addRow(d, 5, label("Label4", "乙车速度"), input("Text4", 19, FilterMode::Numeric_Pos));
    addRow(d, 6, label("Label3", kTimes[0]), output("Text5", "结果"));
    const char* const examples[] = {
        "例题：甲乙两火车同时相向而行。甲车长163米，速度为29米/秒；乙车长152米，速度为34米/"
        "秒。两车错车需要花多长时间？",
        "例题：甲车长125米，速度为17米/秒；乙车长140米，速度为22米/秒。乙车从后面追上到超过甲车需要多少秒？",
    };
    d.controls.push_back(label("Label7", examples[0]).inRow(7));
    d.controls.push_back(line("Line2").inRow(8));
    for (auto& b : buttonRow(9)) d.controls.push_back(b);
    d.managesCopy = true;
    d.copyPrimary = "Text5";
    d.showsWorking = true;
    s.cases = {{"Option1", {{"Label3", kTimes[0]}, {"Label7", examples[0]}}},
               {"Option2", {{"Label3", kTimes[1]}, {"Label7", examples[1]}}}};
    s.emptied = {{"Text1", ""}, {"Text2", ""}, {"Text3", ""}, {"Text4", ""}, {"Text5", ""}};
    s.caseEnablesCopy = true;
    s.calculate = [](std::size_t c, const Texts& t) {
        return trainCalculate(c, t.at("Text1"), t.at("Text3"), t.at("Text2"), t.at("Text4"));
    };
    s.copyText = [](std::size_t c, const Texts& t) { return std::string(kTimes[c]) + "：" + t.at("Text5"); };
    return std::make_unique<WordWindow>(std::move(s));
}

std::unique_ptr<WindowModel> makeRiverWindow() {
    WordWindowDesign s;
    WindowDecl& d = s.decl;
    d.form = "Form30";
    d.keyPreview = true;
    d.controls = {option("Option1", kSpeeds[0], "C", true).inRow(0), option("Option2", kSpeeds[1], "S").inRow(0),
                  line("Line1").inRow(1)};
    addRow(d, 2, label("Label1", "顺水速度"), input("Text1", 19, FilterMode::Numeric_Pos));
    addRow(d, 3, label("Label8", "逆水速度"), input("Text3", 19, FilterMode::Numeric_Pos));
    addRow(d, 4, label("Label3", kSpeeds[0]), output("Text5", "结果"));
    const char* const examples[] = {
        "例题：一轮船在河中顺水而下时速度为20千米/时，逆流而上时速度为12千米/时。这艘船在静水中的速度(船速)是多少？",
        "例题：一轮船在河中顺水而下时速度为20千米/时，逆流而上时速度为12千米/时。这时的水速是多少？",
    };
    d.controls.push_back(label("Label7", examples[0]).inRow(5));
    d.controls.push_back(line("Line2").inRow(6));
    for (auto& b : buttonRow(7)) d.controls.push_back(b);
    d.managesCopy = true;
    d.copyPrimary = "Text5";
    d.showsWorking = true;
    s.cases = {{"Option1", {{"Label3", kSpeeds[0]}, {"Label7", examples[0]}}},
               {"Option2", {{"Label3", kSpeeds[1]}, {"Label7", examples[1]}}}};
    s.emptied = {{"Text1", ""}, {"Text3", ""}, {"Text5", ""}};
    s.caseEnablesCopy = true;
    s.calculate = [](std::size_t c, const Texts& t) { return riverCalculate(c, t.at("Text1"), t.at("Text3")); };
    s.copyText = [](std::size_t c, const Texts& t) { return std::string(kSpeeds[c]) + "：" + t.at("Text5"); };
    return std::make_unique<WordWindow>(std::move(s));
}

}  // namespace kz
