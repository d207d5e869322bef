// Square linear systems in two and three unknowns (Form32, Form33), decided
// exactly: the typed coefficients are exact decimals, so the determinants
// are computed as integers and only the answers are rounded.
#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "framework/outcome.h"
#include "framework/windowmodel.h"

namespace kz {

inline constexpr std::string_view kInfinitelyManyText = "该方程组有无数组解";
inline constexpr std::string_view kNoSolutionText = "该方程组无解";
inline constexpr std::string_view kSystemTitle = "Zorvan";

enum class Solvability { Unique, InfinitelyMany, None };

struct SystemSolution {
    Solvability kind = Solvability::Unique;
    std::vector<float> values;  // Unique: the nearest single-precision value of each exact answer
};

// `texts` holds n equations, each its n coefficients then its right-hand
// side. Raises NumFailure: TypeMismatch when a text is not a number,
// Overflow when an answer lies beyond the single-precision range.
SystemSolution solveLinearSystem(std::span<const std::string_view> texts, std::size_t n);

// Form32: a1 Text1, b1 Text3, c1 Text5, a2 Text2, b2 Text4, c2 Text6; sets Label4 (x), Label5 (y).
Outcome solveTwoUnknowns(const Texts& t);
// Form33: rows Text8 Text9 Text11 Text13, Text7 Text10 Text12 Text14,
// Text15 Text16 Text17 Text18; sets Text20 (x), Text21 (y), Text22 (z).
Outcome solveThreeUnknowns(const Texts& t);

std::unique_ptr<WindowModel> makeTwoUnknownsWindow();    // Form32
std::unique_ptr<WindowModel> makeThreeUnknownsWindow();  // Form33

}  // namespace kz
