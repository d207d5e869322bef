#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "explore/conjecture.h"

using namespace kz::conjecture;

namespace {

// The explorer's prime test as it reads: p >= 3, no d from 2 to p - 1 divides p.
bool literalPrime(long p) {
    if (p < 3) return false;
    for (long d = 2; d <= p - 1; ++d)
        if (p % d == 0) return false;
    return true;
}

std::string literalThree(long n) {
    for (long i = 1; i <= n / 2; ++i)
        if (literalPrime(i))
            for (long j = 1; j <= n - i; ++j)
                if (literalPrime(j) && literalPrime(n - i - j))
                    return "结果： " + std::to_string(n) + "=" + std::to_string(i) + "+" + std::to_string(j) + "+" +
                           std::to_string(n - i - j);
    return "";
}

std::string literalTwo(long n) {
    for (long i = 2; i <= n / 2; ++i)
        if ((literalPrime(i) || i == 2) && literalPrime(n - i))
            return "结果： " + std::to_string(n) + "=" + std::to_string(i) + "+" + std::to_string(n - i);
    return "";
}

std::vector<std::string> lines(const std::string& s) {
    std::vector<std::string> out;
    std::size_t start = 0, pos;
    while ((pos = s.find(kLineBreak, start)) != std::string::npos) {
        out.push_back(s.substr(start, pos - start));
        start = pos + kLineBreak.size();
    }
    out.push_back(s.substr(start));
    return out;
}

using Messages = std::vector<std::string>;

}  // namespace

TEST(Goldbach, ExamplesAndRefusals) {
    struct Case {
        Verification (*page)(std::string_view);
        const char* in;
        const char* result;
        Messages messages;
        const char* input;
    };
    const Case cases[] = {
        {threeOddPrimes, "9", "结果： 9=3+3+3", {}, nullptr},
        {threeOddPrimes, "11", "结果： 11=3+3+5", {}, nullptr},
        {threeOddPrimes, "27", "结果： 27=3+5+19", {}, nullptr},
        {threeOddPrimes, " 27 ", "结果： 27=3+5+19", {}, nullptr},
        {threeOddPrimes, "8", nullptr, {"请输入一个大于或等于9的奇数！"}, nullptr},
        {threeOddPrimes, "10", nullptr, {"请输入一个大于或等于9的奇数！"}, nullptr},
        {threeOddPrimes, "-9", nullptr, {"请输入一个大于或等于9的奇数！"}, nullptr},
        {threeOddPrimes, "abc", nullptr, {}, "请输入数字！"},
        {threeOddPrimes, "", nullptr, {}, "请输入数字！"},
        {threeOddPrimes, "1e10", nullptr, {"发生错误", "请输入一个大于或等于9的奇数！"}, nullptr},
        {twoPrimes, "6", "结果： 6=3+3", {}, nullptr},
        {twoPrimes, "8", "结果： 8=3+5", {}, nullptr},
        {twoPrimes, "100", "结果： 100=3+97", {}, nullptr},
        {twoPrimes, "7", nullptr, {"请输入一个大于或等于6的偶数！"}, nullptr},
        {twoPrimes, "4", nullptr, {"请输入一个大于或等于6的偶数！"}, nullptr},
        {twoPrimes, "x", nullptr, {}, "请输入数字!"},
        {twoPrimes, "9e9", nullptr, {"发生错误", "请输入一个大于或等于6的偶数！"}, nullptr},
    };
    for (const Case& c : cases) {
        Verification v = c.page(c.in);
        EXPECT_EQ(v.result, c.result ? std::optional<std::string>(c.result) : std::nullopt) << c.in;
        EXPECT_EQ(v.messages, c.messages) << c.in;
        EXPECT_EQ(v.inputText, c.input ? std::optional<std::string>(c.input) : std::nullopt) << c.in;
    }
}

TEST(Goldbach, SameFirstDecompositionAsTheLiteralSearch) {
    for (long n = 9; n < 1200; n += 2) EXPECT_EQ(threeOddPrimes(std::to_string(n)).result, literalThree(n)) << n;
    for (long n = 6; n < 1200; n += 2) EXPECT_EQ(twoPrimes(std::to_string(n)).result, literalTwo(n)) << n;
    for (long p = -5; p < 3000; ++p) EXPECT_EQ(isPrime(p), literalPrime(p)) << p;
    // Near the top of the six-character box and beyond the sieve.
    EXPECT_EQ(twoPrimes("999998").result, literalTwo(999998));
    EXPECT_EQ(threeOddPrimes("999999").result, literalThree(999999));
    EXPECT_EQ(twoPrimes("2e9").result, "结果： 2000000000=73+1999999927");
}

