// Whole numbers from doubles: halves away from zero, a negative value rounding to zero keeps its minus (unlike "%.0f").
#include "report/report.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

// Values and their whole numbers. 964.5: the library alone gives 964; -0.49: the sign survives; 0.49999999999999994:
// adding 0.5 first would give 1; 2^52 + 1: adding 0.5 rounds to even; 1e20: beyond 64 bits, written in full.
constexpr char ROUNDING[] =
    "964.5 965  965.5 966  0.5 1  2.5 3  -0.5 -1  -2.5 -3  -0.49 -0  -0.0 -0  0.49 0  0.49999999999999994 0  "
    "-0.49999999999999994 -0  4503599627370497 4503599627370497  1000000000000000.5 1000000000000001  "
    "1e20 100000000000000000000  -1e20 -100000000000000000000";

TEST(RoundHalfAway, ShowsWholeNumbers) {
    std::istringstream rows(ROUNDING);
    for (std::string value, text; rows >> value >> text;) {
        char shown[64];
        TextOut out = { shown, 0, sizeof shown };
        putWhole(out, roundHalfAway(std::stod(value)));
        EXPECT_EQ(shown, text) << "value " << value;
    }
}

}  // namespace
