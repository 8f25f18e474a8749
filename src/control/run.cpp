// The run from the start banner to the exit status: one straight sequence of phases over the run record, the
// results sections of Ergebnis.txt, the next-option hint, the end banner and the wait for Enter.
#include "control/control.h"

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
    if (hint) putString(con.out, hint);
}

// A silicon demand of exactly 0 printed its banner with its own line; a negative one gets none.
void printEndBanner(Console& con) {
    if (run.MS > 0) printText(con, "\n\n\n%s", VERSION_LINE);
}

// Waits for Enter. Returns 0, or -1 when the input has ended before.
int waitForEnter(Console& con, Answers& answers) {
    putString(con.out, "\n\nZum Beenden Enter druecken");
    int status = answers.reader->enter(answers.data);
    flushStream(con.out);
    return status;
}

// The input ended while a question that only a letter can answer was waiting.
int endAtInputEnd(Console& con) {
    printMessage(con, ABOUT_INPUT, 0, "Eingabe beendet, das Programm wird abgebrochen\n");
    return -1;
}

// A run starts: every count, answer and flag at 0, no file failed, no results section open; then the banner.
void beginRun(Console& con, const FileCalls& files) {
    run = {};
    beginReports(con, files);
    resetResults();
    putString(con.out, START_BANNER);
}

// Everything after the options.
int runAfterOptions(Console& con, Answers& answers) {
    writeDiagnosticsHeader();
    if (run.opt.energySurplus) putString(con.out, ENERGY_SURPLUS_NOTE);
    if (!runDialogue(con, answers)) return endAtInputEnd(con);
    beginResults("w", OPEN_AT_END);  // the first section opens after the crystal lines
    computeEnergy(con, answers);     // SKW totals and EnergyRemainder
    computeCrystals(con);
    endResults();
    computeSpecialChains(con);
    computeRaceChains(con, 0, CORE_RACE_COUNT);
    if (run.opt.extraRaces) computeRaceChains(con, CORE_RACE_COUNT, RACE_COUNT);
    computeOre(con, answers);
    computeSilicon(con, answers);      // sets run.MS
    beginResults("a", OPEN_AT_BEGIN);  // the last section holds the sales and the closing text
    printSales(con);
    writeClosingText();
    endResults();
    printHint(con);
    printEndBanner(con);
    return waitForEnter(con, answers);
}

}  // namespace

int runWerkverbund(int argc, const char* const* argv, Console& con, Answers answers, const FileCalls& files) {
    beginRun(con, files);
    if (!parseOptions(argc, argv, answers)) return endAtInputEnd(con);
    return runAfterOptions(con, answers);
}

int runWerkverbundWith(const OptionFlags& options, Console& con, Answers answers, const FileCalls& files) {
    beginRun(con, files);
    if (!applyOptions(options, answers)) return endAtInputEnd(con);
    return runAfterOptions(con, answers);
}
