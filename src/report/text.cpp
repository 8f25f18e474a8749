// Text into a buffer on the stack: the few conversions the records and result lines use ("%i",
// "%c", "%s", "%-4s", "%.0f"), without the C library's stream set-up for every record.
#include "report/report.h"

#include <cassert>
#include <cmath>
#include <cstdio>
#include <cstring>

void putChar(TextOut& out, char c) {
    assert(out.used + 1 < out.room);
    if (out.used + 1 < out.room) out.text[out.used++] = c;
    out.text[out.used] = '\0';
}

// Copies length characters at once.
void putRun(TextOut& out, const char* text, int length) {
    assert(out.used + length < out.room);
    if (out.used + length >= out.room) length = out.room - 1 - out.used;
    memcpy(out.text + out.used, text, static_cast<size_t>(length));
    out.used += length;
    out.text[out.used] = '\0';
}

void putString(TextOut& out, const char* text, int width) {
    int length = static_cast<int>(strlen(text));
    putRun(out, text, length);
    for (; length < width; ++length) putChar(out, ' ');
}

// Copies the characters up to the next conversion; returns where that stands (or the end).
const char* putLiteral(TextOut& out, const char* format) {
    const char* percent = strchr(format, '%');
    if (!percent) percent = format + strlen(format);
    putRun(out, format, static_cast<int>(percent - format));
    return percent;
}

void putInt(TextOut& out, long long value) {
    char digits[24];
    int n = sizeof digits;
    unsigned long long rest =
        value < 0 ? 0 - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    do {
        digits[--n] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (value < 0) digits[--n] = '-';
    putRun(out, digits + n, static_cast<int>(sizeof digits) - n);
}

// "%.0f" of a value already rounded to a whole number; a negative zero keeps its sign.
void putWhole(TextOut& out, double value) {
    if (std::fabs(value) < 1e18 && value == static_cast<double>(static_cast<long long>(value))) {
        if (std::signbit(value)) putChar(out, '-');
        putInt(out, static_cast<long long>(std::fabs(value)));
        return;
    }
    char text[400];  // the longest double written out in full
    snprintf(text, sizeof text, "%.0f", value);
    putString(out, text, 0);
}

void formatTextV(TextOut& out, const char* format, va_list values) {
    for (const char* f = putLiteral(out, format); *f; f = putLiteral(out, f + 1)) {
        int width = 0;
        if (f[1] == '-') {  // "%-4s": left-aligned in 4 characters
            for (f += 2; *f >= '0' && *f <= '9'; ++f) width = 10 * width + (*f - '0');
            --f;
        }
        if (f[1] == '.' && f[2] == '0') f += 2;  // "%.0f"
        switch (*++f) {
            case 'i': putInt(out, va_arg(values, int)); break;
            case 'c': putChar(out, static_cast<char>(va_arg(values, int))); break;
            case 's': putString(out, va_arg(values, const char*), width); break;
            case 'f': putWhole(out, va_arg(values, double)); break;
            default: assert(*f == '%'); putChar(out, '%');
        }
    }
}
