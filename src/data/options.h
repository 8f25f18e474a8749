// The eight command-line options: how each is spelled and matched, the flag it sets, the yes/no question it
// raises, its word in the diagnostics header, its place in the hint sequence and in the readme.
#pragma once

#include "data/record.h"

enum OptionCode {
    OPTION_H,
    OPTION_BR,
    OPTION_XL,
    OPTION_OR,
    OPTION_DAT,
    OPTION_M,
    OPTION_ES,
    OPTION_OPT,
    OPTION_COUNT
};
constexpr OptionCode OPTION_NONE = OPTION_COUNT;  // a question asked whatever the options
// The option whose question, answered 'n', numbers the extra races "Rasse1" to "Rasse5".
constexpr OptionCode RACE_NAMES_OPTION = OPTION_OR;

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
extern const OptionInfo OPTIONS[OPTION_COUNT];

// Does the argument name the option whose compared characters are given (first character of the argument never
// looked at, either case)?
bool matchesOption(const char* argument, const char* compared);

char lowerAscii(char letter);
