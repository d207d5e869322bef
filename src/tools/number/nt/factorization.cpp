#include "tools/number/nt/factorization.h"

#include <algorithm>
#include <stdexcept>

#include "tools/number/nt/primality.h"
#include "tools/number/nt/smallprimes.h"
#include "tools/number/nt/split.h"
#include "tools/number/nt/stopped.h"

namespace kz {

namespace {

// Trial division bound of the factorizer; above it rho and ECM are cheaper.
constexpr std::uint32_t kTrialLimit = 4096;

}  // namespace

std::optional<std::vector<U128>> factorize(U128 n, std::stop_token stop) {
    std::vector<U128> out;
    if (n < U128(2)) return out;
    if (n.hi >> 63) throw std::out_of_range("factorize: n must be below 2^127");
    try {
        nt::TrialResult td = nt::trialDivide(n, kTrialLimit, out);
        std::vector<U128> work;
        if (td.rest > U128(1)) {
            if (td.complete) out.push_back(td.rest);
            else work.push_back(td.rest);
        }
        const U128 noSmallFactorBound = mulWide(kTrialLimit, kTrialLimit);
        while (!work.empty()) {
            if (stop.stop_requested()) return std::nullopt;
            U128 c = work.back();
            work.pop_back();
            if (c < noSmallFactorBound || nt::isPrime(c, stop)) {
                out.push_back(c);
            } else {
                U128 d = nt::findFactor(c, stop);
                work.push_back(d);
                work.push_back(c / d);
            }
        }
    } catch (const nt::Stopped&) {
        return std::nullopt;
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<std::int64_t> divisors(std::int64_t n) {
    std::vector<std::int64_t> low, high;
    if (n < 1) return low;
    auto scan = [&](auto m) {
        using V = decltype(m);
        for (V d = 1; d <= m / d; ++d) {
            if (m % d) continue;
            low.push_back(static_cast<std::int64_t>(d));
            if (d != m / d) high.push_back(static_cast<std::int64_t>(m / d));
        }
    };
    if (n <= 0xffffffffLL) scan(static_cast<std::uint32_t>(n));
    else scan(static_cast<std::uint64_t>(n));
    low.insert(low.end(), high.rbegin(), high.rend());
    return low;
}

}  // namespace kz
