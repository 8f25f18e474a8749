// The console as the run writes to it: output and messages gathered in streams of our own and handed to their
// sinks, and every message kept in the run record with what it concerns.
#include "report/report.h"

#include <cstdio>
#include <cstring>

void flushStream(Stream& s) {
    if (s.used > 0 && s.sink(s.data, s.bytes, s.used) != 0) s.failed = 1;
    s.used = 0;
}

void putText(Stream& s, const char* text, int length) {
    while (length > 0) {
        if (s.used == static_cast<int>(sizeof s.bytes)) flushStream(s);
        int room = static_cast<int>(sizeof s.bytes) - s.used;
        int piece = length < room ? length : room;
        memcpy(s.bytes + s.used, text, static_cast<size_t>(piece));
        s.used += piece;
        text += piece;
        length -= piece;
    }
}

void putString(Stream& s, const char* text) { putText(s, text, static_cast<int>(strlen(text))); }

static void printV(Stream& s, const char* format, va_list values) {
    char text[1024];
    TextOut out = { text, 0, sizeof text };
    formatTextV(out, format, values);
    putText(s, text, out.used);
}

void printText(Console& con, const char* format, ...) {
    va_list values;
    va_start(values, format);
    printV(con.out, format, values);
    va_end(values);
}

void keepMessage(MessageAbout about, int index, const char* text) {
    while (*text == '\n') ++text;
    if (run.messageCount++ >= MESSAGE_LIMIT) return;
    Message& m = run.messages[run.messageCount - 1];
    m.about = about;
    m.index = index;
    size_t n = strnlen(text, sizeof m.text - 1);
    while (n > 0 && text[n - 1] == '\n') --n;
    memcpy(m.text, text, n);
    m.text[n] = '\0';
}

void printMessage(Console& con, MessageAbout about, int index, const char* format, ...) {
    flushStream(con.out);
    char text[1024];
    TextOut out = { text, 0, sizeof text };
    va_list values;
    va_start(values, format);
    formatTextV(out, format, values);
    va_end(values);
    putText(con.err, text, out.used);
    flushStream(con.err);
    keepMessage(about, index, text);
}
