// M factories standing in for negative L ones; the greedy split of a food chain demand, truncating, negatives too.
#include "supply/supply.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// Typed negative L plants stand for no M crystal factories (the other surplus classes: golden cases, e.g. crystal-1).
TEST(Surplus, NegativeLPlantsStandForNoMFactories) {
    run = {};
    EXPECT_EQ(SurplusClassOfSizes(0, 0, -3, 0), 0);
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
