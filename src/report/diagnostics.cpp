// The diagnostics file Eingaben-Variablen.txt of -br: its header of options and the records
// that the dialogue and the phases append, each in an opening of its own.
#include "data/options.h"
#include "report/report.h"

#include <cstdarg>

// Creates the file with "Kommandozeilenparameter: BR" and the word of every option in use, in the
// order of the options table.
void writeDiagnosticsHeader() {
    if (!run.opt.diagnostics) return;
    char header[96];
    TextOut out = { header, 0, sizeof header };
    formatText(out, "Kommandozeilenparameter: BR");
    for (const OptionInfo& o : OPTIONS) {
        if (!o.headerWord || !(run.opt.*o.flag)) continue;
        formatText(out, o.headerWord, o.answer ? run.opt.*o.answer : '\0');
    }
    writeToFile(FILE_DIAGNOSTICS, "w", "%s", header);
}

void appendDiagnosticsRecord(const char* format, ...) {
    if (!run.opt.diagnostics) return;
    va_list values;
    va_start(values, format);
    writeToFileV(FILE_DIAGNOSTICS, "a", format, values);
    va_end(values);
}
