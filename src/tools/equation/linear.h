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

std::unique_ptr<WindowModel> makeLinearEquationWindow();  // Form31

}  // namespace kz
