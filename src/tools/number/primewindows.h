// The prime-or-composite identifier and the prime factorization windows.
#pragma once

#include <memory>
#include <optional>
#include <stop_token>
#include <string_view>

#include "framework/outcome.h"
#include "framework/windowmodel.h"

namespace kz {

// Form8: the verdict and divisor list of Text1 into Text2.
Outcome primeJudgeCalculate(std::string_view text1);

// Form40: the factorization of Text1 into Text2, exact for every admitted
// input, and its working: the short division by the factors found. Empty
// when `stop` was requested before the end.
Outcome factorizeCalculate(std::string_view text1, std::stop_token stop = {});

std::unique_ptr<WindowModel> makePrimeJudgeWindow();      // Form8
std::unique_ptr<WindowModel> makeFactorizationWindow();   // Form40

}  // namespace kz
