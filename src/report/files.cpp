// The one way into the output files: open, write and close per record, CR LF for every line end, and a warning
// once per file when it cannot be written. A file whose opening or write failed is not touched again in this
// run, so that it stays as the failure left it: an exact start of this run's file, or the earlier file untouched,
// never a mix of an old file and this run's later records. The console output never depends on the files.
#include "report/report.h"

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif
#include <cassert>
#include <cerrno>
#include <cstring>

#ifndef O_BINARY
#define O_BINARY 0  // only Windows tells text from binary files
#endif

const char* const FILE_NAME[FILE_COUNT] = { "Ergebnis.txt", "Eingaben.txt", "Eingaben-Variablen.txt", "readme.txt" };

namespace {

int openSystem(const char* name, int append) {
    return open(name, O_WRONLY | O_CREAT | O_BINARY | (append ? O_APPEND : O_TRUNC), 0666);
}

int writeSystem(int fd, const char* bytes, int length) {
    for (;;) {
        auto got = write(fd, bytes, static_cast<unsigned>(length));
        if (got >= 0) return static_cast<int>(got);
        if (errno != EINTR) return -1;
    }
}

int closeSystem(int fd) { return close(fd); }

Console* warningConsole = nullptr;  // where the warnings of this run go
const FileCalls* calls = &SYSTEM_FILES;
int failed[FILE_COUNT];  // this file could not be written this run and has had its warning

void fail(OutputFile which) {
    if (failed[which]) return;
    failed[which] = 1;
    printMessage(*warningConsole, ABOUT_FILE, which, "Warnung: Datei %s kann nicht geschrieben werden\n",
                 FILE_NAME[which]);
}

// Hands the gathered bytes to the file, as often as a partial write asks; a failed write ends the opening.
void flushSink(FileSink& sink) {
    const char* at = sink.bytes;
    int left = sink.used;
    sink.used = 0;
    while (sink.fd >= 0 && left > 0) {
        int got = calls->write(sink.fd, at, left);
        if (got <= 0) {
            calls->close(sink.fd);
            sink.fd = -1;
            fail(sink.which);
            return;
        }
        at += got;
        left -= got;
    }
}

}  // namespace

const FileCalls SYSTEM_FILES = { openSystem, writeSystem, closeSystem };

void beginReports(Console& con, const FileCalls& fileCalls) {
    warningConsole = &con;
    calls = &fileCalls;
    for (int& f : failed) f = 0;
}

// Mode "w" creates or empties the file, "a" appends to it (creating it when missing).
void openOutput(FileSink& sink, OutputFile which, const char* mode) {
    sink.which = which;
    sink.used = 0;
    sink.fd = failed[which] ? -1 : calls->open(FILE_NAME[which], mode[0] == 'a');
    if (sink.fd < 0) fail(which);
}

// Gathers text with every "\n" turned into CR LF.
void writeOutputText(FileSink& sink, const char* text, int length) {
    const char* end = text + length;
    while (sink.fd >= 0 && text < end) {
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
    flushSink(sink);
    if (sink.fd >= 0 && calls->close(sink.fd) != 0) fail(sink.which);
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
