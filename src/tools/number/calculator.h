// The pocket calculator: a display, one pending operation, digit and
// operator keys. Nothing is chained: an operator replaces the pending one.
#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "framework/outcome.h"
#include "framework/windowmodel.h"

namespace kz {

inline constexpr std::string_view kDivisorZeroText = "除数不能为零！";

class PocketCalculator {
public:
    PocketCalculator() { clear(); }

    const std::string& display() const { return display_; }
    bool newEntry() const { return newEntry_; }
    char pending() const { return pending_; }  // '+', '-', '*', '/' or 0

    // Each action returns the message to show, if any. An action that fails
    // has already cleared the calculator, as the division by zero does.
    std::optional<Message> digit(int d);
    std::optional<Message> point();
    std::optional<Message> operate(char op);
    std::optional<Message> equals();
    std::optional<Message> negate();
    std::optional<Message> clear();

    // The tape since the last clear: one line per result, the last few hundred.
    Working tape() const;
    unsigned tapeRevision() const { return tapeRevision_; }
    static constexpr std::size_t kTapeLines = 300;

private:
    // The display read back as a number; beyond the double range it fails.
    double displayValue() const;
    std::optional<Message> failAndClear(std::string_view text);
    void record(std::string line);

    std::string display_;
    double first_ = 0;
    double second_ = 0;
    char pending_ = 0;
    bool newEntry_ = true;
    std::string firstText_;  // the first operand as the tape writes it
    std::deque<std::string> tape_;
    unsigned tapeRevision_ = 0;
};

std::unique_ptr<WindowModel> makeCalculatorWindow();  // Form5

}  // namespace kz
