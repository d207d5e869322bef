#include "tools/number/nt/smallprimes.h"

#include <algorithm>

#include "tools/number/nt/modular.h"

namespace kz::nt {

namespace {

// The odd numbers below a limit: entry i tells whether 2i + 1 is prime.
struct Sieve {
    std::vector<std::uint8_t> odd;
    std::vector<std::uint32_t> primes;

    explicit Sieve(std::uint32_t limit) {
        const std::size_t size = limit / 2;
        odd.assign(size, 1);
        odd[0] = 0;  // 1
        for (std::size_t i = 1; (2 * i + 1) * (2 * i + 1) < limit; ++i)
            if (odd[i])
                for (std::size_t j = (2 * i + 1) * (2 * i + 1) / 2; j < size; j += 2 * i + 1) odd[j] = 0;
        primes.push_back(2);
        for (std::size_t i = 1; i < size; ++i)
            if (odd[i]) primes.push_back(static_cast<std::uint32_t>(2 * i + 1));
    }
};

// Most work needs only the primes below 2^16 (trial division, the factor
// bases, the first ECM levels); the whole range, ten times the work, is
// sieved when something asks beyond them.
constexpr std::uint32_t kFirstLimit = 65536;

const Sieve& sieveFor(std::uint32_t limit) {
    static const Sieve first(kFirstLimit);
    if (limit <= kFirstLimit) return first;
    static const Sieve whole(kSmallPrimeLimit);
    return whole;
}

const std::vector<TrialPrime>& trialTable() {
    static const std::vector<TrialPrime> table = [] {
        std::vector<TrialPrime> t;
        const std::vector<std::uint32_t>& primes = sieveFor(kFirstLimit).primes;
        for (std::size_t k = 1; k < primes.size(); ++k) {
            const std::uint32_t p = primes[k];
            std::uint64_t c32 = (std::uint64_t{1} << 32) % p;
            std::uint64_t c64 = c32 * c32 % p;
            std::uint64_t c96 = c64 * c32 % p;
            t.push_back({inverse64(p), ~std::uint64_t{0} / p, p, static_cast<std::uint32_t>(c32),
                         static_cast<std::uint32_t>(c64), static_cast<std::uint32_t>(c96)});
        }
        return t;
    }();
    return table;
}

inline U128 exactQuotient(const TrialPrime& tp, U128 x) {
    if (!x.hi) return U128(x.lo * tp.inv);
    return x * inverse128(U128(tp.p), tp.inv);
}

}  // namespace

bool isSmallPrime(std::uint32_t n) {
    if (n < 3 || n >= kSmallPrimeLimit) return n == 2;
    return (n & 1) && sieveFor(n + 1).odd[n / 2];
}

std::span<const std::uint32_t> primesBelow(std::uint32_t limit) {
    const std::vector<std::uint32_t>& all = sieveFor(limit).primes;
    return {all.data(), static_cast<std::size_t>(std::lower_bound(all.begin(), all.end(), limit) - all.begin())};
}

void prepareSmallPrimes() { (void)sieveFor(kSmallPrimeLimit); }

std::span<const TrialPrime> trialPrimes() { return trialTable(); }

TrialResult trialDivide(U128 n, std::uint32_t limit, std::vector<U128>& factors) {
    if (n.isZero()) return {n, true};
    int tz = trailingZeros(n);
    for (int i = 0; i < tz; ++i) factors.push_back(U128(2));
    n >>= tz;
    const std::span<const TrialPrime> primes = trialPrimes();
    std::size_t i = 0;
    // Two words: every p^2 is far below n, so no square-root test yet.
    for (; i < primes.size() && n.hi; ++i) {
        const TrialPrime& tp = primes[i];
        if (tp.p >= limit) return {n, false};
        while (divides(tp, n)) {
            n = exactQuotient(tp, n);
            factors.push_back(U128(tp.p));
        }
    }
    if (n.hi) return {n, false};  // every prime below the limit tried
    std::uint64_t x = n.lo;
    for (; i < primes.size(); ++i) {
        const TrialPrime& tp = primes[i];
        if (tp.p >= limit) break;
        if (std::uint64_t{tp.p} * tp.p > x) return {U128(x), true};
        while (x * tp.inv <= tp.lim) {
            x *= tp.inv;
            factors.push_back(U128(tp.p));
        }
    }
    return {U128(x), x < std::uint64_t{limit} * limit};
}

}  // namespace kz::nt
