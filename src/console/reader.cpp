// The console layer: standard input through a buffer of our own, read with the rules of the C library's "%i",
// "%c" and "%f" conversions, the discard of pending input, and the reader that asks the run's questions with them.
#include "console/console.h"

#include <unistd.h>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#ifndef _WIN32
#include <poll.h>
#endif

namespace {

constexpr long long SATURATED = 1LL << 40;  // far beyond any accepted number

long readSystem(int fd, char* into, unsigned room) { return read(fd, into, room); }

// Reads from the descriptor; a standard input in non-blocking mode that has nothing yet is waited for, so that
// only a real end of input or a failure gives 0 or less.
long readDescriptor(ConsoleInput& in, char* into, unsigned room) {
    for (;;) {
        long got = in.read(in.fd, into, room);
        if (got >= 0) return got;
        if (errno == EINTR) continue;
#ifndef _WIN32
        pollfd readable{ in.fd, POLLIN, 0 };
        if ((errno == EAGAIN || errno == EWOULDBLOCK) && (poll(&readable, 1, -1) >= 0 || errno == EINTR)) continue;
#endif
        return got;
    }
}

// Reads more input behind the bytes not yet taken, which move to the front of the buffer; marks the end of input
// when nothing more can be read, and names the cause when that is a read error. The prompt printed before a read
// must be visible before the read waits.
void fillBuffer(ConsoleInput& in) {
    if (in.atEnd) return;
    flushStream(in.con->out);
    if (in.endWithOutput && in.con->out.failed) {
        in.atEnd = 1;
        return;
    }
    int kept = in.len - in.pos;
    memmove(in.buf, in.buf + in.pos, static_cast<size_t>(kept));
    in.pos = 0;
    in.len = kept;
    // read() takes an unsigned count on Windows and a size_t elsewhere; the room fits both.
    auto room = static_cast<unsigned>(sizeof in.buf - static_cast<size_t>(kept));
    long got = 0;
    if (in.fd < 0) {
        size_t rest = in.memLen - in.memPos;
        size_t take = rest < room ? rest : size_t{ room };
        memcpy(in.buf + kept, in.mem + in.memPos, take);
        in.memPos += take;
        got = static_cast<long>(take);
    } else {
        got = readDescriptor(in, in.buf + kept, room);
    }
    if (got > 0) {
        in.len += static_cast<int>(got);
        return;
    }
    in.atEnd = 1;
    if (got < 0) printMessage(*in.con, ABOUT_INPUT, 0, "Eingabe kann nicht gelesen werden: %s\n", strerror(errno));
}

// Looks at the next character without taking it; EOF when the input has ended.
// A carriage return directly followed by a line feed reads as one line end, as text written
// on Windows does there.
int peekChar(ConsoleInput& in) {
    if (in.pos >= in.len) fillBuffer(in);
    if (in.pos >= in.len) return EOF;
    if (in.buf[in.pos] == '\r') {
        if (in.pos + 1 >= in.len) fillBuffer(in);
        if (in.pos + 1 < in.len && in.buf[in.pos + 1] == '\n') ++in.pos;
    }
    in.lineTouched = 1;
    return static_cast<unsigned char>(in.buf[in.pos]);
}

// Takes the character that peekChar showed. A taken line end closes its line: the next line
// has not been looked at yet.
void takeChar(ConsoleInput& in) {
    in.lineTouched = in.buf[in.pos] != '\n';
    ++in.pos;
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
int skipSpace(ConsoleInput& in) {
    int c = peekChar(in);
    while (c != EOF && isSpace(c)) {
        takeChar(in);
        c = peekChar(in);
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
int keepAndPeek(ConsoleInput& in, FloatText& ft, int c) {
    addChar(ft, c);
    takeChar(in);
    return peekChar(in);
}

// Matches the letters of word (lower case) one by one; a mismatch or the end of input is a
// failed conversion, and a mismatching character is taken all the same.
bool matchWord(ConsoleInput& in, FloatText& ft, const char* word) {
    for (const char* w = word; *w; ++w) {
        int c = peekChar(in);
        if (c == EOF) return false;
        takeChar(in);
        if (lowerOf(c) != *w) return false;
        addChar(ft, c);
    }
    return true;
}

// "inf" or "infinity" after its first letter has been taken into ft.
bool scanInfinity(ConsoleInput& in, FloatText& ft) {
    if (!matchWord(in, ft, "nf")) return false;
    if (lowerOf(peekChar(in)) != 'i') return true;
    takeChar(in);
    addChar(ft, 'i');
    return matchWord(in, ft, "nity");
}

// The digits, point and exponent of a decimal or hexadecimal number; c is the first pending
// character. Returns false when the text cannot be a number at all.
bool scanFloatDigits(ConsoleInput& in, FloatText& ft, int c, int gotSign) {
    int hex = 0;
    int gotDigit = 0;
    int gotDot = 0;
    int gotE = 0;
    int expChar = 'e';
    if (c == '0') {
        c = keepAndPeek(in, ft, c);
        if (lowerOf(c) == 'x') {
            c = keepAndPeek(in, ft, c);
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
        takeChar(in);
        c = peekChar(in);
    }
    return ft.length != gotSign && !(hex && ft.length == 2 + gotSign);
}

}  // namespace

ConsoleInput inputOnDescriptor(Console& con, int fd) {
    ConsoleInput in{};
    in.con = &con;
    in.fd = fd;
    in.read = readSystem;
    return in;
}

ConsoleInput inputOnMemory(Console& con, const char* text, size_t length) {
    ConsoleInput in = inputOnDescriptor(con, -1);
    in.mem = text;
    in.memLen = length;
    return in;
}

// "%i": optional sign, 0x for hexadecimal, a leading 0 for octal. The value saturates far
// outside the 32-bit range, so that a caller can refuse it instead of wrapping it.
int scanInt(ConsoleInput& in, long long* value) {
    int c = skipSpace(in);
    if (c == EOF) return -1;
    int negative = 0;
    if (c == '-' || c == '+') {
        negative = c == '-';
        takeChar(in);
        c = peekChar(in);
    }
    int base = 10;
    int gotDigit = 0;
    if (c == '0') {
        gotDigit = 1;
        takeChar(in);
        c = peekChar(in);
        if (lowerOf(c) == 'x') {
            base = 16;
            takeChar(in);
            c = peekChar(in);
        } else {
            base = 8;
        }
    }
    long long magnitude = 0;
    while (c != EOF && (base == 16 ? isHexDigit(c) : isDigit(c) && c - '0' < base)) {
        gotDigit = 1;
        magnitude = magnitude * base + digitValue(c);
        if (magnitude > SATURATED) magnitude = SATURATED;
        takeChar(in);
        c = peekChar(in);
    }
    if (!gotDigit) return 0;
    *value = negative ? -magnitude : magnitude;
    return 1;
}

// "%c": exactly one character, white space and line ends included.
int scanChar(ConsoleInput& in, char* letter) {
    int c = peekChar(in);
    if (c == EOF) return -1;
    takeChar(in);
    *letter = static_cast<char>(c);
    return 1;
}

// "%f": collects the characters the C library would take, then converts them with strtof.
// tooLong reports a number whose text exceeded NUMBER_TEXT_LIMIT (its value is not usable).
int scanFloat(ConsoleInput& in, float* value, int* tooLong) {
    int c = skipSpace(in);
    if (c == EOF) return -1;
    FloatText ft{};
    int gotSign = 0;
    if (c == '-' || c == '+') {
        gotSign = 1;
        c = keepAndPeek(in, ft, c);
        if (c == EOF) return 0;
    }
    bool ok;
    if (lowerOf(c) == 'n') {
        takeChar(in);
        addChar(ft, c);
        ok = matchWord(in, ft, "an");
    } else if (lowerOf(c) == 'i') {
        takeChar(in);
        addChar(ft, c);
        ok = scanInfinity(in, ft);
    } else {
        ok = scanFloatDigits(in, ft, c, gotSign);
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
void discardPending(ConsoleInput& in) {
    if (!in.lineTouched) return;
    int c = peekChar(in);
    while (c != EOF) {
        takeChar(in);
        if (c == '\n') return;
        c = peekChar(in);
    }
}

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Drops the blanks around a field's text.
void trimBlanks(const char*& text, const char*& end) {
    while (text < end && isBlank(*text)) ++text;
    while (end > text && isBlank(end[-1])) --end;
}

// Decimal digits with an optional sign, saturating far outside any range.
Refusal readDecimal(const char* text, const char* end, double* value) {
    bool negative = text < end && *text == '-';
    if (text < end && (*text == '-' || *text == '+')) ++text;
    if (text == end) return REFUSAL_UNREADABLE;
    long long magnitude = 0;
    for (; text < end; ++text) {
        if (!isDigit(*text)) return REFUSAL_UNREADABLE;
        magnitude = magnitude * 10 + (*text - '0');
        if (magnitude > SATURATED) magnitude = SATURATED;
    }
    *value = static_cast<double>(negative ? -magnitude : magnitude);
    return REFUSAL_NONE;
}

int discard(void* /*data*/, const char* /*bytes*/, int /*length*/) { return 0; }

// The console of a field's text: reading from memory prints nothing. Made at compile time; an initializer run on
// first use would need the C++ runtime's guards and bring libstdc++ into the console program.
constinit Console nowhere = { streamTo(discard, nullptr), streamTo(discard, nullptr) };

// "%f" with nothing but blanks after it.
Refusal readDemandText(const char* text, size_t length, double* value) {
    ConsoleInput in = inputOnMemory(nowhere, text, length);
    float typed = 0;
    int tooLong = 0;
    if (scanFloat(in, &typed, &tooLong) != 1) return REFUSAL_UNREADABLE;
    for (char rest = 0; scanChar(in, &rest) == 1;) {
        if (!isBlank(rest)) return REFUSAL_UNREADABLE;
    }
    if (tooLong) return REFUSAL_TOO_LONG;
    *value = typed;
    return REFUSAL_NONE;
}

}  // namespace

Refusal readFieldText(const Question& q, const char* text, size_t length, double* value) {
    const char* end = text + length;
    Refusal read = REFUSAL_NONE;
    *value = 0;
    if (q.kind == ANSWER_DEMAND) {
        read = readDemandText(text, length, value);
    } else {
        trimBlanks(text, end);
        if (q.kind == ANSWER_COUNT)
            read = readDecimal(text, end, value);
        else if (end - text == 1)
            *value = lowerAscii(*text);
        else
            read = REFUSAL_LETTER;
    }
    if (read == REFUSAL_NONE) read = refusalOf(q, *value);
    if (read != REFUSAL_NONE) *value = 0;
    return read;
}

namespace {

// Tells the user why a number was not taken (why a format for the limits) and drops the rest of its line.
void refuseNumber(ConsoleInput& in, const Ask& ask, const char* why, int limit1 = 0, int limit2 = 0) {
    printMessage(*in.con, ABOUT_QUESTION, indexOf(*ask.q), why, limit1, limit2);
    discardPending(in);
}

Answer typed(double value) { return Answer{ value, SOURCE_TYPED, 0, 0 }; }
constexpr Answer UNREAD = { 0, SOURCE_UNREAD, 0, 0 };

// Asks until the answer is one of the letters (either case), each time dropping what is pending first.
Answer askLetter(void* data, const Ask& ask) {
    ConsoleInput& in = *static_cast<ConsoleInput*>(data);
    char answer = 0;
    while (!isOneOf(answer, ask.letters)) {
        discardPending(in);
        putString(in.con->out, ask.prompt);
        char letter = 0;
        if (scanChar(in, &letter) != 1) return Answer{ 0, SOURCE_NONE, 0, 1 };
        answer = lowerAscii(letter);
    }
    return typed(answer);
}

// Prints the prompt and reads one "%i" number. A number that cannot be read gives 0 and stays pending; one
// outside the question's range is refused and the prompt repeats.
Answer askCount(void* data, const Ask& ask) {
    ConsoleInput& in = *static_cast<ConsoleInput*>(data);
    const Question& q = *ask.q;
    if (q.discardBefore) discardPending(in);
    for (;;) {
        putString(in.con->out, ask.prompt);
        long long value = 0;
        if (scanInt(in, &value) != 1) return UNREAD;
        if (refusalOf(q, static_cast<double>(value)) == REFUSAL_NONE) return typed(static_cast<double>(value));
        refuseNumber(in, ask, "Ungueltige Eingabe: erlaubt sind ganze Zahlen von %i bis %i\n", q.low, q.high);
    }
}

// Prints the prompt and reads one "%f" number; 0 when none can be read. Over-long numbers, infinite values and
// NaN are refused and the prompt repeats.
Answer askDemand(void* data, const Ask& ask) {
    ConsoleInput& in = *static_cast<ConsoleInput*>(data);
    if (ask.q->discardBefore) discardPending(in);
    for (;;) {
        putString(in.con->out, ask.prompt);
        float value = 0;
        int tooLong = 0;
        if (scanFloat(in, &value, &tooLong) != 1) return UNREAD;
        if (tooLong) {
            refuseNumber(in, ask, "Ungueltige Eingabe: die Zahl ist zu lang (hoechstens %i Zeichen)\n",
                         ANSWER_RULES[ask.q->kind].textLimit);
        } else if (refusalOf(*ask.q, static_cast<double>(value)) != REFUSAL_NONE) {
            refuseNumber(in, ask, "Ungueltige Eingabe: erlaubt sind nur endliche Zahlen\n");
        } else {
            return typed(value);
        }
    }
}

// The first read takes the line end the last answer left, the second the Enter itself.
int askEnter(void* data) {
    ConsoleInput& in = *static_cast<ConsoleInput*>(data);
    char c = 0;
    scanChar(in, &c);
    return scanChar(in, &c) == 1 ? 0 : -1;
}

}  // namespace

const AnswerReader CONSOLE_READER = { askLetter, askCount, askDemand, askEnter };
