// The equation k·x + b = c in one unknown (Form31).
#pragma once

#include <memory>
#include <string_view>

#include "framework/outcome.h"
#include "framework/windowmodel.h"

namespace kz {

// Sets Text19 to (c − b) / k. Any box that cannot be read, or k = 0, is one
// failure and sets nothing.
Outcome solveLinearEquation(std::string_view k, std::string_view b, std::string_view c);

// 解方程 by moving b and dividing by k, then 检验 with the exact value;
// shown is the window's answer, which follows "≈" where it is rounded.
// Empty where a text is not a number or k is 0.
Working linearWorking(std::string_view k, std::string_view b, std::string_view c, std::string_view shown);

std::unique_ptr<WindowModel> makeLinearEquationWindow();  // Form31

}  // namespace kz
