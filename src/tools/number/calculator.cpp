#include "tools/number/calculator.h"

#include <cmath>

#include "framework/numconv.h"
#include "tools/number/workingtext.h"

namespace kz {

namespace {

std::string opSign(char op) {
    switch (op) {
        case '+': return std::string(sign::kPlus);
        case '-': return std::string(sign::kMinus);
        case '*': return std::string(sign::kTimes);
        default: return std::string(sign::kDivide);
    }
}

// The display's "5." is the number 5 on the tape.
std::string withoutPoint(std::string shown) {
    if (!shown.empty() && shown.back() == '.') shown.pop_back();
    return shown;
}

// A number on the tape as the display showed it, unless the display grew
// too long for a line: then the value read, in fifteen digits.
std::string tapeNumber(const std::string& display, double value) {
    if (display.size() > 32) return numberToText(value);
    return withoutPoint(display);
}

}  // namespace

double PocketCalculator::displayValue() const { return finiteOrFail(leadingNumber(display_)); }

std::optional<Message> PocketCalculator::failAndClear(std::string_view text) {
    clear();
    return errorMessage(text);
}

std::optional<Message> PocketCalculator::clear() {
    if (!tape_.empty()) {
        tape_.clear();
        ++tapeRevision_;
    }
    display_ = "0";
    first_ = second_ = 0;
    pending_ = 0;
    newEntry_ = true;
    return std::nullopt;
}

std::optional<Message> PocketCalculator::digit(int d) {
    if (d < 0 || d > 9) return std::nullopt;
    const char c = static_cast<char>('0' + d);
    if (display_ == "0" || newEntry_) display_.assign(1, c);
    else display_ += c;
    newEntry_ = false;
    return std::nullopt;
}

std::optional<Message> PocketCalculator::point() {
    if (newEntry_) display_ = "0";
    if (display_.find('.') == std::string::npos) {
        display_ += '.';
        newEntry_ = false;
    }
    return std::nullopt;
}

std::optional<Message> PocketCalculator::operate(char op) {
    Calculation calc(true);
    calc.step([&] { first_ = displayValue(); });
    if (calc.failed()) return failAndClear(kFailureText);
    firstText_ = tapeNumber(display_, first_);
    pending_ = op;
    newEntry_ = true;
    return std::nullopt;
}

std::optional<Message> PocketCalculator::equals() {
    newEntry_ = true;
    if (pending_ == 0) return std::nullopt;
    Calculation calc(true);
    calc.step([&] { second_ = displayValue(); });
    if (calc.failed()) return failAndClear(kFailureText);
    if (pending_ == '/' && second_ == 0) return failAndClear(kDivisorZeroText);
    double r = 0;
    switch (pending_) {
        case '+': r = first_ + second_; break;
        case '-': r = first_ - second_; break;
        case '*': r = first_ * second_; break;
        default: r = first_ / second_; break;
    }
    // displayFormat refuses infinity and NaN: an overflow fails there.
    std::string shown;
    calc.step([&] { shown = displayFormat(r); });
    if (calc.failed()) return failAndClear(kFailureText);
    record(firstText_ + opSign(pending_) + operand(tapeNumber(display_, second_)) + std::string(sign::kEquals) +
           withoutPoint(shown));
    display_ = std::move(shown);
    first_ = second_ = 0;
    pending_ = 0;
    return std::nullopt;
}

std::optional<Message> PocketCalculator::negate() {
    Calculation calc(true);
    double v = 0;
    calc.step([&] { v = displayValue(); });
    if (calc.failed()) return failAndClear(kFailureText);
    display_ = numberToText(-v);
    record(numberToText(v) + "的相反数是" + display_);
    return std::nullopt;
}

void PocketCalculator::record(std::string line) {
    tape_.push_back(std::move(line));
    if (tape_.size() > kTapeLines) tape_.pop_front();
    ++tapeRevision_;
}

Working PocketCalculator::tape() const {
    Working w;
    for (const std::string& line : tape_) w.line(line);
    return w;
}

namespace {

constexpr int kCol[] = {120, 840, 1560, 2280};
constexpr int kRow[] = {1200, 1800, 2400, 3000, 3600};
constexpr int kButtonW = 615, kButtonH = 495;

ControlDecl cell(const ControlDecl& c, int row, int col, int height = kButtonH) {
    return c.place(kCol[col], kRow[row], kButtonW, height);
}

class CalculatorWindow : public WindowModel {
public:
    explicit CalculatorWindow(WindowDecl d) : WindowModel(std::move(d)) {}

protected:
    void onLoad() override {
        show(calc_.clear());
        requestFocus("cmdEqual");
    }

