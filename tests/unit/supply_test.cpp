// The pure parts of the supply calculation: the energy demand's exact doubles, the greedy SKW
// allocation at its thresholds, and the split of a food chain demand, negative ones included.
#include "supply/supply.h"

#include <gtest/gtest.h>

namespace {

struct AllocationRow {
    int demand;
    SkwTotals expected;
    int remainder;
};

constexpr AllocationRow ALLOCATIONS[] = {
    { 0, { 0, 0, 0 }, 0 },
    { 9640, { 1, 0, 0 }, 0 },
    { 9641, { 0, 1, 0 }, 9641 - 24100 },  // one L, not two M
    { 33740, { 1, 1, 0 }, 0 },
    { 33741, { 0, 0, 1 }, 33741 - 48200 },
    { 48200, { 0, 0, 1 }, 0 },
    { 81940, { 1, 1, 1 }, 0 },  // 33740 left after the XL takes an L and an M
    { 82000, { 0, 0, 2 }, 82000 - 2 * 48200 },
    { -5000, { 0, 0, 0 }, -5000 },  // a negative demand allocates nothing
};

TEST(Allocation, Thresholds) {
    for (const AllocationRow& row : ALLOCATIONS) {
        int remainder = 1;
        SkwTotals skw = allocateSkw(row.demand, SkwTotals{ 0, 0, 0 }, &remainder);
        EXPECT_EQ(skw.M, row.expected.M) << "demand " << row.demand;
        EXPECT_EQ(skw.L, row.expected.L) << "demand " << row.demand;
        EXPECT_EQ(skw.XL, row.expected.XL) << "demand " << row.demand;
        EXPECT_EQ(remainder, row.remainder) << "demand " << row.demand;
    }
}

TEST(Allocation, StartsFromTheSalePlants) {
    int remainder = 0;
    SkwTotals skw = allocateSkw(9640, SkwTotals{ 2, 1, 3 }, &remainder);
    EXPECT_EQ(skw.M, 3);
    EXPECT_EQ(skw.L, 1);
    EXPECT_EQ(skw.XL, 3);
}

TEST(EnergyDemand, SiliconRateIsJustBelow37Point2) {
    InputRecord in{};
    in.SAG = 10;
    EXPECT_EQ(computeEnergyDemand(in), 371);  // 371.99999999999994 truncated
}

TEST(EnergyDemand, SumsEveryKindOfFactory) {
    InputRecord in{};
    in.EAG = 2;                   // 68.52
    in.L1G = 2;                   // 1800
    in.L2G = 5;                   // 9000
    in.KG = 2;                    // 7200
    in.special[SPECIAL_SBF] = 1;  // 3600
    in.race[RACE_E].NF = 1;       // 3600, extra races count too
    EXPECT_EQ(computeEnergyDemand(in), 25268);
    in.EAG = -3;  // -102.78 truncates toward zero
    in.L1G = in.L2G = in.KG = in.special[SPECIAL_SBF] = in.race[RACE_E].NF = 0;
    EXPECT_EQ(computeEnergyDemand(in), -102);
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
        EXPECT_EQ(s.XL, e.XL) << "demand " << row.demand << " xl " << row.xl;
        EXPECT_EQ(s.restAfterXL, e.restAfterXL) << "demand " << row.demand << " xl " << row.xl;
        EXPECT_EQ(s.L, e.L) << "demand " << row.demand << " xl " << row.xl;
        EXPECT_EQ(s.restAfterL, e.restAfterL) << "demand " << row.demand << " xl " << row.xl;
        EXPECT_EQ(s.M, e.M) << "demand " << row.demand << " xl " << row.xl;
        EXPECT_EQ(s.restAfterM, e.restAfterM) << "demand " << row.demand << " xl " << row.xl;
    }
}

}  // namespace
