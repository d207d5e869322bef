#include "tools/number/primewindows.h"

#include <vector>

#include "framework/numconv.h"
#include "tools/number/factorize.h"
#include "tools/number/nt/factorization.h"
#include "tools/number/nt/primality.h"
#include "tools/number/workingtext.h"

namespace kz {

namespace {

std::string decimal(std::int64_t v) { return numberToText(v); }

// Why n is prime or composite: the smallest divisor, or every prime up to
// the square root tried in vain.
Working primeJudgeWorking(double value) {
    const std::string shown = numberToText(value);
    if (value < 2) {
        if (value < 0) return Working().line(shown + "是负数，既不是质数，也不是合数");
        return Working().line(shown + "既不是质数，也不是合数");
    }
    const std::int64_t n = toInt32(value);
    const std::string ns = decimal(n);
    std::vector<std::string> tried;
    std::int64_t p = 2;
    for (; p * p <= n; ++p) {
        if (!isPrime64(static_cast<std::uint64_t>(p))) continue;
        if (n % p == 0)
            return Working().line(ns + std::string(sign::kEquals) + decimal(p) + std::string(sign::kTimes) +
                                  decimal(n / p) + "，" + ns + "除了1和它本身还有别的因数，所以" + ns + "是合数");
        tried.push_back(decimal(p));
    }
    Working w;
    if (tried.empty()) {
        w.line(ns + "除了1和它本身没有别的因数");
    } else {
        while (!isPrime64(static_cast<std::uint64_t>(p))) ++p;  // the first prime past the square root
        w.line("用质数" + shortList(tried) + "依次去除" + ns + "，都不能整除，而" + decimal(p) +
               std::string(sign::kTimes) + decimal(p) + "＞" + ns);
    }
    return w.line("所以" + ns + "是质数");
}

// The short division by the factors the factorizer found, smallest first,
// each quotient by exact division, until the quotient is prime.
Working factorizationWorking(const U128& n, const std::vector<U128>& factors) {
    const std::string ns = toDecimal(n);
    if (factors.size() < 2) return Working().line(ns + (factors.empty() ? "既不是质数，也不是合数" : "是质数"));
    std::vector<LadderRow> rows;
    std::vector<std::string> product;
    rows.reserve(factors.size());
    product.reserve(factors.size());
    U128 rest = n;
    for (std::size_t i = 0; i + 1 < factors.size(); ++i) {
        rows.push_back({toDecimal(factors[i]), {toDecimal(rest)}, std::nullopt});
        rest = rest / factors[i];
    }
    for (const U128& f : factors) product.push_back(toDecimal(f));
    return Working()
        .ladder(std::move(rows), {toDecimal(rest)})
        .line(ns + std::string(sign::kEquals) + joinedBy(product, sign::kTimes));
}

// The verdict with its reason; a failed verdict has none.
Outcome primeJudgeWithWorking(std::string_view text1) {
    Outcome out = primeJudgeCalculate(text1);
    if (!out.failed) {
        Calculation calc(true);
        calc.step([&] { out.working = primeJudgeWorking(leadingNumber(text1)); });
    }
    return out;
}

}  // namespace

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
    std::optional<U128> n;
    calc.step([&] { n = readFactorInput(text1); });
    if (calc.failed()) {
        out.show("Text2", "");
        calc.reportTo(out);
        return out;
    }
    if (!n) {
        out.show("Text2", "");  // 0, negative or not whole: no result and nothing to show for it
        return out;
    }
    // One factorization serves the box and the working.
    const std::optional<std::vector<U128>> factors = factorize(*n, stop);
    if (!factors) return out;
    out.show("Text2", factorsText(*factors));
    out.working = factorizationWorking(*n, *factors);
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
    d.showsWorking = true;
    return std::make_unique<WindowModel>(
        std::move(d), [](const Texts& t) { return primeJudgeWithWorking(t.at("Text1")); },
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
    d.showsWorking = true;
    return std::make_unique<FactorizationWindow>(std::move(d), WindowModel::Compute{},
                                                 Texts{{"Text1", ""}, {"Text2", ""}});
}

}  // namespace kz
