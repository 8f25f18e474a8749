// The one way into the output files: binary mode, CR LF for every line end, a warning once per
// file when it cannot be written. The console output never depends on the files.
#include "input/input.h"
#include "report/report.h"

#include <cassert>
#include <cmath>
#include <cstdarg>
#include <iterator>

namespace {

constexpr const char* FILE_NAME[] = { "Ergebnis.txt", "Eingaben.txt", "Eingaben-Variablen.txt", "readme.txt" };
static_assert(std::size(FILE_NAME) == FILE_COUNT);

void warnUnwritable(OutputFile which) {
    if (run.fileWarned[which]) return;
    run.fileWarned[which] = 1;
    printMessage(*run.console, "Warnung: Datei %s kann nicht geschrieben werden\n", FILE_NAME[which]);
}

// Formats the text and writes it with every "\n" turned into CR LF.
void writeFormatted(FileSink& sink, const char* format, va_list values) {
    if (!sink.handle) return;
    char text[4096];
    int length = vsnprintf(text, sizeof text, format, values);
    assert(length >= 0 && length < static_cast<int>(sizeof text));
    if (length <= 0) return;
    char bytes[2 * sizeof text];
    int used = 0;
    for (int i = 0; i < length; ++i) {
        if (text[i] == '\n') bytes[used++] = '\r';
        bytes[used++] = text[i];
    }
    size_t want = static_cast<size_t>(used);
    if (fwrite(bytes, 1, want, sink.handle) != want) warnUnwritable(sink.which);
}

}  // namespace

FileSink openOutput(OutputFile which, const char* mode) {
    char binaryMode[4] = { mode[0], 'b', '\0', '\0' };
    FileSink sink{ fopen(FILE_NAME[which], binaryMode), which };
    if (!sink.handle) warnUnwritable(which);
    return sink;
}

void writeOutput(FileSink& sink, const char* format, ...) {
    va_list values;
    va_start(values, format);
    writeFormatted(sink, format, values);
    va_end(values);
}

void closeOutput(FileSink& sink) {
    if (!sink.handle) return;
    if (fclose(sink.handle) != 0) warnUnwritable(sink.which);
    sink.handle = nullptr;
}

// Opens the file with mode "w" or "a", writes one text and closes it again.
void writeToFile(OutputFile which, const char* mode, const char* format, ...) {
    va_list values;
    va_start(values, format);
    writeToFileV(which, mode, format, values);
    va_end(values);
}

void writeToFileV(OutputFile which, const char* mode, const char* format, va_list values) {
    FileSink sink = openOutput(which, mode);
    writeFormatted(sink, format, values);
    closeOutput(sink);
}

double roundHalfAway(double value) { return std::round(value); }
