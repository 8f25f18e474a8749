// The page's way into the core: one whole console run on input held in memory, with the console
// text caught in memory streams, in whatever folder the page has made current; the core's tables
// and the last run's record as JSON, from which the page builds its form and its results.
#include "control/control.h"
#include "input/input.h"

#include <emscripten.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

// The console text of the last run; the page reads it after wv_run.
char* outText = nullptr;
size_t outLength = 0;
char* errText = nullptr;
size_t errLength = 0;

void dropText() {
    free(outText);
    free(errText);
    outText = errText = nullptr;
    outLength = errLength = 0;
}

// The JSON texts handed to the page: one buffer, filled anew by each call.
char json[1 << 16];
size_t jsonLength = 0;

void put(const char* format, ...) __attribute__((format(printf, 1, 2)));
void put(const char* format, ...) {
    va_list values;
    va_start(values, format);
    int n = vsnprintf(json + jsonLength, sizeof json - jsonLength, format, values);
    va_end(values);
    if (n < 0 || static_cast<size_t>(n) >= sizeof json - jsonLength) abort();  // the tables outgrew it
    jsonLength += static_cast<size_t>(n);
}

// A string as JSON in ASCII: Latin-1 bytes and control characters as \u escapes.
void putString(const char* text) {
    if (!text) {
        put("null");
        return;
    }
    put("\"");
    for (const char* c = text; *c; ++c) {
        auto byte = static_cast<unsigned char>(*c);
        if (byte == '"' || byte == '\\')
            put("\\%c", *c);
        else if (byte < 0x20 || byte >= 0x7f)
            put("\\u%04x", byte);
        else
            put("%c", *c);
    }
    put("\"");
}

void putNumber(double value) {
    if (std::isfinite(value))
        put("%.17g", value);
    else
        put("null");
}

const char* finish() {
    jsonLength = 0;
    return json;
}

const char* nameOf(const OptionInfo& o) { return o.spelling + 1; }

// The option that makes a question asked, found by trying each alone; null when it is always asked.
const char* askedWith(const Question& q) {
    OptionFlags none{};
    if (isAsked(q, none)) return nullptr;
    for (const OptionInfo& o : OPTIONS) {
        OptionFlags only{};
        only.*o.flag = 1;
        if (o.answer) only.*o.answer = 'j';
        if (isAsked(q, only)) return nameOf(o);
    }
    return nullptr;
}

// Does answering the option's question 'n' switch questions to their numbered prompts?
bool numbersRaces(const OptionInfo& o) {
    if (!o.answer) return false;
    OptionFlags yes{};
    yes.*o.flag = 1;
    yes.*o.answer = 'j';
    OptionFlags no = yes;
    no.*o.answer = 'n';
    for (const Question& q : QUESTIONS) {
        if (promptOf(q, yes) != promptOf(q, no)) return true;
    }
    return false;
}

const char* const KIND_NAME[] = { "count", "letter", "demand" };
const char* const ROW_KIND_NAME[] = { "plants", "capacity", "factories", "mines", "sale", "note" };

void putRow(const ResultRow& row) {
    put("{\"kind\":\"%s\",\"name\":", ROW_KIND_NAME[row.kind]);
    putString(row.name.file ? row.name.file : row.name.console);
    put(",\"count\":[%i,%i,%i],\"shown\":%i,\"mark\":", row.count[SIZE_M], row.count[SIZE_L], row.count[SIZE_XL],
        row.shown);
    char mark[2] = { row.mark, '\0' };
    putString(mark);
    put(",\"number\":%i,\"value\":[", row.number);
    for (int v = 0; v < 3; ++v) {
        if (v) put(",");
        putNumber(row.value[v]);
    }
    put("],\"valueCount\":%i,\"gap\":%i}", row.valueCount, row.gap);
}

}  // namespace

