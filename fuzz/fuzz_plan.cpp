// libFuzzer target for the page's plan entry (web/core/entry.cpp and src/plan compiled natively): a fuzzed plan of
// switches, yes/no answers and field texts (numbers written whole, fractional, huge, negative zero, infinite, NaN,
// letters, raw bytes), some output files with a folder in their way. The plan is run, then the answers it logged are run as typed text with the same options:
// the console text, status and files must be the same, and the run record must be well-formed JSON in ASCII.
#include "console/console.h"
#include "core/entry.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

constexpr double INF = std::numeric_limits<double>::infinity();
// Values at the edges of what the fields take, written as text.
constexpr double EDGES[] = { 0.0,       -0.0,    0.5,   -0.4,   10000,  10001,        -10000,     -10001,
                             500000000, 5e8 + 1, 1e300, 3.4e38, 3.5e38, 1.401298e-45, INF,        -INF,
                             'a',       'u',     'h',   'x',    'j',    'n',          16777217.0, -1e-300 };

struct Bytes {
    const uint8_t* at;
    size_t left;
};

uint8_t take(Bytes& b) {
    if (b.left == 0) return 0;
    --b.left;
    return *b.at++;
}

// A field's value: a small whole number, a number of 16 bits, any double, or an edge.
double valueOf(Bytes& b) {
    uint8_t tag = take(b);
    switch (tag % 4) {
        case 0: return static_cast<int8_t>(take(b));
        case 1: {
            int high = take(b);
            return static_cast<int16_t>(high << 8 | take(b));
        }
        case 2: {
            uint64_t raw = 0;
            for (int i = 0; i < 8; ++i) raw = raw << 8 | take(b);
            double d;
            memcpy(&d, &raw, sizeof d);
            return d;
        }
        default: return tag / 4 % 25 == 24 ? std::nan("") : EDGES[tag / 4 % 25 % std::size(EDGES)];
    }
}

// A field's text: a value written out, raw bytes, or a letter; gives its length.
size_t textOf(Bytes& b, char (&text)[64]) {
    uint8_t tag = take(b);
    if (tag % 3 == 0) return static_cast<size_t>(snprintf(text, sizeof text, tag & 8 ? "%a" : "%.17g", valueOf(b)));
    if (tag % 3 == 2) return static_cast<size_t>(snprintf(text, sizeof text, "%c", take(b)));
    size_t length = take(b) % sizeof text;
    for (size_t i = 0; i < length; ++i) text[i] = static_cast<char>(take(b));
    return length;
}

// The folder as a run found or left it, with the console text.
struct Snapshot {
    int status;
    size_t outLength;
    char* out;
    size_t fileLength[FILE_COUNT];
    char* file[FILE_COUNT];
};

void keep(Snapshot& s, int status) {
    s.status = status;
    s.outLength = wv_outLength();
    s.out = static_cast<char*>(malloc(s.outLength + 1));
    memcpy(s.out, wv_out(), s.outLength);
    for (int f = 0; f < FILE_COUNT; ++f) {
        s.fileLength[f] = 0;
        s.file[f] = nullptr;
        for (int e = 0; e < wv_folderCount(); ++e) {
            if (wv_folderIsDir(e) || strcmp(wv_folderName(e), FILE_NAME[f]) != 0) continue;
            s.fileLength[f] = wv_folderLength(e);
            s.file[f] = static_cast<char*>(malloc(s.fileLength[f] + 1));
            memcpy(s.file[f], wv_folderBytes(e), s.fileLength[f]);
        }
    }
}

bool same(const char* a, size_t aLength, const char* b, size_t bLength) {
    return aLength == bLength && (aLength == 0 || memcmp(a, b, aLength) == 0);
}

void release(Snapshot& s) {
    free(s.out);
    for (char* f : s.file) free(f);
}

void fillFolder(int inTheWay) {
    wv_folderReset();
    for (int f = 0; f < FILE_COUNT; ++f) {
        if (inTheWay >> f & 1) wv_folderAdd(FILE_NAME[f], 1);
    }
}

// Brackets and braces balance outside strings, and every byte is printable ASCII.
void checkJson(const char* json) {
    int depth = 0;
    bool inString = false;
    for (const char* c = json; *c; ++c) {
        if (*c < 0x20 || *c > 0x7e) abort();
        if (inString) {
            if (*c == '\\')
                ++c;
            else if (*c == '"')
                inString = false;
            continue;
        }
        if (*c == '"') inString = true;
        if (*c == '{' || *c == '[') ++depth;
        if (*c == '}' || *c == ']') --depth;
        if (depth < 0) abort();
    }
    if (depth != 0 || inString) abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    checkJson(wv_tables());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Bytes b = { data, size };
    int options = take(b);
    int answers = take(b);
    int inTheWay = take(b) % 16;
    wv_planReset();
    const char* argv[OPTION_COUNT + 1] = { "werkverbund" };
    int argc = 1;
    for (int o = 0; o < OPTION_COUNT; ++o) {
        int on = options >> o & 1;
        // the yes/no answer: j or n, now and then any letter, which the plan reader turns into j
        int answer = answers >> o & 1 ? 'n' : 'j';
        if ((answers & 0xc0) == 0xc0 && o == OPTION_DAT) answer = take(b);
        wv_planOption(o, on, answer);
        if (on) argv[argc++] = OPTIONS[o].spelling;
    }
    while (b.left > 0) {
        int question = take(b) % QUESTION_COUNT;
        char text[64];
        size_t length = textOf(b, text);
        wv_planField(question, text, length);
    }
    fillFolder(inTheWay);
    int status = wv_runPlan();
    if (status != 0 && status != -1) abort();
    checkJson(wv_record());
    Snapshot byPlan;
    keep(byPlan, status);
    size_t typedLength = wv_answersLength();
    char* typed = static_cast<char*>(malloc(typedLength + 1));
    memcpy(typed, wv_answers(), typedLength);

    fillFolder(inTheWay);
    Snapshot byText;
    keep(byText, wv_run(argc, argv, typed, typedLength));
    checkJson(wv_record());
    if (byPlan.status != byText.status || !same(byPlan.out, byPlan.outLength, byText.out, byText.outLength)) abort();
    for (int f = 0; f < FILE_COUNT; ++f) {
        if ((byPlan.file[f] == nullptr) != (byText.file[f] == nullptr)) abort();
        if (!same(byPlan.file[f], byPlan.fileLength[f], byText.file[f], byText.fileLength[f])) abort();
    }
    release(byPlan);
    release(byText);
    free(typed);
    return 0;
}
