// The page's way into the core: one whole console run on input held in memory, with the console
// text caught in memory streams, in whatever folder the page has made current.
#include "control/control.h"
#include "input/input.h"

#include <emscripten.h>

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

}  // extern "C"
