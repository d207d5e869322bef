// The one table of windows with a model: kztool, the fuzzer and the
// program's window registry all read it. A window joins by one line here.
#include "framework/windowmodel.h"
#include "tools/geometry/figures.h"
#include "tools/number/gcd.h"
#include "tools/wordproblem/wordproblems.h"

namespace kz {

std::span<const WindowType> windowTypes() {
    static const WindowType table[] = {
        {makeGcdWindow},
        {makeLcmWindow},
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
    };
    return table;
}

}  // namespace kz
