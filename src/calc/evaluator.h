// The expression evaluator behind the calculation bar: recursive descent that
// computes while it parses, in double arithmetic.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calc/constants.h"
#include "calc/tokenizer.h"
#include "framework/numconv.h"
#include "framework/outcome.h"

namespace kz {

inline constexpr std::string_view kOverflowText = "发生错误：计算溢出";
inline constexpr std::string_view kDivisionByZeroText = "发生错误：除数为零";
inline constexpr std::string_view kGeneralErrorText = kFailureText;
// Between an error text and the answer box's previous text.
inline constexpr std::string_view kAnswerLineBreak = "\r\n";

// The error text shown for a failure of the given kind.
std::string_view errorText(FailureKind kind);

class Evaluator {
public:
    // Nesting deeper than this (parentheses, powers, implicit products)
    // is an error instead of a stack overflow.
    static constexpr int kMaxDepth = 1000;

    explicit Evaluator(ConstantsLocator constants = {});

    // Computes one entry and returns the new answer-box text: the result, or
    // the error text, a line break and previousAnswerBoxText. Never throws.
    std::string evaluate(std::string_view entry, std::string_view previousAnswerBoxText);

    // Computes one entry as evaluate() does and returns only the first line
    // of the new answer-box text: the result or the error text. Valid until
    // the next evaluation. Never throws.
    std::string_view evaluateFirstLine(std::string_view entry);

    // The previous successful result as it was displayed; 0 at start.
    double ans() const { return ans_; }

    // User variables in order of creation.
    const std::vector<std::pair<std::string, double>>& variables() const { return variables_; }
    void clearVariables() { variables_.clear(); }

private:
    void raise(FailureKind kind);
    double sumLevel();
    double productLevel();
    double factor();
    double prefixedFactor();
    double primary();
    double named();
    double postfix(double v);
    double postfixStep(double v);
    double random();
    std::optional<double> constant(std::string_view name);
    std::pair<std::string, double>* variable(std::string_view name);

    Scanner scanner_;
    NumberText result_;  // the text of the latest successful result
    ConstantsLocator locator_;
    ConstantsFile constants_;  // read at most once per evaluation, when a name needs it
    bool constantsRead_ = false;
    std::vector<std::pair<std::string, double>> variables_;
    std::mt19937_64 random_;
    double ans_ = 0;
    int depth_ = 0;
    bool error_ = false;
    bool help_ = false;
    bool assigned_ = false;
    FailureKind errorKind_ = FailureKind::Invalid;
};

}  // namespace kz
