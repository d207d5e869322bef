// Primality and divisors: the prime-or-composite tool and the proven
// primality test behind the factorizer.
#pragma once

#include <cstdint>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "tools/number/uint128.h"

namespace kz {

// Proven primality for every n below 2^127. Deterministic Miller-Rabin with
// the first prime bases where that is proven (below 3317044064679887385961981);
// above it a Pocklington (n - 1) or Lucas (n + 1) certificate from a partial
// factorization by this same factorizer.
bool isPrime(U128 n);
bool isPrime64(std::uint64_t n);

// All divisors of n >= 1, ascending, found in pairs (d, n / d) up to the square root.
std::vector<std::int64_t> divisors(std::int64_t n);

// The prime-or-composite identifier for n:
//   n <= 1: "不是质数也不是合数"; prime: "是质数,它的因数有:1  7";
//   composite: "是合数,它的因数有:1  2  3  6".
std::string primeCompositeText(std::int64_t n);
// The same for the text of the input box, read with the leading-number
// conversion. Throws NumFailure (Overflow) for values beyond 32 bits, which
// the input box cannot hold.
std::string primeCompositeTextOf(std::string_view boxText);

namespace detail {

// Interrupted work: thrown from deep inside, caught by the public entries.
struct Stopped {};

bool isPrime(U128 n, const std::stop_token& stop);

// Trial division by the primes below `limit` (at most 65536). Every prime
// factor found is appended with its multiplicity. `complete` is set when what
// is left is 1 or a prime (the divisor passed its square root).
struct TrialResult {
    U128 rest;
    bool complete;
};
TrialResult trialDivide(U128 n, std::uint32_t limit, std::vector<U128>& factors);

// The last step of a certificate with n -+ 1 = F * U (sign -1 / +1), every
// prime of U at least 65536: whether n = (xF + 1)(yF -+ 1) for some x, y.
// Only meaningful when few candidates remain (about n / (F^3 * 65536)).
bool splitsInTwo(U128 n, U128 F, int sign);

}  // namespace detail

}  // namespace kz
