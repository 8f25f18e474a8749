// The help file readme.txt that -h writes: six fixed pieces of text in Latin-1, replaced
// whole each time the option is met.
#include "control/control.h"
#include "report/report.h"

#include <iterator>

namespace {

// The pieces in their order: opening, levels and surplus marks, diagnostics hint, mine yield
// levels, option list (-m is deliberately not listed), closing line.
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
    "\n\nDie Ausbeute, die Silizium- bzw. Erzminen haben m\374ssen, um die anderen Fabriken versorgen zu k\366nnen\n"
    "wird in 3 bzw. 2 Werten angegeben:\n"
    "\nEmpfohlen: Es wird etwas mehr produziert als f\374r die konstante Versorgung der Fabriken n\366tig ist,\n"
    "           was einen einen gewissen Spielraum f\374r Ausbauten l\344sst.\n"
    "\nAusreichend: Produziert genug um alle Fabriken konstant zu versorgen\n"
    "             und (bei Silizium) die Energiezellen- und Kristall\374bersch\374sse herzustellen\n"
    "\nKritisch: Das Silizium reicht gerade um die Level 3 (Silizium) Endfabriken zu versorgen und den Bedarf an\n"
    "          Energiezellen zu decken Kristallfabriken und Sonnenkraftwerke, m\366glicherweise auch andere\n"
    "          siliziumbasierende Fabriken, werden \366fters stillstehen und es f\344llt, wenn \374berhaupt,\n"
    "          nur ein sehr geringer EZ-\334berschuss an",
    "\n\nKommandozeilenparameter:\n"
    "-h   Erstellt diese Readme\n"
    "-xl  Rechnet mit (noch) nicht vorhandenen XL und L Fabriken f\374r Kristalle, Mineralien und Nahrung\n"
    "-or  F\374gt der Berechnung 5 zus\344tztliche Rassen hinzu\n"
    "-dat Gibt die Ergebnisse in einer Datei aus\n"
    "-br  Gibt die Werte aller Variablen in einer Eingaben-Variablen.txt aus\n"
    "-es  Gibt die bei der Berechnung unber\374cksichtigte SKW-Kapazit\344t ebenfalls (in EZ) aus\n"
    "-opt Das Programm rechnet so, dass keine oder nur S-\334bersch\374sse anfallen",
    "\n\n\nWerkverbund Version 1.96",
};
static_assert(std::size(README_PIECES) == 6);

}  // namespace

// Creates readme.txt and writes the pieces one after the other in one opening.
void writeReadme() {
    FileSink sink = openOutput(FILE_README, "w");
    for (const char* piece : README_PIECES) writeOutput(sink, "%s", piece);
    closeOutput(sink);
}
