// Checks a working the way a teacher would: every "＝" joins equal values.
// Each clause (split at "，", "；", "。") is split at "＝"; every part that reads
// as a number expression (＋ － × ÷, a/b fractions, 2又1/3, %, ^, parentheses)
// is evaluated exactly, and all such parts of a clause must agree; in a steps
// block all lines must agree. Parts that are words ("左边", "2x", "3……2")
// are passed over. The values are exact rationals, so a rounded decimal
// answer needs a tolerance.
#pragma once

#include <boost/multiprecision/cpp_int.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/working.h"

namespace kz::test {

using Rational = boost::multiprecision::cpp_rational;

class ExactReader {
public:
    explicit ExactReader(std::string_view s) : s_(s) {}

    // The value of the whole text, or nothing when any of it is not arithmetic.
    std::optional<Rational> read() {
        skipLabel();
        auto v = sum();
        if (!v || pos_ != s_.size()) return std::nullopt;
        return v;
    }

private:
    bool eat(std::string_view t) {
        if (s_.substr(pos_, t.size()) != t) return false;
        pos_ += t.size();
        return true;
    }
    // "最大公因数：2×3" reads from after the colon; "（只）" units are dropped.
    void skipLabel() {
        if (auto c = s_.rfind("："); c != std::string_view::npos) s_ = s_.substr(c + std::string_view("：").size());
        if (auto u = s_.find("（"); u != std::string_view::npos && s_.ends_with("）")) s_ = s_.substr(0, u);
        while (!s_.empty() && s_.front() == ' ') s_.remove_prefix(1);
        while (!s_.empty() && s_.back() == ' ') s_.remove_suffix(1);
    }
    std::optional<Rational> sum() {
        auto v = product();
        while (v) {
            if (eat("＋") || eat("+")) {
                auto r = product();
                if (!r) return std::nullopt;
                *v += *r;
            } else if (eat("－") || eat("-")) {
                auto r = product();
                if (!r) return std::nullopt;
                *v -= *r;
            } else {
                break;
            }
        }
        return v;
    }
    std::optional<Rational> product() {
        auto v = power();
        while (v) {
            if (eat("×") || eat("*")) {
                auto r = power();
                if (!r) return std::nullopt;
                *v *= *r;
            } else if (eat("÷")) {
                auto r = power();
                if (!r || *r == 0) return std::nullopt;
                *v /= *r;
            } else {
                break;
            }
        }
        return v;
    }
    std::optional<Rational> power() {
        auto v = unary();
        if (v && eat("^")) {
            auto e = unary();
            if (!e || denominator(*e) != 1 || abs(numerator(*e)) > 64) return std::nullopt;
            const long n = numerator(*e).convert_to<long>();
            Rational r = 1;
            for (long i = 0; i < (n < 0 ? -n : n); ++i) r *= *v;
            if (n < 0) {
                if (r == 0) return std::nullopt;
                r = 1 / r;
            }
            return r;
        }
        return v;
    }
    std::optional<Rational> unary() {
        if (eat("－") || eat("-")) {
            auto v = unary();
            if (v) *v = -*v;
            return v;
        }
        return primary();
    }
    std::optional<Rational> primary() {
        if (eat("(") || eat("（")) {
            auto v = sum();
            if (!v || !(eat(")") || eat("）"))) return std::nullopt;
            return v;
        }
        auto whole = number();
        if (!whole) return std::nullopt;
        if (eat("又")) {  // 2又1/3
            auto n = number();
            if (!n || !eat("/")) return std::nullopt;
            auto d = number();
            if (!d || *d == 0) return std::nullopt;
            return *whole + *n / *d;
        }
        if (eat("/")) {  // a fraction binds tighter than any sign
            auto d = number();
            if (!d || *d == 0) return std::nullopt;
            return *whole / *d;
        }
        if (eat("%")) return *whole / 100;
        return whole;
    }
    // Digits with an optional point and an optional E exponent.
    std::optional<Rational> number() {
        const std::size_t start = pos_;
        Rational v = 0, scale = 1;
        bool point = false, any = false;
        while (pos_ < s_.size()) {
            const char c = s_[pos_];
            if (c >= '0' && c <= '9') {
                v = v * 10 + (c - '0');
                if (point) scale *= 10;
                any = true;
            } else if (c == '.' && !point) {
                point = true;
            } else {
                break;
            }
            ++pos_;
        }
        if (!any) {
            pos_ = start;
            return std::nullopt;
        }
        v /= scale;
        if (pos_ < s_.size() && (s_[pos_] == 'E' || s_[pos_] == 'e')) {
            std::size_t p = pos_ + 1;
            bool negative = false;
            if (p < s_.size() && (s_[p] == '+' || s_[p] == '-')) negative = s_[p++] == '-';
            int e = 0;
            bool digits = false;
            while (p < s_.size() && s_[p] >= '0' && s_[p] <= '9' && e < 400) {
                e = e * 10 + (s_[p++] - '0');
                digits = true;
            }
            if (digits) {
                Rational f = 1;
                for (int i = 0; i < e; ++i) f *= 10;
                if (negative) v /= f;
                else v *= f;
                pos_ = p;
            }
        }
        return v;
    }

