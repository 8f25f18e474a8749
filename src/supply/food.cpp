// Food chains: a Level 2 food factory with its Level 1 supplier, sized in pairs of XL, L and M for each special
// factory kind and each race. The crystal race's chain also feeds every crystal factory of the complex.
#include "supply/supply.h"

namespace {

// The crystal race's chain takes over the crystal supply: KG joins its NF and its surplus class is worked out
// again over the whole demand. Returns the chain's demand.
int takeCrystalSupply(int r, int plantUnits) {
    RaceLevel3& race = run.in.race[r];
    race.NF += run.in.KG;
    race.mark2O = SurplusClassOfSizes(race.NF, run.skw.M, run.skw.L, run.skw.XL);
    appendDiagnosticsRecord("\n%cN\334: %i", RACES[r].code, race.mark2O);
    return race.NF + race.mark2O + plantUnits;  // food of the plants' crystal factories
}

// What a chain's line feeds: the code behind "NP." in the line's code.
constexpr const char* fedBy(const char* rowCode) { return rowCode + 3; }

// A chain's line before its split: its kind and code, its name and whom it is for, whether it opens a group, and
// the demand it comes from.
ResultRow chainRow(RowKind kind, const char* code, const Label& name, const char* forWhom, bool opensGroup,
                   const char* demandCode, int demand) {
    ResultRow row = countsRow(kind, code, name, SkwTotals{}, '\0');
    row.feeds = fedBy(code);
    row.race = forWhom;
    row.pairs = 1;
    row.gap = opensGroup;
    addFact(row, demandCode, demand);
    return row;
}

// Splits the demand and says the chain's line; a split that leaves a remainder also gets the error lines on the
// console and in the diagnostics file. Returns the line's row.
int sayChain(Console& con, ResultRow row, const Label& count, int demand, int mark2O) {
    ChainSizes sizes = splitDemand(demand, run.opt.xl);
    appendDiagnosticsRecord("XL%i/%i ", sizes.XL, sizes.restAfterXL);
    appendDiagnosticsRecord("L%i/%i ", sizes.L, sizes.restAfterL);
    appendDiagnosticsRecord("M%i/%i ", sizes.M, sizes.restAfterM);
    if (sizes.restAfterM != 0) {  // chain does not split evenly?
        char error[96];
        TextOut out = { error, 0, sizeof error };
        formatText(out, "\n\nFehler in der Berechnung der %s", count.console);
        putString(con.out, error);
        keepMessage(ABOUT_ROW, run.rowCount, error);
        writeToFile(FILE_DIAGNOSTICS, "a", "\nFehler in der Berechnung der %s", count.file);
    }
    row.count[SIZE_M] = sizes.M;
    row.count[SIZE_L] = sizes.L;
    row.count[SIZE_XL] = sizes.XL;
    row.mark = SurplusMarkOf(mark2O);
    addFact(row, "2O", mark2O);
    addFact(row, "XL", sizes.XL);
    addFact(row, "restXL", sizes.restAfterXL);
    addFact(row, "L", sizes.L);
    addFact(row, "restL", sizes.restAfterL);
    addFact(row, "M", sizes.M);
    addFact(row, "restM", sizes.restAfterM);
    return printResult(con, run.opt.xl ? LINE_CHAIN_XL : LINE_CHAIN, row);
}

}  // namespace

// Splits a demand in size units greedily into XL pairs (10, only with xl), L pairs (5) and M pairs (2), with
// truncating division; the last remainder is 0 for non-negative demands.
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
        const SpecialInfo& info = SPECIALS[s];
        int demand = in.special[s] + in.specialMark2O[s];
        appendDiagnosticsRecord(s == 0 ? "\n\n%s: %i " : "\n%s: %i ", info.chainCode, demand);
        ResultRow row =
            chainRow(ROW_SPECIAL_CHAIN, info.rowCode, info.chain, info.name, s == 0, info.chainCode, demand);
        addFact(row, info.code, in.special[s]);
        int said = sayChain(con, row, info.chainCount, demand, in.specialMark2O[s]);
        addFlow(FLOW_FOOD, said, info.code, -1, in.special[s]);
    }
}

// The chains of races firstRace..endRace-1, named or, for extra races answered 'n', numbered.
void computeRaceChains(Console& con, int firstRace, int endRace) {
    int plantUnits = unitsOfSizes(run.skw.M, run.skw.L, run.skw.XL);
    for (int r = firstRace; r < endRace; ++r) {
        const RaceInfo& info = RACES[r];
        const RaceLevel3& race = run.in.race[r];
        int level3 = race.NF;
        bool feedsCrystals = info.crystalLetter == run.in.crystalRace;
        int demand = feedsCrystals ? takeCrystalSupply(r, plantUnits) : race.NF + race.mark2O;
        appendDiagnosticsRecord("\n%s: %i ", info.chainCode, demand);
        bool numbered = info.numberedChain.console && run.opt.raceNamesAnswer == 'n';
        ResultRow row = chainRow(ROW_RACE_CHAIN, info.rowCode, numbered ? info.numberedChain : info.chain,
                                 numbered ? info.numberedName : info.name, r == firstRace, info.chainCode, demand);
        addFact(row, "NF", level3);
        if (feedsCrystals) {
            addFact(row, "KG", run.in.KG);
            addFact(row, "KF", plantUnits);
        }
        int said = sayChain(con, row, info.chainCount, demand, race.mark2O);
        addFlow(FLOW_FOOD, said, nullptr, r, level3);
        if (!feedsCrystals) continue;
        addFlow(FLOW_FOOD, said, "KG", -1, run.in.KG);
        addFlow(FLOW_FOOD, said, "KF", -1, plantUnits);
    }
}
