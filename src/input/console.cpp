// The console layer: standard input through a buffer of our own, read with the rules of the C
// library's "%i", "%c" and "%f" conversions, the discard of pending input and the message lines.
#include "input/input.h"

#include <unistd.h>
#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#ifndef _WIN32
#include <poll.h>
#endif

namespace {

constexpr long long SATURATED = 1LL << 40;  // far beyond any accepted number

// Reads from the descriptor; a standard input in non-blocking mode that has nothing yet is
// waited for, so that only a real end of input or a failure gives 0 or less.
long readDescriptor(int fd, char* into, unsigned room) {
    for (;;) {
        long got = read(fd, into, room);
        if (got >= 0) return got;
        if (errno == EINTR) continue;
#ifndef _WIN32
        pollfd readable{ fd, POLLIN, 0 };
        if ((errno == EAGAIN || errno == EWOULDBLOCK) && (poll(&readable, 1, -1) >= 0 || errno == EINTR)) continue;
#endif
        return got;
    }
}

// Reads more input behind the bytes not yet taken, which move to the front of the buffer;
// marks the end of input when nothing more can be read. The prompt printed before a read must
// be visible before the read waits.
void fillBuffer(Console& con) {
    if (con.atEnd) return;
    fflush(con.out);
    int kept = con.len - con.pos;
    memmove(con.buf, con.buf + con.pos, static_cast<size_t>(kept));
    con.pos = 0;
    con.len = kept;
    // read() takes an unsigned count on Windows and a size_t elsewhere; the room fits both.
    auto room = static_cast<unsigned>(sizeof con.buf - static_cast<size_t>(kept));
    long got = 0;
    if (con.inFd < 0) {
        size_t rest = con.memLen - con.memPos;
        size_t take = rest < room ? rest : size_t{ room };
        memcpy(con.buf + kept, con.mem + con.memPos, take);
        con.memPos += take;
        got = static_cast<long>(take);
    } else {
        got = readDescriptor(con.inFd, con.buf + kept, room);
    }
    if (got > 0)
        con.len += static_cast<int>(got);
    else
        con.atEnd = 1;
}

// Looks at the next character without taking it; EOF when the input has ended.
// A carriage return directly followed by a line feed reads as one line end, as text written
// on Windows does there.
int peekChar(Console& con) {
    if (con.pos >= con.len) fillBuffer(con);
    if (con.pos >= con.len) return EOF;
    if (con.buf[con.pos] == '\r') {
        if (con.pos + 1 >= con.len) fillBuffer(con);
        if (con.pos + 1 < con.len && con.buf[con.pos + 1] == '\n') ++con.pos;
    }
    con.lineTouched = 1;
    return static_cast<unsigned char>(con.buf[con.pos]);
}

// Takes the character that peekChar showed. A taken line end closes its line: the next line
// has not been looked at yet.
void takeChar(Console& con) {
    con.lineTouched = con.buf[con.pos] != '\n';
    ++con.pos;
}

bool isSpace(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(int c) { return c >= '0' && c <= '9'; }
bool isHexDigit(int c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
int lowerOf(int c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

int digitValue(int c) {
    if (isDigit(c)) return c - '0';
    return lowerOf(c) - 'a' + 10;
}

// Takes white space, line ends included; returns the first other character, still pending.
int skipSpace(Console& con) {
    int c = peekChar(con);
    while (c != EOF && isSpace(c)) {
        takeChar(con);
        c = peekChar(con);
    }
    return c;
}

// The characters of a "%f" number as the C library collects them before converting.
struct FloatText {
    char text[NUMBER_TEXT_LIMIT + 1];
    int length;
    int overflow;  // more characters came than text can hold
};

void addChar(FloatText& ft, int c) {
    if (ft.length < NUMBER_TEXT_LIMIT)
        ft.text[ft.length++] = static_cast<char>(c);
    else
        ft.overflow = 1;
}

// Takes c into the text and returns the next pending character.
int keepAndPeek(Console& con, FloatText& ft, int c) {
    addChar(ft, c);
    takeChar(con);
    return peekChar(con);
}

// Matches the letters of word (lower case) one by one; a mismatch or the end of input is a
// failed conversion, and a mismatching character is taken all the same.
bool matchWord(Console& con, FloatText& ft, const char* word) {
    for (const char* w = word; *w; ++w) {
        int c = peekChar(con);
        if (c == EOF) return false;
        takeChar(con);
        if (lowerOf(c) != *w) return false;
        addChar(ft, c);
    }
    return true;
}

// "inf" or "infinity" after its first letter has been taken into ft.
bool scanInfinity(Console& con, FloatText& ft) {
    if (!matchWord(con, ft, "nf")) return false;
    if (lowerOf(peekChar(con)) != 'i') return true;
    takeChar(con);
    addChar(ft, 'i');
    return matchWord(con, ft, "nity");
}

// The digits, point and exponent of a decimal or hexadecimal number; c is the first pending
// character. Returns false when the text cannot be a number at all.
bool scanFloatDigits(Console& con, FloatText& ft, int c, int gotSign) {
    int hex = 0;
    int gotDigit = 0;
    int gotDot = 0;
    int gotE = 0;
    int expChar = 'e';
    if (c == '0') {
        c = keepAndPeek(con, ft, c);
        if (lowerOf(c) == 'x') {
            c = keepAndPeek(con, ft, c);
            hex = 1;
            expChar = 'p';
        } else {
            gotDigit = 1;
        }
    }
    while (c != EOF) {
        if (isDigit(c) || (!gotE && hex && isHexDigit(c))) {
            gotDigit = 1;
        } else if (gotE && ft.length > 0 && ft.text[ft.length - 1] == expChar && (c == '-' || c == '+')) {
            // sign of the exponent
        } else if (gotDigit && !gotE && lowerOf(c) == expChar) {
            c = expChar;
            gotE = gotDot = 1;
        } else if (!gotDot && c == '.') {
            gotDot = 1;
        } else {
            break;
        }
        addChar(ft, c);
        takeChar(con);
        c = peekChar(con);
    }
    return ft.length != gotSign && !(hex && ft.length == 2 + gotSign);
}

}  // namespace

Console consoleOnDescriptor(int fd, FILE* out, FILE* err) {
    Console con{};
    con.out = out;
    con.err = err;
    con.inFd = fd;
    return con;
}

Console consoleOnMemory(const char* text, size_t length, FILE* out, FILE* err) {
    Console con = consoleOnDescriptor(-1, out, err);
    con.mem = text;
    con.memLen = length;
    return con;
}

void printMessage(Console& con, const char* format, ...) {
    fflush(con.out);
    va_list values;
    va_start(values, format);
    vfprintf(con.err, format, values);
    va_end(values);
}

// "%i": optional sign, 0x for hexadecimal, a leading 0 for octal. The value saturates far
// outside the 32-bit range, so that a caller can refuse it instead of wrapping it.
int scanInt(Console& con, long long* value) {
    int c = skipSpace(con);
    if (c == EOF) return -1;
    int negative = 0;
    if (c == '-' || c == '+') {
        negative = c == '-';
        takeChar(con);
        c = peekChar(con);
    }
    int base = 10;
    int gotDigit = 0;
    if (c == '0') {
        gotDigit = 1;
        takeChar(con);
        c = peekChar(con);
        if (lowerOf(c) == 'x') {
            base = 16;
            takeChar(con);
            c = peekChar(con);
        } else {
            base = 8;
        }
    }
    long long magnitude = 0;
    while (c != EOF && (base == 16 ? isHexDigit(c) : isDigit(c) && c - '0' < base)) {
        gotDigit = 1;
        magnitude = magnitude * base + digitValue(c);
        if (magnitude > SATURATED) magnitude = SATURATED;
        takeChar(con);
        c = peekChar(con);
    }
    if (!gotDigit) return 0;
    *value = negative ? -magnitude : magnitude;
    return 1;
}

// "%c": exactly one character, white space and line ends included.
int scanChar(Console& con, char* letter) {
    int c = peekChar(con);
    if (c == EOF) return -1;
    takeChar(con);
    *letter = static_cast<char>(c);
    return 1;
}

// "%f": collects the characters the C library would take, then converts them with strtof.
// tooLong reports a number whose text exceeded NUMBER_TEXT_LIMIT (its value is not usable).
int scanFloat(Console& con, float* value, int* tooLong) {
    int c = skipSpace(con);
    if (c == EOF) return -1;
    FloatText ft{};
    int gotSign = 0;
    if (c == '-' || c == '+') {
        gotSign = 1;
        c = keepAndPeek(con, ft, c);
        if (c == EOF) return 0;
    }
    bool ok;
    if (lowerOf(c) == 'n') {
        takeChar(con);
        addChar(ft, c);
        ok = matchWord(con, ft, "an");
    } else if (lowerOf(c) == 'i') {
        takeChar(con);
        addChar(ft, c);
        ok = scanInfinity(con, ft);
    } else {
        ok = scanFloatDigits(con, ft, c, gotSign);
    }
    if (!ok) return 0;
    *tooLong = ft.overflow;
    ft.text[ft.length] = '\0';
    char* end = nullptr;
    float converted = strtof(ft.text, &end);
    if (end == ft.text) return 0;
    *value = converted;
    return 1;
}

// Drops the rest of the current line, through its line end, when a read has already looked at
// any character of it; at the start of a line no read has looked at, drops nothing.
void discardPending(Console& con) {
    if (!con.lineTouched) return;
    int c = peekChar(con);
    while (c != EOF) {
        takeChar(con);
        if (c == '\n') return;
        c = peekChar(con);
    }
}
