#include "tools/number/nt/siqs.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <span>
#include <unordered_map>
#include <vector>

#include "tools/number/nt/modular.h"
#include "tools/number/nt/montgomery.h"
#include "tools/number/nt/smallprimes.h"
#include "tools/number/nt/stopped.h"

namespace kz::nt {

namespace {

// Sieve sizes by the bit length of n: factor-base primes, half-width of the
// sieve interval, large-prime bound as a multiple of the largest base prime.
// Measured on batches of balanced semiprimes.
struct SiqsParams {
    int bits;
    int primes;
    int halfWidth;
    int largeMult;
};
constexpr SiqsParams kParams[] = {
    {40, 30, 1024, 20}, {50, 40, 1536, 30},  {60, 50, 2048, 40},  {66, 60, 2048, 50},  {72, 80, 3072, 60},
    {78, 95, 4096, 70}, {82, 110, 4096, 80}, {86, 130, 6144, 80}, {90, 160, 8192, 80},
};
constexpr bool widthsScanInBlocks() {
    for (const SiqsParams& p : kParams)
        if (p.halfWidth % 16 != 0) return false;
    return true;
}
static_assert(widthsScanInBlocks(), "the candidate scan reads the sieve 32 bytes at a time");

// Primes below 2^14, for the factor base and the multiplier choice (the
// largest base holds a few hundred).
std::span<const std::uint32_t> smallPrimes() { return primesBelow(1 << 14); }

// Knuth-Schroeppel: the small multiplier k that makes the most small primes
// residues of kn (each raises the chance of a smooth value). Odd k only, so
// that 2 stays a plain factor-base prime.
std::uint32_t chooseMultiplier(U128 n) {
    static constexpr std::uint32_t kCandidates[] = {1,  3,  5,  7,  11, 13, 15, 17, 19, 21,
                                                    23, 29, 31, 33, 35, 37, 39, 41, 43};
    constexpr std::size_t kPrimes = 80;
    const auto& primes = smallPrimes();
    // (kn/p) = (k/p)(n/p): the symbols of k are the same for every n.
    static const auto kSymbols = [&] {
        std::vector<int> t(std::size(kCandidates) * kPrimes);
        for (std::size_t c = 0; c < std::size(kCandidates); ++c)
            for (std::size_t i = 1; i < kPrimes; ++i) t[c * kPrimes + i] = jacobi(kCandidates[c], primes[i]);
        return t;
    }();
    int nSymbol[kPrimes];
    double weight[kPrimes];
    for (std::size_t i = 1; i < kPrimes; ++i) {
        nSymbol[i] = jacobi(static_cast<std::uint32_t>(modSmall(n, primes[i])), primes[i]);
        weight[i] = std::log(double(primes[i]));
    }
    std::uint32_t best = 1;
    double bestScore = -1e9;
    for (std::size_t c = 0; c < std::size(kCandidates); ++c) {
        const std::uint32_t k = kCandidates[c];
        U128 kn = n * U128(k);
        if (bitLength(kn) > kSiqsMaxBits + 6) break;
        double score = -0.5 * std::log(double(k));
        switch (kn.lo & 7) {
            case 1: score += 2 * std::log(2.0); break;
            case 5: score += std::log(2.0); break;
            default: score += 0.5 * std::log(2.0); break;
        }
        for (std::size_t i = 1; i < kPrimes; ++i) {
            const std::uint32_t p = primes[i];
            const int symbol = kSymbols[c * kPrimes + i] * nSymbol[i];
            if (symbol == 0) score += weight[i] / p;  // p divides k (n has no small factor)
            else if (symbol == 1) score += 2 * weight[i] / (p - 1);
        }
        if (score > bestScore) {
            bestScore = score;
            best = k;
        }
    }
    return best;
}

// Two's complement view of a signed word in 128 bits.
U128 wide(std::int64_t v) { return U128::fromParts(v < 0 ? ~0ULL : 0, static_cast<std::uint64_t>(v)); }

// y^2 = (the product of the listed base primes) * large^2 modulo n. The
// lists live in one shared pool: an allocation per relation showed in the
// profile.
struct Relation {
    U128 y;                       // Montgomery form of y modulo n
    std::uint32_t first, second;  // pool ranges [first, first + count1) and [second, second + count2)
    std::uint16_t count1, count2;
    std::uint64_t large = 1;  // a large prime that occurs squared
};

class Siqs {
public:
    Siqs(U128 n, const std::stop_token& stop) : n_(n), m_(n), stop_(stop) {}

