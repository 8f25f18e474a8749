// Text into a buffer on the stack: one expander of templates, filled from a row or from arguments, with the few
// conversions the records and result lines use ("%i", "%c", "%s", "%-4s", "%.0f"), without the C library's
// stream set-up for every record.
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
static void putRun(TextOut& out, const char* text, int length) {
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

double roundHalfAway(double value) {
    if (!(value > -4503599627370496.0 && value < 4503599627370496.0)) return value;  // already whole
    auto whole = static_cast<long long>(value);                                      // toward zero
    double fraction = value - static_cast<double>(whole);
    if (fraction >= 0.5) ++whole;
    if (fraction <= -0.5) --whole;
    return std::copysign(static_cast<double>(whole), value);  // -0.4 shows as -0
}

void expandTemplate(TextOut& out, const char* format, Filler fill, void* data) {
    const char* f = format;
    for (;;) {
        const char* percent = strchr(f, '%');
        putRun(out, f, static_cast<int>(percent ? percent - f : static_cast<long>(strlen(f))));
        if (!percent) return;
        f = percent + 1;
        int width = 0;
        if (*f == '-') {  // "%-43s": left-aligned in 43 characters
            for (++f; *f >= '0' && *f <= '9'; ++f) width = 10 * width + (*f - '0');
        }
        if (f[0] == '.' && f[1] == '0') f += 2;  // "%.0f"
        if (*f == '%')
            putChar(out, '%');
        else
            fill(out, *f, width, data);
        ++f;
    }
}

namespace {

struct Arguments {
    va_list values;
};

void fillFromArguments(TextOut& out, char code, int width, void* data) {
    va_list& values = static_cast<Arguments*>(data)->values;
    switch (code) {
        case 'i': putInt(out, va_arg(values, int)); break;
        case 'c': putChar(out, static_cast<char>(va_arg(values, int))); break;
        case 's': putString(out, va_arg(values, const char*), width); break;
        default: assert(code == 'f'); putWhole(out, va_arg(values, double));
    }
}

}  // namespace

void formatTextV(TextOut& out, const char* format, va_list values) {
    Arguments arguments;
    va_copy(arguments.values, values);
    expandTemplate(out, format, fillFromArguments, &arguments);
    va_end(arguments.values);
}

void formatText(TextOut& out, const char* format, ...) {
    va_list values;
    va_start(values, format);
    formatTextV(out, format, values);
    va_end(values);
}