extern "C" {

// Runs the console program with these arguments (argv[0] is the program's name) and standard
// input; returns its exit status, 0 or -1.
EMSCRIPTEN_KEEPALIVE int wv_run(int argc, const char* const* argv, const char* input, size_t length) {
    dropText();
    FILE* out = open_memstream(&outText, &outLength);
    FILE* err = open_memstream(&errText, &errLength);
    if (!out || !err) abort();
    Console con = consoleOnMemory(input, length, out, err);
    int status = runWerkverbund(argc, argv, con);
    fclose(out);
    fclose(err);
    return status;
}

EMSCRIPTEN_KEEPALIVE const char* wv_out() { return outText; }
EMSCRIPTEN_KEEPALIVE size_t wv_outLength() { return outLength; }
EMSCRIPTEN_KEEPALIVE const char* wv_err() { return errText; }
EMSCRIPTEN_KEEPALIVE size_t wv_errLength() { return errLength; }

// Whether the console takes the whole text as the answer to a "%f" question: one finite number,
// not too long, and nothing but blanks after it.
EMSCRIPTEN_KEEPALIVE int wv_checkDemand(const char* text, size_t length) {
    static FILE* nowhere = fopen("/dev/null", "w");
    Console con = consoleOnMemory(text, length, nowhere, nowhere);
    float value = 0;
    int tooLong = 0;
    if (scanFloat(con, &value, &tooLong) != 1 || tooLong || !std::isfinite(value)) return 0;
    char rest = 0;
    while (scanChar(con, &rest) == 1) {
        if (rest != ' ' && rest != '\t') return 0;
    }
    return 1;
}

// The options, the question groups and questions, the races and the crystal race letters.
EMSCRIPTEN_KEEPALIVE const char* wv_tables() {
    put("{\"options\":[");
    for (int i = 0; i < OPTION_COUNT; ++i) {
        const OptionInfo& o = OPTIONS[i];
        put(i ? ",{\"name\":" : "{\"name\":");
        putString(nameOf(o));
        put(",\"spelling\":");
        putString(o.spelling);
        put(",\"help\":");
        putString(o.help);
        put(",\"question\":");
        putString(o.question);
        put(",\"numbersRaces\":%s}", numbersRaces(o) ? "true" : "false");
    }
    put("],\"groups\":[");
    for (int g = 0; g < GROUP_COUNT; ++g) {
        if (g) put(",");
        putString(GROUP_TITLE[g]);
    }
    put("],\"level3Group\":%i,\"manualGroup\":%i,\"questions\":[", GROUP_LEVEL3, GROUP_MANUAL);
    for (int i = 0; i < QUESTION_COUNT; ++i) {
        const Question& q = QUESTIONS[i];
        put(i ? ",{\"group\":%i,\"index\":%i,\"code\":" : "{\"group\":%i,\"index\":%i,\"code\":", q.group, q.index);
        putString(q.code);
        put(",\"prompt\":");
        putString(q.prompt);
        put(",\"numberedPrompt\":");
        putString(q.numberedPrompt);
        put(",\"when\":");
        putString(askedWith(q));
        put(",\"kind\":\"%s\",\"low\":%i,\"high\":%i}", KIND_NAME[q.kind], q.low, q.high);
    }
    put("],\"races\":[");
    for (int r = 0; r < RACE_COUNT; ++r) {
        put(r ? ",{\"code\":\"%c\",\"name\":" : "{\"code\":\"%c\",\"name\":", RACES[r].code);
        putString(RACES[r].name);
        put(",\"numberedName\":");
        putString(RACES[r].numberedName);
        put("}");
    }
    put("],\"crystalRaces\":[");
    for (int c = 0; c <= CORE_RACE_COUNT; ++c) {
        put(c ? ",{\"letter\":\"%c\",\"name\":" : "{\"letter\":\"%c\",\"name\":", CRYSTAL_RACES[c].letter);
        putString(CRYSTAL_RACES[c].name);
        put("}");
    }
    put("],\"numberTextLimit\":%i}", NUMBER_TEXT_LIMIT);
    return finish();
}

// The last run: its result rows, what the -m questions showed (by question code), the answer it
// stored for every question and the answers to the options' yes/no questions.
EMSCRIPTEN_KEEPALIVE const char* wv_record() {
    put("{\"rows\":[");
    for (int i = 0; i < run.rowCount; ++i) {
        if (i) put(",");
        putRow(run.rows[i]);
    }
    put("],\"computed\":{");
    for (int m = 0; m < MANUAL_COUNT; ++m) {
        if (m) put(",");
        putString(QUESTIONS[DIALOGUE_COUNT + m].code);
        put(":");
        putNumber(manualValueOf(run.computed, static_cast<ManualQuestion>(m)));
    }
    put("},\"answers\":[");
    for (int i = 0; i < QUESTION_COUNT; ++i) {
        if (i) put(",");
        putNumber(answerOf(QUESTIONS[i]));
    }
    put("],\"answered\":{");
    bool first = true;
    for (const OptionInfo& o : OPTIONS) {
        if (!o.answer) continue;
        if (!first) put(",");
        first = false;
        putString(nameOf(o));
        char answer[2] = { run.opt.*o.answer, '\0' };
        put(":");
        putString(answer);
    }
    put("}}");
    return finish();
}

}  // extern "C"
