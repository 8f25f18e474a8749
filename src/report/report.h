// Reporting: the output files with their line-end and warning rules, the diagnostics file and
// the sales summary.
#pragma once

#include "control/record.h"

#include <cstdarg>

#define PRINTF_LIKE(f, a) __attribute__((format(printf, f, a)))

struct Console;

// A result text in its two spellings: the console's (ASCII umlauts, its own columns) and the
// file's (Latin-1, wider columns). Keeping both in one row stops them drifting apart.
struct Label {
    const char* console;
    const char* file;
};

// Files (files.cpp). Every "\n" of a text is stored as CR LF. A file that cannot be opened or
// written leaves the run as it is and gets one warning on the console's error stream.
FileSink openOutput(OutputFile which, const char* mode);
void writeOutput(FileSink& sink, const char* format, ...) PRINTF_LIKE(2, 3);
void closeOutput(FileSink& sink);
void writeToFile(OutputFile which, const char* mode, const char* format, ...) PRINTF_LIKE(3, 4);
void writeToFileV(OutputFile which, const char* mode, const char* format, va_list values);

// Diagnostics file (diagnostics.cpp); both write only with -br.
void writeDiagnosticsHeader();
void appendDiagnosticsRecord(const char* format, ...) PRINTF_LIKE(1, 2);

// Sales summary (sales.cpp); with -dat it leaves Ergebnis.txt open for the closing text.
void printSales(Console& con);

// Halves away from zero, as the results show whole numbers from doubles; the sign of a value
// that rounds to zero survives, so printing the result with "%.0f" shows "-0" for it.
double roundHalfAway(double value);
