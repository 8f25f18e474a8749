// The surplus rule: classes with and without -opt (negative totals included), the M factories
// standing in for L ones, and the class of a mix of sizes with and without -xl.
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

TEST_F(Surplus, MCountForL) {
    constexpr int EXPECTED[][2] = {
        { 0, 0 }, { 1, 3 }, { 2, 5 }, { 3, 8 }, { 4, 10 }, { 5, 13 }, { -3, 0 }, { -1, 0 }
    };
    for (const auto& row : EXPECTED) EXPECT_EQ(MCountForL(row[0]), row[1]) << "L count " << row[0];
}

TEST_F(Surplus, ClassOfSizesCountsLAsStandInsWithoutXl) {
    run.opt.xl = 1;
    EXPECT_EQ(SurplusClassOfSizes(0, 0, 1, 0), 2);  // 5 units
    run.opt.xl = 0;
    EXPECT_EQ(SurplusClassOfSizes(0, 0, 1, 0), 1);  // 6 units: 3 M crystal factories
    EXPECT_EQ(SurplusClassOfSizes(5, 1, 1, 0), 1);  // the crystal race example: 13 units
    run.opt.xl = 1;
    EXPECT_EQ(SurplusClassOfSizes(5, 1, 1, 0), 2);  // 12 units
    EXPECT_EQ(SurplusClassOfSizes(0, 0, 0, 1), 2);  // 10 units
}

TEST_F(Surplus, MarkOfEveryClass) {
    EXPECT_EQ(SurplusMarkOf(0), '-');
    EXPECT_EQ(SurplusMarkOf(1), 'S');
    EXPECT_EQ(SurplusMarkOf(2), 'M');
    EXPECT_EQ(SurplusMarkOf(3), 'F');
    EXPECT_EQ(SurplusMarkOf(-1), 'F');
}

}  // namespace
