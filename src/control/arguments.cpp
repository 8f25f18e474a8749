// The command line: eight options matched on their second to fourth characters in either case; -h writes the
// readme and -or and -dat ask their yes/no questions the moment they are met.
#include "control/control.h"

// Carries out the matched option; returns 0 when the input ended at its question.
static int applyOption(OptionCode option, Answers& answers) {
    const OptionInfo& o = OPTIONS[option];
    if (option == OPTION_H) writeReadme();
    if (o.question && !askYesNo(answers, option)) return 0;
    run.opt.*o.flag = 1;
    return 1;
}

// Matches every argument after the program's name against the options, in the order given.
int parseOptions(int argc, const char* const* argv, Answers& answers) {
    for (int i = 1; i < argc; ++i) {
        for (int o = 0; o < OPTION_COUNT; ++o) {
            if (!matchesOption(argv[i], OPTIONS[o].spelling + 1)) continue;
            if (!applyOption(static_cast<OptionCode>(o), answers)) return 0;
            break;
        }
    }
    return 1;
}

int applyOptions(const OptionFlags& options, Answers& answers) {
    for (int o = 0; o < OPTION_COUNT; ++o) {
        if (options.*OPTIONS[o].flag && !applyOption(static_cast<OptionCode>(o), answers)) return 0;
    }
    return 1;
}

// The hint names the option of the next rank as long as the options in use are exactly those of the ranks
// before it.
const char* pickHint(const OptionFlags& opt) {
    const char* hint = nullptr;
    for (int rank = 1; rank <= OPTION_COUNT; ++rank) {
        for (const OptionInfo& o : OPTIONS) {
            if (o.hintRank != rank) continue;
            if (!(opt.*o.flag) && !hint) hint = o.hint;
            if (opt.*o.flag && hint) return nullptr;  // a gap in the sequence?
        }
    }
    return hint;
}
