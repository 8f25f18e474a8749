// Crystal factories for the solar power plants, of the race the user picked, and for no race ("u") the food
// factories that feed them. A picked race's chain feeds the crystal factories instead (food.cpp).
#include "supply/supply.h"

#include <cassert>

namespace {

constexpr Label FOOD_NAME = same("L2 + L1 Fabriken:");

// The race that makes the crystal factories, or null for none.
const RaceInfo* crystalRaceOf(char letter) {
    if (letter == NO_CRYSTAL_RACE) return nullptr;
    for (const RaceInfo& race : RACES) {
        if (race.crystalLetter == letter) return &race;
    }
    assert(false && "crystal race letter without a race");
    return nullptr;
}

// Without -xl: M crystal factories standing in for all plants, 5 per XL plant, MCountForL of the L plants, one
// per M plant.
int crystalMCount(const SkwTotals& skw) { return 5 * skw.XL + MCountForL(skw.L) + skw.M; }

// Food pairs for the crystal factories of the plants and those for sale (KG), when no race feeds them. Without -xl
// an odd L plant's 3 M crystal factories need one L and one M pair; the KG share splits greedily into XL, L and
// M, and an odd size unit left over is dropped.
SkwTotals crystalFood(const SkwTotals& skw, int KG, int xl) {
    if (xl) return SkwTotals{ skw.M + (KG % 5) / 2, skw.L + (KG % 10 - KG % 5) / 5, skw.XL + (KG - KG % 10) / 10 };
    return SkwTotals{ skw.M + skw.L % 2 + (KG % 5) / 2, skw.L + 2 * skw.XL + (KG - KG % 5) / 5, 0 };
}

// One line of counts: all three sizes with -xl, else the M (or L and M) counts with the mark.
int sayCounts(Console& con, ResultRow row, Line line) {
    const SkwTotals& skw = run.skw;
    addFact(row, "XL", skw.XL);
    addFact(row, "L", skw.L);
    addFact(row, "M", skw.M);
    return printResult(con, run.opt.xl ? LINE_CRYSTALS_XL : line, row);
}

}  // namespace

// Says the crystal lines and, for no crystal race, the food lines.
void computeCrystals(Console& con) {
    const SkwTotals& skw = run.skw;
    char mark = SurplusMarkOf(skw.L % 2);  // odd L plant: 3 M factories where 2.5 do
    int units = unitsOfSizes(skw.M, skw.L, skw.XL);
    SkwTotals crystals = run.opt.xl ? skw : SkwTotals{ crystalMCount(skw), 0, 0 };
    const RaceInfo* race = crystalRaceOf(run.in.crystalRace);
    ResultRow row = countsRow(ROW_CRYSTALS, "KF", race ? race->crystals : NO_CRYSTAL_RACE_LABEL, crystals, mark);
    row.feeds = "SKW";
    row.race = race ? race->name : nullptr;
    // the plants for sale take what their crystal factories would need alone; the complex's own plants the rest
    SkwTotals sale = salePlants(run.in);
    int forSale = unitsOfSizes(sale.M, sale.L, sale.XL);
    int said = sayCounts(con, row, LINE_CRYSTALS);
    addFlow(FLOW_CRYSTALS, said, "SKW", -1, units - forSale);
    addFlow(FLOW_CRYSTALS, said, "saleSkw", -1, forSale);
    if (run.in.crystalRace != NO_CRYSTAL_RACE) return;
    ResultRow food = countsRow(ROW_CRYSTAL_FOOD, "KFNP", FOOD_NAME, crystalFood(skw, run.in.KG, run.opt.xl), mark);
    food.feeds = "KF";
    food.pairs = 1;
    addFact(food, "KG", run.in.KG);
    int foodRow = sayCounts(con, food, LINE_CRYSTAL_FOOD);
    addFlow(FLOW_FOOD, foodRow, "KF", -1, units);
    addFlow(FLOW_FOOD, foodRow, "KG", -1, run.in.KG);
}
