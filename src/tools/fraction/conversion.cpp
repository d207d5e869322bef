#include "tools/fraction/conversion.h"

#include <cmath>
#include <cstdint>
#include <numeric>

#include "tools/fraction/arithmetic.h"
#include "tools/fraction/fractionlayout.h"
#include "tools/fraction/fractionworking.h"

namespace kz {

namespace {

// The boxes admit six characters of digits and a leading minus, so every
// value is a whole number; anything else reaching here is a failure.
std::int64_t wholeValue(std::string_view text) {
    const double v = leadingNumber(text);
    if (v != std::floor(v) || std::fabs(v) > 9.0e15) fail(FailureKind::Overflow);
    return static_cast<std::int64_t>(v);
}

void rejectZeroDenominator(Outcome& out) {
    out.error(std::string(kZeroDenominatorText));
    out.failed = true;
}

}  // namespace

Outcome reduceFraction(std::string_view numerator, std::string_view denominator) {
    Outcome out;
    Calculation calc(true);
    std::int64_t a = 0, b = 0;
    calc.step([&] { a = wholeValue(numerator); });
    calc.step([&] { b = wholeValue(denominator); });
    if (calc.failed()) {
        calc.reportTo(out);
        return out;
    }
    if (b == 0) {
        rejectZeroDenominator(out);
        return out;
    }
    out.working = reductionWorking(a, b);
    // The sign goes on the numerator; 0 over anything is the whole number 0.
    const std::int64_t g = std::gcd(a, b);
    a /= g;
    b /= g;
    if (b < 0) {
        a = -a;
        b = -b;
    }
    out.show("Text3", numberToText(a));
    out.show("Text4", numberToText(b));
    return out;
}

Outcome compareFractions(std::string_view ta, std::string_view tb, std::string_view tc, std::string_view td) {
    Outcome out;
    Calculation calc(true);
    double l = 0, r = 0;
    double v[4] = {};
    calc.step([&] {
        v[1] = leadingNumber(tb);
        v[3] = leadingNumber(td);
        if (v[1] == 0 || v[3] == 0) fail(FailureKind::DivisionByZero);
        v[0] = leadingNumber(ta);
        v[2] = leadingNumber(tc);
        // Division is correctly rounded, so equal fractions of six-character
        // numbers give equal quotients and unequal ones never do.
        l = v[0] / v[1];
        r = v[2] / v[3];
    });
    if (calc.failed()) {
        calc.reportTo(out);
        return out;
    }
    out.show("Label1", l > r ? ">" : l == r ? "=" : "<");
    // The boxes admit whole numbers of six characters; anything else has no 通分 to show.
    bool whole = true;
    for (double x : v) whole = whole && x == std::floor(x) && std::fabs(x) < 1e9;
    if (whole)
        out.working = comparisonWorking(static_cast<std::int64_t>(v[0]), static_cast<std::int64_t>(v[1]),
                                        static_cast<std::int64_t>(v[2]), static_cast<std::int64_t>(v[3]));
    return out;
}

Outcome improperToMixed(std::string_view numerator, std::string_view denominator) {
    Outcome out;
    Calculation calc(true);
    std::int32_t whole = 0, rest = 0, n = 0, d = 0;
    calc.step([&] {
        const double nv = strictNumber(numerator), dv = strictNumber(denominator);
        whole = intQuotient(nv, dv);
        rest = intRemainder(nv, dv);
        n = toInt32(nv);
        d = toInt32(dv);
    });
    if (calc.failed()) {
        calc.reportTo(out);
        return out;
    }
    out.show("Text3", numberToText(whole));
    out.show("Text4", numberToText(rest));
    out.show("Text5", std::string(denominator));
    out.working = improperWorking(numerator, denominator, n, d, whole, rest);
    return out;
}

Outcome mixedToImproper(std::string_view whole, std::string_view numerator, std::string_view denominator) {
    Outcome out;
    Calculation calc(true);
    std::string text;
    calc.step([&] {
        const double w = strictNumber(whole), d = strictNumber(denominator), n = strictNumber(numerator);
        if (d == 0) fail(FailureKind::DivisionByZero);
        text = numberToText(w * d + n);
    });
    if (calc.failed()) {
        calc.reportTo(out);
        return out;
    }
    out.show("Text10", text);
    out.show("Text9", std::string(denominator));
    out.working = mixedWorking(whole, numerator, denominator);
    return out;
}

namespace {

class FractionReductionWindow : public WindowModel {
public:
    using WindowModel::WindowModel;

protected:
    void onCalculate() override {
        const Outcome o = reduceFraction(text("Text1"), text("Text2"));
        apply(o);
        if (auto it = o.set.find("Text4"); it != o.set.end()) {
            const bool whole = it->second == "1";
            moveTo("Text3", {2160, whole ? 720 : 480, 1575, 360});
            setVisible("Text4", !whole);
            setVisible("Line2", !whole);
        }
    }
    std::string copyText() override { return std::string(text("Text3")) + "/" + std::string(text("Text4")); }
};

class FractionConversionWindow : public WindowModel {
public:
    using WindowModel::WindowModel;

protected:
    void onSelect(std::string_view name) override {
        const int mode = name == "Option1" ? 1 : name == "Option2" ? 2 : mode_;
        if (mode == mode_) return;
        mode_ = mode;
        for (const char* n : {"Text1", "Text2", "Text3", "Text4", "Text5", "Line1", "Line2", "Line3"})
            setVisible(n, mode == 1);
        for (const char* n : {"Text6", "Text7", "Text8", "Text9", "Text10", "Line4", "Line5", "Line6"})
            setVisible(n, mode == 2);
        onClear();
        requestFocus(mode == 1 ? "Text1" : "Text8");
    }

