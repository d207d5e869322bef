// Self-initialising quadratic sieve for composites of about 60 to 90 bits
// with no small factor: at two 12-13-digit factors it beats ECM, whose cost
// grows with the smallest factor while the sieve's grows only with n.
#pragma once

#include <stop_token>

#include "tools/number/nt/uint128.h"

namespace kz::nt {

// Largest n the sieve takes (its polynomial values must fit one word).
constexpr int kSiqsMaxBits = 90;

// A proper factor of the odd composite n (not a perfect power, below
// 2^kSiqsMaxBits), or 0 when the sieve gave up (the caller falls back to
// another method). Throws Stopped when `stop` is requested.
U128 siqsFactor(U128 n, const std::stop_token& stop);

}  // namespace kz::nt
