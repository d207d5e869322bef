// The one table of windows with a model: kztool, the fuzzer and the
// program's window registry all read it. A window joins by one line here.
#include "framework/windowmodel.h"
#include "tools/number/baseconv.h"
#include "tools/number/dates.h"
#include "tools/number/deposit.h"
#include "tools/number/gcd.h"
#include "tools/number/statistics.h"

namespace kz {

std::span<const WindowType> windowTypes() {
    static const WindowType table[] = {
        {makeGcdWindow},
        {makeLcmWindow},
        {makeBaseConvWindow},
        {makeDepositWindow},
        {makeStatisticsWindow},
        {makeDateDiffWindow},
        {makeLeapYearWindow},
    };
    return table;
}

}  // namespace kz
