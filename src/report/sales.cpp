// Sales summary: what the complex sells per hour, from the plants, mines and crystal factories
// entered for sale. With -dat its opening of Ergebnis.txt stays open for the closing text.
#include "input/input.h"
#include "report/report.h"
#include "supply/supply.h"

namespace {

constexpr int CRYSTALS_PER_UNIT = 60;                      // per size unit: 120 for an M factory
constexpr double ORE_PER_UNIT = 5.71;                      // per size unit of ore yield
constexpr double SILICON_PER_UNIT = 1.55;                  // per size unit of silicon yield
constexpr double ROUND_DOWN_MARGIN = 0.49000000000000005;  // one step above 0.49

constexpr const char* SALES_CONSOLE =
    "\n\nEZ-, Kristall- und Mineralienverkauf (pro Stunde):\nEZ-Verkauf: %i\nKristallverkauf: %i"
    "\nErzverkauf: %.0f\nSiliziumverkauf: %.0f";
constexpr const char* SALES_FILE =
    "\n\n\nEZ-, Kristall- und Mineralienverkauf (pro Stunde):\n\nEZ-Verkauf: %i\nKristallverkauf: %i"
    "\nErzverkauf: %.0f\nSiliziumverkauf: %.0f";

// Is anything sold at all? A negative entry counts as no sale.
bool hasSales(const InputRecord& in) {
    return in.EAG > 0 || in.SAG > 0 || in.KG > 0 || in.saleSkwM > 0 || in.saleSkwL > 0 || in.saleSkwXL > 0;
}

}  // namespace

// Prints the sales block when anything is sold, on the console and with -dat in the file.
void printSales(Console& con) {
    const InputRecord& in = run.in;
    if (run.opt.resultsFile) run.resultsTail = openOutput(FILE_RESULTS, "a");
    if (!hasSales(in)) return;
    int ez = SKW_EZ_PER_HOUR[SIZE_M] * in.saleSkwM + SKW_EZ_PER_HOUR[SIZE_L] * in.saleSkwL +
             SKW_EZ_PER_HOUR[SIZE_XL] * in.saleSkwXL;
    int crystals = CRYSTALS_PER_UNIT * in.KG;
    double ore = roundHalfAway(ORE_PER_UNIT * in.EAG - ROUND_DOWN_MARGIN);
    double silicon = roundHalfAway(SILICON_PER_UNIT * in.SAG - ROUND_DOWN_MARGIN);
    fprintf(con.out, SALES_CONSOLE, ez, crystals, ore, silicon);
    if (run.opt.resultsFile) writeOutput(run.resultsTail, SALES_FILE, ez, crystals, ore, silicon);
}
