// The line-by-line driver behind kzcalc, kept apart from main() so it can be
// tested in-process.
#pragma once

#include <iosfwd>

#include "calc/evaluator.h"

namespace kz {

// Evaluates each line of `in` (a trailing CR is dropped) as the calculation
// bar would, and writes the first line of the resulting answer-box text to
// `out`, one line out per line in. Answers are written in batches while more
// input is waiting, and all of them before waiting for more input.
// With `working`, each answer is followed by its working (递等式), one
// "working: LINE" per line, line ends and backslashes escaped as kztool does.
void runCalcDriver(std::istream& in, std::ostream& out, Evaluator& evaluator, bool working = false);

}  // namespace kz
