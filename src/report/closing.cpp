// The closing text of Ergebnis.txt: what the mine yield levels mean, and the version line. It goes into the
// last section of results, after the sales.
#include "report/report.h"

const char* const YIELD_LEVELS =
    "Empfohlen: Es wird etwas mehr produziert als f\374r die konstante Versorgung der Fabriken n\366tig ist,\n"
    "           was einen einen gewissen Spielraum f\374r Ausbauten l\344sst.\n"
    "\nAusreichend: Produziert genug um alle Fabriken konstant zu versorgen\n"
    "             und (bei Silizium) die Energiezellen- und Kristall\374bersch\374sse herzustellen\n"
    "\nKritisch: Das Silizium reicht gerade um die Level 3 (Silizium) Endfabriken zu versorgen und den Bedarf an\n"
    "          Energiezellen zu decken Kristallfabriken und Sonnenkraftwerke, m\366glicherweise auch andere\n"
    "          siliziumbasierende Fabriken, werden \366fters stillstehen und es f\344llt, wenn \374berhaupt,";

// The closing text with -dat; the console gets no counterpart.
void writeClosingText() {
    char text[1024];
    TextOut out = { text, 0, sizeof text };
    formatText(out, "\n\n\n%s nur ein sehr geringer\n          EZ-\334berschuss an\n\n\n\n\n\n%s", YIELD_LEVELS,
               VERSION_LINE);
    writeResultsOnly(text);
}
