// Silicon mines: the silicon per hour for crystal factories, special and silicon-based Level 3
// factories, and the total yield of the complex's own silicon mines at three levels.
#include "input/input.h"
#include "report/report.h"
#include "supply/supply.h"

namespace {

constexpr double SILICON_PER_UNIT = 37.5;                // silicon per hour of one size unit
constexpr double ROUND_UP_MARGIN = 0.49000000000000005;  // one step above 0.49

struct SiliconRates {
    double perYield;     // silicon per hour of one yield point of the mine size
    double ezPerYield;   // EZ of surplus that one yield point covers (220.8 x perYield)
    double recommended;  // yield points added for Empfohlen
    const char* line;    // the same text on the console and in Ergebnis.txt
};
constexpr SiliconRates L_MINES = { 7.75, 1711.2, 10.49,
                                   "\nSiliziumminen Typ L   Kritisch: %.0f  Ausreichend: %.0f  Empfohlen: %.0f" };
constexpr SiliconRates XL_MINES = { 15.5, 3422.4, 5.49,
                                    "\nSiliziumminen Typ XL   Kritisch: %.0f  Ausreichend: %.0f  Empfohlen: %.0f" };

constexpr const char* NO_SILICON_CONSOLE = "\n-kein Siliziumbedarf-\n\n\nWerkverbund Version 1.96";
constexpr const char* NO_SILICON_FILE = "\n-kein Siliziumbedarf-";

// Silicon units: crystal factories for sale, special and silicon-based Level 3 factories, and
// two per M crystal factory that the plants need.
int countSiliconUnits(const InputRecord& in, const SkwTotals& skw) {
    int units = in.KG + in.special[SPECIAL_KDF] + in.special[SPECIAL_SBF];
    for (const RaceLevel3& r : in.race) units += r.OF;
    return units + 2 * skw.M + 2 * MCountForL(skw.L) + 10 * skw.XL;
}

// The margin count behind Empfohlen: one yield point more for every five of these.
int countMarginUnits(const InputRecord& in) {
    int silicon = in.special[SPECIAL_KDF] + in.special[SPECIAL_SBF];
    int ore = 0;
    for (const RaceLevel3& r : in.race) {
        silicon += r.OF;
        ore += r.WF;
    }
    return in.L1G + in.L2G + in.special[SPECIAL_GKF] + 2 * silicon + ore;
}

void printSiliconLine(Console& con, float MS) {
    const SiliconRates& rates = run.opt.xl ? XL_MINES : L_MINES;
    int surplusEZ = run.EnergyRemainder < 0 ? -run.EnergyRemainder : 0;
    int extraYield = countMarginUnits(run.in) / 5;  // one point per five margin units
    double yield = MS / rates.perYield;
    double critical = roundHalfAway(((MS - SILICON_PER_UNIT * run.in.saleSkwLOdd) / rates.perYield) -
                                    (surplusEZ / rates.ezPerYield) + ROUND_UP_MARGIN);
    double sufficient = roundHalfAway(yield + ROUND_UP_MARGIN);
    double recommended = roundHalfAway((yield + extraYield) + rates.recommended);
    fprintf(con.out, rates.line, critical, sufficient, recommended);
    if (run.opt.resultsFile) writeToFile(FILE_RESULTS, "a", rates.line, critical, sufficient, recommended);
}

}  // namespace

// Works out the silicon demand into run.MS (typed over with -m), records it and prints the
// silicon mine line, or the no-demand line that carries the console's end banner.
void computeSilicon(Console& con) {
    float MS = static_cast<float>(SILICON_PER_UNIT * countSiliconUnits(run.in, run.skw));
    if (run.opt.manual) MS = askMineralDemand(con, "Silizium", MS);
    run.MS = MS;
    appendDiagnosticsRecord("\nMS: %.0f\n\n\nWerkverbund Version 1.96", roundHalfAway(MS));
    if (MS == 0) {
        fputs(NO_SILICON_CONSOLE, con.out);
        if (run.opt.resultsFile) writeToFile(FILE_RESULTS, "a", "%s", NO_SILICON_FILE);
    }
    if (MS > 0) printSiliconLine(con, MS);
}