    U128 run() {
        const int bits = bitLength(n_);
        const SiqsParams* par = &kParams[0];
        for (const SiqsParams& p : kParams)
            if (bits >= p.bits) par = &p;
        k_ = chooseMultiplier(n_);
        kn_ = n_ * U128(k_);
        if (U128 f = buildFactorBase(par->primes)) return f;
        half_ = par->halfWidth;
        width_ = 2 * half_;
        const std::uint64_t pmax = fb_.back();
        large_ = std::min<std::uint64_t>(pmax * par->largeMult, pmax * pmax - 1);

        // Polynomial values are near M sqrt(kn/2); accept those whose sieved
        // logarithm leaves at most a large prime, the unsieved small primes
        // and a little rounding (3 bits: measured).
        double logQ = std::log2(double(half_)) + 0.5 * (std::log2(toDouble(kn_)) - 1);
        int thresh = static_cast<int>(logQ - std::log2(double(large_)) - 3);
        thresh = std::max(thresh, 8);
        init_ = static_cast<std::uint8_t>(128 - thresh);
        sieve_.assign(width_, 0);

        // A few more relations than primes give as many dependencies, each
        // splitting n with probability 1/2 or more; should all fail, a few
        // more relations are cheaper than starting over.
        std::size_t need = fb_.size() + 8;
        for (int polys = 0;; ++polys) {
            if (rels_.size() >= need) {
                if (U128 f = solve()) return f;
                if (need > fb_.size() + 40) return 0;
                need += 8;
            }
            if (polys > 40000) return 0;
            if (stop_.stop_requested()) throw Stopped{};
            if (polyIndex_ == polysPerA_) {
                if (!newA()) return 0;
            } else {
                nextB();
            }
            sieveAndCollect();
        }
    }

private:
    // Primes p with kn a square modulo p; 0 when some small prime divides n.
    U128 buildFactorBase(int count) {
        const auto& primes = smallPrimes();
        fb_ = {0, 2};  // index 0 stands for the sign
        root_ = {0, 1};
        logp_ = {0, 1};
        inv64_ = {0, 0};
        lim64_ = {0, 0};
        for (std::size_t i = 1; i < primes.size() && static_cast<int>(fb_.size()) < count; ++i) {
            std::uint32_t p = primes[i];
            if (modSmall(n_, p) == 0) return U128(p) == n_ ? U128(0) : U128(p);
            std::uint32_t r = static_cast<std::uint32_t>(modSmall(kn_, p));
            if (r != 0 && jacobi(r, p) != 1) continue;
            fb_.push_back(p);
            root_.push_back(sqrtMod(r, p));
            logp_.push_back(static_cast<std::uint8_t>(std::lround(std::log2(double(p)))));
            inv64_.push_back(inverse64(p));
            lim64_.push_back(~0ULL / p);
        }
        // Below this the sieve costs more than the values it marks are worth.
        sieveStart_ = 2;
        while (sieveStart_ < fb_.size() && fb_[sieveStart_] < 20) ++sieveStart_;
        r1_.resize(fb_.size());
        r2_.resize(fb_.size());
        inA_.assign(fb_.size(), 0);
        return 0;
    }

    // Next random index in [lo, hi).
    std::size_t randomIndex(std::size_t lo, std::size_t hi) {
        rng_ ^= rng_ << 13;
        rng_ ^= rng_ >> 7;
        rng_ ^= rng_ << 17;
        return lo + rng_ % (hi - lo);
    }

