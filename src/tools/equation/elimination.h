// The working of a linear system by addition–subtraction elimination
// (加减消元法), as the textbook writes it: the equations numbered, each derived
// equation with how it came, the unknowns solved one by one and substituted
// back, the solution, and its 检验.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "framework/working.h"
#include "tools/equation/systems.h"

namespace kz {

// `texts` as for solveLinearSystem: n equations, each its n coefficients and
// its right-hand side. `verdict` is what the window decided and `shown` its
// answers (x, y, z) where it found one. The elimination decides the same
// from the exact values; the working is empty where a text is not a number
// or, which never should happen, the two decisions differ.
Working eliminationWorking(std::span<const std::string_view> texts, std::size_t n, Solvability verdict,
                           std::span<const std::string> shown);

}  // namespace kz
