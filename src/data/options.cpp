// The options table and the rule by which an argument names an option.
#include "data/options.h"

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

char lowerAscii(char letter) {
    return letter >= 'A' && letter <= 'Z' ? static_cast<char>(letter + ('a' - 'A')) : letter;
}

bool matchesOption(const char* argument, const char* compared) {
    if (argument[0] == '\0') return false;
    const char* a = argument + 1;
    for (const char* c = compared; *c; ++c, ++a) {
        if (lowerAscii(*a) != *c) return false;  // also stops at the argument's end
    }
    return true;
}
