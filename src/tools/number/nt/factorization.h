// Exact prime factorization of whole numbers up to 25 digits (and correct,
// if slower, up to 2^127): trial division, then splitting, every reported
// prime proven; and the divisors of a word.
#pragma once

#include <cstdint>
#include <optional>
#include <stop_token>
#include <vector>

#include "tools/number/nt/uint128.h"

namespace kz {

// Prime factors of n (n < 2^127) in ascending order, with multiplicity;
// empty for 0 and 1. nullopt when `stop` was requested before the end.
std::optional<std::vector<U128>> factorize(U128 n, std::stop_token stop = {});

// All divisors of n >= 1, ascending, found in pairs (d, n / d) up to the square root.
std::vector<std::int64_t> divisors(std::int64_t n);

}  // namespace kz
