// Energy demand and solar power plants (SKW): the EZ per hour the factories for sale need, covered greedily by
// XL, L and M plants; with -m the user may replace demand and counts.
#include "supply/supply.h"

namespace {

constexpr double EZ_PER_ORE_UNIT = 34.26;                   // per size unit of ore yield for sale
constexpr double EZ_PER_SILICON_UNIT = 37.199999999999996;  // the double just below 37.2
constexpr int EZ_PER_L1_UNIT = 900;
constexpr int EZ_PER_L2_UNIT = 1800;
constexpr int EZ_PER_FACTORY = 3600;  // special, Level 3, crystal size unit
static_assert(EZ_PER_SILICON_UNIT < 37.2);

// An XL plant is taken only when an L and an M would not suffice (24100 + 9640).
constexpr int XL_THRESHOLD = 33740;
// EZ per hour of SKW capacity that the production figures leave out, per plant.
constexpr int UNCOUNTED_EZ[SIZE_COUNT] = { 276, 690, 1380 };

constexpr Label SKW_NAME = same("Sonnenkraftwerke:");
constexpr Label UNCOUNTED_NAME = {
    "Unberuecksichtigter SKW-Kapazitaets-Ueberschuss:",
    "Unber\374cksichtigter SKW-Kapazit\344ts-\334berschuss:",
};

// The plants beyond the sale ones: the supporting plants the results list.
SkwTotals supportingSkw(const SkwTotals& skw, const InputRecord& in) {
    SkwTotals sale = salePlants(in);
    return SkwTotals{ skw.M - sale.M, skw.L - sale.L, skw.XL - sale.XL };
}

// The demand left over by the supporting plants.
int remainderOf(int demand, const SkwTotals& skw, const InputRecord& in) {
    return demand - forPlants(SKW_EZ_PER_HOUR, supportingSkw(skw, in));
}

void addTotals(ResultRow& row, const SkwTotals& skw) {
    addFact(row, "XL", skw.XL);
    addFact(row, "L", skw.L);
    addFact(row, "M", skw.M);
}

// What each consumer for sale takes of the plants' energy.
void addEnergyFlows(int row, const InputRecord& in) {
    addFlow(FLOW_ENERGY, row, "EAG", -1, in.EAG * EZ_PER_ORE_UNIT);
    addFlow(FLOW_ENERGY, row, "SAG", -1, in.SAG * EZ_PER_SILICON_UNIT);
    addFlow(FLOW_ENERGY, row, "L1G", -1, in.L1G * EZ_PER_L1_UNIT);
    addFlow(FLOW_ENERGY, row, "L2G", -1, in.L2G * EZ_PER_L2_UNIT);
    addFlow(FLOW_ENERGY, row, "KG", -1, EZ_PER_FACTORY * in.KG);
    for (int s = 0; s < SPECIAL_COUNT; ++s)
        addFlow(FLOW_ENERGY, row, SPECIALS[s].code, -1, EZ_PER_FACTORY * in.special[s]);
    for (int r = 0; r < RACE_COUNT; ++r) addFlow(FLOW_ENERGY, row, nullptr, r, EZ_PER_FACTORY * in.race[r].NF);
}

// The SKW line and with -es the capacity line.
void saySkwLines(Console& con, int demand) {
    ResultRow row = countsRow(ROW_PLANTS, "SKW", SKW_NAME, supportingSkw(run.skw, run.in), '\0');
    row.number = -run.EnergyRemainder;
    addFact(row, "EZ", demand);
    addTotals(row, run.skw);
    addFact(row, "E", run.EnergyRemainder);
    addEnergyFlows(printResult(con, run.opt.xl ? LINE_SKW_XL : LINE_SKW, row), run.in);
    if (!run.opt.energySurplus) return;
    ResultRow capacity = valueRow(ROW_CAPACITY, "ES", UNCOUNTED_NAME, 0, 0);
    capacity.number = forPlants(UNCOUNTED_EZ, run.skw);
    addTotals(capacity, run.skw);
    printResult(con, LINE_CAPACITY, capacity);
}

// With -m: shows the allocated totals and returns the typed ones, sale SKWs included.
SkwTotals askManualSkw(Answers& answers, const SkwTotals& computed) {
    SkwTotals typed{};
    typed.XL = askManualCount(answers, MANUAL_SKW_XL, computed.XL, computed.L, computed.M);
    typed.L = askManualCount(answers, MANUAL_SKW_L, computed.L);
    typed.M = askManualCount(answers, MANUAL_SKW_M, computed.M);
    return typed;
}

}  // namespace

// EZ per hour for the factories entered for sale, summed in double from left to right and truncated toward zero.
int computeEnergyDemand(const InputRecord& in) {
    int factories = in.KG;
    for (int count : in.special) factories += count;
    for (const RaceLevel3& r : in.race) factories += r.NF;
    double sum = in.EAG * EZ_PER_ORE_UNIT;
    sum += in.SAG * EZ_PER_SILICON_UNIT;
    sum += in.L1G * EZ_PER_L1_UNIT;
    sum += in.L2G * EZ_PER_L2_UNIT;
    sum += EZ_PER_FACTORY * factories;
    return static_cast<int>(sum);
}

// Adds XL, then L, then M plants to start until the demand is covered; remainder gets what is left (zero or
// negative).
SkwTotals allocateSkw(int demand, SkwTotals start, int* remainder) {
    int rest = demand;
    SkwTotals skw = start;
    for (; rest > XL_THRESHOLD; rest -= SKW_EZ_PER_HOUR[SIZE_XL]) ++skw.XL;
    for (; rest > SKW_EZ_PER_HOUR[SIZE_M]; rest -= SKW_EZ_PER_HOUR[SIZE_L]) ++skw.L;
    for (; rest > 0; rest -= SKW_EZ_PER_HOUR[SIZE_M]) ++skw.M;
    *remainder = rest;
    return skw;
}

// Sets run.skw and run.EnergyRemainder and says the SKW and -es lines. With -m the remainder is worked out again
// from the typed counts, so the surplus shown matches them.
void computeEnergy(Console& con, Answers& answers) {
    const InputRecord& in = run.in;
    int demand = computeEnergyDemand(in);
    if (run.opt.manual) demand = askManualCount(answers, MANUAL_DEMAND, demand);
    run.skw = allocateSkw(demand, salePlants(in), &run.EnergyRemainder);
    if (run.opt.manual) {
        run.skw = askManualSkw(answers, run.skw);
        run.EnergyRemainder = remainderOf(demand, run.skw, in);
    }
    appendDiagnosticsRecord("\nXL: %i  L: %i  M: %i  E: %i", run.skw.XL, run.skw.L, run.skw.M, run.EnergyRemainder);
    saySkwLines(con, demand);
}
