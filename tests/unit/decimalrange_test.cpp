// Decimals at the edges of the double range and beyond 15 digits. Each
// standard library reads them its own way (from_chars, or strtod where
// from_chars has no doubles), and every platform must give the same value.
#include <gtest/gtest.h>

#include <cfloat>
#include <limits>
#include <optional>

#include "framework/numconv.h"

using namespace kz;

TEST(DecimalRange, EveryLibraryReadsTheSameDouble) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"1e-310", 1e-310},  // subnormal: a value, not an underflow
        {"4.9e-324", std::numeric_limits<double>::denorm_min()},
        {"2.4e-324", 0},  // rounds to zero
        {"-2.4e-324", 0},
        {"0e999999", 0},  // zero digits never overflow
        {"1.7976931348623157e308", DBL_MAX},
        {"0.1000000000000000055511151231257827", 0.1},  // correctly rounded
        {"9007199254740993", 9007199254740992.0},       // halfway: to even
        {"123456789012345678", 123456789012345680.0},
        {"2.2250738585072011e-308", 2.225073858507201e-308},  // the largest subnormal
    };
    for (const auto& c : cases) {
        EXPECT_EQ(leadingNumber(c.text), c.value) << c.text;
        EXPECT_EQ(tryStrictNumber(c.text), std::optional<double>(c.value)) << c.text;
    }
}

TEST(DecimalRange, RoundingToInfinityIsAnOverflow) {
    for (const char* text : {"1.7976931348623159e308", "-1e309", "1e400"}) {
        try {
            leadingNumber(text);
            ADD_FAILURE() << text << ": no overflow";
        } catch (const NumFailure& e) {
            EXPECT_EQ(e.kind(), FailureKind::Overflow) << text;
        }
    }
}
