// Ore mines: the ore per hour that the special factories taking ore (the Gefechtskopffabriken) and the ore-based
// Level 3 factories need, and the total yield the complex's own L (or XL) ore mines must have.
#include "supply/supply.h"

namespace {

constexpr int ORE_PER_CONSUMER = 150;                    // ore per hour of one consumer
constexpr double ORE_PER_L_YIELD = 28.549999999999997;   // one step below 28.55
constexpr double ORE_PER_XL_YIELD = 57.099999999999994;  // one step below 57.1
constexpr double RECOMMENDED_MARGIN = 11.49;

constexpr Label NO_ORE = same("-kein Erzbedarf-");
constexpr Label ORE_MINES[] = { same("Erzminen Typ L"), same("Erzminen Typ XL") };

// The special factories that take ore and the ore-based Level 3 factories of all ten races.
int countOreConsumers(const InputRecord& in) {
    int consumers = countSpecialsTaking(in, MINERAL_ORE);
    for (const RaceLevel3& r : in.race) consumers += r.WF;
    return consumers;
}

// What the special factories that take ore and each race's ore-based factories take of the mines' ore.
void addOreFlows(int row, const InputRecord& in) {
    for (int s = 0; s < SPECIAL_COUNT; ++s) {
        if (SPECIALS[s].takes == MINERAL_ORE)
            addFlow(FLOW_ORE, row, SPECIALS[s].code, -1, ORE_PER_CONSUMER * in.special[s]);
    }
    for (int r = 0; r < RACE_COUNT; ++r) addFlow(FLOW_ORE, row, nullptr, r, ORE_PER_CONSUMER * in.race[r].WF);
}

// Ausreichend and Empfohlen in yield points for a demand ME and N consumers.
void sayOreLine(Console& con, float ME, int consumers) {
    double perYield = run.opt.xl ? ORE_PER_XL_YIELD : ORE_PER_L_YIELD;
    double yield = ME / perYield;
    int extraYield = consumers / 5;  // one point per five consumers
    double sufficient = roundHalfAway(yield + ROUNDING_MARGIN);
    double recommended = roundHalfAway((yield + extraYield) + RECOMMENDED_MARGIN);
    ResultRow row = valueRow(ROW_MINES, "ME", ORE_MINES[run.opt.xl], 2, sufficient, recommended);
    addFact(row, "ME", ME);
    addFact(row, "consumers", consumers);
    addFact(row, "perYield", perYield);
    addFact(row, "yield", yield);
    addFact(row, "extraYield", extraYield);
    addFact(row, "reserve", static_cast<int>(RECOMMENDED_MARGIN));  // whole yield points; the rest rounds up
    addOreFlows(printResult(con, LINE_ORE, row), run.in);
}

}  // namespace

// Works out the ore demand ME (typed over with -m), records it and says the mines header and the ore mine line.
void computeOre(Console& con, Answers& answers) {
    int consumers = countOreConsumers(run.in);
    float ME = static_cast<float>(ORE_PER_CONSUMER * consumers);
    if (run.opt.manual) ME = askManualDemand(answers, MANUAL_ME, ME);
    appendDiagnosticsRecord("\n\nME: %.0f", roundHalfAway(ME));
    printResultText(con, LINE_MINES_HEADING);
    if (ME == 0) {
        ResultRow none = noteRow("ME", NO_ORE);
        addFact(none, "ME", 0);
        printResult(con, LINE_NO_ORE, none);
    }
    if (ME > 0) sayOreLine(con, ME, consumers);
}
