// Simple interest on a fixed-term deposit at the rates of 23 December 2008.
#pragma once

#include <memory>
#include <span>
#include <string_view>

#include "framework/outcome.h"
#include "framework/windowmodel.h"

namespace kz {

struct DepositTerm {
    std::string_view entry;  // the Combo1 entry
    double years;
    double rate;  // per year
};

std::span<const DepositTerm> depositTerms();

// Interest on Text1 for the term of the Combo1 entry: sets Text2. No entry: nothing.
Outcome depositInterest(std::string_view principal, std::string_view termEntry);

std::unique_ptr<WindowModel> makeDepositWindow();  // Form18

}  // namespace kz
