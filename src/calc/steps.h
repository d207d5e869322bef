// The working (递等式) of an entry of the calculation bar, written from the
// evaluator's own reading of it (Evaluator::keepParse):
//
//   25×4＋36÷6        the entry in the exercise book's signs
//   ＝100＋6          each line computes, in every pair of parentheses on
//   ＝106             its own, all ready operations of the tightest kind
//                     (then the leftmost ＋ or － once no ×, ÷, power,
//                     function or factorial is left), from the values the
//                     evaluator computed; the last line is the bar's answer.
//
// Names (ans, variables, constants) get their values in a line of their own
// first. A value goes into a line only when its number text reads back as
// exactly that value (no exponent form either); otherwise the operation that
// made it stays written until the next one uses it, so every "＝" joins
// equal values.
#pragma once

#include "calc/evaluator.h"
#include "calc/exprtree.h"
#include "framework/working.h"

namespace kz {

// The working of a reading; empty when the reading is not complete (the
// entry failed, or was too long to keep).
Working calcWorking(const ExprTree& parse);

// The working of the evaluator's latest evaluation (empty unless it kept
// its reading).
inline Working calcWorking(const Evaluator& evaluator) { return calcWorking(evaluator.lastParse()); }

}  // namespace kz
