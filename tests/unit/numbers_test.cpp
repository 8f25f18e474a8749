// Whole numbers from doubles: halves go away from zero and a negative value that rounds to
// zero keeps its minus sign, unlike the C library's "%.0f" on its own.
#include "report/report.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

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
    { 393.5, "394" },
    { 5.7399999999999999, "6" },
    { 1e15 + 0.5, "1000000000000001" },
};

std::string shown(double value) {
    char text[64];
    snprintf(text, sizeof text, "%.0f", roundHalfAway(value));
    return text;
}

TEST(RoundHalfAway, ShowsWholeNumbers) {
    for (const Row& row : ROUNDING) EXPECT_EQ(shown(row.value), row.text) << "value " << row.value;
}

// The sales figures that meet a half: 5.71 x EAG - 0.49 for EAG 69 and 169.
TEST(RoundHalfAway, OreSalesOnHalves) {
    const double margin = 0.49000000000000005;
    EXPECT_EQ(shown(5.71 * 169 - margin), "965");
    EXPECT_EQ(shown(5.71 * 69 - margin), "394");
    EXPECT_EQ(shown(5.71 * 0 - margin), "-0");
}

}  // namespace
