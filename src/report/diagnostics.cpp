// The diagnostics file Eingaben-Variablen.txt of -br: its header of options and the records
// that the dialogue and the phases append, each in an opening of its own.
#include "report/report.h"

#include <cstdarg>
#include <cstdio>

namespace {

struct OptionWord {
    int OptionFlags::*flag;
    const char* word;
};

// The words of the header, in their fixed order; -or adds the race-name answer behind its word.
constexpr OptionWord HEADER_WORDS[] = {
    { &OptionFlags::help, " H" },          { &OptionFlags::xl, " XL" },    { &OptionFlags::extraRaces, " OR" },
    { &OptionFlags::resultsFile, " DAT" }, { &OptionFlags::manual, " M" }, { &OptionFlags::energySurplus, " ES" },
    { &OptionFlags::optimise, " OPT" },
};

}  // namespace

// Creates the file with "Kommandozeilenparameter: BR" and the word of every option in use.
void writeDiagnosticsHeader() {
    if (!run.opt.diagnostics) return;
    char header[96] = "Kommandozeilenparameter: BR";
    int used = 27;
    for (const OptionWord& w : HEADER_WORDS) {
        if (!(run.opt.*w.flag)) continue;
        used += snprintf(header + used, sizeof header - static_cast<size_t>(used), "%s", w.word);
        if (w.flag == &OptionFlags::extraRaces) header[used++] = run.opt.raceNamesAnswer;
        header[used] = '\0';
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
