// Whole numbers from doubles: halves go away from zero and a negative value that rounds to
// zero keeps its minus sign, unlike the C library's "%.0f" on its own; written as "%.0f" would.
#include "report/report.h"

#include <gtest/gtest.h>

namespace {

struct Row {
    double value;
    const char* text;
};

constexpr Row ROUNDING[] = {
    { 964.5, "965" },  // the library alone would give 964
    { 965.5, "966" },
    { 0.5, "1" },
    { 2.5, "3" },
    { -0.5, "-1" },
    { -2.5, "-3" },
    { -0.49, "-0" },  // the sign survives
    { -0.0, "-0" },
    { 0.49, "0" },
    { 0.49999999999999994, "0" },  // adding 0.5 first would round this up to 1
    { -0.49999999999999994, "-0" },
    { 4503599627370497.0, "4503599627370497" },  // 2^52 + 1: adding 0.5 would round to even
    { 1e15 + 0.5, "1000000000000001" },
    { 1e20, "100000000000000000000" },  // beyond a 64-bit integer: written out in full
    { -1e20, "-100000000000000000000" },
};

TEST(RoundHalfAway, ShowsWholeNumbers) {
    for (const Row& row : ROUNDING) {
        char text[64];
        TextOut out = { text, 0, sizeof text };
        putWhole(out, roundHalfAway(row.value));
        EXPECT_STREQ(text, row.text) << "value " << row.value;
    }
}

}  // namespace