    // A new a, the product of s base primes near sqrt(2kn)/M, with its b and roots.
    bool newA() {
        const double target = std::sqrt(2 * toDouble(kn_)) / half_;
        const std::size_t F = fb_.size();
        std::size_t lowest = std::min(sieveStart_ + 1, F - 1);
        int s = 2;
        while (s < 12 && std::pow(target, 1.0 / s) > fb_[F - 1 - F / 5]) ++s;
        const double ideal = std::pow(target, 1.0 / s);
        auto indexOf = [&](double v) {
            std::size_t i =
                std::lower_bound(fb_.begin() + lowest, fb_.end(), static_cast<std::uint32_t>(std::min(v, 4e9))) -
                fb_.begin();
            return std::min(i, F - 1);
        };
        std::size_t lo = indexOf(ideal / 2), hi = std::max(indexOf(ideal * 2), lo + 2 * s);
        hi = std::min(hi, F);
        lo = std::max(lowest, std::min(lo, hi > 2 * std::size_t(s) ? hi - 2 * s : lowest));
        if (hi <= lo + s) return false;  // too few primes to vary a
        for (std::size_t idx : aPrimes_) inA_[idx] = 0;
        for (int attempt = 0; attempt < 200; ++attempt) {
            aPrimes_.clear();
            double prod = 1;
            bool ok = true;
            for (int j = 0; j + 1 < s && ok; ++j) {
                std::size_t idx = randomIndex(lo, hi);
                ok = std::find(aPrimes_.begin(), aPrimes_.end(), idx) == aPrimes_.end() && root_[idx] != 0;
                aPrimes_.push_back(idx);
                prod *= fb_[idx];
            }
            if (!ok) continue;
            // The last prime brings the product closest to the target.
            std::size_t last = indexOf(target / prod);
            std::size_t bestIdx = F;
            for (std::size_t c = (last > lowest + 2 ? last - 2 : lowest); c < std::min(F, last + 3); ++c) {
                if (root_[c] == 0 || std::find(aPrimes_.begin(), aPrimes_.end(), c) != aPrimes_.end()) continue;
                if (bestIdx == F ||
                    std::abs(std::log(prod * fb_[c] / target)) < std::abs(std::log(prod * fb_[bestIdx] / target)))
                    bestIdx = c;
            }
            if (bestIdx == F) continue;
            aPrimes_.push_back(bestIdx);
            std::uint64_t a = 1;
            for (std::size_t idx : aPrimes_) a *= fb_[idx];
            if (std::find(usedA_.begin(), usedA_.end(), a) != usedA_.end()) continue;
            usedA_.push_back(a);
            a_ = a;
            setupA();
            return true;
        }
        return false;
    }

    void setupA() {
        const std::size_t s = aPrimes_.size(), F = fb_.size();
        for (std::size_t idx : aPrimes_) inA_[idx] = 1;
        B_.assign(s, 0);
        b_ = 0;
        for (std::size_t j = 0; j < s; ++j) {
            std::uint32_t q = fb_[aPrimes_[j]];
            std::uint64_t aq = a_ / q;
            std::uint64_t g =
                std::uint64_t{root_[aPrimes_[j]]} * inverseModPrime(static_cast<std::uint32_t>(aq % q), q) % q;
            if (g > q / 2) g = q - g;
            B_[j] = static_cast<std::int64_t>(aq * g);
            b_ += B_[j];
        }
        bAdjust_.assign(s * F, 0);
        for (std::size_t i = 1; i < F; ++i) {
            if (inA_[i]) continue;
            std::uint32_t p = fb_[i];
            std::uint64_t ainv = inverseModPrime(static_cast<std::uint32_t>(a_ % p), p);
            for (std::size_t j = 0; j < s; ++j)
                bAdjust_[j * F + i] =
                    static_cast<std::uint32_t>(2 * (static_cast<std::uint64_t>(B_[j]) % p) * ainv % p);
            std::uint64_t bm = static_cast<std::uint64_t>(b_ % p + p) % p, t = root_[i];
            std::uint64_t shift = half_ % p;
            r1_[i] = static_cast<std::uint32_t>(((t + p - bm) * ainv + shift) % p);
            r2_[i] = static_cast<std::uint32_t>(((2 * p - t - bm) * ainv + shift) % p);
        }
        polysPerA_ = 1u << (s - 1);
        polyIndex_ = 1;
        setC();
    }

    // Gray-code step to the next b of the same a: one B changes sign.
    void nextB() {
        const std::size_t F = fb_.size();
        std::uint32_t v = std::countr_zero(polyIndex_);
        bool minus = (((polyIndex_ ^ (polyIndex_ >> 1)) >> v) & 1) != 0;
        std::size_t j = v + 1;
        const std::uint32_t* adj = &bAdjust_[j * F];
        if (minus) {  // b -= 2 B_j moves each root up by 2 B_j / a
            b_ -= 2 * B_[j];
            for (std::size_t i = 1; i < F; ++i) {
                std::uint32_t p = fb_[i], d = adj[i];
                r1_[i] = r1_[i] + d >= p ? r1_[i] + d - p : r1_[i] + d;
                r2_[i] = r2_[i] + d >= p ? r2_[i] + d - p : r2_[i] + d;
            }
        } else {
            b_ += 2 * B_[j];
            for (std::size_t i = 1; i < F; ++i) {
                std::uint32_t p = fb_[i], d = adj[i];
                r1_[i] = r1_[i] >= d ? r1_[i] - d : r1_[i] + p - d;
                r2_[i] = r2_[i] >= d ? r2_[i] - d : r2_[i] + p - d;
            }
        }
        ++polyIndex_;
        setC();
    }

