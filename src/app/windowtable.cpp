// The one table of windows with a model: kztool, the fuzzer and the
// program's window registry all read it. A window joins by one line here.
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
        {makeGcdWindow},
        {makeLcmWindow},
        {makeCalculatorWindow},
        {makePrimeJudgeWindow},
        {makeFactorizationWindow},
        {makeRemainderWindow},
        {makeAccumulatorWindow},
        {makeBaseConvWindow},
        {makeDepositWindow},
        {makeStatisticsWindow},
        {makeDateDiffWindow},
        {makeLeapYearWindow},
        {makeFractionArithmeticWindow},
        {makeFractionReductionWindow},
        {makeFractionComparisonWindow},
        {makeFractionConversionWindow},
        {makeLinearEquationWindow},
        {makeTwoUnknownsWindow},
        {makeThreeUnknownsWindow},
        {makeAreaWindow},
        {makePerimeterWindow},
        {makeVolumeWindow},
        {makeSurfaceWindow},
        {makeChickensWindow},
        {makeSumDifferenceWindow},
        {makeSumMultipleWindow},
        {makeDifferenceMultipleWindow},
        {makeSurplusWindow},
        {makeCowsWindow},
        {makeTrainWindow},
        {makeRiverWindow},
        {makeSearchWindow},
        {makeConjectureWindow},
    };
    return table;
}

}  // namespace kz
