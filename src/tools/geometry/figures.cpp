#include "tools/geometry/figures.h"

#include <cmath>

#include "framework/casewindow.h"

// The results must agree to the last shown digit on every platform: no fused
// multiply-add where the formula multiplies and then adds.
#if defined(__clang__)
#pragma STDC FP_CONTRACT OFF
#endif

namespace kz {

namespace {

constexpr double kPi = 3.14;  // what the notes tell the pupil, so the arithmetic uses it too

const char* const kPlaneNames[] = {"三角形", "平行四边形", "长方形", "正方形", "梯形", "菱形", "圆形", "扇形"};
const char* const kPlaneKeys[] = {"S", "P", "C", "Z", "T", "L", "Y", "H"};
const char* const kSolidNames[] = {"正方体", "长方体", "圆柱", "圆锥"};
const char* const kSolidKeys[] = {"Z", "C", "Y", "U"};

Figure figure(int i, const char* const* names, const char* const* keys, std::string formula, std::string note,
              std::vector<std::pair<std::string, std::string>> labels, int used, FigureSteps steps,
              double (*result)(const double*)) {
    Figure f;
    f.option = "Option" + std::to_string(i + 1);
    f.caption = names[i];
    f.key = keys[i];
    f.formula = std::move(formula);
    f.note = std::move(note);
    f.labels = std::move(labels);
    f.boxesUsed = used;
    f.steps = std::move(steps);
    f.result = result;
    return f;
}

FigureWindowDesign makeAreaDesign() {
    FigureWindowDesign s;
    s.form = "Form9";
    const auto* n = kPlaneNames;
    const auto* k = kPlaneKeys;
    s.figures = {
        figure(0, n, k, " S＝a·h÷2", "注：a为三角形的底，h为底边上的高。", {{"Label12", "a="}, {"Label13", "h="}}, 2,
               {"#0×#1÷2", {"a", "h"}}, [](const double* m) { return m[0] * m[1] / 2; }),
        figure(1, n, k, " S＝a·h", "注：a为平行四边形的底，h为底边上的高。", {{"Label12", "a="}, {"Label13", "h="}}, 2,
               {"#0×#1", {"a", "h"}}, [](const double* m) { return m[0] * m[1]; }),
        figure(2, n, k, " S＝a·b", "注：a为长方形的长，b为长方形的宽。", {{"Label12", "a="}, {"Label13", "b="}}, 2,
               {"#0×#1", {"a", "b"}}, [](const double* m) { return m[0] * m[1]; }),
        figure(3, n, k, " S＝a·a", "注：a为正方形的边长。", {{"Label12", "a="}}, 1, {"#0×#0", {"a"}},
               [](const double* m) { return m[0] * m[0]; }),
        figure(4, n, k, " S＝(a+b)·h÷2", "注：a、b分别为梯形的上底与下底，h为底边上的高。",
               {{"Label12", "a="}, {"Label13", "b="}, {"Label14", "h="}}, 3, {"(#0＋#1)×#2÷2", {"a", "b", "h"}},
               [](const double* m) { return (m[0] + m[1]) * m[2] / 2; }),
        figure(5, n, k, " S＝d1·d2÷2", "注：d1、d2分别为菱形的两条对角线。", {{"Label12", "d1="}, {"Label13", "d2="}},
               2, {"#0×#1÷2", {"d1", "d2"}}, [](const double* m) { return m[0] * m[1] / 2; }),
        figure(6, n, k, " S＝r·r·π", "注：π为圆周率（取3.14），r为圆的半径。", {{"Label12", "r="}}, 1,
               {"#0×#0×π", {"r"}}, [](const double* m) { return m[0] * m[0] * kPi; }),
        figure(7, n, k, " S＝r·r·π·a/360", "注：π为圆周率（取3.14），r为圆的半径，a为扇形圆心角的度数。",
               {{"Label12", "r="}, {"Label13", "a="}}, 2, {"#0×#0×π×(#1÷360)", {"r", "a"}},
               [](const double* m) { return m[0] * m[0] * kPi * (m[1] / 360); }),
    };
    s.figures[7].sector = true;
    s.boxes = {"Text1", "Text2", "Text3"};
    s.boxLabels = {"Label12", "Label13", "Label14"};
    s.boxTops = {2040, 2640, 3240};
    s.optionTops = {120, 720, 1320, 1920, 2520, 3120, 3720, 4320};
    s.formulaBox = "Text4";
    s.noteLabel = "Label10";
    s.noteDesign = "单击图形名称，即可显示该图形的面积计算公式。";
    s.resultLabel = "Label15";
    s.resultCaption = "S=";
    s.resultBox = "Text5";
    s.resultTop = 3840;
    s.formulaSwitch = "Check2";
    s.resultSwitch = "Check1";
    s.client = {0, 0, 4695, 4845};
    return s;
}

FigureWindowDesign makePerimeterDesign() {
    FigureWindowDesign s;
    s.form = "Form10";
    const auto* n = kPlaneNames;
    const auto* k = kPlaneKeys;
    s.figures = {
        figure(0, n, k, "C＝a+b+c", "注：a、b、c分别为三角形的三边长。",
               {{"Label4", "a="}, {"Label5", "b="}, {"Label6", "c="}}, 3, {"#0＋#1＋#2", {"a", "b", "c"}},
               [](const double* m) { return m[0] + m[1] + m[2]; }),
        figure(1, n, k, "C＝2(a+b)", "注：a、b分别为平行四边形相邻的两边长。", {{"Label4", "a="}, {"Label5", "b="}}, 2,
               {"2×(#0＋#1)", {"a", "b"}}, [](const double* m) { return (m[0] + m[1]) * 2; }),
        figure(2, n, k, "C＝2(a+b)", "注：a、b分别为长方形的长和宽。", {{"Label4", "a="}, {"Label5", "b="}}, 2,
               {"2×(#0＋#1)", {"a", "b"}}, [](const double* m) { return (m[0] + m[1]) * 2; }),
        figure(3, n, k, "C＝4a", "注：a为正方形的边长。", {{"Label4", "a="}}, 1, {"4×#0", {"a"}},
               [](const double* m) { return m[0] * 4; }),
        figure(4, n, k, "C＝a+b+c+d", "注：a、b、c、d分别为梯形的上、下底和两腰。",
               {{"Label4", "a="}, {"Label5", "b="}, {"Label6", "c="}, {"Label9", "d="}}, 4,
               {"#0＋#1＋#2＋#3", {"a", "b", "c", "d"}}, [](const double* m) { return m[0] + m[1] + m[2] + m[3]; }),
        figure(5, n, k, "C＝4a", "注：a为菱形的边长。", {{"Label4", "a="}}, 1, {"4×#0", {"a"}},
               [](const double* m) { return m[0] * 4; }),
        figure(6, n, k, "C＝πd", "注：π为圆周率（取3.14），d为圆的直径。", {{"Label4", "d="}}, 1, {"π×#0", {"d"}},
               [](const double* m) { return m[0] * kPi; }),
        figure(7, n, k, "C＝2r[1+(πa/360)]", "注：π为圆周率（取3.14），r为圆半径，a为扇形圆心角的度数。",
               {{"Label4", "r="}, {"Label5", "a="}}, 2, {"2×#0×(π×#1÷360＋1)", {"r", "a"}},
               [](const double* m) { return 2 * m[0] * (kPi * m[1] / 360 + 1); }),
    };
    s.figures[7].sector = true;
    s.boxes = {"Text1", "Text2", "Text3", "Text4"};
    s.boxLabels = {"Label4", "Label5", "Label6", "Label9"};
    s.boxTops = {1920, 2400, 2880, 3360};
    s.optionTops = {120, 720, 1320, 1920, 2520, 3120, 3720, 4320};
    s.formulaBox = "Text5";
    s.noteLabel = "Label3";
    s.noteDesign = "单击图形名称，即可显示该图形的周长计算公式。";
    s.resultLabel = "Label7";
    s.resultCaption = "C=";
    s.resultBox = "Text6";
    s.resultTop = 3840;
    s.formulaSwitch = "Check1";
    s.resultSwitch = "Check2";
    s.designOption = "Option9";
    s.emptyBeforeEnabling = true;
    s.client = {0, 0, 4695, 4845};
    return s;
}

void solidLayout(FigureWindowDesign& s) {
    s.boxes = {"Text1", "Text2", "Text3"};
    s.boxLabels = {"Label4", "Label5", "Label6"};
    s.optionTops = {840, 1680, 2520, 3360};
    s.formulaBox = "Text4";
    s.noteLabel = "Label3";
    s.resultLabel = "Label7";
    s.resultBox = "Text5";
    s.formulaSwitch = "Check2";
    s.resultSwitch = "Check1";
}

FigureWindowDesign makeVolumeDesign() {
    FigureWindowDesign s;
    s.form = "Form16";
    const auto* n = kSolidNames;
    const auto* k = kSolidKeys;
    s.figures = {
        figure(0, n, k, " V=a·a·a", "注：a为正方体的棱长。", {{"Label4", "a="}}, 1, {"#0×#0×#0", {"a"}},
               [](const double* m) { return std::pow(m[0], 3); }),
        figure(1, n, k, " V=abc", "注：a，b，c分别为长方体的长、宽、高。", {{"Label4", "a="}, {"Label5", "b="}}, 3,
               {"#0×#1×#2", {"a", "b", "c"}}, [](const double* m) { return m[0] * m[1] * m[2]; }),
        figure(2, n, k, " V=r·r·π·h", "注：π为圆周率（取3.14），r为圆柱底面的半径，h为圆柱的高。",
               {{"Label4", "r="}, {"Label5", "h="}}, 2, {"#0×#0×π×#1", {"r", "h"}},
               [](const double* m) { return m[0] * m[0] * kPi * m[1]; }),
        figure(3, n, k, " V=r·r·π·h÷3", "注：π为圆周率（取3.14），r为圆锥底面的半径，h为圆锥的高。",
               {{"Label4", "r="}, {"Label5", "h="}}, 2, {"#0×#0×π×#1÷3", {"r", "h"}},
               [](const double* m) { return m[0] * m[0] * kPi * m[1] / 3; }),
    };
    solidLayout(s);
    s.boxTops = {2040, 2640, 3240};
    s.noteDesign = "单击图形名称，即可显示该图形的体积计算公式。";
    s.resultCaption = "V=";
    s.resultTop = 3840;
    s.designOption = "Option5";
    s.client = {0, 0, 4695, 4845};
    return s;
}

FigureWindowDesign makeSurfaceDesign() {
    FigureWindowDesign s;
    s.form = "Form17";
    const auto* n = kSolidNames;
    const auto* k = kSolidKeys;
    s.figures = {
        figure(0, n, k, " S=a·a·6", "注：a为正方体的棱长。", {{"Label4", "a="}}, 1, {"#0×#0×6", {"a"}},
               [](const double* m) { return std::pow(m[0], 2) * 6; }),
        figure(1, n, k, " S=2(ab+bc+ac)", "注：a，b，c分别为长方体的长、宽、高。", {{"Label4", "a="}, {"Label5", "b="}},
               3, {"2×(#0×#1＋#1×#2＋#0×#2)", {"a", "b", "c"}},
               [](const double* m) { return (m[0] * m[1] + m[1] * m[2] + m[0] * m[2]) * 2; }),
        figure(2, n, k, " S=2πr(r+h)", "注：π为圆周率（取3.14），r为圆柱底面的半径，h为圆柱的高。",
               {{"Label4", "r="}, {"Label5", "h="}}, 2, {"2×π×#0×(#0＋#1)", {"r", "h"}},
               [](const double* m) { return m[0] * 2 * kPi * (m[0] + m[1]); }),
        figure(3, n, k, " S=πr(l+r)", "注：π为圆周率（取3.14），r为圆锥底面的半径，l为圆锥的母线。",
               {{"Label4", "r="}, {"Label5", "l="}}, 2, {"#0×π×(#0＋#1)", {"r", "l"}},
               [](const double* m) { return m[0] * kPi * (m[0] + m[1]); }),
    };
    solidLayout(s);
    s.boxTops = {1920, 2520, 3120};
    s.noteDesign = "单击图形名称，即可显示该图形的表面积计算公式。";
    s.resultCaption = "S=";
    s.resultTop = 3720;
    s.client = {0, 0, 4665, 4815};
    return s;
}

// Labels sit level with the middle of their 360-twip box.
constexpr int kLabelDrop = 60;
constexpr int kLabelHeight = 255;

WindowDecl declare(const FigureWindowDesign& s) {
    WindowDecl d;
    d.form = s.form;
    d.client = s.client;
    d.keyPreview = true;
    d.copyPrimary = s.resultBox;
    d.showsWorking = true;
    auto& c = d.controls;
    for (std::size_t i = 0; i < s.figures.size(); ++i)
        c.push_back(
            option(s.figures[i].option, s.figures[i].caption, s.figures[i].key).place(120, s.optionTops[i], 1305, 420));
    c.push_back(line("Line1").place(1440, 120, 15, s.client.height - 240));
    c.push_back(label("Label1", "计算公式：").place(1560, 120, 1455, kLabelHeight));
    c.push_back(output(s.formulaBox, "计算公式").place(1560, 480, 3015, 360));
    c.push_back(label(s.noteLabel, s.noteDesign).place(1560, 960, 2820, 690));
    c.push_back(line("Line2").place(1440, 1800, s.client.width - 1440, 15));
    for (std::size_t i = 0; i < s.boxes.size(); ++i) {
        static const char* const kDesign[] = {"a=", "b=", "c=", "d="};
        c.push_back(label(s.boxLabels[i], kDesign[i]).place(1680, s.boxTops[i] + kLabelDrop, 360, kLabelHeight));
        c.push_back(input(s.boxes[i], 19, FilterMode::Numeric_Pos).place(2040, s.boxTops[i], 2535, 360));
    }
    c.push_back(label(s.resultLabel, s.resultCaption).place(1680, s.resultTop + kLabelDrop, 360, kLabelHeight));
    c.push_back(output(s.resultBox, s.resultCaption).place(2040, s.resultTop, 2535, 360));
    const int lefts[] = {1560, 2640, 3720};
    auto buttons = buttonRow(0);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i].row = -1;
        c.push_back(buttons[i].place(lefts[i], 4320, 855, 375));
    }
    // Design leftovers: the switches keep the output boxes' context menus off,
    // and the extra option is what the designer left selected.
    c.push_back(check(s.resultSwitch, "").hidden());
    c.push_back(check(s.formulaSwitch, "").hidden());
    if (!s.designOption.empty()) c.push_back(option(s.designOption, "", "", true).hidden());
    return d;
}

