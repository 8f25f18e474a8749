// Sales summary: what the complex sells per hour, from the plants, mines and crystal factories entered for sale.
#include "supply/supply.h"

namespace {

constexpr int CRYSTALS_PER_UNIT = 60;      // per size unit: 120 for an M factory
constexpr double ORE_PER_UNIT = 5.71;      // per size unit of ore yield
constexpr double SILICON_PER_UNIT = 1.55;  // per size unit of silicon yield

enum Sale { SALE_EZ, SALE_CRYSTALS, SALE_ORE, SALE_SILICON, SALE_COUNT };
constexpr Label SALE_NAME[SALE_COUNT] = { same("EZ-Verkauf:"), same("Kristallverkauf:"), same("Erzverkauf:"),
                                          same("Siliziumverkauf:") };
// The sale lines' codes: what is sold, by the short codes of its inputs (EZ of the plants, crystal factories K,
// ore yield EA, silicon yield SA).
constexpr const char* SALE_CODE[SALE_COUNT] = { "VK.EZ", "VK.K", "VK.EA", "VK.SA" };

// Is anything sold at all? A negative entry counts as no sale.
bool hasSales(const InputRecord& in) {
    return in.EAG > 0 || in.SAG > 0 || in.KG > 0 || in.saleSkwM > 0 || in.saleSkwL > 0 || in.saleSkwXL > 0;
}

}  // namespace

// Says the sales block when anything is sold.
void printSales(Console& con) {
    const InputRecord& in = run.in;
    if (!hasSales(in)) return;
    double sale[SALE_COUNT] = {
        static_cast<double>(forPlants(SKW_EZ_PER_HOUR, salePlants(in))),
        static_cast<double>(CRYSTALS_PER_UNIT * in.KG),
        roundHalfAway(ORE_PER_UNIT * in.EAG - ROUNDING_MARGIN),
        roundHalfAway(SILICON_PER_UNIT * in.SAG - ROUNDING_MARGIN),
    };
    printResultText(con, LINE_SALES_HEADING);
    ResultRow rows[SALE_COUNT];
    for (int s = 0; s < SALE_COUNT; ++s) rows[s] = valueRow(ROW_SALE, SALE_CODE[s], SALE_NAME[s], 1, sale[s]);
    addFact(rows[SALE_EZ], "saleSkwXL", in.saleSkwXL);
    addFact(rows[SALE_EZ], "saleSkwL", in.saleSkwL);
    addFact(rows[SALE_EZ], "saleSkwM", in.saleSkwM);
    addFact(rows[SALE_CRYSTALS], "KG", in.KG);
    addFact(rows[SALE_ORE], "EAG", in.EAG);
    addFact(rows[SALE_SILICON], "SAG", in.SAG);
    for (const ResultRow& row : rows) printResult(con, LINE_SALE, row);
}
