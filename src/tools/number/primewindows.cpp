#include "tools/number/primewindows.h"

#include <vector>

#include "framework/numconv.h"
#include "tools/number/factorize.h"
#include "tools/number/nt/factorization.h"

namespace kz {

std::string primeCompositeText(std::int64_t n) {
    if (n <= 1) return "不是质数也不是合数";
    std::vector<std::int64_t> ds = divisors(n);
    std::string text = ds.size() == 2 ? "是质数" : "是合数";
    text += ",它的因数有:1  ";
    for (std::size_t i = 1; i + 1 < ds.size(); ++i) text += numberToText(ds[i]) + "  ";
    return text + numberToText(n);
}

std::string primeCompositeTextOf(std::string_view boxText) {
    double v = leadingNumber(boxText);
    if (v <= 1) return primeCompositeText(0);
    return primeCompositeText(toInt32(v));
}

Outcome primeJudgeCalculate(std::string_view text1) {
    Outcome out;
    Calculation calc(true);
    std::string verdict;
    calc.step([&] { verdict = primeCompositeTextOf(text1); });
    // No half-written verdict: a failure leaves the box empty under its message.
    out.show("Text2", verdict);
    calc.reportTo(out);
    return out;
}

Outcome factorizeCalculate(std::string_view text1, std::stop_token stop) {
    Outcome out;
    Calculation calc(true);
    std::optional<std::string> result;
    calc.step([&] { result = factorizationTextOf(text1, stop); });
    if (calc.failed()) {
        out.show("Text2", "");
        calc.reportTo(out);
    } else if (result) {
        out.show("Text2", *result);
    }
    return out;
}

namespace {

// The factorizer can take longer than a frame on a 25-digit input, so it
// runs as a job; the answer is shown only if it still belongs to the box.
class FactorizationWindow : public WindowModel {
public:
    using WindowModel::WindowModel;

protected:
    void onLoad() override { requestFocus("Text1"); }

    void onCalculate() override {
        setText("Text2", "");
        jobInput_ = std::string(text("Text1"));
        startJob([input = jobInput_](std::stop_token stop) { return factorizeCalculate(input, stop); });
    }

    void onJobDone(const Outcome& outcome) override {
        // Typed over or cleared meanwhile: the answer is for a number no longer shown.
        if (text("Text1") != jobInput_) return;
        apply(outcome);
    }

private:
    std::string jobInput_;
};

}  // namespace

std::unique_ptr<WindowModel> makePrimeJudgeWindow() {
    WindowDecl d;
    d.form = "Form8";
    d.controls = {label("Label1", "请输入一个自然数").inRow(0), input("Text1", 7, FilterMode::Integer_All).inRow(0),
                  multiLineOutput("Text2", "判断结果").inRow(1)};
    for (auto& b : buttonRow(2, "判断")) d.controls.push_back(b);
    d.copyPrimary = "Text2";
    return std::make_unique<WindowModel>(
        std::move(d), [](const Texts& t) { return primeJudgeCalculate(t.at("Text1")); },
        Texts{{"Text1", ""}, {"Text2", ""}});
}

std::unique_ptr<WindowModel> makeFactorizationWindow() {
    WindowDecl d;
    d.form = "Form40";
    // The prompt sits above the box so that all 25 digits show at once.
    d.controls = {label("Label1", "请输入一个正整数：").inRow(0), input("Text1", 25, FilterMode::Integer_All).inRow(1),
                  multiLineOutput("Text2", "分解结果").inRow(2)};
    for (auto& b : buttonRow(3)) d.controls.push_back(b);
    d.copyPrimary = "Text2";
    return std::make_unique<FactorizationWindow>(std::move(d), WindowModel::Compute{},
                                                 Texts{{"Text1", ""}, {"Text2", ""}});
}

}  // namespace kz
