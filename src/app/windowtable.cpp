// The one table of windows with a model: kztool, the fuzzer and the
// program's window registry all read it. A window joins by one line here.
#include "framework/windowmodel.h"
#include "tools/equation/linear.h"
#include "tools/equation/systems.h"
#include "tools/fraction/arithmetic.h"
#include "tools/fraction/conversion.h"
#include "tools/number/gcd.h"

namespace kz {

std::span<const WindowType> windowTypes() {
    static const WindowType table[] = {
        {makeGcdWindow},
        {makeLcmWindow},
        {makeFractionArithmeticWindow},
        {makeFractionReductionWindow},
        {makeFractionComparisonWindow},
        {makeFractionConversionWindow},
        {makeLinearEquationWindow},
        {makeTwoUnknownsWindow},
        {makeThreeUnknownsWindow},
    };
    return table;
}

}  // namespace kz
