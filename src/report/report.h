// Where text goes: the console's output and message streams, the output files with their line-end, failure and
// warning rules, the results writer through which every result line is said once, the echo, the diagnostics
// file, the readme and the closing text.
#pragma once

#include "data/record.h"

#include <cstdarg>
#include <cstddef>

#define PRINTF_LIKE(f, a) __attribute__((format(printf, f, a)))

// Text on its way out, gathered and handed to its sink (a descriptor, memory) when the room is full, before the
// console waits for input, and at the end.
struct Stream {
    int (*sink)(void* data, const char* bytes, int length);  // 0, or -1 when the bytes could not be taken
    void* data;
    int used;
    int failed;  // bytes were lost
    char bytes[4096];
};

// The console as the run writes to it: the output and the messages (refused input, ended input, unwritable files).
struct Console {
    Stream out;
    Stream err;
};

// Streams (console.cpp). A stream is made at compile time, so that a console kept for the whole run needs no
// initializer that runs at start-up or on first use.
constexpr Stream streamTo(int (*sink)(void*, const char*, int), void* data) {
    Stream s{};
    s.sink = sink;
    s.data = data;
    return s;
}
void putText(Stream& s, const char* text, int length);
void putString(Stream& s, const char* text);
void flushStream(Stream& s);
void printText(Console& con, const char* format, ...) PRINTF_LIKE(2, 3);
// A message line on the message stream, after what the console printed before it, so that in a combined log each
// message follows the prompt it belongs to; kept in the run record with what it concerns.
void printMessage(Console& con, MessageAbout about, int index, const char* format, ...) PRINTF_LIKE(4, 5);
// Keeps a message that went elsewhere (a food chain's error line goes to the console output).
void keepMessage(MessageAbout about, int index, const char* text);

// Text kept in memory up to a bound far beyond any real run: the page's console and the files of its folder.
constexpr size_t MEMORY_TEXT_LIMIT = 16u << 20;
struct MemoryText {
    char* bytes;
    size_t length;
    size_t room;  // kept for the next run
    int cut;      // more was written than the bound allows
};
int keepInMemory(void* data, const char* bytes, int length);  // a stream's sink: 0, or -1 beyond the bound

// The console of a run in memory (memory_console.cpp): what an earlier run left there is dropped, its room kept.
extern MemoryText consoleOut, consoleErr;
Console memoryConsole();
// Flushes the streams; a run whose text was cut ends with -1 and says so on standard error.
int finishMemoryConsole(Console& con, int status);

// Text into a buffer (text.cpp), kept zero-terminated.
struct TextOut {
    char* text;
    int used;
    int room;
};
void putChar(TextOut& out, char c);
void putString(TextOut& out, const char* text, int width);
void putInt(TextOut& out, long long value);
void putWhole(TextOut& out, double value);  // "%.0f" of a value already rounded; -0 keeps its sign
// Copies a template into out, each conversion ("%X", "%-43s", "%.0f", ...) filled by fill with its code letter
// and width; "%%" is a percent sign. The one reader of templates, for result lines and formatted text alike.
using Filler = void (*)(TextOut& out, char code, int width, void* data);
void expandTemplate(TextOut& out, const char* format, Filler fill, void* data);
// The conversions "%i", "%c", "%s", "%-4s" and "%.0f" (of a value already rounded).
void formatTextV(TextOut& out, const char* format, va_list values);
void formatText(TextOut& out, const char* format, ...) PRINTF_LIKE(2, 3);

// JSON in ASCII with automatic commas (json.cpp), built in one buffer: an object or array begins and ends with its
// bracket, a key comes before each value of an object.
void jsonBegin(char bracket);
void jsonEnd(char bracket);
void jsonKey(const char* name);
void jsonString(const char* text);  // null for a null pointer; Latin-1 bytes and control characters as \u escapes
void jsonNumber(double value);      // exactly; null when not finite
void jsonLetter(char letter);       // a string of the one letter, or null for 0
const char* jsonFinish();           // the text, the buffer emptied for the next

// Halves away from zero, as the results show whole numbers from doubles; the sign of a value that rounds to zero
// survives, so "%.0f" shows "-0" for it.
double roundHalfAway(double value);

// The four files a run may write; the index also selects the once-per-run warning.
enum OutputFile { FILE_RESULTS, FILE_ECHO, FILE_DIAGNOSTICS, FILE_README, FILE_COUNT };
extern const char* const FILE_NAME[FILE_COUNT];

// How files are opened, written and closed: the system's calls, or a test's.
struct FileCalls {
    int (*open)(const char* name, int append);            // a descriptor, or -1
    int (*write)(int fd, const char* bytes, int length);  // bytes taken, or -1
    int (*close)(int fd);                                 // 0, or -1
};
extern const FileCalls SYSTEM_FILES;

