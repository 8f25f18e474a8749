// The results writer: every result line is said once, by one call that prints its console spelling, adds its
// file spelling to the open section of Ergebnis.txt and keeps its row in the run record.
#include "report/report.h"

#include <algorithm>
#include <cassert>
#include <iterator>

namespace {

// clang-format off
constexpr Label LINES[] = {
    { "\n\n\n\n%-36sXL: %X  L: %L  M: %M  EZ-Ueber: %i", "%-42sXL: %X  L: %L  M: %M  EZ-\334berschuss: %i" },
    { "\n\n\n\n%-43sXL: %X  L: %L  M: %M  EZ-Ueber: %i", "%-49sXL: %X  L: %L  M: %M  EZ-\334berschuss: %i" },
    same("\n%s %i"),
    { "\n%-36s             M: %M  Ueberschuss: %c", "\n%-49s      M: %M  \334berschuss: %c" },
    { "\n%-36s       XL: %X  L: %L  M: %M", "\n%-49sXL: %X  L: %L  M: %M" },
    { "\n%-36s       L: %L  M: %M  Ueberschuss: %c", "\n%-49sL: %L  M: %M  \334berschuss: %c" },
    { "%g\n%-43sL: %L  M: %M  Ueberschuss: %c", "%g\n%-49sL: %L  M: %M  \334berschuss: %c" },
    { "%g\n%-43sXL: %X  L: %L  M: %M  Ueberschuss: %c", "%g\n%-49sXL: %X  L: %L  M: %M  \334berschuss: %c" },
    { "\n\nMinen (Gesamtausbeute): ", "\n\n\nMinen (Gesamtausbeute): " },
    { "\n%s", "\n\n%s" },
    { "\n%s                      Ausreichend: %0  Empfohlen: %1", "\n\n%s                      Ausreichend: %0  Empfohlen: %1" },
    same("\n%s   Kritisch: %0  Ausreichend: %1  Empfohlen: %2"),
    { "\n%s\n\n\n%v", "\n%s" },
    { "\n\nEZ-, Kristall- und Mineralienverkauf (pro Stunde):", "\n\n\nEZ-, Kristall- und Mineralienverkauf (pro Stunde):\n" },
    same("\n%s %0"),
};
// clang-format on
static_assert(std::size(LINES) == LINE_COUNT);

// What a template prints of its row besides the name: the sizes (a bit 1 << Size for each of %X, %L and %M) and
// whether the mark (%c).
struct Printed {
    int sizes;
    bool mark;
};

constexpr Printed printedBy(const char* format) {
    Printed printed{};
    for (const char* f = format; *f; ++f) {
        if (*f != '%' || !f[1]) continue;
        char code = *++f;  // "%%" takes both characters
        if (code == 'X') printed.sizes |= 1 << SIZE_XL;
        if (code == 'L') printed.sizes |= 1 << SIZE_L;
        if (code == 'M') printed.sizes |= 1 << SIZE_M;
        if (code == 'c') printed.mark = true;
    }
    return printed;
}

// Read off the templates at compile time, so that a row's sizes and mark are always those its line prints.
struct PrintedByLine {
    Printed line[LINE_COUNT];
};

constexpr PrintedByLine readTemplates() {
    PrintedByLine printed{};
    for (int line = 0; line < LINE_COUNT; ++line) printed.line[line] = printedBy(LINES[line].console);
    return printed;
}
constexpr PrintedByLine PRINTED = readTemplates();

constexpr bool printsAlike(const Label& line) {
    Printed console = printedBy(line.console);
    Printed file = printedBy(line.file);
    return console.sizes == file.sizes && console.mark == file.mark;
}
static_assert(std::all_of(std::begin(LINES), std::end(LINES), printsAlike),
              "a line's console and file spellings print other sizes or marks");

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

struct LineOfRow {
    const ResultRow& row;
    const char* name;  // in the spelling of the line
};

// Adds what one template code stands for.
void fillFromRow(TextOut& out, char code, int width, void* data) {
    const auto& line = *static_cast<const LineOfRow*>(data);
    const ResultRow& row = line.row;
    switch (code) {
        case 's': putString(out, line.name, width); break;
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

// One spelling of a result line, from the start of out.
void expandLine(TextOut& out, const char* line, const ResultRow& row, const char* name) {
    out.used = 0;
    LineOfRow spelled = { row, name };
    expandTemplate(out, line, fillFromRow, &spelled);
}

}  // namespace

void resetResults() {
    section.fd = -1;
    inSection = false;
    modeAtEnd = nullptr;
    gatheredLength = 0;
}

void beginResults(const char* mode, SectionOpening opening) {
    inSection = run.opt.resultsFile;
    modeAtEnd = nullptr;
    gatheredLength = 0;
    if (!inSection) return;
    if (opening == OPEN_AT_END) {
        modeAtEnd = mode;
        return;
    }
    openOutput(section, FILE_RESULTS, mode);
}

void endResults() {
    if (inSection && modeAtEnd) {
        openOutput(section, FILE_RESULTS, modeAtEnd);
        writeOutputText(section, gathered, gatheredLength);
    }
    if (inSection) closeOutput(section);
    inSection = false;
    modeAtEnd = nullptr;
}

int printResult(Console& con, Line line, const ResultRow& row) {
    char text[512];
    TextOut out = { text, 0, sizeof text };
    expandLine(out, LINES[line].console, row, row.name.console);
    putText(con.out, text, out.used);
    expandLine(out, LINES[line].file, row, row.name.file);
    writeResultsText(text, out.used);
    assert(run.rowCount < ROW_LIMIT);
    ResultRow& kept = run.rows[run.rowCount];
    kept = row;
    kept.shown = PRINTED.line[line].sizes;
    if (!PRINTED.line[line].mark) kept.mark = '\0';
    return run.rowCount++;
}

void printResultText(Console& con, Line heading) {
    putString(con.out, LINES[heading].console);
    writeResultsOnly(LINES[heading].file);
}

void writeResultsOnly(const char* text) {
    int length = 0;
    while (text[length]) ++length;
    writeResultsText(text, length);
}

ResultRow countsRow(RowKind kind, const char* code, const Label& name, const SkwTotals& counts, char mark) {
    ResultRow row{};
    row.kind = kind;
    row.code = code;
    row.name = name;
    row.count[SIZE_M] = counts.M;
    row.count[SIZE_L] = counts.L;
    row.count[SIZE_XL] = counts.XL;
    row.mark = mark;
    return row;
}

ResultRow valueRow(RowKind kind, const char* code, const Label& name, int valueCount, double v0, double v1, double v2) {
    ResultRow row{};
    row.kind = kind;
    row.code = code;
    row.name = name;
    row.value[0] = v0;
    row.value[1] = v1;
    row.value[2] = v2;
    row.valueCount = valueCount;
    return row;
}

ResultRow noteRow(const char* code, const Label& text) { return valueRow(ROW_NOTE, code, text, 0, 0); }

void addFact(ResultRow& row, const char* code, double value) {
    assert(row.factCount < FACT_LIMIT);
    row.facts[row.factCount++] = Fact{ code, value };
}

void addFlow(FlowKind kind, int row, const char* consumer, int race, double amount) {
    if (amount == 0) return;
    assert(run.flowCount < FLOW_LIMIT);
    Flow& flow = run.flows[run.flowCount++];
    flow.kind = static_cast<unsigned char>(kind);
    flow.row = static_cast<unsigned char>(row);
    flow.race = static_cast<unsigned char>(race < 0 ? 0 : race);
    flow.consumer = consumer;
    flow.amount = amount;
}
