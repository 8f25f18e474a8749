// Food chains: a Level 2 food factory with its Level 1 supplier, sized in pairs of XL, L and M
// for each special factory kind and each race. The crystal race's chain also feeds every crystal
// factory of the complex.
#include "input/input.h"
#include "report/report.h"
#include "supply/supply.h"

namespace {

// The crystal race's chain takes over the crystal supply: KG joins its NF and its surplus
// class is worked out again over the whole demand. Returns the chain's demand.
int takeCrystalSupply(int r) {
    const SkwTotals& skw = run.skw;
    RaceLevel3& race = run.in.race[r];
    race.NF += run.in.KG;
    race.mark2O = SurplusClassOfSizes(race.NF, skw.M, skw.L, skw.XL);
    appendDiagnosticsRecord("\n%cN\334: %i", RACES[r].code, race.mark2O);
    return race.NF + race.mark2O + unitsOfSizes(skw.M, skw.L, skw.XL);  // food of the plants' crystal factories
}

// Splits the demand and says the chain's line; a split that leaves a remainder also gets the
// error lines on the console and in the diagnostics file.
void sayChain(Console& con, const Label& chain, const Label& count, int demand, int mark2O, bool opensGroup) {
    ChainSizes sizes = splitDemand(demand, run.opt.xl);
    appendDiagnosticsRecord("XL%i/%i ", sizes.XL, sizes.restAfterXL);
    appendDiagnosticsRecord("L%i/%i ", sizes.L, sizes.restAfterL);
    appendDiagnosticsRecord("M%i/%i ", sizes.M, sizes.restAfterM);
    if (sizes.restAfterM != 0) {  // chain does not split evenly?
        fprintf(con.out, "\n\nFehler in der Berechnung der %s", count.console);
        writeToFile(FILE_DIAGNOSTICS, "a", "\nFehler in der Berechnung der %s", count.file);
    }
    SkwTotals pairs = { sizes.M, sizes.L, sizes.XL };
    ResultRow row = countsRow(ROW_FACTORIES, chain, pairs, run.opt.xl ? SHOW_ALL : SHOW_M_L, SurplusMarkOf(mark2O));
    row.gap = opensGroup;
    printResult(con, run.opt.xl ? LINE_CHAIN_XL : LINE_CHAIN, row);
}

}  // namespace

// Splits a demand in size units greedily into XL pairs (10, only with xl), L pairs (5) and
// M pairs (2), with truncating division; the last remainder is 0 for non-negative demands.
ChainSizes splitDemand(int demand, int xl) {
    ChainSizes sizes{};
    int rest = demand;
    if (xl) {
        sizes.XL = rest / 10;
        rest %= 10;
    }
    sizes.restAfterXL = rest;
    sizes.L = rest / 5;
    sizes.restAfterL = rest %= 5;
    sizes.M = rest / 2;
    sizes.restAfterM = rest % 2;
    return sizes;
}

// The chains of the special factories; a kind with no factories above 0 has none.
void computeSpecialChains(Console& con) {
    const InputRecord& in = run.in;
    for (int s = 0; s < SPECIAL_COUNT; ++s) {
        if (in.special[s] <= 0) continue;  // no such special factories?
        int demand = in.special[s] + in.specialMark2O[s];
        appendDiagnosticsRecord(s == 0 ? "\n\n%s: %i " : "\n%s: %i ", SPECIALS[s].chainCode, demand);
        sayChain(con, SPECIALS[s].chain, SPECIALS[s].chainCount, demand, in.specialMark2O[s], s == 0);
    }
}

// The chains of races firstRace..endRace-1, named or, for extra races answered 'n', numbered.
void computeRaceChains(Console& con, int firstRace, int endRace) {
    for (int r = firstRace; r < endRace; ++r) {
        const RaceInfo& info = RACES[r];
        const RaceLevel3& race = run.in.race[r];
        int demand = race.NF + race.mark2O;
        if (info.crystalLetter == run.in.crystalRace) demand = takeCrystalSupply(r);
        appendDiagnosticsRecord("\n%cNP: %i ", info.code, demand);
        bool numbered = info.numberedChain.console && run.opt.raceNamesAnswer == 'n';
        sayChain(con, numbered ? info.numberedChain : info.chain, info.chainCount, demand, race.mark2O, r == firstRace);
    }
}
