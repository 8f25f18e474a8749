// The one record of a run: options, answers of the dialogue and what the supply phases hand on.
// Every phase reads and writes it; a run starts by resetting it to all zeros.
#pragma once

#include <cstdio>
#include <iterator>

// The ten races in their fixed order: the five core races are always asked, the five extra
// races only with -or.
enum Race { RACE_A, RACE_B, RACE_P, RACE_S, RACE_T, RACE_V, RACE_X, RACE_K, RACE_Y, RACE_E, RACE_COUNT };
constexpr int CORE_RACE_COUNT = 5;

// The three kinds of special factory, each fed by a food chain of its own.
enum Special { SPECIAL_GKF, SPECIAL_KDF, SPECIAL_SBF, SPECIAL_COUNT };

struct Console;

// The four files a run may write; the index also selects the once-per-run warning flag.
enum OutputFile { FILE_RESULTS, FILE_ECHO, FILE_DIAGNOSTICS, FILE_README, FILE_COUNT };

struct OptionFlags {
    int help;              // -h: readme.txt has been written
    int diagnostics;       // -br: write Eingaben-Variablen.txt
    int xl;                // -xl: ask and compute the L and XL variants
    int extraRaces;        // -or: five extra races
    int resultsFile;       // -dat: write Ergebnis.txt
    int manual;            // -m: let the user replace computed demands and SKW counts
    int energySurplus;     // -es: show the SKW capacity left out of account
    int optimise;          // -opt: minimising surplus classes
    char raceNamesAnswer;  // 'j' or 'n'; 0 when -or is absent
    char echoAnswer;       // 'j' or 'n'; 0 when -dat is absent
};

struct RaceLevel3 {
    int WF;      // ore-based Level 3 factories
    int OF;      // silicon-based Level 3 factories
    int NF;      // WF + OF; the crystal race later adds KG
    int mark2O;  // surplus class of NF
};

struct InputRecord {
    int saleSkwM;                      // solar power plants M whose EZ are sold
    int saleSkwL;                      // the same, size L
    int saleSkwXL;                     // the same, size XL
    int saleSkwLOdd;                   // saleSkwL % 2, sign of saleSkwL
    int EAM;                           // ore mine yield M for sale
    int EAL;                           // ore mine yield L for sale
    int EAXL;                          // ore mine yield XL for sale (-xl)
    int EAG;                           // ore sale yield in size units
    int SAM;                           // silicon mine yield M for sale
    int SAL;                           // silicon mine yield L for sale
    int SAXL;                          // silicon mine yield XL for sale (-xl)
    int SAG;                           // silicon sale yield in size units
    int L1M;                           // Level 1 factories M for sale
    int L1L;                           // Level 1 factories L for sale
    int L1XL;                          // Level 1 factories XL for sale (-xl)
    int L1G;                           // Level 1 sale total in size units
    int L2M;                           // Level 2 (+L1) factories M for sale
    int L2L;                           // Level 2 (+L1) factories L for sale
    int L2XL;                          // Level 2 (+L1) factories XL for sale (-xl)
    int L2G;                           // Level 2 sale total in size units
    int KM;                            // crystal factories M for sale
    int KL;                            // crystal factories L for sale (-xl)
    int KXL;                           // crystal factories XL for sale (-xl)
    int KG;                            // crystal factories for sale in size units
    int special[SPECIAL_COUNT];        // GKF, KDF, SBF
    int specialMark2O[SPECIAL_COUNT];  // surplus class of each special count
    RaceLevel3 race[RACE_COUNT];       // Level 3 factories per race
    char crystalRace;                  // 'a', 'b', 'p', 's', 't' or 'u'
};

struct SkwTotals {
    int M;   // SKW M of the whole complex, sale SKWs included
    int L;   // SKW L of the whole complex
    int XL;  // SKW XL of the whole complex
};

// An opening of a file that stays open across calls (only the results file, from the sales
// summary to the closing text).
struct FileSink {
    FILE* handle;      // null when closed or when opening failed
    OutputFile which;  // for the warning on a failed write
};

struct RunRecord {
    OptionFlags opt;
    InputRecord in;
    SkwTotals skw;
    int EnergyRemainder;         // demand left after the SKW allocation; negation is the EZ surplus
    float MS;                    // silicon demand, tested for the end banner
    FileSink resultsTail;        // Ergebnis.txt opened by the sales summary for the closing text
    int fileWarned[FILE_COUNT];  // a warning about this file has been written this run
    Console* console;            // the console whose error stream takes those warnings
};

extern RunRecord run;
