// Silicon mines: the silicon per hour for crystal factories, special and silicon-based Level 3 factories, and the
// total yield of the complex's own silicon mines at three levels.
#include "supply/supply.h"

namespace {

constexpr double SILICON_PER_UNIT = 37.5;  // silicon per hour of one size unit

struct SiliconRates {
    double perYield;     // silicon per hour of one yield point of the mine size
    double ezPerYield;   // EZ of surplus that one yield point covers (220.8 x perYield)
    double recommended;  // yield points added for Empfohlen
    Label mines;         // the line's name
};
constexpr SiliconRates L_MINES = { 7.75, 1711.2, 10.49, same("Siliziumminen Typ L") };
constexpr SiliconRates XL_MINES = { 15.5, 3422.4, 5.49, same("Siliziumminen Typ XL") };
constexpr Label NO_SILICON = same("-kein Siliziumbedarf-");

// Size units of the M crystal factories that stand in for the plants: two per M, MCountForL per L, ten per XL.
int plantCrystalUnits(const SkwTotals& skw) { return sizeUnits(skw.M + MCountForL(skw.L), 0, skw.XL); }

// Silicon units: crystal factories for sale, special and silicon-based Level 3 factories, and the plants' crystal
// factories.
int countSiliconUnits(const InputRecord& in, const SkwTotals& skw) {
    int units = in.KG + countSpecialsTaking(in, MINERAL_SILICON);
    for (const RaceLevel3& r : in.race) units += r.OF;
    return units + plantCrystalUnits(skw);
}

// The margin count behind Empfohlen: one yield point more for every five of these.
int countMarginUnits(const InputRecord& in) {
    int silicon = countSpecialsTaking(in, MINERAL_SILICON);
    int ore = countSpecialsTaking(in, MINERAL_ORE);
    for (const RaceLevel3& r : in.race) {
        silicon += r.OF;
        ore += r.WF;
    }
    return in.L1G + in.L2G + 2 * silicon + ore;
}

// What each consumer takes of the mines' silicon.
void addSiliconFlows(int row, const InputRecord& in, const SkwTotals& skw) {
    addFlow(FLOW_SILICON, row, "KG", -1, SILICON_PER_UNIT * in.KG);
    addFlow(FLOW_SILICON, row, "KF", -1, SILICON_PER_UNIT * plantCrystalUnits(skw));
    for (int s = 0; s < SPECIAL_COUNT; ++s) {
        if (SPECIALS[s].takes == MINERAL_SILICON) {
            addFlow(FLOW_SILICON, row, SPECIALS[s].code, -1, SILICON_PER_UNIT * in.special[s]);
        }
    }
    for (int r = 0; r < RACE_COUNT; ++r) addFlow(FLOW_SILICON, row, nullptr, r, SILICON_PER_UNIT * in.race[r].OF);
}

void saySiliconLine(Console& con, float MS) {
    const SiliconRates& rates = run.opt.xl ? XL_MINES : L_MINES;
    int surplusEZ = run.EnergyRemainder < 0 ? -run.EnergyRemainder : 0;
    int extraYield = countMarginUnits(run.in) / 5;  // one point per five margin units
    double yield = MS / rates.perYield;
    // the surplus EZ need no silicon of their own, nor does an odd sale L plant's half crystal factory
    double criticalYield =
        ((MS - SILICON_PER_UNIT * run.in.saleSkwLOdd) / rates.perYield) - (surplusEZ / rates.ezPerYield);
    double critical = roundHalfAway(criticalYield + ROUNDING_MARGIN);
    double sufficient = roundHalfAway(yield + ROUNDING_MARGIN);
    double recommended = roundHalfAway((yield + extraYield) + rates.recommended);
    ResultRow row = valueRow(ROW_MINES, "MS", rates.mines, 3, critical, sufficient, recommended);
    addFact(row, "MS", MS);
    addFact(row, "surplusEZ", surplusEZ);
    addFact(row, "saleSkwLOdd", run.in.saleSkwLOdd);
    addFact(row, "perYield", rates.perYield);
    addFact(row, "ezPerYield", rates.ezPerYield);
    addFact(row, "yield", yield);
    addFact(row, "criticalYield", criticalYield);
    addFact(row, "extraYield", extraYield);
    addFact(row, "reserve", static_cast<int>(rates.recommended));  // whole yield points; the rest rounds up
    addSiliconFlows(printResult(con, LINE_SILICON, row), run.in, run.skw);
}

}  // namespace

// Works out the silicon demand into run.MS (typed over with -m), records it and says the silicon mine line, or the
// no-demand line that carries the console's end banner.
void computeSilicon(Console& con, Answers& answers) {
    float MS = static_cast<float>(SILICON_PER_UNIT * countSiliconUnits(run.in, run.skw));
    if (run.opt.manual) MS = askManualDemand(answers, MANUAL_MS, MS);
    run.MS = MS;
    appendDiagnosticsRecord("\nMS: %.0f\n\n\n%s", roundHalfAway(MS), VERSION_LINE);
    if (MS == 0) {
        ResultRow none = noteRow("MS", NO_SILICON);
        addFact(none, "MS", 0);
        printResult(con, LINE_NO_SILICON, none);
    }
    if (MS > 0) saySiliconLine(con, MS);
}
