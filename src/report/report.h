// Reporting: the output files with their line-end and warning rules, the results writer through
// which every result line is said once, the diagnostics file and the sales summary.
#pragma once

#include "control/record.h"

#include <cstdarg>

#define PRINTF_LIKE(f, a) __attribute__((format(printf, f, a)))

struct Console;

// The four files a run may write; the index also selects the once-per-run warning.
enum OutputFile { FILE_RESULTS, FILE_ECHO, FILE_DIAGNOSTICS, FILE_README, FILE_COUNT };

// One opening of an output file. Text is gathered with its line ends already CR LF and goes to
// the file in one write when the opening closes (or when the room is full).
struct FileSink {
    int fd;            // -1 when closed or when opening failed
    OutputFile which;  // for the warning on a failed write
    int used;          // bytes gathered in bytes
    char bytes[8192];
};

// Text into a buffer (text.cpp): the conversions "%i", "%c", "%s", "%-4s" and "%.0f" (of a value
// already rounded), kept zero-terminated.
struct TextOut {
    char* text;
    int used;
    int room;
};
void putChar(TextOut& out, char c);
const char* putLiteral(TextOut& out, const char* format);
void putString(TextOut& out, const char* text, int width);
void putInt(TextOut& out, long long value);
void putWhole(TextOut& out, double value);
void formatTextV(TextOut& out, const char* format, va_list values);

// Files (files.cpp). A file that cannot be opened or written leaves the run as it is and gets
// one warning on the console's error stream.
void beginReports(Console& con);  // a run starts: no file has been warned about yet
void openOutput(FileSink& sink, OutputFile which, const char* mode);
void writeOutput(FileSink& sink, const char* format, ...) PRINTF_LIKE(2, 3);
void writeOutputV(FileSink& sink, const char* format, va_list values);
void writeOutputText(FileSink& sink, const char* text, int length);
void closeOutput(FileSink& sink);
void writeToFile(OutputFile which, const char* mode, const char* format, ...) PRINTF_LIKE(3, 4);
void writeToFileV(OutputFile which, const char* mode, const char* format, va_list values);

// The results writer (results.cpp). A section of results is one opening of Ergebnis.txt with
// -dat ("w" creates the file, "a" appends); each line goes to the console first, then into the
// section; LINES tells how each kind of line looks.
enum SectionOpening { OPEN_AT_BEGIN, OPEN_AT_END };  // when the section's opening of the file happens
void beginResults(const char* mode, SectionOpening opening);
void printResult(Console& con, Line line, const ResultRow& row);
void printResultText(Console& con, Line heading);
void writeResultsOnly(const char* text);  // the closing text, which the console does not get
void endResults();

// Rows of the usual shapes: plants or factories by size, figures, a note that names itself.
ResultRow countsRow(RowKind kind, const Label& name, const SkwTotals& counts, int shown, char mark);
ResultRow valueRow(RowKind kind, const Label& name, int valueCount, double v0, double v1 = 0, double v2 = 0);
ResultRow noteRow(const Label& text);

// Halves away from zero, as the results show whole numbers from doubles; the sign of a value
// that rounds to zero survives, so "%.0f" shows "-0" for it.
double roundHalfAway(double value);

// Diagnostics file (diagnostics.cpp); both write only with -br.
void writeDiagnosticsHeader();
void appendDiagnosticsRecord(const char* format, ...) PRINTF_LIKE(1, 2);

// Sales summary (sales.cpp); its section of Ergebnis.txt stays open for the closing text.
void printSales(Console& con);