TEST(ReverseAndAdd, Runs) {
    Verification v = reverseAndAdd("12");
    EXPECT_EQ(v.result, " 12+ 21= 33" + std::string(kLineBreak) + "结果： 33是回文数");
    EXPECT_FALSE(v.closeWindow);
    EXPECT_EQ(lines(*reverseAndAdd("121").result).front(), " 121+ 121= 242");
    // Not a number: the failure message, then the run from 0.
    v = reverseAndAdd("abc");
    EXPECT_EQ(v.messages, Messages{"发生错误"});
    EXPECT_EQ(v.result, " 0+ 0= 0" + std::string(kLineBreak) + "结果： 0是回文数");
    // Reaching ten digits: the overflow message and the window closes.
    for (const char* in : {"89", "196", "3000000000", "1e20"}) {
        v = reverseAndAdd(in);
        EXPECT_EQ(v.messages, Messages{"计算过程太长，导致错误！"}) << in;
        EXPECT_TRUE(v.closeWindow) << in;
    }
    std::vector<std::string> l = lines(*reverseAndAdd("89").result);
    EXPECT_EQ(l.size(), 16u);  // 15 additions and the empty rest
    EXPECT_EQ(l[14], " 664272356+ 653272466= 1317544822");
    // Every three-character input ends, negative ones too.
    for (int n = -99; n <= 999; ++n) {
        v = reverseAndAdd(std::to_string(n));
        ASSERT_TRUE(v.result.has_value()) << n;
        EXPECT_TRUE(v.closeWindow || v.result->find("是回文数") != std::string::npos) << n;
    }
    EXPECT_EQ(lines(*reverseAndAdd("-12").result).front(), "-12+ 210= 198");
}

TEST(Collatz, Sequences) {
    EXPECT_EQ(collatz("6").result, "计算过程：" + std::string(kLineBreak) + "6>3>10>5>16>8>4>2>1");
    EXPECT_EQ(collatz("1").result, "计算过程：" + std::string(kLineBreak) + "1");
    std::vector<std::string> l = lines(*collatz("27").result);
    ASSERT_EQ(l.size(), 2u);
    std::vector<int> values;
    for (std::size_t s = 0, e; s < l[1].size(); s = e + 1) {
        e = std::min(l[1].find('>', s), l[1].size());
        values.push_back(std::stoi(l[1].substr(s, e - s)));
    }
    EXPECT_EQ(values.size(), 112u);  // 111 steps
    EXPECT_EQ(*std::max_element(values.begin(), values.end()), 9232);
    EXPECT_EQ(values.back(), 1);
    // Values below 1 end at once; starting values leaving 16 bits end with the failure message.
    for (const char* in : {"0", "", "abc", "-5", "-1"}) {
        Verification v = collatz(in);
        EXPECT_TRUE(v.messages.empty()) << in;
        EXPECT_EQ(lines(*v.result).size(), 2u) << in;
    }
    EXPECT_EQ(collatz("9e9").messages, Messages{"发生错误"});
    std::set<int> overflowing;
    for (int n = 1; n <= 999; ++n) {
        Verification v = collatz(std::to_string(n));
        if (!v.messages.empty()) overflowing.insert(n);
        else EXPECT_EQ(v.result->substr(v.result->size() - 2), n == 1 ? "\n1" : ">1") << n;
    }
    EXPECT_EQ(overflowing, (std::set<int>{447, 511, 639, 671, 681, 703, 767, 795, 807, 871, 894, 895, 937, 959}));
}

TEST(Nicomachus, CubesAsOddSums) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"3", "3×3×3=27=7+9+11"}, {"1", "1×1×1=1=1"}, {"0", "0×0×0=0=1"}, {"", "0×0×0=0=1"}, {"2", "2×2×2=8=3+5"}};
    for (const Case& c : cases) EXPECT_EQ(nicomachus(c.in).result, c.out) << c.in;
    for (int n = 1; n <= 200; ++n) {
        std::string r = *nicomachus(std::to_string(n)).result;
        std::string sum = r.substr(r.rfind('=') + 1);
        long long total = 0, count = 0;
        for (std::size_t s = 0, e; s < sum.size(); s = e + 1, ++count) {
            e = std::min(sum.find('+', s), sum.size());
            total += std::stoll(sum.substr(s, e - s));
        }
        EXPECT_EQ(total, 1LL * n * n * n) << n;
        EXPECT_EQ(count, n);
    }
    std::string r999 = *nicomachus("999").result;
    EXPECT_EQ(r999.rfind("999×999×999=997002999=997003+997005+", 0), 0u);
    EXPECT_EQ(r999.substr(r999.rfind('+')), "+998999");
    EXPECT_TRUE(nicomachus("16384").messages.empty());
    for (const char* in : {"16385", "2e4", "1e5", "9e9"}) {
        Verification v = nicomachus(in);
        EXPECT_EQ(v.messages, Messages{"发生错误"}) << in;
        EXPECT_FALSE(v.result.has_value()) << in;
    }
}
