// Pollard-Brent rho and the elliptic curve method (Montgomery curves, two
// stages) on a Montgomery modulus: each returns a proper factor or 0.
// Instantiated for Mont64 and Mont128.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stop_token>

#include "tools/number/nt/montgomery.h"

namespace kz::nt {

// Rho with x^2 + c0 for at most maxSteps steps; 0 when it found nothing.
template <class M>
U128 rhoBrent(const M& m, std::uint64_t c0, std::uint64_t maxSteps);

// ECM's effort levels, escalating: level 0 suits factors of about 9 digits,
// level 4 factors of 12-13 digits.
inline constexpr std::size_t kEcmLevels = 8;

// One curve at each level below firstLevel, parameters from sigma on (sigma
// is advanced past them); 0 when none found a factor. Throws Stopped.
template <class M>
U128 ecmCheap(const M& m, std::size_t firstLevel, std::uint64_t& sigma, const std::stop_token& stop);

// Curves from the level firstLevel up until one finds a factor (the last
// level repeats). Throws Stopped when stop is requested.
template <class M>
U128 ecm(const M& m, std::size_t firstLevel, const std::stop_token& stop);

}  // namespace kz::nt
