// The page's way into the core. Two readers answer the run: the console reader over typed text held in memory
// (window.werkverbund.run and the answers-file loader), and the plan reader, which takes every answer from a plan
// handed over as values and logs the line a console user would type for it (antworten.txt). The console text is
// caught in memory, bounded; the core's tables and the last run's record go to the page as JSON.
#include "console/console.h"
#include "control/control.h"

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#else
#define EMSCRIPTEN_KEEPALIVE  // the plan entry also runs natively, under the fuzzer
#endif

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace {

// ---- Console text in memory, cut at a bound far beyond any real answers --------------------------------------

constexpr size_t OUTPUT_LIMIT = 16u << 20;

struct Memory {
    char* bytes;
    size_t length;
    size_t room;
    int cut;  // more was written than OUTPUT_LIMIT allows
};
Memory outText, errText;

int keepInMemory(void* data, const char* bytes, int length) {
    Memory& m = *static_cast<Memory*>(data);
    auto n = static_cast<size_t>(length);
    if (m.cut || m.length + n > OUTPUT_LIMIT) {
        m.cut = 1;
        return -1;
    }
    if (m.length + n > m.room) {
        size_t room = m.room ? m.room : 4096;
        while (room < m.length + n) room *= 2;
        char* grown = static_cast<char*>(realloc(m.bytes, room));
        if (!grown) abort();
        m.bytes = grown;
        m.room = room;
    }
    memcpy(m.bytes + m.length, bytes, n);
    m.length += n;
    return 0;
}

// A console whose text goes to memory; what an earlier run left there is dropped, its room kept.
Console memoryConsole() {
    outText.length = errText.length = 0;
    outText.cut = errText.cut = 0;
    return Console{ streamTo(keepInMemory, &outText), streamTo(keepInMemory, &errText) };
}

// Flushes the streams; a run whose text was cut ends with -1 and says so on standard error.
int finishConsole(Console& con, int status) {
    flushStream(con.out);
    flushStream(con.err);
    if (!outText.cut && !errText.cut) return status;
    errText.cut = 0;
    static const char CUT[] = "Fehler: Die Ausgabe wurde nach 16 MB abgeschnitten, das Programm wurde abgebrochen\n";
    keepInMemory(&errText, CUT, static_cast<int>(sizeof CUT - 1));
    return -1;
}

// ---- The run's folder, in memory: the files a run finds and writes ------------------------------------------

struct Entry {
    char name[128];
    int isDir;    // a folder in the way of a file of that name
    Memory text;  // a file's bytes, its room kept for the next run
};
constexpr int ENTRY_LIMIT = 32;
Entry folder[ENTRY_LIMIT];
int entryCount = 0;

Entry* findEntry(const char* name) {
    for (int e = 0; e < entryCount; ++e) {
        if (strcmp(folder[e].name, name) == 0) return &folder[e];
    }
    return nullptr;
}

Entry* addEntry(const char* name, int isDir) {
    if (entryCount == ENTRY_LIMIT || strlen(name) >= sizeof folder[0].name) return nullptr;
    Entry& e = folder[entryCount++];
    snprintf(e.name, sizeof e.name, "%s", name);
    e.isDir = isDir;
    e.text.length = 0;
    e.text.cut = 0;
    return &e;
}

// A file opens as on disk: a folder of its name is in the way, "w" empties it, "a" appends, both create it.
int openInFolder(const char* name, int append) {
    Entry* e = findEntry(name);
    if (!e) e = addEntry(name, 0);
    if (!e || e->isDir) return -1;
    if (!append) e->text.length = 0;
    return static_cast<int>(e - folder);
}

// A file beyond the bound fails like one on a full disk.
int writeInFolder(int fd, const char* bytes, int length) {
    return keepInMemory(&folder[fd].text, bytes, length) == 0 ? length : -1;
}

int closeInFolder(int) { return 0; }

const FileCalls FOLDER_FILES = { openInFolder, writeInFolder, closeInFolder };

// ---- JSON with automatic commas --------------------------------------------------------------------------------

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

void begin(char bracket) {
    separate();
    putChar(bracket);
}

void end(char bracket) {
    putChar(bracket);
    needComma = true;
}

// A string as JSON in ASCII: Latin-1 bytes and control characters as \u escapes.
void putString(const char* text) {
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

void key(const char* name) {
    putString(name);
    putChar(':');
    needComma = false;
}

void putNumber(double value) {
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

void putLetter(char letter) {
    char text[2] = { letter, '\0' };
    putString(letter ? text : nullptr);
}

const char* finish() {
    json[jsonLength] = '\0';
    jsonLength = 0;
    needComma = false;
    return json;
}

// ---- Names of the core's codes --------------------------------------------------------------------------------

const char* const KIND_NAME[] = { "count", "letter", "demand" };
static_assert(std::size(KIND_NAME) == ANSWER_KIND_COUNT);
// A row's precise kind, and the broad one the page read first (crystals and food chains all as factories).
const char* const ROW_TYPE_NAME[] = { "plants",       "capacity", "crystals", "crystalFood", "raceChain",
                                      "specialChain", "mines",    "sale",     "note" };
static_assert(std::size(ROW_TYPE_NAME) == ROW_KIND_COUNT);
const char* broadKindOf(RowKind kind) { return isFactoryRow(kind) ? "factories" : ROW_TYPE_NAME[kind]; }
const char* const FLOW_KIND_NAME[] = { "energy", "crystals", "food", "ore", "silicon" };
static_assert(std::size(FLOW_KIND_NAME) == FLOW_KIND_COUNT);
const char* const SOURCE_NAME[] = { "none", "typed", "shown", "unread" };
static_assert(std::size(SOURCE_NAME) == SOURCE_COUNT);
const char* const ABOUT_NAME[] = { "question", "row", "file", "input", "console" };
static_assert(std::size(ABOUT_NAME) == ABOUT_COUNT);

const char* nameOf(OptionCode o) { return OPTIONS[o].spelling + 1; }

}  // namespace

namespace {

// ---- The plan and its reader -----------------------------------------------------------------------------------

// A plan as the page hands it over: the switches, the yes/no answers, and per question a value or nothing (an
// empty field: 0 for a count of the dialogue, the first crystal race, the shown value for an -m question).
struct Plan {
    int option[OPTION_COUNT];
    char answer[OPTION_COUNT];
    double value[QUESTION_COUNT];
    int given[QUESTION_COUNT];
};
Plan plan;

// A plan value the console would not take: reported for its field, which then counts as empty.
enum Problem { PROBLEM_NONE, PROBLEM_RANGE, PROBLEM_WHOLE, PROBLEM_FINITE, PROBLEM_LETTER, PROBLEM_COUNT };
const char* const PROBLEM_NAME[] = { "none", "range", "whole", "finite", "letter" };
static_assert(std::size(PROBLEM_NAME) == PROBLEM_COUNT);
Problem problems[QUESTION_COUNT];
Problem answerProblems[OPTION_COUNT];

bool isCrystalLetter(double value) {
    for (const CrystalRace& c : CRYSTAL_RACES) {
        if (value == c.letter) return true;
    }
    return false;
}

Problem problemOf(const Question& q, double value) {
    if (q.kind == ANSWER_LETTER) return isCrystalLetter(value) ? PROBLEM_NONE : PROBLEM_LETTER;
    if (q.kind == ANSWER_DEMAND) {
        bool single = std::isfinite(value) && static_cast<double>(static_cast<float>(value)) == value;
        return single ? PROBLEM_NONE : PROBLEM_FINITE;
    }
    if (!(value == std::trunc(value))) return PROBLEM_WHOLE;
    return value >= q.low && value <= q.high ? PROBLEM_NONE : PROBLEM_RANGE;
}

// Checks every value of an asked field once, before the run; a value the console would refuse leaves its field
// empty.
void checkPlan() {
    OptionFlags opt{};
    for (int o = 0; o < OPTION_COUNT; ++o) {
        opt.*OPTIONS[o].flag = plan.option[o];
        char& a = plan.answer[o];
        bool bad = plan.option[o] && OPTIONS[o].answer && a != 'j' && a != 'n';
        answerProblems[o] = bad ? PROBLEM_LETTER : PROBLEM_NONE;
        if (bad) a = 'j';
    }
    for (int i = 0; i < QUESTION_COUNT; ++i) {
        bool given = plan.given[i] && isAsked(QUESTIONS[i], opt);
        problems[i] = given ? problemOf(QUESTIONS[i], plan.value[i]) : PROBLEM_NONE;
        if (problems[i] != PROBLEM_NONE) plan.given[i] = 0;
    }
}

// What the plan reader took and logged: antworten.txt, the lines a console user types for the same answers.
struct PlanReader {
    Console* con;
    char log[8192];
    int used;
};
PlanReader planReader;

void logLine(PlanReader& r, const char* line) {
    int n = snprintf(r.log + r.used, sizeof r.log - static_cast<size_t>(r.used), "%s\n", line);
    if (n < 0 || r.used + n >= static_cast<int>(sizeof r.log)) abort();  // the plan has a bounded number of lines
    r.used += n;
}

// The shortest text that the console's "%f" reads back as exactly this float.
void floatText(char (&text)[48], float value) {
    for (int digits = 1; digits <= 9; ++digits) {
        snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
        if (std::signbit(strtof(text, nullptr)) == std::signbit(value) && strtof(text, nullptr) == value) return;
    }
}

Answer planLetter(void* data, const Ask& ask) {
    auto& r = *static_cast<PlanReader*>(data);
    putString(r.con->out, ask.prompt);
    int q = ask.q ? indexOf(*ask.q) : -1;
    char letter =
        ask.q ? (plan.given[q] ? static_cast<char>(plan.value[q]) : CRYSTAL_RACES[0].letter) : plan.answer[ask.option];
    char line[2] = { letter, '\0' };
    logLine(r, line);
    return Answer{ static_cast<double>(letter), SOURCE_TYPED, 0, 0 };
}

int discard(void*, const char*, int) { return 0; }

// The shown text read as the console reads a typed line; a count out of range takes the nearest bound.
Answer takeShown(const Ask& ask) {
    static Console nowhere = { streamTo(discard, nullptr), streamTo(discard, nullptr) };
    ConsoleInput in = inputOnMemory(nowhere, ask.shownText, strlen(ask.shownText));
    Answer answer = { 0, SOURCE_SHOWN, 0, 0 };
    if (ask.q->kind == ANSWER_DEMAND) {
        float value = 0;
        int tooLong = 0;
        scanFloat(in, &value, &tooLong);
        answer.value = value;
        return answer;
    }
    long long value = 0;
    scanInt(in, &value);
    answer.refused = value < ask.q->low || value > ask.q->high;
    answer.value = static_cast<double>(value < ask.q->low ? ask.q->low : value > ask.q->high ? ask.q->high : value);
    return answer;
}

Answer planNumber(void* data, const Ask& ask) {
    auto& r = *static_cast<PlanReader*>(data);
    putString(r.con->out, ask.prompt);
    int q = indexOf(*ask.q);
    Answer answer = { 0, SOURCE_TYPED, 0, 0 };
    if (plan.given[q])
        answer.value = plan.value[q];
    else if (ask.shownText)
        answer = takeShown(ask);
    char line[48];
    if (ask.q->kind == ANSWER_DEMAND)
        floatText(line, static_cast<float>(answer.value));
    else
        snprintf(line, sizeof line, "%i", static_cast<int>(answer.value));
    logLine(r, line);
    return answer;
}

int planEnter(void* data) {
    logLine(*static_cast<PlanReader*>(data), "");
    return 0;
}

const AnswerReader PLAN_READER = { planLetter, planNumber, planNumber, planEnter };

// How the last run was answered: 1 by the plan, 0 by typed text.
int lastWasPlan = 0;
size_t inputLeft = 0;   // typed text the last run did not read
int demandProblem = 0;  // why the last typed demand cannot be taken

}  // namespace

namespace {

// ---- The record of the last run as JSON ------------------------------------------------------------------------

void putRow(const ResultRow& row) {
    begin('{');
    key("kind");
    putString(broadKindOf(row.kind));
    key("code");
    putString(row.code);
    key("type");
    putString(ROW_TYPE_NAME[row.kind]);
    key("feeds");
    putString(row.feeds);
    key("race");
    putString(row.race);
    key("pairs");
    putNumber(row.pairs);
    key("name");
    putString(row.name.file ? row.name.file : row.name.console);
    key("count");
    begin('[');
    for (int size = 0; size < SIZE_COUNT; ++size) putNumber(row.count[size]);
    end(']');
    key("shown");
    putNumber(row.shown);
    key("mark");
    putLetter(row.mark);
    key("number");
    putNumber(row.number);
    key("value");
    begin('[');
    for (int v = 0; v < row.valueCount; ++v) putNumber(row.value[v]);
    end(']');
    key("valueText");  // as the line prints them
    begin('[');
    for (int v = 0; v < row.valueCount; ++v) {
        char text[400];
        TextOut out = { text, 0, sizeof text };
        putWhole(out, row.value[v]);
        putString(text);
    }
    end(']');
    key("gap");
    putNumber(row.gap);
    key("facts");
    begin('{');
    for (int f = 0; f < row.factCount; ++f) {
        key(row.facts[f].code);
        putNumber(row.facts[f].value);
    }
    end('}');
    end('}');
}

void putFlow(const Flow& flow) {
    begin('{');
    key("kind");
    putString(FLOW_KIND_NAME[flow.kind]);
    key("row");
    putNumber(flow.row);
    key("consumer");
    putString(flow.consumer ? flow.consumer : nullptr);
    key("race");
    putLetter(flow.consumer ? '\0' : RACES[flow.race].code);
    key("amount");
    putNumber(flow.amount);
    end('}');
}

void putQuestion(int i) {
    const QuestionState& state = run.questions[i];
    begin('{');
    key("asked");
    putNumber(state.asked);
    key("shown");
    putNumber(state.shown);
    key("taken");
    putNumber(state.taken);
    key("source");
    putString(SOURCE_NAME[state.source]);
    key("refused");
    putNumber(state.refused);
    if (lastWasPlan && problems[i] != PROBLEM_NONE) {
        key("problem");
        putString(PROBLEM_NAME[problems[i]]);
    }
    end('}');
}

void putOptions() {
    key("options");
    begin('{');
    for (int o = 0; o < OPTION_COUNT; ++o) {
        key(nameOf(static_cast<OptionCode>(o)));
        putNumber(run.opt.*OPTIONS[o].flag);
    }
    end('}');
    key("answers");
    begin('{');
    for (int o = 0; o < OPTION_COUNT; ++o) {
        if (!OPTIONS[o].answer) continue;
        key(nameOf(static_cast<OptionCode>(o)));
        putLetter(run.opt.*OPTIONS[o].answer);
    }
    end('}');
    key("answerProblems");
    begin('[');
    for (int o = 0; lastWasPlan && o < OPTION_COUNT; ++o) {
        if (answerProblems[o] != PROBLEM_NONE) putString(nameOf(static_cast<OptionCode>(o)));
    }
    end(']');
}

void putMessages() {
    key("messages");
    begin('[');
    for (int m = 0; m < run.messageCount && m < MESSAGE_LIMIT; ++m) {
        const Message& message = run.messages[m];
        begin('{');
        key("about");
        putString(ABOUT_NAME[message.about]);
        key("index");
        putNumber(message.index);
        key("text");
        putString(message.text);
        end('}');
    }
    end(']');
    key("messageCount");
    putNumber(run.messageCount);
}

}  // namespace

extern "C" {

// ---- The folder: what the page puts in before a run and takes out after it ---------------------------------------

// Empties the folder for the next run.
EMSCRIPTEN_KEEPALIVE void wv_folderReset() { entryCount = 0; }

// Adds a file (its bytes follow with wv_folderWrite) or a folder; returns its index, or -1 when the name is too
// long or the folder full.
EMSCRIPTEN_KEEPALIVE int wv_folderAdd(const char* name, int isDir) {
    Entry* e = findEntry(name) ? nullptr : addEntry(name, isDir);
    return e ? static_cast<int>(e - folder) : -1;
}

EMSCRIPTEN_KEEPALIVE int wv_folderWrite(int index, const char* bytes, int length) {
    return index >= 0 && index < entryCount ? writeInFolder(index, bytes, length) : -1;
}

EMSCRIPTEN_KEEPALIVE int wv_folderCount() { return entryCount; }
EMSCRIPTEN_KEEPALIVE const char* wv_folderName(int index) { return folder[index].name; }
EMSCRIPTEN_KEEPALIVE int wv_folderIsDir(int index) { return folder[index].isDir; }
EMSCRIPTEN_KEEPALIVE const char* wv_folderBytes(int index) { return folder[index].text.bytes; }
EMSCRIPTEN_KEEPALIVE size_t wv_folderLength(int index) { return folder[index].text.length; }

// ---- Typed text: the console program as it is --------------------------------------------------------------------

// Runs the console program with these arguments (argv[0] is the program's name) on standard input held in memory;
// returns its exit status, 0 or -1.
EMSCRIPTEN_KEEPALIVE int wv_run(int argc, const char* const* argv, const char* input, size_t length) {
    static Console con;
    static ConsoleInput in;
    con = memoryConsole();
    in = inputOnMemory(con, input, length);
    in.endWithOutput = 1;
    lastWasPlan = 0;
    int status = runWerkverbund(argc, argv, con, consoleAnswers(in), FOLDER_FILES);
    inputLeft = in.memLen - in.memPos + static_cast<size_t>(in.len - in.pos);
    return finishConsole(con, status);
}

EMSCRIPTEN_KEEPALIVE const char* wv_out() { return outText.bytes; }
EMSCRIPTEN_KEEPALIVE size_t wv_outLength() { return outText.length; }
EMSCRIPTEN_KEEPALIVE const char* wv_err() { return errText.bytes; }
EMSCRIPTEN_KEEPALIVE size_t wv_errLength() { return errText.length; }

// ---- Values: the plan entry -------------------------------------------------------------------------------------

// The page's typed demand read as the console reads it: the float, or NaN with the reason kept for
// wv_demandProblem (1 no number or something after it, 2 more than NUMBER_TEXT_LIMIT characters, 3 not finite).
EMSCRIPTEN_KEEPALIVE double wv_readDemand(const char* text, size_t length) {
    static Console nowhere = { streamTo(discard, nullptr), streamTo(discard, nullptr) };
    ConsoleInput in = inputOnMemory(nowhere, text, length);
    float value = 0;
    int tooLong = 0;
    demandProblem = scanFloat(in, &value, &tooLong) == 1 ? 0 : 1;
    char rest = 0;
    while (demandProblem == 0 && scanChar(in, &rest) == 1) {
        if (rest != ' ' && rest != '\t') demandProblem = 1;
    }
    if (demandProblem == 0 && tooLong) demandProblem = 2;
    if (demandProblem == 0 && !std::isfinite(value)) demandProblem = 3;
    return demandProblem ? NAN : static_cast<double>(value);
}

EMSCRIPTEN_KEEPALIVE int wv_demandProblem() { return demandProblem; }

// Starts a new plan: every option off, every field empty.
EMSCRIPTEN_KEEPALIVE void wv_planReset() { plan = Plan{}; }

EMSCRIPTEN_KEEPALIVE void wv_planOption(int option, int on, int answer) {
    if (option < 0 || option >= OPTION_COUNT) return;
    plan.option[option] = on != 0;
    plan.answer[option] = static_cast<char>(answer);
}

// A field's value (a letter as its code); a field never set stays empty.
EMSCRIPTEN_KEEPALIVE void wv_planValue(int question, double value) {
    if (question < 0 || question >= QUESTION_COUNT) return;
    plan.value[question] = value;
    plan.given[question] = 1;
}

// Runs the plan: the options in the order of the table, every answer from the plan reader. Returns the exit
// status, 0 or -1.
EMSCRIPTEN_KEEPALIVE int wv_runPlan() {
    checkPlan();
    const char* argv[OPTION_COUNT + 1] = { "werkverbund" };
    int argc = 1;
    for (int o = 0; o < OPTION_COUNT; ++o) {
        if (plan.option[o]) argv[argc++] = OPTIONS[o].spelling;
    }
    static Console con;
    con = memoryConsole();
    planReader.con = &con;
    planReader.used = 0;
    lastWasPlan = 1;
    inputLeft = 0;
    int status = runWerkverbund(argc, argv, con, Answers{ &PLAN_READER, &planReader }, FOLDER_FILES);
    return finishConsole(con, status);
}

EMSCRIPTEN_KEEPALIVE const char* wv_answers() { return planReader.log; }
EMSCRIPTEN_KEEPALIVE size_t wv_answersLength() { return lastWasPlan ? static_cast<size_t>(planReader.used) : 0; }

// The last run: its options and answers, result rows with the values behind them, flows, what each question
// showed and took (and, for a plan, what it refused), its messages, and the typed text it left unread.
EMSCRIPTEN_KEEPALIVE const char* wv_record() {
    begin('{');
    putOptions();
    key("rows");
    begin('[');
    for (int i = 0; i < run.rowCount; ++i) putRow(run.rows[i]);
    end(']');
    key("flows");
    begin('[');
    for (int i = 0; i < run.flowCount; ++i) putFlow(run.flows[i]);
    end(']');
    key("questions");
    begin('[');
    for (int i = 0; i < QUESTION_COUNT; ++i) putQuestion(i);
    end(']');
    putMessages();
    key("crystalRace");
    putLetter(run.in.crystalRace);
    key("inputLeft");
    putNumber(static_cast<double>(inputLeft));
    end('}');
    return finish();
}

// ---- The tables the form is built from ---------------------------------------------------------------------------

EMSCRIPTEN_KEEPALIVE const char* wv_tables() {
    begin('{');
    key("options");
    begin('[');
    for (int o = 0; o < OPTION_COUNT; ++o) {
        const OptionInfo& info = OPTIONS[o];
        begin('{');
        key("name");
        putString(nameOf(static_cast<OptionCode>(o)));
        key("spelling");
        putString(info.spelling);
        key("help");
        putString(info.help);
        key("question");
        putString(info.question);
        end('}');
    }
    end(']');
    key("raceNames");
    putString(nameOf(RACE_NAMES_OPTION));
    key("groups");
    begin('[');
    for (const char* title : GROUP_TITLE) putString(title);
    end(']');
    key("level3Group");
    putNumber(GROUP_LEVEL3);
    key("manualGroup");
    putNumber(GROUP_MANUAL);
    key("questions");
    begin('[');
    for (const Question& q : QUESTIONS) {
        begin('{');
        key("group");
        putNumber(q.group);
        key("index");
        putNumber(q.index);
        key("code");
        putString(q.code);
        key("key");
        putString(keyOf(q).text);
        key("size");
        putString(q.size < 0 ? nullptr : SIZE_LETTER[q.size]);
        key("prompt");
        putString(q.prompt);
        key("numberedPrompt");
        putString(q.numberedPrompt);
        key("when");
        putString(q.askedWith == OPTION_NONE ? nullptr : nameOf(q.askedWith));
        key("kind");
        putString(KIND_NAME[q.kind]);
        key("low");
        putNumber(q.low);
        key("high");
        putNumber(q.high);
        end('}');
    }
    end(']');
    key("races");
    begin('[');
    for (const RaceInfo& race : RACES) {
        begin('{');
        key("code");
        putLetter(race.code);
        key("name");
        putString(race.name);
        key("numberedName");
        putString(race.numberedName);
        end('}');
    }
    end(']');
    key("crystalRaces");
    begin('[');
    for (const CrystalRace& c : CRYSTAL_RACES) {
        begin('{');
        key("letter");
        putLetter(c.letter);
        key("name");
        putString(c.name);
        end('}');
    }
    end(']');
    key("files");
    begin('[');
    for (const char* name : FILE_NAME) putString(name);
    end(']');
    key("numberTextLimit");
    putNumber(NUMBER_TEXT_LIMIT);
    end('}');
    return finish();
}

}  // extern "C"