    void onCalculate() override {
        apply(mode_ == 1 ? improperToMixed(text("Text1"), text("Text2"))
                         : mixedToImproper(text("Text8"), text("Text7"), text("Text6")));
    }

    std::string copyPrimary() const override { return mode_ == 1 ? "Text4" : "Text10"; }
    std::string copyText() override {
        if (mode_ == 1)
            return std::string(text("Text3")) + "又" + std::string(text("Text4")) + "/" + std::string(text("Text5"));
        return std::string(text("Text10")) + "/" + std::string(text("Text9"));
    }

private:
    int mode_ = 1;
};

}  // namespace

std::unique_ptr<WindowModel> makeFractionReductionWindow() {
    WindowDecl d;
    d.form = "Form20";
    d.client = {0, 0, 3855, 2175};
    d.managesCopy = true;
    d.copyPrimary = "Text4";
    d.showsWorking = true;
    d.controls = {
        input("Text1", 6, FilterMode::Integer_All, "需要约分的分数的分子").place(120, 480, 1575, 360),
        input("Text2", 6, FilterMode::Integer_All, "需要约分的分数的分母").place(120, 1080, 1575, 360),
        label("Label3", "需要约分的分数:").place(120, 120, 1695, 255),
        bar("Line1", 120, 960, 1680, 960),
        bar("Line3", 1920, 120, 1920, 1440),
        label("Label4", "约分后的分数:").place(2280, 120, 1455, 255),
        output("Text3", "约分后的分子").place(2160, 480, 1575, 360),
        bar("Line2", 2160, 960, 3720, 960),
        output("Text4", "约分后的分母").place(2160, 1080, 1575, 360),
        button("Command1", "计算", ButtonRole::Calculate).place(240, 1680, 855, 375),
        button("Command2", "清空", ButtonRole::Clear).place(1500, 1680, 855, 375),
        button("Command3", "复制", ButtonRole::Copy).place(2760, 1680, 855, 375),
        // The result boxes' context-menu switches, never shown and always clear.
        check("Check1", "").hidden(),
        check("Check2", "").hidden(),
    };
    return std::make_unique<FractionReductionWindow>(std::move(d), WindowModel::Compute{},
                                                     Texts{{"Text1", ""}, {"Text2", ""}, {"Text3", ""}, {"Text4", ""}});
}

std::unique_ptr<WindowModel> makeFractionComparisonWindow() {
    WindowDecl d;
    d.form = "Form24";
    d.client = {0, 0, 2775, 1815};
    d.showsWorking = true;
    d.controls = {
        input("Text1", 6, FilterMode::Integer_All, "左边分数的分子").place(120, 120, 975, 360),
        input("Text2", 6, FilterMode::Integer_All, "左边分数的分母").place(120, 720, 975, 360),
        input("Text3", 6, FilterMode::Integer_All, "右边分数的分子").place(1680, 120, 975, 360),
        input("Text4", 6, FilterMode::Integer_All, "右边分数的分母").place(1680, 720, 975, 360),
        bar("Line1", 120, 600, 1080, 600),
        label("Label1", "=").strong().sized(15).place(1320, 480, 165, 300),
        bar("Line2", 1680, 600, 2640, 600),
        button("Command1", "计算", ButtonRole::Calculate).place(360, 1320, 855, 375),
        button("Command2", "清空", ButtonRole::Clear).place(1560, 1320, 855, 375),
    };
    return std::make_unique<WindowModel>(
        std::move(d),
        [](const Texts& t) { return compareFractions(t.at("Text1"), t.at("Text2"), t.at("Text3"), t.at("Text4")); },
        Texts{{"Text1", ""}, {"Text2", ""}, {"Text3", ""}, {"Text4", ""}, {"Label1", "="}});
}

std::unique_ptr<WindowModel> makeFractionConversionWindow() {
    WindowDecl d;
    d.form = "Form37";
    d.client = {0, 0, 3855, 2415};
    d.keyPreview = true;
    d.managesCopy = true;
    d.copyPrimary = "Text4";
    d.showsWorking = true;
    // The result boxes are outputs without a filter: they show what the
    // calculation wrote (1E-05 stays 1E-05).
    d.controls = {
        // Both captions need the same width; 1695 cuts the last character of the first.
        option("Option1", "假分数→带分数", "J", true).place(120, 120, 1815, 420),
        option("Option2", "带分数→假分数", "D").place(2040, 120, 1815, 420),
        input("Text1", 6, FilterMode::Numeric_Pos, "假分数的分子").place(360, 720, 975, 360),
        input("Text2", 6, FilterMode::Numeric_Pos, "假分数的分母").place(360, 1320, 975, 360),
        bar("Line1", 360, 1200, 1320, 1200),
        bar("Line2", 1560, 600, 1560, 1800),
        output("Text3", "带分数的整数部分").place(1800, 1000, 615, 360),
        output("Text4", "带分数的分子").place(2520, 720, 975, 360),
        bar("Line3", 2520, 1200, 3480, 1200),
        output("Text5", "带分数的分母").place(2520, 1320, 975, 360),
        input("Text8", 3, FilterMode::Numeric_Pos, "带分数的整数部分").place(360, 1005, 615, 360).hidden(),
        input("Text7", 6, FilterMode::Numeric_Pos, "带分数的分子").place(1080, 720, 975, 360).hidden(),
        input("Text6", 6, FilterMode::Numeric_Pos, "带分数的分母").place(1080, 1320, 975, 360).hidden(),
        bar("Line4", 1080, 1200, 2040, 1200).hidden(),
        bar("Line5", 2280, 600, 2280, 1800).hidden(),
        output("Text10", "假分数的分子").place(2520, 720, 975, 360).hidden(),
        bar("Line6", 2520, 1200, 3480, 1200).hidden(),
        output("Text9", "假分数的分母").place(2520, 1320, 975, 360).hidden(),
        button("Command1", "计算", ButtonRole::Calculate).place(240, 1920, 855, 375),
        button("Command2", "清空", ButtonRole::Clear).place(1500, 1920, 855, 375),
        button("Command3", "复制", ButtonRole::Copy).place(2760, 1920, 855, 375),
    };
    // Switches of Text3, Text4, Text5, Text9 and Text10, in this order; never shown, always clear.
    for (int i = 1; i <= 5; ++i) d.controls.push_back(check("Check" + std::to_string(i), "").hidden());
    Texts clear;
    for (int i = 1; i <= 10; ++i) clear["Text" + std::to_string(i)] = "";
    return std::make_unique<FractionConversionWindow>(std::move(d), WindowModel::Compute{}, std::move(clear));
}

}  // namespace kz
