// The page's way into the core, declared once: the bridge (entry.cpp) defines these functions, the page calls them
// through the core's loader (core/run.js), and the fuzz target and the unit tests call them natively. Under C
// linkage a changed signature would still link; with this header in the bridge it no longer compiles.
#pragma once

#include <cstddef>

extern "C" {

// The folder: what the page puts in before a run and takes out after it.
void wv_folderReset();
int wv_folderAdd(const char* name, int isDir);
int wv_folderWrite(int index, const char* bytes, int length);
int wv_folderCount();
const char* wv_folderName(int index);
int wv_folderIsDir(int index);
const char* wv_folderBytes(int index);
size_t wv_folderLength(int index);

// Typed text: the console program as it is, and the console text of the last run.
int wv_run(int argc, const char* const* argv, const char* input, size_t length);
const char* wv_out();
size_t wv_outLength();
const char* wv_err();
size_t wv_errLength();

// The plan entry: options and each field's text, handed over once, then the run.
void wv_planReset();
void wv_planOption(int option, int on, int answer);
void wv_planField(int question, const char* text, size_t length);
int wv_runPlan();
const char* wv_answers();
size_t wv_answersLength();

// The last run's record and the tables the form is built from, as JSON.
const char* wv_record();
const char* wv_tables();
}