CaseTable casesOf(const FigureWindowDesign& s) {
    CaseTable t;
    for (const Figure& f : s.figures) {
        WindowCase c;
        c.option = f.option;
        c.captions = {{s.formulaBox, f.formula}, {s.noteLabel, f.note}};
        c.captions.insert(c.captions.end(), f.labels.begin(), f.labels.end());
        c.boxesEnabled = static_cast<std::size_t>(f.boxesUsed);
        t.cases.push_back(std::move(c));
    }
    t.switched = s.boxes;
    for (const auto& b : s.boxes) t.emptied[b] = "";
    t.emptied[s.resultBox] = "";
    t.emptyBeforeEnabling = s.emptyBeforeEnabling;
    t.chooseFirstAtLoad = true;
    return t;
}

class FigureWindow : public CaseWindow {
public:
    explicit FigureWindow(const FigureWindowDesign& design)
        : CaseWindow(declare(design), casesOf(design), casesOf(design).emptied), design_(design) {}

protected:
    void onCalculate() override { apply(figureCalculate(design_, chosenCase(), texts())); }

private:
    const FigureWindowDesign& design_;
};

// "#0×#1÷2" with each #i replaced by parts[i], and π by `pi`.
std::string fill(std::string_view pattern, const std::vector<std::string>& parts, std::string_view pi) {
    constexpr std::string_view kPiSign = "π";
    std::string s;
    for (std::size_t i = 0; i < pattern.size();) {
        if (pattern[i] == '#' && i + 1 < pattern.size()) {
            const std::size_t k = static_cast<std::size_t>(pattern[i + 1] - '0');
            s += k < parts.size() ? parts[k] : std::string();
            i += 2;
        } else if (pattern.substr(i, kPiSign.size()) == kPiSign) {
            s += pi;
            i += kPiSign.size();
        } else {
            s += pattern[i++];
        }
    }
    return s;
}

}  // namespace

