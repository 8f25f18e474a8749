// The page's way into the core: the exports only. Two front ends answer the run: the console reader over typed
// text held in memory (window.werkverbund.run and the answers-file loader), and the plan reader (src/plan), which
// takes every answer from a plan handed over as values. The console text and the run's folder are kept in memory;
// the core's tables and the last run's record go to the page as JSON. The exports are declared in entry.h.
#include "core/entry.h"

#include "console/console.h"
#include "plan/plan.h"

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#else
#define EMSCRIPTEN_KEEPALIVE  // the plan entry also runs natively, under the fuzzer and in the unit tests
#endif

namespace {

Plan plan;             // the plan being handed over
PlanTaken taken;       // what its last run refused and logged
int lastWasPlan = 0;   // the last run was answered by the plan, not by typed text
size_t inputLeft = 0;  // typed text the last run did not read

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
    int status = runWerkverbund(argc, argv, con, consoleAnswers(in), FOLDER_FILES);
    inputLeft = in.memLen - in.memPos + static_cast<size_t>(in.len - in.pos);
    return finishMemoryConsole(con, status);
}

EMSCRIPTEN_KEEPALIVE const char* wv_out() { return consoleOut.bytes; }
EMSCRIPTEN_KEEPALIVE size_t wv_outLength() { return consoleOut.length; }
EMSCRIPTEN_KEEPALIVE const char* wv_err() { return consoleErr.bytes; }
EMSCRIPTEN_KEEPALIVE size_t wv_errLength() { return consoleErr.length; }

// ---- Values: the plan entry -------------------------------------------------------------------------------------

// Starts a new plan: every option off, every field empty.
EMSCRIPTEN_KEEPALIVE void wv_planReset() { plan = Plan{}; }

// An option on or off, with the answer (a letter's code) of its yes/no question.
EMSCRIPTEN_KEEPALIVE void wv_planOption(int option, int on, int answer) {
    setPlanOption(plan, option, on, static_cast<char>(answer));
}

// A field's text, read once as the console reads a typed answer to its question (a count in decimal, a demand by
// "%f", a letter alone): the value is kept, or why the text is refused, which the record then names.
EMSCRIPTEN_KEEPALIVE void wv_planField(int question, const char* text, size_t length) {
    if (question < 0 || question >= QUESTION_COUNT) return;
    double value = 0;
    Refusal refused = readFieldText(QUESTIONS[question], text, length, &value);
    setPlanField(plan, question, refused, value);
}

// Runs the plan: the options in the order of the table, every answer from the plan reader. Returns the exit
// status, 0 or -1.
EMSCRIPTEN_KEEPALIVE int wv_runPlan() {
    static Console con;
    con = memoryConsole();
    lastWasPlan = 1;
    inputLeft = 0;
    int status = runPlan(plan, taken, con, FOLDER_FILES);
    return finishMemoryConsole(con, status);
}

// antworten.txt: the lines a console user types for the same answers.
EMSCRIPTEN_KEEPALIVE const char* wv_answers() { return taken.log; }
EMSCRIPTEN_KEEPALIVE size_t wv_answersLength() { return lastWasPlan ? static_cast<size_t>(taken.logLength) : 0; }

// The last run: its options and answers, result rows with the values behind them, flows, what each question
// showed and took (and, for a plan, what it refused), its messages, and the typed text it left unread.
EMSCRIPTEN_KEEPALIVE const char* wv_record() { return describeRecord(lastWasPlan ? &taken : nullptr, inputLeft); }

// The tables the form is built from.
EMSCRIPTEN_KEEPALIVE const char* wv_tables() { return describeTables(); }

}  // extern "C"
