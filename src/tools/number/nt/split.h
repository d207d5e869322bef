// Splitting a composite: a proper factor by the cheapest method for its size
// (exact roots, rho, ECM, the quadratic sieve).
#pragma once

#include <stop_token>

#include "tools/number/nt/uint128.h"

namespace kz::nt {

// A proper factor of an odd composite n < 2^127 whose prime factors all
// exceed 2^10. Throws Stopped when `stop` is requested.
U128 findFactor(U128 n, const std::stop_token& stop);

}  // namespace kz::nt
