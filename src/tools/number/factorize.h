// Exact prime factorization of whole numbers up to 25 digits (and correct,
// if slower, up to 2^127): trial division, Pollard-Brent rho and the elliptic
// curve method, every reported prime proven.
#pragma once

#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "tools/number/uint128.h"

namespace kz {

// Largest number the factorization box admits: 25 nines.
U128 maxFactorInput();

// Prime factors of n (n < 2^127) in ascending order, with multiplicity;
// empty for 0 and 1. nullopt when `stop` was requested before the end.
std::optional<std::vector<U128>> factorize(U128 n, std::stop_token stop = {});

// Reads the text of the factorization box exactly as the integer typed:
// a digit run (blanks anywhere and one sign allowed) is read digit for digit;
// any other text keeps the leading-number meaning. nullopt for 0, negative
// and fractional values (the result stays empty). Throws NumFailure
// (Overflow) above maxFactorInput().
std::optional<U128> readFactorInput(std::string_view boxText);

// The factorization box's output for n: "" for 0, "它既不是质数，也不是合数"
// for 1, "这是一个质数" for a prime, else the factors ascending joined by "*".
std::string factorizationText(U128 n);
// The same for the box text; nullopt when stopped. Throws NumFailure as
// readFactorInput does.
std::optional<std::string> factorizationTextOf(std::string_view boxText, std::stop_token stop = {});

namespace detail {
// A proper factor of an odd composite n whose prime factors all exceed 2^10.
U128 findFactor(U128 n, const std::stop_token& stop);
}  // namespace detail

}  // namespace kz
