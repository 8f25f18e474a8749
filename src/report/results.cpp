// The results writer: every result line is said once, by one call that prints its console
// spelling, adds its file spelling to the open section of Ergebnis.txt and records its row.
#include "input/input.h"
#include "report/report.h"

#include <cassert>
#include <cmath>
#include <cstdio>

namespace {

FileSink section = { -1, FILE_RESULTS, 0, {} };  // the open section of Ergebnis.txt with -dat
bool inSection = false;                          // a section has begun (even if it failed to open)
const char* modeAtEnd = nullptr;                 // the mode of a section opened only at its end
char gathered[4096];                             // that section's text meanwhile
int gatheredLength = 0;

// Adds text to the open section; a line outside a section is an opening of its own.
void writeResultsText(const char* text, int length) {
    if (!run.opt.resultsFile) return;
    if (inSection && modeAtEnd) {
        assert(gatheredLength + length <= static_cast<int>(sizeof gathered));
        for (int i = 0; i < length; ++i) gathered[gatheredLength++] = text[i];
        return;
    }
    if (inSection) {
        writeOutputText(section, text, length);
        return;
    }
    FileSink once;
    openOutput(once, FILE_RESULTS, "a");
    writeOutputText(once, text, length);
    closeOutput(once);
}

// Adds what one template code stands for.
void expandCode(TextOut& out, char code, int width, const ResultRow& row, const char* name) {
    switch (code) {
        case 's': putString(out, name, width); break;
        case 'X': putInt(out, row.count[SIZE_XL]); break;
        case 'L': putInt(out, row.count[SIZE_L]); break;
        case 'M': putInt(out, row.count[SIZE_M]); break;
        case 'c': putChar(out, row.mark); break;
        case 'i': putInt(out, row.number); break;
        case 'g': putString(out, row.gap ? "\n" : "", 0); break;
        case 'v': putString(out, VERSION_LINE, 0); break;
        default: assert(code >= '0' && code <= '2'); putWhole(out, row.value[code - '0']);
    }
}

// Fills out, from its start, with the template.
void expandLine(TextOut& out, const char* line, const ResultRow& row, const char* name) {
    out.used = 0;
    for (const char* t = putLiteral(out, line); *t; t = putLiteral(out, t + 1)) {
        int width = 0;
        if (t[1] == '-') {  // "%-43s": left-aligned in 43 characters
            for (t += 2; *t >= '0' && *t <= '9'; ++t) width = 10 * width + (*t - '0');
            --t;
        }
        expandCode(out, *++t, width, row, name);
    }
}

}  // namespace

double roundHalfAway(double value) {
    if (!(value > -4503599627370496.0 && value < 4503599627370496.0)) return value;  // already whole
    auto whole = static_cast<long long>(value);                                      // toward zero
    double fraction = value - static_cast<double>(whole);
    if (fraction >= 0.5) ++whole;
    if (fraction <= -0.5) --whole;
    return std::copysign(static_cast<double>(whole), value);  // -0.4 shows as -0
}

void beginResults(const char* mode, SectionOpening opening) {
    if (!run.opt.resultsFile) return;
    inSection = true;
    if (opening == OPEN_AT_END) {
        modeAtEnd = mode;
        gatheredLength = 0;
        return;
    }
    openOutput(section, FILE_RESULTS, mode);
}

void printResult(Console& con, Line line, const ResultRow& row) {
    char text[512];
    TextOut out = { text, 0, sizeof text };
    expandLine(out, LINES[line].console, row, row.name.console);
    fputs(text, con.out);
    expandLine(out, LINES[line].file, row, row.name.file);
    writeResultsText(text, out.used);
    assert(run.rowCount < ROW_LIMIT);
    run.rows[run.rowCount++] = row;
}

void printResultText(Console& con, Line heading) {
    fputs(LINES[heading].console, con.out);
    writeResultsOnly(LINES[heading].file);
}

void writeResultsOnly(const char* text) {
    int length = 0;
    while (text[length]) ++length;
    writeResultsText(text, length);
}

void endResults() {
    if (inSection && modeAtEnd) openOutput(section, FILE_RESULTS, modeAtEnd);
    if (modeAtEnd) writeOutputText(section, gathered, gatheredLength);
    closeOutput(section);
    inSection = false;
    modeAtEnd = nullptr;
}

ResultRow countsRow(RowKind kind, const Label& name, const SkwTotals& counts, int shown, char mark) {
    return ResultRow{ kind, name, { counts.M, counts.L, counts.XL }, shown, mark, 0, {}, 0, 0 };
}

ResultRow valueRow(RowKind kind, const Label& name, int valueCount, double v0, double v1, double v2) {
    return ResultRow{ kind, name, {}, 0, '\0', 0, { v0, v1, v2 }, valueCount, 0 };
}

ResultRow noteRow(const Label& text) { return ResultRow{ ROW_NOTE, text, {}, 0, '\0', 0, {}, 0, 0 }; }