const FigureWindowDesign& areaDesign() {
    static const FigureWindowDesign s = makeAreaDesign();
    return s;
}
const FigureWindowDesign& perimeterDesign() {
    static const FigureWindowDesign s = makePerimeterDesign();
    return s;
}
const FigureWindowDesign& volumeDesign() {
    static const FigureWindowDesign s = makeVolumeDesign();
    return s;
}
const FigureWindowDesign& surfaceDesign() {
    static const FigureWindowDesign s = makeSurfaceDesign();
    return s;
}

Outcome figureCalculate(const FigureWindowDesign& design, std::size_t index, const Texts& texts) {
    Outcome out;
    Calculation calc(true);  // never a result from a measure that could not be read
    const Figure& f = design.figures.at(index);
    double m[4] = {0, 0, 0, 0};
    for (std::size_t i = 0; i < design.boxes.size() && i < 4; ++i) {
        auto it = texts.find(design.boxes[i]);
        if (it != texts.end()) calc.step([&] { m[i] = leadingNumber(it->second); });
    }
    std::string result;
    calc.step([&] { result = numberToText(f.result(m)); });
    if (calc.failed()) {
        calc.reportTo(out);
        return out;
    }
    if (f.sector && m[1] > 360) {
        out.show(design.resultBox, std::string(kSectorAngleRejection));
        out.working.line(std::string(kSectorAngleRejection));
        return out;
    }
    out.show(design.resultBox, result);
    // The numbers as the window read them; a negative one (only a caller
    // passing texts the boxes never admit) in parentheses.
    std::vector<std::string> numbers;
    for (std::size_t i = 0; i < f.steps.letters.size() && i < 4; ++i) {
        std::string n = numberToText(m[i]);
        numbers.push_back(m[i] < 0 ? "(" + n + ")" : n);
    }
    const std::string symbol = design.resultCaption.substr(0, design.resultCaption.find('='));
    out.working.steps({symbol + std::string(sign::kEquals) + fill(f.steps.pattern, f.steps.letters, "π"),
                       fill(f.steps.pattern, numbers, numberToText(kPi)), result});
    return out;
}

std::unique_ptr<WindowModel> makeAreaWindow() { return std::make_unique<FigureWindow>(areaDesign()); }
std::unique_ptr<WindowModel> makePerimeterWindow() { return std::make_unique<FigureWindow>(perimeterDesign()); }
std::unique_ptr<WindowModel> makeVolumeWindow() { return std::make_unique<FigureWindow>(volumeDesign()); }
std::unique_ptr<WindowModel> makeSurfaceWindow() { return std::make_unique<FigureWindow>(surfaceDesign()); }

}  // namespace kz
