// The command line: eight options matched on their second to fourth characters in either case;
// -h writes the readme and -or and -dat ask their yes/no questions the moment they are met.
#include "control/control.h"
#include "input/input.h"

// clang-format off
const OptionInfo OPTIONS[OPTION_COUNT] = {
    { "-h", &OptionFlags::help, nullptr, nullptr, " H", 0, nullptr,
      "Erstellt diese Readme", 1 },
    { "-br", &OptionFlags::diagnostics, nullptr, nullptr, nullptr, 0, nullptr,
      "Gibt die Werte aller Variablen in einer Eingaben-Variablen.txt aus", 5 },
    { "-xl", &OptionFlags::xl, nullptr, nullptr, " XL", 4,
      "\n\nMit dem Kommandozeilenparameter '-xl' rechnet das Programm auch mit\n"
      "den fehlenden L und XL Varianten von Minen, Nahrungs- und Kristallfabriken",
      "Rechnet mit (noch) nicht vorhandenen XL und L Fabriken f\374r Kristalle, Mineralien und Nahrung", 2 },
    { "-or", &OptionFlags::extraRaces, &OptionFlags::raceNamesAnswer,
      "Zusaetzliche Voelker mit Namen versehen? (j/n) ", " OR%c", 3,
      "\n\nMit dem Kommandozeilenparameter '-or' werden\nder Berechnung 5 weitere Rassen hinzugefuegt",
      "F\374gt der Berechnung 5 zus\344tztliche Rassen hinzu", 3 },
    { "-dat", &OptionFlags::resultsFile, &OptionFlags::echoAnswer,
      "Eingaben ebenfalls in einer Datei ausgeben? (j/n) ", " DAT", 1,
      "\n\nMit dem Kommandozeilenparameter '-dat' gibt das\nProgramm die Ergebnisse in einer Datei aus",
      "Gibt die Ergebnisse in einer Datei aus", 4 },
    { "-m", &OptionFlags::manual, nullptr, nullptr, " M", 0, nullptr,
      "Ersetzt die berechneten EZ-, SKW-, Erz- und Siliziumwerte durch eingegebene", 0 },
    { "-es", &OptionFlags::energySurplus, nullptr, nullptr, " ES", 0, nullptr,
      "Gibt die bei der Berechnung unber\374cksichtigte SKW-Kapazit\344t ebenfalls (in EZ) aus", 6 },
    { "-opt", &OptionFlags::optimise, nullptr, nullptr, " OPT", 2,
      "\n\nMit dem Kommandozeilenparameter '-opt' werden Ueberschuesse minimiert",
      "Das Programm rechnet so, dass keine oder nur S-\334bersch\374sse anfallen", 7 },
};
// clang-format on

bool matchesOption(const char* argument, const char* compared) {
    if (argument[0] == '\0') return false;
    const char* a = argument + 1;
    for (const char* c = compared; *c; ++c, ++a) {
        if (lowerAscii(*a) != *c) return false;  // also stops at the argument's end
    }
    return true;
}

// Carries out the matched option; returns 0 when the input ended at its question.
static int applyOption(const OptionInfo& o, Console& con) {
    if (o.flag == &OptionFlags::help) writeReadme();
    if (o.question && !askYesNo(con, o.question, &(run.opt.*o.answer))) return 0;
    run.opt.*o.flag = 1;
    return 1;
}

// Matches every argument after the program's name against the options, in the order given.
int parseOptions(int argc, const char* const* argv, Console& con) {
    for (int i = 1; i < argc; ++i) {
        for (const OptionInfo& o : OPTIONS) {
            if (!matchesOption(argv[i], o.spelling + 1)) continue;
            if (!applyOption(o, con)) return 0;
            break;
        }
    }
    return 1;
}

// The hint names the option of the next rank as long as the options in use are exactly those
// of the ranks before it.
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
