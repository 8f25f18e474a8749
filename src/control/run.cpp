// The run from the start banner to the exit status: one straight sequence of phases over the
// run record, the next-option hint, the end banner and the wait for Enter.
#include "control/control.h"
#include "input/input.h"
#include "report/report.h"
#include "supply/supply.h"

RunRecord run;

namespace {

constexpr const char* START_BANNER =
    "Werkverbund\nVersion " WERKVERBUND_VERSION
    "\n"
    "\n\n\nBedienung:\n"
    "\nDie Anzahl der Fabriken eingeben, deren Produkte man VERKAUFEN will,\n"
    "anschliessend berechnet das Programm die Fabriken die man zusaetzlich braucht\n"
    "um, mit den eingegebenen Fabriken einen selbstversorgenden Komplex zu bauen.\n"
    "\nBei Minen fuer den Verkauf muss jeweils die Gesamtausbeute des jeweiligen Typs\n"
    "eingegeben werden, die Menge an Mineralien zum Verkauf, steht dann,\n"
    "zusammen mit der EZ-Produktion der VerkaufsSKWs, am Ende der Enduebersicht\n"
    "\nL2 (+L1) Fabriken sind Level-2 Fabriken mit zugehoeriger\n"
    "Level-1 Fabrik (z.B. Raumspritbrennerei und Agrarzentrum)\n"
    "\nACHTUNG: Eingegebene Fabriken erscheinen nicht in der Enduebersicht.\n\n\n";

constexpr const char* ENERGY_SURPLUS_NOTE =
    "\nDer Kommandozeilenparameter '-es' bewirkt die Ausgabe eines Ueberschusses\n"
    "in der SKW-Kapazitaet, dieser kann nicht mit dem 'EZ-Ueberschuss' gleichgesetzt\n"
    "werden und wird auch nur, falls ein Kristallueberschuss entsteht, zu\n"
    "276 EZ tatsaechlich umgesetzt\n\n";

void printHint(Console& con) {
    const char* hint = pickHint(run.opt);
    if (hint) fputs(hint, con.out);
}

// A silicon demand of exactly 0 printed its banner with its own line; a negative one gets none.
void printEndBanner(Console& con) {
    if (run.MS > 0) fprintf(con.out, "\n\n\n%s", VERSION_LINE);
}

// Waits for Enter: the first read takes the line end the last answer left, the second the
// Enter itself. Returns 0, or -1 when the input has ended before.
int waitForEnter(Console& con) {
    fputs("\n\nZum Beenden Enter druecken", con.out);
    char c = 0;
    scanChar(con, &c);
    int status = scanChar(con, &c) == 1 ? 0 : -1;
    fflush(con.out);
    return status;
}

// The input ended while a question that only a letter can answer was waiting.
int endAtInputEnd(Console& con) {
    printMessage(con, "Eingabe beendet, das Programm wird abgebrochen\n");
    return -1;
}

}  // namespace

int runWerkverbund(int argc, const char* const* argv, Console& con) {
    run = {};  // every count, answer and flag starts at 0
    beginReports(con);
    fputs(START_BANNER, con.out);
    if (!parseOptions(argc, argv, con)) return endAtInputEnd(con);
    writeDiagnosticsHeader();
    if (run.opt.energySurplus) fputs(ENERGY_SURPLUS_NOTE, con.out);
    if (!runDialogue(con)) return endAtInputEnd(con);
    computeEnergy(con);    // SKW totals and EnergyRemainder; opens the first results section
    computeCrystals(con);  // and closes it
    computeSpecialChains(con);
    computeRaceChains(con, 0, CORE_RACE_COUNT);
    if (run.opt.extraRaces) computeRaceChains(con, CORE_RACE_COUNT, RACE_COUNT);
    computeOre(con);
    computeSilicon(con);  // sets run.MS
    printSales(con);      // opens the last results section
    writeClosingText();   // and closes it
    printHint(con);
    printEndBanner(con);
    return waitForEnter(con);
}
