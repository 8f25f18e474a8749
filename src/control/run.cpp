// The run from the start banner to the exit status: one straight sequence of phases over the
// run record, the next-option hint, the end banner and the wait for Enter.
#include "control/control.h"
#include "input/input.h"
#include "report/report.h"
#include "supply/supply.h"

#include <iterator>

RunRecord run;

namespace {

constexpr const char* START_BANNER =
    "Werkverbund\nVersion 1.96\n"
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

// The options worth trying in turn; the hint names the first one not yet in use, as long as
// the ones in use are exactly those before it.
constexpr int OptionFlags::*HINT_SEQUENCE[] = {
    &OptionFlags::resultsFile,
    &OptionFlags::optimise,
    &OptionFlags::extraRaces,
    &OptionFlags::xl,
};
constexpr const char* HINT_TEXT[] = {
    "\n\nMit dem Kommandozeilenparameter '-dat' gibt das\nProgramm die Ergebnisse in einer Datei aus",
    "\n\nMit dem Kommandozeilenparameter '-opt' werden Ueberschuesse minimiert",
    "\n\nMit dem Kommandozeilenparameter '-or' werden\nder Berechnung 5 weitere Rassen hinzugefuegt",
    ("\n\nMit dem Kommandozeilenparameter '-xl' rechnet das Programm auch mit\n"
     "den fehlenden L und XL Varianten von Minen, Nahrungs- und Kristallfabriken"),
};
static_assert(std::size(HINT_TEXT) == std::size(HINT_SEQUENCE));

constexpr const char* END_BANNER = "\n\n\nWerkverbund Version 1.96";

// Returns which hint to print, or -1 for none.
int pickHint(const OptionFlags& opt) {
    int k = 0;
    while (k < static_cast<int>(std::size(HINT_SEQUENCE)) && opt.*HINT_SEQUENCE[k]) ++k;
    for (int rest = k; rest < static_cast<int>(std::size(HINT_SEQUENCE)); ++rest) {
        if (opt.*HINT_SEQUENCE[rest]) return -1;  // a gap in the sequence?
    }
    return k < static_cast<int>(std::size(HINT_TEXT)) ? k : -1;
}

void printHint(Console& con) {
    int hint = pickHint(run.opt);
    if (hint >= 0) fputs(HINT_TEXT[hint], con.out);
}

// A silicon demand of exactly 0 printed its banner with its own line; a negative one gets none.
void printEndBanner(Console& con) {
    if (run.MS > 0) fputs(END_BANNER, con.out);
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
    run.console = &con;
    fputs(START_BANNER, con.out);
    if (!parseOptions(argc, argv, con)) return endAtInputEnd(con);
    writeDiagnosticsHeader();
    if (run.opt.energySurplus) fputs(ENERGY_SURPLUS_NOTE, con.out);
    if (!runDialogue(con)) return endAtInputEnd(con);
    computeEnergy(con);    // SKW totals and EnergyRemainder
    computeCrystals(con);  // and the first section of Ergebnis.txt
    computeFoodChains(con, CoreFoodChains);
    if (run.opt.extraRaces) computeFoodChains(con, ExtraFoodChains);
    computeOre(con);
    computeSilicon(con);  // sets run.MS
    printSales(con);
    writeClosingText();
    printHint(con);
    printEndBanner(con);
    return waitForEnter(con);
}
