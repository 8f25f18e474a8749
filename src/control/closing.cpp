// The closing text of Ergebnis.txt: what the mine yield levels mean, and the version line. It
// goes into the opening that the sales summary left, and closes the file.
#include "control/control.h"
#include "report/report.h"

namespace {

// The same explanation as the readme's, with the last line break one phrase later.
constexpr const char* CLOSING_TEXT =
    "\n\n\nEmpfohlen: Es wird etwas mehr produziert als f\374r die konstante Versorgung der Fabriken n\366tig ist,\n"
    "           was einen einen gewissen Spielraum f\374r Ausbauten l\344sst.\n"
    "\nAusreichend: Produziert genug um alle Fabriken konstant zu versorgen\n"
    "             und (bei Silizium) die Energiezellen- und Kristall\374bersch\374sse herzustellen\n"
    "\nKritisch: Das Silizium reicht gerade um die Level 3 (Silizium) Endfabriken zu versorgen und den Bedarf an\n"
    "          Energiezellen zu decken Kristallfabriken und Sonnenkraftwerke, m\366glicherweise auch andere\n"
    "          siliziumbasierende Fabriken, werden \366fters stillstehen und es f\344llt, wenn \374berhaupt, nur ein sehr geringer\n"
    "          EZ-\334berschuss an";

constexpr const char* FILE_BANNER = "\n\n\n\n\n\nWerkverbund Version 1.96";

}  // namespace

// With -dat writes the closing text into run.resultsTail and closes Ergebnis.txt.
void writeClosingText() {
    if (!run.opt.resultsFile) return;
    writeOutput(run.resultsTail, "%s%s", CLOSING_TEXT, FILE_BANNER);
    closeOutput(run.resultsTail);
}
