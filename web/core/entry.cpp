// The page's way into the core: the exports only. Two front ends answer the run: the console reader over typed
// text held in memory (window.werkverbund.run and the answers-file loader), and the plan reader (src/plan), which
// takes every answer from a plan handed over as values. The console text and the run's folder are kept in memory;
// the core's tables, the last run's record and a field's reading go to the page as JSON.
#include "console/console.h"
#include "plan/plan.h"

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#else
#define EMSCRIPTEN_KEEPALIVE  // the plan entry also runs natively, under the fuzzer and in the unit tests
#endif

#include <cmath>

namespace {

Plan plan;              // the plan being handed over
PlanTaken taken;        // what its last run refused and logged
int lastWasPlan = 0;    // the last run was answered by the plan, not by typed text
size_t inputLeft = 0;   // typed text the last run did not read
int demandProblem = 0;  // why the last demand read by wv_readDemand cannot be taken
int runCount = 0;       // runs made since the page loaded

}  // namespace

extern "C" {

// ---- The folder: what the page puts in before a run and takes out after it ---------------------------------------

// Empties the folder for the next run.
EMSCRIPTEN_KEEPALIVE void wv_folderReset() { emptyMemoryFolder(); }

// Adds a file (its bytes follow with wv_folderWrite) or a folder; returns its index, or -1 when the name is there
// or too long, or the folder full.
EMSCRIPTEN_KEEPALIVE int wv_folderAdd(const char* name, int isDir) { return addToMemoryFolder(name, isDir); }

EMSCRIPTEN_KEEPALIVE int wv_folderWrite(int index, const char* bytes, int length) {
    return writeInMemoryFolder(index, bytes, length);
}

EMSCRIPTEN_KEEPALIVE int wv_folderCount() { return memoryFolderCount; }
EMSCRIPTEN_KEEPALIVE const char* wv_folderName(int index) { return memoryFolder[index].name; }
EMSCRIPTEN_KEEPALIVE int wv_folderIsDir(int index) { return memoryFolder[index].isDir; }
EMSCRIPTEN_KEEPALIVE const char* wv_folderBytes(int index) { return memoryFolder[index].text.bytes; }
EMSCRIPTEN_KEEPALIVE size_t wv_folderLength(int index) { return memoryFolder[index].text.length; }

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
    ++runCount;
    int status = runWerkverbund(argc, argv, con, consoleAnswers(in), FOLDER_FILES);
    inputLeft = in.memLen - in.memPos + static_cast<size_t>(in.len - in.pos);
    return finishMemoryConsole(con, status);
}

EMSCRIPTEN_KEEPALIVE const char* wv_out() { return consoleOut.bytes; }
EMSCRIPTEN_KEEPALIVE size_t wv_outLength() { return consoleOut.length; }
EMSCRIPTEN_KEEPALIVE const char* wv_err() { return consoleErr.bytes; }
EMSCRIPTEN_KEEPALIVE size_t wv_errLength() { return consoleErr.length; }

// ---- Values: the plan entry -------------------------------------------------------------------------------------

// A field's text for a question read as the console reads a typed answer, with the reason it is refused:
// {"value":1500,"problem":null} or {"value":null,"problem":"tooLong"} (a name of the tables' "refusals").
EMSCRIPTEN_KEEPALIVE const char* wv_readField(int question, const char* text, size_t length) {
    if (question < 0 || question >= QUESTION_COUNT) return describeField(REFUSAL_UNREADABLE, 0);
    double value = 0;
    Refusal problem = readFieldText(QUESTIONS[question], text, length, &value);
    return describeField(problem, value);
}

// The older way to read a demand, kept for pages that use it: the float, or NaN with the reason kept for
// wv_demandProblem (1 no number or something after it, 2 more than NUMBER_TEXT_LIMIT characters, 3 not finite).
EMSCRIPTEN_KEEPALIVE double wv_readDemand(const char* text, size_t length) {
    double value = 0;
    Refusal problem = readFieldText(manualQuestion(MANUAL_ME), text, length, &value);
    demandProblem = problem == REFUSAL_NONE ? 0 : problem == REFUSAL_TOO_LONG ? 2 : problem == REFUSAL_FINITE ? 3 : 1;
    return demandProblem ? NAN : value;
}

EMSCRIPTEN_KEEPALIVE int wv_demandProblem() { return demandProblem; }

// Starts a new plan: every option off, every field empty.
EMSCRIPTEN_KEEPALIVE void wv_planReset() { plan = Plan{}; }

// An option on or off, with the answer (a letter's code) of its yes/no question.
EMSCRIPTEN_KEEPALIVE void wv_planOption(int option, int on, int answer) {
    setPlanOption(plan, option, on, static_cast<char>(answer));
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
    static Console con;
    con = memoryConsole();
    lastWasPlan = 1;
    inputLeft = 0;
    ++runCount;
    int status = runPlan(plan, taken, con, FOLDER_FILES);
    return finishMemoryConsole(con, status);
}

// antworten.txt: the lines a console user types for the same answers.
EMSCRIPTEN_KEEPALIVE const char* wv_answers() { return taken.log; }
EMSCRIPTEN_KEEPALIVE size_t wv_answersLength() { return lastWasPlan ? static_cast<size_t>(taken.logLength) : 0; }

// The last run: its options and answers, result rows with the values behind them, flows, what each question
// showed and took (and, for a plan, what it refused), its messages, and the typed text it left unread.
EMSCRIPTEN_KEEPALIVE const char* wv_record() { return describeRecord(lastWasPlan ? &taken : nullptr, inputLeft); }

// How many runs were made: while it has not changed since a run, the console text, the folder, the answers and
// the record still are that run's, to be taken out when wanted without running it again.
EMSCRIPTEN_KEEPALIVE int wv_runCount() { return runCount; }

// The tables the form is built from.
EMSCRIPTEN_KEEPALIVE const char* wv_tables() { return describeTables(); }

}  // extern "C"
