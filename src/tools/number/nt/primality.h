// Proven primality for every n below 2^127.
#pragma once

#include <cstdint>
#include <stop_token>

#include "tools/number/nt/uint128.h"

namespace kz {

// Deterministic Miller-Rabin with the first prime bases where that is proven
// (below 3317044064679887385961981); above it a Pocklington (n - 1) or Lucas
// (n + 1) certificate from a partial factorization of n -+ 1.
bool isPrime(U128 n);
bool isPrime64(std::uint64_t n);

namespace nt {

// The same; throws Stopped when `stop` is requested during a certificate.
bool isPrime(U128 n, const std::stop_token& stop);

// The last step of a certificate with n -+ 1 = F * U (sign -1 / +1), every
// prime of U at least 65536: whether n = (xF + 1)(yF -+ 1) for some x, y.
// Only meaningful when few candidates remain (about n / (F^3 * 65536)).
bool splitsInTwo(U128 n, U128 F, int sign);

}  // namespace nt

}  // namespace kz
