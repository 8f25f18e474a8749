// The help file readme.txt that -h writes: fixed pieces of text in Latin-1 and the option list, replaced
// whole each time the option is met.
#include "data/options.h"
#include "report/report.h"

#include <iterator>

namespace {

// The pieces in their order: opening, levels and surplus marks, diagnostics hint; the mine yield
// levels, the option list (-m is deliberately not listed) and the version line follow.
constexpr const char* README_PIECES[] = {
    "Rechtliches (wie \374blich):\n"
    "Ich kann nicht daf\374r garantieren dass das Programm fehlerfrei arbeitet,\n"
    "s\344mtliche Sch\344den die durch die Nutzung des Programms entstehen hat der Benutzer zu tragen.\n"
    "\nDas Programm errechnet wieviele Fabriken welchen Typs man braucht, um eine gew\374nschte Anzahl an Fabriken \374ber einen selbstversorgenden Komplex zu versorgen.\n"
    "\nWICHTIG:\n"
    "Die Fabrikaufz\344hlung am Ende enth\344lt nur die Versorgungsfabriken, sollte man SKWs, Minen, Nahrungs-\n"
    "oder Kristallfabriken als Verkaufsfabriken angegeben haben, stehen diese NICHT in der Endauflistung.",
    "\n\nDie Fabriken Level 1 und 2 werden allgemein, die Fabriken Level 3 jedoch je Rasse angegeben. \n"
    "\nDas Programm berechnet die Anzahl der Nahrungsfabriken so, dass ein leichter \334berschuss entsteht.\n"
    "Diese \334bersch\374sse werden mit 'M', 'S' oder '-' angegeben,\n"
    "im Falle von M entspricht der \334berschuss einer M Fabrik, S ist die H\344lfte von M und '-' kein \334berschuss\n"
    "Es w\344re auch m\366glich das bei den \334bersch\374ssen ein F auftaucht, das bedeutet dann Fehler und f\374r mich Arbeit *\344chtz*",
    "\n\nSollten falsche Ergebnisse auftreten, kann mit dem Kommandozeilenparameter -br eine \334bersicht \374ber die Variablen erstellt und an mich \374bermittelt werden",
};
static_assert(std::size(README_PIECES) == 3);

constexpr const char* YIELD_LEVELS_PIECE =
    "\n\nDie Ausbeute, die Silizium- bzw. Erzminen haben m\374ssen, um die anderen Fabriken versorgen zu k\366nnen\n"
    "wird in 3 bzw. 2 Werten angegeben:\n\n%s\n          nur ein sehr geringer EZ-\334berschuss an";

}  // namespace

// Creates readme.txt and writes the pieces one after the other in one opening.
void writeReadme() {
    FileSink sink;
    openOutput(sink, FILE_README, "w");
    for (const char* piece : README_PIECES) writeOutput(sink, "%s", piece);
    writeOutput(sink, YIELD_LEVELS_PIECE, YIELD_LEVELS);
    writeOutput(sink, "\n\nKommandozeilenparameter:");
    for (int rank = 1; rank <= OPTION_COUNT; ++rank) {
        for (const OptionInfo& o : OPTIONS) {
            if (o.readmeRank == rank) writeOutput(sink, "\n%-4s %s", o.spelling, o.help);
        }
    }
    writeOutput(sink, "\n\n\n%s", VERSION_LINE);
    closeOutput(sink);
}
