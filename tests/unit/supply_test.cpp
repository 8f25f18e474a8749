// The surplus rule and the split of a food chain demand, negative totals included: classes with
// and without -opt, the M factories standing in for L ones without -xl, and the greedy split
// with truncating division.
#include "supply/supply.h"

#include <gtest/gtest.h>

namespace {

struct ClassRow {
    int total;
    int plain;      // class without -opt
    int optimised;  // class with -opt
};

constexpr ClassRow CLASSES[] = {
    { 0, 0, 0 },  { 1, 1, 1 },   { 2, 2, 0 },  { 3, 1, 1 },
    { 4, 1, 0 },  { 5, 2, 0 },                                 // a positive multiple of 5 still gets an M of surplus
    { 7, 2, 0 },  { 9, 1, 0 },   { 12, 2, 0 }, { -1, 1, -1 },  // remainders keep the sign: -1 % 5 % 2 is -1
    { -2, 2, 0 }, { -3, 1, -1 }, { -5, 2, 0 },
};

class Surplus : public ::testing::Test {
protected:
    void SetUp() override { run = {}; }
};

TEST_F(Surplus, ClassOfEveryRow) {
    for (const ClassRow& row : CLASSES) {
        run.opt.optimise = 0;
        EXPECT_EQ(SurplusClass(row.total), row.plain) << "total " << row.total;
        run.opt.optimise = 1;
        EXPECT_EQ(SurplusClass(row.total), row.optimised) << "total " << row.total << " with -opt";
    }
}

TEST_F(Surplus, TopUpAlwaysSplitsIntoWholeFactories) {
    for (int optimise = 0; optimise <= 1; ++optimise) {
        run.opt.optimise = optimise;
        for (int total = 0; total <= 200; ++total) {
            int rest = (total + SurplusClass(total)) % 5;
            EXPECT_TRUE(rest == 0 || rest == 2 || rest == 4) << "total " << total << " opt " << optimise;
        }
    }
}

TEST_F(Surplus, ClassOfSizesCountsLAsStandInsWithoutXl) {
    run.opt.xl = 1;
    EXPECT_EQ(SurplusClassOfSizes(0, 0, 1, 0), 2);  // 5 units
    EXPECT_EQ(SurplusClassOfSizes(5, 1, 1, 0), 2);  // 12 units
    EXPECT_EQ(SurplusClassOfSizes(0, 0, 0, 1), 2);  // 10 units
    run.opt.xl = 0;
    EXPECT_EQ(SurplusClassOfSizes(0, 0, 1, 0), 1);   // 6 units: 3 M crystal factories
    EXPECT_EQ(SurplusClassOfSizes(5, 1, 1, 0), 1);   // the crystal race example: 13 units
    EXPECT_EQ(SurplusClassOfSizes(0, 0, -3, 0), 0);  // typed negative L plants stand for no M ones
}

struct SplitRow {
    int demand;
    int xl;
    ChainSizes expected;
};

constexpr SplitRow SPLITS[] = {
    { 7, 0, { 0, 7, 1, 2, 1, 0 } },        { 10, 0, { 0, 10, 2, 0, 0, 0 } },  // two L pairs without -xl
    { 10, 1, { 1, 0, 0, 0, 0, 0 } },       { 24, 1, { 2, 4, 0, 4, 2, 0 } },
    { -3, 0, { 0, -3, 0, -3, -1, -1 } },  // remainders keep the sign: an error case
    { -13, 1, { -1, -3, 0, -3, -1, -1 } },
};

TEST(SplitDemand, GreedyWithTruncatingDivision) {
    for (const SplitRow& row : SPLITS) {
        ChainSizes s = splitDemand(row.demand, row.xl);
        const ChainSizes& e = row.expected;
        const int got[] = { s.XL, s.restAfterXL, s.L, s.restAfterL, s.M, s.restAfterM };
        const int want[] = { e.XL, e.restAfterXL, e.L, e.restAfterL, e.M, e.restAfterM };
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(got[i], want[i]) << "demand " << row.demand << " xl " << row.xl << " field " << i;
    }
}

}  // namespace
