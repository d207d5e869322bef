// The small primes, from one sieve that every user shares: the trial
// division of the factorizer, the factor base of the quadratic sieve, the
// stage bounds of ECM and the conjecture explorer's searches.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "tools/number/nt/uint128.h"

namespace kz::nt {

// The sieve covers every number below this (the explorer searches below
// one million, ECM's largest stage 2 reaches about half a million).
inline constexpr std::uint32_t kSmallPrimeLimit = 1u << 20;

// Whether n < kSmallPrimeLimit is prime.
bool isSmallPrime(std::uint32_t n);
// The primes below limit (at most kSmallPrimeLimit), ascending from 2.
std::span<const std::uint32_t> primesBelow(std::uint32_t limit);
// Sieves the whole range now (it is otherwise sieved on first use).
void prepareSmallPrimes();

// An odd prime below 65536 with what a divisibility test by multiplication
// needs: x is a multiple of p exactly when x * p^-1 (mod 2^64) <= (2^64 - 1) / p.
// Wider numbers are first folded below 2^50 with the residues of 2^32, 2^64, 2^96.
struct TrialPrime {
    std::uint64_t inv;
    std::uint64_t lim;
    std::uint32_t p, c32, c64, c96;
};
// The odd primes below 65536, ascending.
std::span<const TrialPrime> trialPrimes();

// A number below 2^50 congruent to x modulo p.
inline std::uint64_t fold(const TrialPrime& tp, U128 x) {
    return (x.lo & 0xffffffffu) + (x.lo >> 32) * tp.c32 + (x.hi & 0xffffffffu) * tp.c64 + (x.hi >> 32) * tp.c96;
}
inline bool divides(const TrialPrime& tp, U128 x) {
    std::uint64_t s = x.hi ? fold(tp, x) : x.lo;
    return s * tp.inv <= tp.lim;
}

// Trial division by the primes below `limit` (at most 65536). Every prime
// factor found is appended with its multiplicity. `complete` is set when what
// is left is 1 or a prime (the divisor passed its square root).
struct TrialResult {
    U128 rest;
    bool complete;
};
TrialResult trialDivide(U128 n, std::uint32_t limit, std::vector<U128>& factors);

}  // namespace kz::nt
