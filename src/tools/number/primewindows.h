// The prime-or-composite identifier and the prime factorization windows.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>

#include "framework/outcome.h"
#include "framework/windowmodel.h"

namespace kz {

// Form8's verdict for n:
//   n <= 1: "不是质数也不是合数"; prime: "是质数,它的因数有:1  7";
//   composite: "是合数,它的因数有:1  2  3  6".
std::string primeCompositeText(std::int64_t n);
// The same for the text of the input box, read with the leading-number
// conversion. Throws NumFailure (Overflow) for values beyond 32 bits, which
// the input box cannot hold.
std::string primeCompositeTextOf(std::string_view boxText);

// Form8: the verdict and divisor list of Text1 into Text2.
Outcome primeJudgeCalculate(std::string_view text1);

// Form40: the factorization of Text1 into Text2, exact for every admitted
// input, and its working: the short division by the factors found. Empty
// when `stop` was requested before the end.
Outcome factorizeCalculate(std::string_view text1, std::stop_token stop = {});

std::unique_ptr<WindowModel> makePrimeJudgeWindow();     // Form8
std::unique_ptr<WindowModel> makeFactorizationWindow();  // Form40

}  // namespace kz
