// Run control: the whole run from the start banner to the exit status, the options, the readme
// and the closing text of the results file.
#pragma once

#include "control/record.h"

struct Console;

// The eight options, in the order an argument is tested against them.
struct OptionInfo {
    const char* spelling;       // as documented; matched from its second character on
    int OptionFlags::*flag;     // set when the option is met
    char OptionFlags::*answer;  // answer to the yes/no question the option raises, or null
    const char* question;       // that question, or null
    const char* headerWord;     // word in the diagnostics header (%c: the answer), or null
    int hintRank;               // place in the sequence of options the hint suggests, or 0
    const char* hint;           // the hint that suggests the option, or null
    const char* help;           // what the option does, in one German line (Latin-1)
    int readmeRank;             // place in the readme's option list, or 0 when not listed there
};
constexpr int OPTION_COUNT = 8;
extern const OptionInfo OPTIONS[OPTION_COUNT];

// The whole run; returns the exit status (0, or -1 when the input ends too early).
int runWerkverbund(int argc, const char* const* argv, Console& con);

// Options (options.cpp). Returns 0 when the input ended at one of their yes/no questions.
int parseOptions(int argc, const char* const* argv, Console& con);

// Does the argument name the option whose compared characters are given (first character of the
// argument never looked at, either case)?
bool matchesOption(const char* argument, const char* compared);

// The hint of the next option worth trying, or null.
const char* pickHint(const OptionFlags& opt);

void writeReadme();  // readme.cpp

// The explanation of the mine yield levels that the readme and the closing text share, up to the
// line break where the two differ.
extern const char* const YIELD_LEVELS;
void writeClosingText();  // closing.cpp
