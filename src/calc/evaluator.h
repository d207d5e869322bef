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
#include "calc/exprtree.h"
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

    // While on, each evaluation keeps its reading (the bar's working is
    // written from it); off by default, so plain evaluation pays nothing.
    void keepParse(bool on) { keepParse_ = on; }
    // The reading of the latest evaluation; complete only when it succeeded
    // and keeping was on.
    const ExprTree& lastParse() const { return parse_; }

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
    // Keeps one node of the reading and makes it the current one.
    void note(ExprNode::Kind kind, double value, std::int32_t left = -1, std::int32_t right = -1,
              std::string_view text = {});

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
    bool keepParse_ = false;
    ExprTree parse_;
    std::int32_t node_ = -1;  // the node of the value a level returned last
};

}  // namespace kz
