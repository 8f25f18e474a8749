// Ore mines: the ore per hour that the Gefechtskopffabriken and the ore-based Level 3
// factories need, and the total yield the complex's own L (or XL) ore mines must have.
#include "input/input.h"
#include "report/report.h"
#include "supply/supply.h"

namespace {

constexpr int ORE_PER_CONSUMER = 150;                    // ore per hour of one consumer
constexpr double ORE_PER_L_YIELD = 28.549999999999997;   // one step below 28.55
constexpr double ORE_PER_XL_YIELD = 57.099999999999994;  // one step below 57.1
constexpr double ROUND_UP_MARGIN = 0.49000000000000005;  // one step above 0.49
constexpr double RECOMMENDED_MARGIN = 11.49;

constexpr Label MINES_HEADER = { "\n\nMinen (Gesamtausbeute): ", "\n\n\nMinen (Gesamtausbeute): " };
constexpr Label NO_ORE = { "\n-kein Erzbedarf-", "\n\n-kein Erzbedarf-" };
constexpr Label ORE_LINE = {
    "\nErzminen Typ L                      Ausreichend: %.0f  Empfohlen: %.0f",
    "\n\nErzminen Typ L                      Ausreichend: %.0f  Empfohlen: %.0f",
};
constexpr Label ORE_LINE_XL = {
    "\nErzminen Typ XL                      Ausreichend: %.0f  Empfohlen: %.0f",
    "\n\nErzminen Typ XL                      Ausreichend: %.0f  Empfohlen: %.0f",
};

// Gefechtskopffabriken and the ore-based Level 3 factories of all ten races.
int countOreConsumers(const InputRecord& in) {
    int consumers = in.special[SPECIAL_GKF];
    for (const RaceLevel3& r : in.race) consumers += r.WF;
    return consumers;
}

// Prints one text on the console and, with -dat, appends its twin to Ergebnis.txt.
void printBoth(Console& con, const Label& text) {
    fputs(text.console, con.out);
    if (run.opt.resultsFile) writeToFile(FILE_RESULTS, "a", "%s", text.file);
}

// Ausreichend and Empfohlen in yield points for a demand ME and N consumers.
void printOreLine(Console& con, float ME, int consumers) {
    double perYield = run.opt.xl ? ORE_PER_XL_YIELD : ORE_PER_L_YIELD;
    const Label& line = run.opt.xl ? ORE_LINE_XL : ORE_LINE;
    double yield = ME / perYield;
    int extraYield = consumers / 5;  // one point per five consumers
    double sufficient = roundHalfAway(yield + ROUND_UP_MARGIN);
    double recommended = roundHalfAway((yield + extraYield) + RECOMMENDED_MARGIN);
    fprintf(con.out, line.console, sufficient, recommended);
    if (run.opt.resultsFile) writeToFile(FILE_RESULTS, "a", line.file, sufficient, recommended);
}

}  // namespace

// Works out the ore demand ME (typed over with -m), records it and prints the mines header
// and the ore mine line.
void computeOre(Console& con) {
    int consumers = countOreConsumers(run.in);
    float ME = static_cast<float>(ORE_PER_CONSUMER * consumers);
    if (run.opt.manual) ME = askMineralDemand(con, "Erz", ME);
    appendDiagnosticsRecord("\n\nME: %.0f", roundHalfAway(ME));
    printBoth(con, MINES_HEADER);
    if (ME == 0) printBoth(con, NO_ORE);
    if (ME > 0) printOreLine(con, ME, consumers);
}
