// The factorization box: what it admits, how it reads its text and what it
// shows for the number.
#pragma once

#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "tools/number/nt/factorization.h"
#include "tools/number/nt/uint128.h"

namespace kz {

// Largest number the factorization box admits: 25 nines.
U128 maxFactorInput();

// Reads the text of the factorization box exactly as the integer typed:
// a digit run (blanks anywhere and one sign allowed) is read digit for digit;
// any other text keeps the leading-number meaning. nullopt for 0, negative
// and fractional values (the result stays empty). Throws NumFailure
// (Overflow) above maxFactorInput().
std::optional<U128> readFactorInput(std::string_view boxText);

// The factorization box's output for n: "" for 0, "它既不是质数，也不是合数"
// for 1, "这是一个质数" for a prime, else the factors ascending joined by "*".
std::string factorizationText(U128 n);
// The same text from n's factor list (empty for 1), for a window that has the list already.
std::string factorsText(const std::vector<U128>& factors);
// The same for the box text; nullopt when stopped. Throws NumFailure as
// readFactorInput does.
std::optional<std::string> factorizationTextOf(std::string_view boxText, std::stop_token stop = {});

}  // namespace kz