    // c = (b^2 - kn) / a, exact since b^2 = kn modulo a.
    void setC() {
        U128 b = wide(b_);
        U128 diff = kn_ - b * b;  // positive: b is far below sqrt(kn)
        c_ = U128(0) - diff / U128(a_);
    }

    void sieveAndCollect() {
        std::uint8_t* s = sieve_.data();
        std::memset(s, init_, width_);
        const std::uint32_t w = width_;
        for (std::size_t i = sieveStart_; i < fb_.size(); ++i) {
            if (inA_[i]) continue;
            const std::uint32_t p = fb_[i];
            const std::uint8_t lg = logp_[i];
            std::uint32_t x1 = r1_[i], x2 = r2_[i];
            if (x1 == x2) {  // p divides the multiplier: one root
                for (; x1 < w; x1 += p) s[x1] += lg;
                continue;
            }
            if (x1 > x2) std::swap(x1, x2);
            for (; x2 < w; x1 += p, x2 += p) {
                s[x1] += lg;
                s[x2] += lg;
            }
            if (x1 < w) s[x1] += lg;
        }
        constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
        for (std::uint32_t i = 0; i < w; i += 32) {  // the width is a multiple of 32
            std::uint64_t words[4];
            std::memcpy(words, s + i, 32);
            if (((words[0] | words[1] | words[2] | words[3]) & kHigh) == 0) continue;
            for (std::uint32_t k = 0; k < 4; ++k) {
                for (std::uint64_t word = words[k] & kHigh; word; word &= word - 1)
                    tryCandidate(i + 8 * k + std::countr_zero(word) / 8);
            }
        }
    }

    void tryCandidate(std::uint32_t i) {
        const std::int64_t x = static_cast<std::int64_t>(i) - half_;
        U128 q = wide(static_cast<std::int64_t>(a_)) * wide(x) * wide(x) + wide(2 * b_) * wide(x) + c_;
        bool negative = (q.hi >> 63) != 0;
        if (negative) q = U128(0) - q;
        if (!q.fitsIn64() || q.lo == 0) return;
        std::uint64_t v = q.lo;
        const std::size_t start = pool_.size();
        if (negative) pool_.push_back(0);
        for (int t = std::countr_zero(v); t > 0; --t) pool_.push_back(1);
        v >>= std::countr_zero(v);
        // Divisibility by odd p without division: v * p^-1 mod 2^64 is at
        // most (2^64 - 1) / p exactly when p divides v, and is then v / p.
        for (std::size_t j = 2, F = fb_.size(); j < F; ++j) {
            const std::uint64_t inv = inv64_[j], lim = lim64_[j];
            for (std::uint64_t t = v * inv; t <= lim; t = v * inv) {
                v = t;
                pool_.push_back(static_cast<std::uint16_t>(j));
            }
        }
        if (v >= large_) {
            pool_.resize(start);
            return;
        }
        for (std::size_t idx : aPrimes_)
            pool_.push_back(static_cast<std::uint16_t>(idx));  // a * Q(x) is the square's other side
        const auto count = static_cast<std::uint16_t>(pool_.size() - start);
        // y = a x + b, the number whose square is a Q(x) modulo kn.
        std::int64_t y = static_cast<std::int64_t>(a_) * x + b_;
        U128 ym = y >= 0 ? U128(static_cast<std::uint64_t>(y)) % n_ : n_ - U128(static_cast<std::uint64_t>(-y)) % n_;
        Relation rel{m_.toMont(ym), static_cast<std::uint32_t>(start), 0, count, 0, 1};
        if (v == 1) {
            rels_.push_back(rel);
            return;
        }
        auto [it, fresh] = partials_.try_emplace(v, rel);
        if (fresh) return;
        // Two values with the same large prime: their product has it squared.
        const Relation& other = it->second;
        if (other.y == rel.y) return;  // the same value found twice
        rels_.push_back(Relation{m_.mul(other.y, rel.y), other.first, rel.first, other.count1, count, v});
    }

    template <class F>
    void forEachFactor(const Relation& r, F&& f) const {
        for (std::uint32_t k = 0; k < r.count1; ++k) f(pool_[r.first + k]);
        for (std::uint32_t k = 0; k < r.count2; ++k) f(pool_[r.second + k]);
    }

