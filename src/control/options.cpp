// The command line: eight options matched on their second to fourth characters in either case;
// -h writes the readme and -or and -dat ask their yes/no questions the moment they are met.
#include "control/control.h"
#include "input/input.h"

#include <iterator>

namespace {

enum Option { OPT_H, OPT_BR, OPT_XL, OPT_OR, OPT_DAT, OPT_M, OPT_ES, OPT_OPT, OPTION_COUNT };

// Characters compared from the second one on, in the order the options are tested.
constexpr const char* OPTION_CHARS[] = { "h", "br", "xl", "or", "dat", "m", "es", "opt" };
static_assert(std::size(OPTION_CHARS) == OPTION_COUNT);

constexpr const char* RACE_NAMES_PROMPT = "Zusaetzliche Voelker mit Namen versehen? (j/n) ";
constexpr const char* ECHO_PROMPT = "Eingaben ebenfalls in einer Datei ausgeben? (j/n) ";

// Carries out one matched option; returns 0 when the input ended at its question.
int applyOption(Option option, Console& con) {
    OptionFlags& opt = run.opt;
    switch (option) {
        case OPT_H:
            writeReadme();
            opt.help = 1;
            return 1;
        case OPT_BR: opt.diagnostics = 1; return 1;
        case OPT_XL: opt.xl = 1; return 1;
        case OPT_OR:
            if (!askYesNo(con, RACE_NAMES_PROMPT, &opt.raceNamesAnswer)) return 0;
            opt.extraRaces = 1;
            return 1;
        case OPT_DAT:
            if (!askYesNo(con, ECHO_PROMPT, &opt.echoAnswer)) return 0;
            opt.resultsFile = 1;
            return 1;
        case OPT_M: opt.manual = 1; return 1;
        case OPT_ES: opt.energySurplus = 1; return 1;
        case OPT_OPT: opt.optimise = 1; return 1;
        case OPTION_COUNT: break;
    }
    return 1;
}

}  // namespace

bool matchesOption(const char* argument, const char* compared) {
    if (argument[0] == '\0') return false;
    const char* a = argument + 1;
    for (const char* c = compared; *c; ++c, ++a) {
        if (lowerAscii(*a) != *c) return false;  // also stops at the argument's end
    }
    return true;
}

// Matches every argument after the program's name against the options, in the order given.
int parseOptions(int argc, const char* const* argv, Console& con) {
    for (int i = 1; i < argc; ++i) {
        for (int o = 0; o < OPTION_COUNT; ++o) {
            if (!matchesOption(argv[i], OPTION_CHARS[o])) continue;
            if (!applyOption(static_cast<Option>(o), con)) return 0;
            break;
        }
    }
    return 1;
}