    void onPress(std::string_view name) override {
        // A clicked button would otherwise keep the focus and take the next Enter.
        requestFocus("cmdEqual");
        if (name.starts_with("cmdNum(") && name.size() == 9) show(calc_.digit(name[7] - '0'));
        else if (name == "cmdPoint") show(calc_.point());
        else if (name == "cmdAdd") show(calc_.operate('+'));
        else if (name == "cmdMinus") show(calc_.operate('-'));
        else if (name == "cmdMul") show(calc_.operate('*'));
        else if (name == "cmdDivide") show(calc_.operate('/'));
        else if (name == "cmdEqual") show(calc_.equals());
        else if (name == "cmdOpposite") show(calc_.negate());
        else if (name == "cmdCls") show(calc_.clear());
        else if (name == "Command1") clipboard(std::string(text("Text1")));
    }

    bool onKey(std::string_view k) override {
        // Whatever was clicked last, Enter must mean "＝" after any key.
        requestFocus("cmdEqual");
        if (k == "Esc") return act("cmdCls");
        if (k == "KP+") return act("cmdAdd");
        if (k == "KP-") return act("cmdMinus");
        if (k == "KP*") return act("cmdMul");
        if (k == "KP/") return act("cmdDivide");
        if (k.size() != 1) return false;  // Enter reaches cmdEqual as the default button
        const char c = k[0];
        if (c >= '0' && c <= '9') return act("cmdNum(" + std::string(1, c) + ")");
        switch (c) {
            case '+': return act("cmdAdd");
            case '-': return act("cmdMinus");
            case '*': return act("cmdMul");
            case '/': return act("cmdDivide");
            case '.': return act("cmdPoint");
            case '=': return act("cmdEqual");
            default: return false;
        }
    }

private:
    bool act(std::string_view button) {
        onPress(button);
        return true;
    }

    void show(const std::optional<Message>& m) {
        if (m) message(*m);
        setText("Text1", calc_.display());
        if (calc_.tapeRevision() != tapeShown_) {
            tapeShown_ = calc_.tapeRevision();
            setWorking(calc_.tape());
        }
    }

    unsigned tapeShown_ = 0;

    PocketCalculator calc_;
};

}  // namespace

std::unique_ptr<WindowModel> makeCalculatorWindow() {
    WindowDecl d;
    d.form = "Form5";
    d.keyPreview = true;
    d.client = {0, 0, kCol[3] + kButtonW + 120, kRow[4] + kButtonH + 120};
    // Digits, operators, point and ＝ in 14.25 points; the three commands in the usual 10.5.
    auto big = [](std::string name, std::string caption) {
        return button(std::move(name), std::move(caption)).sized(14.25);
    };
    auto num = [&](int n) { return big("cmdNum(" + std::to_string(n) + ")", std::to_string(n)); };
    d.controls = {
        output("Text1", "显示").sized(15).place(120, 120, 2775, 855),
        cell(button("cmdOpposite", "+/-"), 0, 0),
        cell(button("cmdCls", "清屏"), 0, 1),
        cell(button("Command1", "复制"), 0, 2),
        cell(big("cmdDivide", "÷"), 0, 3),
        cell(num(7), 1, 0),
        cell(num(8), 1, 1),
        cell(num(9), 1, 2),
        cell(big("cmdMul", "×"), 1, 3),
        cell(num(4), 2, 0),
        cell(num(5), 2, 1),
        cell(num(6), 2, 2),
        cell(big("cmdMinus", "－"), 2, 3),
        cell(num(1), 3, 0),
        cell(num(2), 3, 1),
        cell(num(3), 3, 2),
        cell(big("cmdAdd", "＋"), 3, 3, 1095),
        cell(num(0), 4, 0),
        cell(big("cmdPoint", "."), 4, 1),
        cell(big("cmdEqual", "＝").defaultButton(), 4, 2),
    };
    d.controls.front().text = "0";
    d.showsWorking = true;
    return std::make_unique<CalculatorWindow>(std::move(d));
}

}  // namespace kz
