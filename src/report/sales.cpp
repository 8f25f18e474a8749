// Sales summary: what the complex sells per hour, from the plants, mines and crystal factories
// entered for sale. Its section of Ergebnis.txt stays open for the closing text.
#include "input/input.h"
#include "report/report.h"
#include "supply/supply.h"

namespace {

constexpr int CRYSTALS_PER_UNIT = 60;      // per size unit: 120 for an M factory
constexpr double ORE_PER_UNIT = 5.71;      // per size unit of ore yield
constexpr double SILICON_PER_UNIT = 1.55;  // per size unit of silicon yield

enum Sale { SALE_EZ, SALE_CRYSTALS, SALE_ORE, SALE_SILICON, SALE_COUNT };
constexpr Label SALE_NAME[SALE_COUNT] = { same("EZ-Verkauf:"), same("Kristallverkauf:"), same("Erzverkauf:"),
                                          same("Siliziumverkauf:") };

// Is anything sold at all? A negative entry counts as no sale.
bool hasSales(const InputRecord& in) {
    return in.EAG > 0 || in.SAG > 0 || in.KG > 0 || in.saleSkwM > 0 || in.saleSkwL > 0 || in.saleSkwXL > 0;
}

}  // namespace

// Says the sales block when anything is sold; opens the last section of Ergebnis.txt either way.
void printSales(Console& con) {
    const InputRecord& in = run.in;
    beginResults("a", OPEN_AT_BEGIN);
    if (!hasSales(in)) return;
    double sale[SALE_COUNT] = {
        static_cast<double>(forPlants(SKW_EZ_PER_HOUR, salePlants(in))),
        static_cast<double>(CRYSTALS_PER_UNIT * in.KG),
        roundHalfAway(ORE_PER_UNIT * in.EAG - ROUNDING_MARGIN),
        roundHalfAway(SILICON_PER_UNIT * in.SAG - ROUNDING_MARGIN),
    };
    printResultText(con, LINE_SALES_HEADING);
    for (int s = 0; s < SALE_COUNT; ++s) printResult(con, LINE_SALE, valueRow(ROW_SALE, SALE_NAME[s], 1, sale[s]));
}
