// Run control: the whole run from the start banner to the exit status, the options, the readme
// and the closing text of the results file.
#pragma once

#include "control/record.h"

struct Console;

// The whole run; returns the exit status (0, or -1 when the input ends too early).
int runWerkverbund(int argc, const char* const* argv, Console& con);

// Options (options.cpp). Returns 0 when the input ended at one of their yes/no questions.
int parseOptions(int argc, const char* const* argv, Console& con);

// Does the argument name the option whose compared characters are given (first character of the
// argument never looked at, either case)?
bool matchesOption(const char* argument, const char* compared);

void writeReadme();       // readme.cpp
void writeClosingText();  // closing.cpp