    // Gaussian elimination over GF(2); each dependency gives x^2 = y^2 mod n.
    U128 solve() {
        const std::size_t F = fb_.size(), R = rels_.size();
        const std::size_t cw = (F + 63) / 64, rw = (R + 63) / 64, w = cw + rw;
        std::vector<std::uint64_t> mat(R * w, 0);
        for (std::size_t r = 0; r < R; ++r) {
            std::uint64_t* row = &mat[r * w];
            forEachFactor(rels_[r], [&](std::uint16_t j) { row[j / 64] ^= 1ULL << (j % 64); });
            row[cw + r / 64] |= 1ULL << (r % 64);
        }
        std::vector<char> pivot(R, 0);
        for (std::size_t c = 0; c < F; ++c) {
            std::size_t pr = R;
            for (std::size_t r = 0; r < R && pr == R; ++r)
                if (!pivot[r] && ((mat[r * w + c / 64] >> (c % 64)) & 1)) pr = r;
            if (pr == R) continue;
            pivot[pr] = 1;
            const std::uint64_t* prow = &mat[pr * w];
            for (std::size_t r = 0; r < R; ++r) {
                if (r == pr || !((mat[r * w + c / 64] >> (c % 64)) & 1)) continue;
                std::uint64_t* row = &mat[r * w];
                for (std::size_t k = c / 64; k < w; ++k) row[k] ^= prow[k];  // the pivot row is zero left of c
            }
        }
        std::vector<std::uint32_t> exps(F);
        for (std::size_t r = 0; r < R; ++r) {
            if (pivot[r]) continue;
            std::fill(exps.begin(), exps.end(), 0);
            T x = m_.one(), z = m_.one();
            // The square root's factors gather in one word while they fit:
            // one conversion and product per word, not per prime.
            std::uint64_t word = 1;
            auto times = [&](std::uint64_t f) {
                if (word > ~0ULL / f) {
                    z = m_.mul(z, m_.toMont(U128(word)));
                    word = 1;
                }
                word *= f;
            };
            const std::uint64_t* row = &mat[r * w + cw];
            for (std::size_t i = 0; i < R; ++i) {
                if (!((row[i / 64] >> (i % 64)) & 1)) continue;
                x = m_.mul(x, rels_[i].y);
                if (rels_[i].large != 1) times(rels_[i].large);
                forEachFactor(rels_[i], [&](std::uint16_t j) { ++exps[j]; });
            }
            bool even = true;
            for (std::size_t j = 1; j < F; ++j) {
                even = even && exps[j] % 2 == 0;
                for (std::uint32_t e = exps[j] / 2; e > 0; --e) times(fb_[j]);
            }
            z = m_.mul(z, m_.toMont(U128(word)));
            if (!even || exps[0] % 2 != 0) continue;
            U128 g = m_.gcdWith(m_.sub(x, z));
            if (g != U128(1) && g != n_) return g;
        }
        return 0;
    }

    using T = Mont128::T;
    U128 n_;
    Mont128 m_;
    const std::stop_token& stop_;
    std::uint32_t k_ = 1;
    U128 kn_;
    std::vector<std::uint32_t> fb_, root_, r1_, r2_, bAdjust_;
    std::vector<std::uint64_t> inv64_, lim64_;  // p^-1 mod 2^64 and (2^64 - 1) / p
    std::vector<std::uint8_t> logp_, inA_, sieve_;
    std::size_t sieveStart_ = 2;
    std::uint32_t half_ = 0, width_ = 0;
    std::uint64_t large_ = 0;
    std::uint8_t init_ = 0;
    std::uint64_t rng_ = 0x9E3779B97F4A7C15ULL;
    std::vector<std::size_t> aPrimes_;
    std::vector<std::uint64_t> usedA_;
    std::uint64_t a_ = 1;
    std::int64_t b_ = 0;
    std::vector<std::int64_t> B_;
    U128 c_;
    std::uint32_t polysPerA_ = 0, polyIndex_ = 0;
    std::vector<std::uint16_t> pool_;
    std::vector<Relation> rels_;
    std::unordered_map<std::uint64_t, Relation> partials_;
};

}  // namespace

U128 siqsFactor(U128 n, const std::stop_token& stop) {
    if (bitLength(n) > kSiqsMaxBits || !n.isOdd()) return 0;
    return Siqs(n, stop).run();
}

}  // namespace kz::nt
