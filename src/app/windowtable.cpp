// The one table of windows with a model: kztool, the fuzzer and the
// program's window registry all read it. A window joins by one line here;
// opening it checks that the line's form is the one its model declares.
#include "app/search.h"
#include "explore/conjecturewindow.h"
#include "framework/windowmodel.h"
#include "tools/equation/linear.h"
#include "tools/equation/systems.h"
#include "tools/fraction/arithmetic.h"
#include "tools/fraction/conversion.h"
#include "tools/geometry/figures.h"
#include "tools/number/accumulator.h"
#include "tools/number/baseconv.h"
#include "tools/number/calculator.h"
#include "tools/number/dates.h"
#include "tools/number/deposit.h"
#include "tools/number/gcd.h"
#include "tools/number/primewindows.h"
#include "tools/number/remainder.h"
#include "tools/number/statistics.h"
#include "tools/wordproblem/wordproblems.h"

namespace kz {

std::span<const WindowType> windowTypes() {
    static const WindowType table[] = {
        {.form = "Form12", .make = makeGcdWindow},
        {.form = "Form13", .make = makeLcmWindow},
        {.form = "Form5", .make = makeCalculatorWindow},
        {.form = "Form8", .make = makePrimeJudgeWindow},
        {.form = "Form40", .make = makeFactorizationWindow},
        {.form = "Form11", .make = makeRemainderWindow},
        {.form = "Form6", .make = makeAccumulatorWindow},
        {.form = "Form14", .make = makeBaseConvWindow},
        {.form = "Form18", .make = makeDepositWindow},
        {.form = "Form28", .make = makeStatisticsWindow, .keepInstance = true},
        {.form = "Form41", .make = makeDateDiffWindow},
        {.form = "Form42", .make = makeLeapYearWindow},
        {.form = "Form3", .make = makeFractionArithmeticWindow},
        {.form = "Form20", .make = makeFractionReductionWindow},
        {.form = "Form24", .make = makeFractionComparisonWindow},
        {.form = "Form37", .make = makeFractionConversionWindow},
        {.form = "Form31", .make = makeLinearEquationWindow},
        {.form = "Form32", .make = makeTwoUnknownsWindow},
        {.form = "Form33", .make = makeThreeUnknownsWindow},
        {.form = "Form9", .make = makeAreaWindow},
        {.form = "Form10", .make = makePerimeterWindow},
        {.form = "Form16", .make = makeVolumeWindow},
        {.form = "Form17", .make = makeSurfaceWindow},
        {.form = "Form7", .make = makeChickensWindow},
        {.form = "Form19", .make = makeSumDifferenceWindow},
        {.form = "Form21", .make = makeSumMultipleWindow},
        {.form = "Form22", .make = makeDifferenceMultipleWindow},
        {.form = "Form23", .make = makeSurplusWindow},
        {.form = "Form39", .make = makeCowsWindow},
        {.form = "Form29", .make = makeTrainWindow},
        {.form = "Form30", .make = makeRiverWindow},
        {.form = "Form38", .make = makeSearchWindow, .owned = true},
        {.form = "Form43", .make = makeConjectureWindow},
    };
    return table;
}

}  // namespace kz
