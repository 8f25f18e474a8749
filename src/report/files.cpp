// The one way into the output files: plain open, write and close, CR LF for every line end,
// a warning once per file when it cannot be written. The console output never depends on them.
#include "input/input.h"
#include "report/report.h"

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif
#include <cassert>
#include <cerrno>
#include <cstdio>
#include <cstring>

#ifndef O_BINARY
#define O_BINARY 0  // only Windows tells text from binary files
#endif

namespace {

constexpr const char* FILE_NAME[] = { "Ergebnis.txt", "Eingaben.txt", "Eingaben-Variablen.txt", "readme.txt" };
static_assert(std::size(FILE_NAME) == FILE_COUNT);

Console* warningConsole = nullptr;  // where the warnings of this run go
int warned[FILE_COUNT];             // a warning about this file has been given this run

void warnUnwritable(OutputFile which) {
    if (warned[which]) return;
    warned[which] = 1;
    printMessage(*warningConsole, "Warnung: Datei %s kann nicht geschrieben werden\n", FILE_NAME[which]);
}

// Hands the gathered bytes to the file, as often as a partial write asks.
void flushSink(FileSink& sink) {
    const char* at = sink.bytes;
    int left = sink.used;
    sink.used = 0;
    while (sink.fd >= 0 && left > 0) {
        auto got = write(sink.fd, at, static_cast<unsigned>(left));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            warnUnwritable(sink.which);
            return;
        }
        at += got;
        left -= static_cast<int>(got);
    }
}

}  // namespace

void beginReports(Console& con) {
    warningConsole = &con;
    for (int& w : warned) w = 0;
}

// Mode "w" creates or empties the file, "a" appends to it (creating it when missing).
void openOutput(FileSink& sink, OutputFile which, const char* mode) {
    int flags = O_WRONLY | O_CREAT | O_BINARY | (mode[0] == 'w' ? O_TRUNC : O_APPEND);
    sink.fd = open(FILE_NAME[which], flags, 0666);
    sink.which = which;
    sink.used = 0;
    if (sink.fd < 0) warnUnwritable(which);
}

// Gathers text with every "\n" turned into CR LF.
void writeOutputText(FileSink& sink, const char* text, int length) {
    if (sink.fd < 0) return;
    const char* end = text + length;
    while (text < end) {
        const auto* lineEnd = static_cast<const char*>(memchr(text, '\n', static_cast<size_t>(end - text)));
        int piece = static_cast<int>((lineEnd ? lineEnd : end) - text);
        if (sink.used + piece + 2 > static_cast<int>(sizeof sink.bytes)) flushSink(sink);
        assert(sink.used + piece + 2 <= static_cast<int>(sizeof sink.bytes));
        memcpy(sink.bytes + sink.used, text, static_cast<size_t>(piece));
        sink.used += piece;
        text += piece;
        if (!lineEnd) break;
        sink.bytes[sink.used++] = '\r';
        sink.bytes[sink.used++] = '\n';
        ++text;
    }
}

void writeOutputV(FileSink& sink, const char* format, va_list values) {
    if (sink.fd < 0) return;
    char text[4096];
    TextOut out = { text, 0, sizeof text };
    formatTextV(out, format, values);
    writeOutputText(sink, text, out.used);
}

void writeOutput(FileSink& sink, const char* format, ...) {
    va_list values;
    va_start(values, format);
    writeOutputV(sink, format, values);
    va_end(values);
}

void closeOutput(FileSink& sink) {
    if (sink.fd < 0) return;
    flushSink(sink);
    if (close(sink.fd) != 0) warnUnwritable(sink.which);
    sink.fd = -1;
}

// Opens the file with mode "w" or "a", writes one text and closes it again.
void writeToFile(OutputFile which, const char* mode, const char* format, ...) {
    va_list values;
    va_start(values, format);
    writeToFileV(which, mode, format, values);
    va_end(values);
}

void writeToFileV(OutputFile which, const char* mode, const char* format, va_list values) {
    FileSink sink;
    openOutput(sink, which, mode);
    writeOutputV(sink, format, values);
    closeOutput(sink);
}
