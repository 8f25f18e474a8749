// Energy demand and solar power plants (SKW): the EZ per hour the factories for sale need,
// covered greedily by XL, L and M plants; with -m the user may replace demand and counts.
#include "input/input.h"
#include "report/report.h"
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

constexpr Label SKW_LINE = {
    "\n\n\n\nSonnenkraftwerke:                   XL: %i  L: %i  M: %i  EZ-Ueber: %i",
    "Sonnenkraftwerke:                         XL: %i  L: %i  M: %i  EZ-\334berschuss: %i",
};
constexpr Label SKW_LINE_XL = {
    "\n\n\n\nSonnenkraftwerke:                          XL: %i  L: %i  M: %i  EZ-Ueber: %i",
    "Sonnenkraftwerke:                                XL: %i  L: %i  M: %i  EZ-\334berschuss: %i",
};
constexpr Label UNCOUNTED_LINE = {
    "\nUnberuecksichtigter SKW-Kapazitaets-Ueberschuss: %i",
    "\nUnber\374cksichtigter SKW-Kapazit\344ts-\334berschuss: %i",
};

int uncountedCapacity(const SkwTotals& skw) {
    return UNCOUNTED_EZ[SIZE_XL] * skw.XL + UNCOUNTED_EZ[SIZE_L] * skw.L + UNCOUNTED_EZ[SIZE_M] * skw.M;
}

// With -m: shows the computed demand and returns the typed one (0 when none can be read).
int askManualDemand(Console& con, int computed) {
    char prompt[96];
    snprintf(prompt, sizeof prompt, "berechneter EZ-Bedarfswert: %i\nmanueller EZ-Bedarfswert: ", computed);
    return askCount(con, prompt, -DEMAND_LIMIT, DEMAND_LIMIT);
}

// With -m: shows the allocated totals and returns the typed ones, sale SKWs included.
SkwTotals askManualSkw(Console& con, const SkwTotals& computed) {
    discardPending(con);
    char prompt[128];
    snprintf(prompt, sizeof prompt, "berechnete SKWs  XL: %i L: %i M: %i\nmanuelle SKWs  XL: ", computed.XL, computed.L,
             computed.M);
    SkwTotals typed{};
    typed.XL = askCount(con, prompt, -COUNT_LIMIT, COUNT_LIMIT);
    typed.L = askCount(con, "manuelle SKWs  L: ", -COUNT_LIMIT, COUNT_LIMIT);
    typed.M = askCount(con, "manuelle SKWs  M: ", -COUNT_LIMIT, COUNT_LIMIT);
    return typed;
}

// The plants beyond the sale ones: the supporting plants the results list.
SkwTotals supportingSkw(const SkwTotals& skw, const InputRecord& in) {
    return SkwTotals{ skw.M - in.saleSkwM, skw.L - in.saleSkwL, skw.XL - in.saleSkwXL };
}

// The demand left over by the supporting plants.
int remainderOf(int demand, const SkwTotals& skw, const InputRecord& in) {
    SkwTotals added = supportingSkw(skw, in);
    return demand - SKW_EZ_PER_HOUR[SIZE_XL] * added.XL - SKW_EZ_PER_HOUR[SIZE_L] * added.L -
           SKW_EZ_PER_HOUR[SIZE_M] * added.M;
}

void printSkwLines(Console& con) {
    const Label& line = run.opt.xl ? SKW_LINE_XL : SKW_LINE;
    SkwTotals shown = supportingSkw(run.skw, run.in);
    fprintf(con.out, line.console, shown.XL, shown.L, shown.M, -run.EnergyRemainder);
    if (run.opt.energySurplus) fprintf(con.out, UNCOUNTED_LINE.console, uncountedCapacity(run.skw));
}

}  // namespace

// EZ per hour for the factories entered for sale, summed in double from left to right and
// truncated toward zero.
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

// Adds XL, then L, then M plants to start until the demand is covered; remainder gets what is
// left (zero or negative).
SkwTotals allocateSkw(int demand, SkwTotals start, int* remainder) {
    int rest = demand;
    SkwTotals skw = start;
    for (; rest > XL_THRESHOLD; rest -= SKW_EZ_PER_HOUR[SIZE_XL]) ++skw.XL;
    for (; rest > SKW_EZ_PER_HOUR[SIZE_M]; rest -= SKW_EZ_PER_HOUR[SIZE_L]) ++skw.L;
    for (; rest > 0; rest -= SKW_EZ_PER_HOUR[SIZE_M]) ++skw.M;
    *remainder = rest;
    return skw;
}

// Sets run.skw and run.EnergyRemainder and prints the SKW and -es lines on the console. With
// -m the remainder is worked out again from the typed counts, so the surplus shown matches them.
void computeEnergy(Console& con) {
    const InputRecord& in = run.in;
    int demand = computeEnergyDemand(in);
    if (run.opt.manual) demand = askManualDemand(con, demand);
    run.skw = allocateSkw(demand, SkwTotals{ in.saleSkwM, in.saleSkwL, in.saleSkwXL }, &run.EnergyRemainder);
    if (run.opt.manual) {
        run.skw = askManualSkw(con, run.skw);
        run.EnergyRemainder = remainderOf(demand, run.skw, in);
    }
    appendDiagnosticsRecord("\nXL: %i  L: %i  M: %i  E: %i", run.skw.XL, run.skw.L, run.skw.M, run.EnergyRemainder);
    printSkwLines(con);
}

// The SKW and -es lines of Ergebnis.txt, into the opening that creates the file.
void writeSkwFileLines(FileSink& sink) {
    const Label& line = run.opt.xl ? SKW_LINE_XL : SKW_LINE;
    SkwTotals shown = supportingSkw(run.skw, run.in);
    writeOutput(sink, line.file, shown.XL, shown.L, shown.M, -run.EnergyRemainder);
    if (run.opt.energySurplus) writeOutput(sink, UNCOUNTED_LINE.file, uncountedCapacity(run.skw));
}
