// The one table of windows with a model: kztool, the fuzzer and the
// program's window registry all read it. A window joins by one line here.
#include "app/search.h"
#include "framework/windowmodel.h"
#include "tools/number/gcd.h"

namespace kz {

std::span<const WindowType> windowTypes() {
    static const WindowType table[] = {
        {makeGcdWindow},
        {makeLcmWindow},
        {makeSearchWindow},
    };
    return table;
}

}  // namespace kz
