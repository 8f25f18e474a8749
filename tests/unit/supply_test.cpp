// The surplus rule and the split of a food chain demand, negative totals included: classes with
// and without -opt, the M factories standing in for L ones without -xl, and the greedy split
// with truncating division.
#include "supply/supply.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

namespace {

// Totals with their classes without and with -opt. A positive multiple of 5 still gets an M of surplus; remainders keep
// the sign: -1 % 5 % 2 is -1.
TEST(Surplus, ClassOfEveryRow) {
    run = {};
    std::istringstream rows(
        "0 0 0  1 1 1  2 2 0  3 1 1  4 1 0  5 2 0  7 2 0  9 1 0  12 2 0  -1 1 -1  -2 2 0  -3 1 -1  -5 2 0");
    for (int total, plain, optimised; rows >> total >> plain >> optimised;) {
        run.opt.optimise = 0;
        EXPECT_EQ(SurplusClass(total), plain) << "total " << total;
        run.opt.optimise = 1;
        EXPECT_EQ(SurplusClass(total), optimised) << "total " << total << " with -opt";
    }
}

TEST(Surplus, ClassOfSizesCountsLAsStandInsWithoutXl) {
    run = {};
    run.opt.xl = 1;
    EXPECT_EQ(SurplusClassOfSizes(0, 0, 1, 0), 2);  // 5 units
    EXPECT_EQ(SurplusClassOfSizes(5, 1, 1, 0), 2);  // 12 units
    EXPECT_EQ(SurplusClassOfSizes(0, 0, 0, 1), 2);  // 10 units
    run.opt.xl = 0;
    EXPECT_EQ(SurplusClassOfSizes(0, 0, 1, 0), 1);   // 6 units: 3 M crystal factories
    EXPECT_EQ(SurplusClassOfSizes(5, 1, 1, 0), 1);   // the crystal race example: 13 units
    EXPECT_EQ(SurplusClassOfSizes(0, 0, -3, 0), 0);  // typed negative L plants stand for no M ones
}

// A demand and -xl, then XL pairs and the rest after them, L pairs and their rest, M pairs and their rest. Two L pairs
// for 10 without -xl; remainders keep the sign for a negative demand, an error case.
TEST(SplitDemand, GreedyWithTruncatingDivision) {
    for (const char* row : { "7 0: 0 7 1 2 1 0", "10 0: 0 10 2 0 0 0", "10 1: 1 0 0 0 0 0", "24 1: 2 4 0 4 2 0",
                             "-3 0: 0 -3 0 -3 -1 -1", "-13 1: -1 -3 0 -3 -1 -1" }) {
        int demand = 0, xl = 0;
        sscanf(row, "%d %d", &demand, &xl);
        ChainSizes s = splitDemand(demand, xl);
        char got[64];
        snprintf(got, sizeof got, "%d %d: %d %d %d %d %d %d", demand, xl, s.XL, s.restAfterXL, s.L, s.restAfterL, s.M,
                 s.restAfterM);
        EXPECT_STREQ(got, row);
    }
}

}  // namespace
