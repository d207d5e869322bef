#include "tools/number/nt/split.h"

#include <algorithm>

#include "tools/number/nt/ecm.h"
#include "tools/number/nt/montgomery.h"
#include "tools/number/nt/siqs.h"
#include "tools/number/nt/stopped.h"

namespace kz::nt {

namespace {

// Smallest composite the quadratic sieve takes; below it rho and ECM win.
constexpr int kSiqsMinBits = 65;

template <class M>
U128 split(const M& m, int bits, const std::stop_token& stop) {
    // Within one word rho takes the small factors cheaply; ECM the rest,
    // starting at the level that fits the largest the smallest factor can be
    // (measured: above one word rho only costs time).
    if (bits <= 64) {
        for (std::uint64_t c = 1; c <= 2; ++c) {
            if (U128 f = rhoBrent(m, c, 3000)) return f;
            if (stop.stop_requested()) throw Stopped{};
        }
    }
    int half = (bits + 1) / 2;
    std::size_t level = half <= 30 ? 0 : half <= 33 ? 1 : half <= 36 ? 2 : half <= 38 ? 3 : half <= 44 ? 4 : 5;
    // Above one word the sieve beats ECM on balanced splits: its cost
    // depends on n alone, ECM's on the smallest factor. One cheap curve
    // first still takes the small factors of random numbers for far less.
    // A sieve that gives up (never seen) leaves the work to ECM.
    if (bits >= kSiqsMinBits && bits <= kSiqsMaxBits) {
        std::uint64_t sigma = 7;
        if (U128 f = ecmCheap(m, std::min<std::size_t>(level, 1), sigma, stop)) return f;
        if (U128 f = siqsFactor(U128(m.modulus()), stop)) return f;
    }
    return ecm(m, level, stop);
}

}  // namespace

U128 findFactor(U128 n, const std::stop_token& stop) {
    for (int k : {2, 3, 5, 7, 11, 13}) {
        if (bitLength(n) < 10 * k) break;
        if (auto r = exactRoot(n, k)) return *r;
    }
    int bits = bitLength(n);
    if (n.fitsIn64()) return split(Mont64(n.lo), bits, stop);
    return split(Mont128(n), bits, stop);
}

}  // namespace kz::nt
