// JSON with automatic commas, in ASCII, in one buffer: how a front end without a console (the page) is told the
// tables and the run record.
#include "report/report.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

char json[1 << 17];
size_t jsonLength = 0;
bool needComma = false;  // the next value follows another one

void putRaw(const char* text, size_t length) {
    if (length >= sizeof json - jsonLength) abort();  // the record outgrew it
    memcpy(json + jsonLength, text, length);
    jsonLength += length;
}

void put(const char* text) { putRaw(text, strlen(text)); }

void putChar(char c) { putRaw(&c, 1); }

void separate() {
    if (needComma) put(",");
    needComma = false;
}

}  // namespace

void jsonBegin(char bracket) {
    separate();
    putChar(bracket);
}

void jsonEnd(char bracket) {
    putChar(bracket);
    needComma = true;
}

void jsonString(const char* text) {
    separate();
    needComma = true;
    if (!text) {
        put("null");
        return;
    }
    putChar('"');
    for (const char* c = text; *c; ++c) {
        auto byte = static_cast<unsigned char>(*c);
        if (byte == '"' || byte == '\\') {
            putChar('\\');
            putChar(*c);
        } else if (byte < 0x20 || byte >= 0x7f) {
            char escape[8];
            snprintf(escape, sizeof escape, "\\u%04x", byte);
            put(escape);
        } else {
            putChar(*c);
        }
    }
    putChar('"');
}

void jsonKey(const char* name) {
    jsonString(name);
    putChar(':');
    needComma = false;
}

void jsonNumber(double value) {
    separate();
    needComma = true;
    char text[32];
    TextOut out = { text, 0, sizeof text };
    if (std::fabs(value) < 1e15 && value == std::trunc(value))
        putWhole(out, value);  // the whole numbers most values are, without the C library's conversion
    else if (std::isfinite(value))
        snprintf(text, sizeof text, "%.17g", value);
    else
        snprintf(text, sizeof text, "null");
    put(text);
}

void jsonLetter(char letter) {
    char text[2] = { letter, '\0' };
    jsonString(letter ? text : nullptr);
}

const char* jsonFinish() {
    json[jsonLength] = '\0';
    jsonLength = 0;
    needComma = false;
    return json;
}