    std::string_view s_;
    std::size_t pos_ = 0;
};

inline std::vector<std::string_view> splitAt(std::string_view s, std::initializer_list<std::string_view> seps) {
    std::vector<std::string_view> parts;
    std::size_t from = 0;
    for (std::size_t i = 0; i < s.size();) {
        bool cut = false;
        for (std::string_view sep : seps)
            if (s.substr(i, sep.size()) == sep) {
                parts.push_back(s.substr(from, i - from));
                i += sep.size();
                from = i;
                cut = true;
                break;
            }
        if (!cut) ++i;
    }
    parts.push_back(s.substr(from));
    return parts;
}

inline bool agree(const Rational& a, const Rational& b, double relativeTolerance) {
    if (a == b) return true;
    if (relativeTolerance <= 0) return false;
    const Rational scale = abs(a) > abs(b) ? abs(a) : abs(b);
    return abs(a - b) <= scale * Rational(relativeTolerance);
}

// What a pupil could object to: one text per "＝" that joins unequal values.
// relativeTolerance 0 asks for exact equality; a window whose answer is a
// rounded decimal (15 significant digits) passes 1e-13.
inline std::vector<std::string> unequalJoins(const Working& w, double relativeTolerance = 0) {
    std::vector<std::string> problems;
    auto values = [](std::string_view clause) {
        std::vector<std::pair<Rational, std::string>> vs;
        // "≈" starts an approximation, which no "＝" joins.
        if (auto a = clause.find("≈"); a != std::string_view::npos) clause = clause.substr(0, a);
        for (std::string_view part : splitAt(clause, {"＝"}))
            if (auto v = ExactReader(part).read()) vs.emplace_back(*v, std::string(part));
        return vs;
    };
    auto checkGroup = [&](const std::vector<std::pair<Rational, std::string>>& vs, const std::string& where) {
        for (std::size_t i = 1; i < vs.size(); ++i)
            if (!agree(vs[0].first, vs[i].first, relativeTolerance))
                problems.push_back(where + ": " + vs[0].second + " ≠ " + vs[i].second);
    };
    for (const WorkingBlock& b : w.blocks()) {
        if (b.kind == WorkingBlock::Kind::Steps) {
            std::vector<std::pair<Rational, std::string>> all;
            for (const std::string& s : b.steps)
                for (auto& v : values(s)) all.push_back(std::move(v));
            checkGroup(all, b.steps.empty() ? std::string() : b.steps.front());
        } else if (b.kind == WorkingBlock::Kind::Line) {
            for (std::string_view clause : splitAt(b.text, {"，", "；", "。"}))
                checkGroup(values(clause), b.lead + b.text);
        }
    }
    return problems;
}

}  // namespace kz::test
