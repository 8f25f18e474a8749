// Crystal factories for the solar power plants, of the race the user picked, and for no race
// ("u") the food factories that feed them. Ends the first section of Ergebnis.txt.
#include "input/input.h"
#include "report/report.h"
#include "supply/supply.h"

#include <cassert>

namespace {

constexpr Label FOOD_NAME = same("L2 + L1 Fabriken:");

// The crystal factories' label of the race that makes them.
const Label& crystalsOf(char letter) {
    if (letter == NO_CRYSTAL_RACE) return NO_CRYSTAL_RACE_LABEL;
    for (const RaceInfo& race : RACES) {
        if (race.crystalLetter == letter) return race.crystals;
    }
    assert(!"crystal race letter without a race");
    return NO_CRYSTAL_RACE_LABEL;
}

// Without -xl: M crystal factories standing in for all plants, 5 per XL plant, MCountForL of
// the L plants, one per M plant.
int crystalMCount(const SkwTotals& skw) { return 5 * skw.XL + MCountForL(skw.L) + skw.M; }

// Food pairs for the crystal factories of the plants and those for sale (KG), when no race
// feeds them. Without -xl an odd L plant's 3 M crystal factories need one L and one M pair; the
// KG share splits greedily into XL, L and M, and an odd size unit left over is dropped.
SkwTotals crystalFood(const SkwTotals& skw, int KG, int xl) {
    if (xl) return SkwTotals{ skw.M + (KG % 5) / 2, skw.L + (KG % 10 - KG % 5) / 5, skw.XL + (KG - KG % 10) / 10 };
    return SkwTotals{ skw.M + skw.L % 2 + (KG % 5) / 2, skw.L + 2 * skw.XL + (KG - KG % 5) / 5, 0 };
}

// One line of counts: all three sizes with -xl, else the M (or L and M) counts with the mark.
void sayCounts(Console& con, const Label& name, const SkwTotals& counts, char mark, int shown, Line line) {
    ResultRow row = countsRow(ROW_FACTORIES, name, counts, run.opt.xl ? SHOW_ALL : shown, run.opt.xl ? '\0' : mark);
    printResult(con, run.opt.xl ? LINE_CRYSTALS_XL : line, row);
}

}  // namespace

// Says the crystal lines and, for no crystal race, the food lines; closes the first section of
// Ergebnis.txt. A picked race's chain feeds the crystal factories instead (food.cpp).
void computeCrystals(Console& con) {
    const SkwTotals& skw = run.skw;
    char mark = SurplusMarkOf(skw.L % 2);  // odd L plant: 3 M factories where 2.5 do
    SkwTotals crystals = run.opt.xl ? skw : SkwTotals{ crystalMCount(skw), 0, 0 };
    sayCounts(con, crystalsOf(run.in.crystalRace), crystals, mark, SHOW_M, LINE_CRYSTALS);
    if (run.in.crystalRace == NO_CRYSTAL_RACE) {
        sayCounts(con, FOOD_NAME, crystalFood(skw, run.in.KG, run.opt.xl), mark, SHOW_M_L, LINE_CRYSTAL_FOOD);
    }
    endResults();
}