// The run's folder in memory (memory_folder.cpp): the files a run finds and writes, and folders in their way. A
// file opens as on disk: a folder of its name is in the way, "w" empties it, "a" appends, both create it; a file
// beyond the bound fails like one on a full disk.
struct FolderEntry {
    char name[128];
    int isDir;
    MemoryText text;  // a file's bytes
};
constexpr int FOLDER_LIMIT = 32;
extern FolderEntry memoryFolder[FOLDER_LIMIT];
extern int memoryFolderCount;
void emptyMemoryFolder();
int addToMemoryFolder(const char* name, int isDir);  // its index, or -1 when the name is there or too long, or no room
int writeInMemoryFolder(int index, const char* bytes, int length);  // bytes taken, or -1
extern const FileCalls FOLDER_FILES;

// One opening of an output file. Text is gathered with its line ends already CR LF and goes to the file in one
// write when the opening closes (or when the room is full).
struct FileSink {
    int fd;            // -1 when closed, when opening failed, or after a failed write
    OutputFile which;  // for the warning on a failed write
    int used;          // bytes gathered in bytes
    char bytes[8192];
};

// Files (files.cpp). A file that cannot be opened or written leaves the console as it is and gets one warning;
// it is not written again in this run, so it stays as the failure left it.
void beginReports(Console& con, const FileCalls& calls);  // a run starts: no file has failed yet
void openOutput(FileSink& sink, OutputFile which, const char* mode);
void writeOutput(FileSink& sink, const char* format, ...) PRINTF_LIKE(2, 3);
void writeOutputV(FileSink& sink, const char* format, va_list values);
void writeOutputText(FileSink& sink, const char* text, int length);
void closeOutput(FileSink& sink);
void writeToFile(OutputFile which, const char* mode, const char* format, ...) PRINTF_LIKE(3, 4);
void writeToFileV(OutputFile which, const char* mode, const char* format, va_list values);

// How each kind of result line looks on the console and in the file: templates over its row (%s its name, %X %L
// %M its counts, %c its mark, %i its number, %0 %1 %2 its values, %g a blank line when it opens a group, %v the
// version line).
enum Line {
    LINE_SKW,
    LINE_SKW_XL,
    LINE_CAPACITY,
    LINE_CRYSTALS,
    LINE_CRYSTALS_XL,  // also the food of crystal factories with -xl
    LINE_CRYSTAL_FOOD,
    LINE_CHAIN,
    LINE_CHAIN_XL,
    LINE_MINES_HEADING,
    LINE_NO_ORE,
    LINE_ORE,
    LINE_SILICON,
    LINE_NO_SILICON,  // the console's note carries the end banner
    LINE_SALES_HEADING,
    LINE_SALE,
    LINE_COUNT
};

// The results writer (results.cpp). A section of results is one opening of Ergebnis.txt with -dat ("w" creates
// the file, "a" appends); each line goes to the console first, then into the section, and is kept as a row.
enum SectionOpening { OPEN_AT_BEGIN, OPEN_AT_END };  // when the section's opening of the file happens
void resetResults();                                 // a run starts: no section is open
void beginResults(const char* mode, SectionOpening opening);
void endResults();
// Says the row by its line and keeps it with the sizes and the mark the line prints; returns its index in the record.
int printResult(Console& con, Line line, const ResultRow& row);
void printResultText(Console& con, Line heading);
void writeResultsOnly(const char* text);  // the closing text, which the console does not get

// Rows of the usual shapes: plants or factories by size, figures, a note that names itself; and the values
// behind a row.
ResultRow countsRow(RowKind kind, const char* code, const Label& name, const SkwTotals& counts, char mark);
ResultRow valueRow(RowKind kind, const char* code, const Label& name, int valueCount, double v0, double v1 = 0,
                   double v2 = 0);
ResultRow noteRow(const char* code, const Label& text);
void addFact(ResultRow& row, const char* code, double value);
// A flow from a supplying row to a consumer (a race when consumer is null); flows of 0 are left out.
void addFlow(FlowKind kind, int row, const char* consumer, int race, double amount);

// Diagnostics file (diagnostics.cpp); both write only with -br.
void writeDiagnosticsHeader();
void appendDiagnosticsRecord(const char* format, ...) PRINTF_LIKE(1, 2);

// Echo of the answers to Eingaben.txt (echo.cpp), only with -dat answered 'j'.
void echoAnswer(const char* mode, const char* format, ...) PRINTF_LIKE(2, 3);
void echoClosingGroup();

// The explanation of the mine yield levels that the readme and the closing text share, up to the line break
// where the two differ.
extern const char* const YIELD_LEVELS;
void writeReadme();       // readme.cpp
void writeClosingText();  // closing.cpp
