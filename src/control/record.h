// The one record of a run: options, answers of the dialogue, what the supply phases hand on and
// the result rows they said, with the tables of races, special factories and sizes beside it.
#pragma once

#include <iterator>

// A text in its two spellings: the console's (ASCII umlauts, its own columns) and the file's
// (Latin-1, wider columns). Keeping both in one row stops them drifting apart.
struct Label {
    const char* console;
    const char* file;
};

// The version every banner and closing line names.
constexpr const char* VERSION_LINE = "Werkverbund Version " WERKVERBUND_VERSION;

// Factories, plants and mines come in three sizes; a mix is totalled in size units.
enum Size { SIZE_M, SIZE_L, SIZE_XL, SIZE_COUNT };
constexpr int SIZE_UNITS[SIZE_COUNT] = { 2, 5, 10 };
constexpr const char* SIZE_LETTER[SIZE_COUNT] = { "M", "L", "XL" };

// Size units of a mix of M, L and XL.
constexpr int sizeUnits(int m, int l, int xl) {
    return SIZE_UNITS[SIZE_M] * m + SIZE_UNITS[SIZE_L] * l + SIZE_UNITS[SIZE_XL] * xl;
}

// The ten races in their fixed order: the five core races are always asked, the five extra
// races only with -or.
enum Race { RACE_A, RACE_B, RACE_P, RACE_S, RACE_T, RACE_V, RACE_X, RACE_K, RACE_Y, RACE_E, RACE_COUNT };
constexpr int CORE_RACE_COUNT = 5;

struct RaceInfo {
    char code;                      // letter in the diagnostics file and its food chain codes
    char crystalLetter;             // crystal race letter of a core race; 0 for an extra race
    const char* name;               // echo name, and the race's name on the page
    const char* numberedName;       // "Rasse1".."Rasse5" for an extra race answered 'n', else null
    const char* orePrompt;          // ore-based Level 3 question
    const char* siliconPrompt;      // silicon-based Level 3 question
    const char* numberedOrePrompt;  // the same for an extra race answered 'n', else null
    const char* numberedSiliconPrompt;
    Label crystals;       // crystal factories of a core race, else null spellings
    Label chain;          // the food chain's factories
    Label numberedChain;  // the same for an extra race answered 'n', else null spellings
    Label chainCount;     // what the error line says could not be computed
};

// clang-format off
constexpr RaceInfo RACES[] = {
    { 'A', 'a', "Argonen", nullptr,
      "\nArgonische erzbasierende Level 3 Fabriken (z.B. Munitionsfabrik): ",
      "Argonische siliziumbasierende Level 3 Fabriken (z.B. Chip-Werk): ", nullptr, nullptr,
      { "Argonische Kristallfabriken:", "Argon Kristallfabriken:" },
      { "Cahoonapressen und Ranches:", "Cahoonapressen und Ranches:" }, { nullptr, nullptr },
      { "Cahoonapressenanzahl", "Cahoonapressenanzahl" } },
    { 'B', 'b', "Boronen", nullptr,
      "Boronische erzbasierende Level 3 Fabriken (z.B. GPIK-Schmiede): ",
      "Boronische siliziumbasierende Level 3 Fabriken (z.B. Computerwerk): ", nullptr, nullptr,
      { "Boronische Kristallfabriken:", "Boron Kristallfabriken:" },
      { "BoFuChemielabore und BoGasProdunktionen:", "BoFuChemielabore und BoGasProdunktionen:" }, { nullptr, nullptr },
      { "BoFuChemielaboranzahl", "BoFuChemielaboranzahl" } },
    { 'P', 'p', "Paraniden", nullptr,
      "Paranidische erzbasierende Level 3 Fabriken (z.B. GSWG-Schmiede): ",
      "Paranidische siliziumbasierende Level 3 Fabriken (z.B. Quantumr. Fabrik): ", nullptr, nullptr,
      { "Paranidische Kristallfabriken:", "Paranid Kristallfabriken:" },
      { "Soyereien und Soyfarmen:", "Soyereien und Soyfarmen:" }, { nullptr, nullptr },
      { "Soyereianzahl", "Soyereianzahl" } },
    { 'S', 's', "Split", nullptr,
      "Split erzbasierende Level 3 Fabriken (z.B. Geschuetzturmfabrik): ",
      "Split siliziumbasierende Level 3 Fabriken (z.B. Chip-Werk): ", nullptr, nullptr,
      { "Split Kristallfabriken:", "Split Kristallfabriken:" },
      { "Rastar-Raffinerien und Cheltaquarien:", "Rastar-Raffinerien und Cheltaquarien:" }, { nullptr, nullptr },
      { "Rastar-Raffinerieanzahl", "Rastar-Raffinerieanzahl" } },
    { 'T', 't', "Teladi", nullptr,
      "Teladianische erzbasierende Level 3 Fabriken (z.B. SQUASH-Minenanlage): ",
      "Teladianische siliziumbasierende Level 3 Fabriken (z.B. Computerwerk): ", nullptr, nullptr,
      { "Teladianische Kristallfabriken:", "Teladi Kristallfabriken:" },
      // the console's column cuts the name short
      { "Sonnenblumenoelraffinerien und Gewaechsst:", "Sonnenblumen\366lraffinerien und Gew\344chsstationen:" },
      { nullptr, nullptr },
      { "Sonnenblumenoelraffinerieanzahl", "Sonnenblumen\366lraffinerieanzahl" } },
    { 'V', 0, "Piraten", "Rasse1",
      "Piraten erzbasierende Level 3 Fabriken: ", "Piraten siliziumbasierende Level 3 Fabriken: ",
      "Rasse1 erzbasierende Level 3 Fabriken: ", "Rasse1 siliziumbasierende Level 3 Fabriken: ",
      { nullptr, nullptr },
      { "Piraten L2+L1Fabriken:", "Piraten L2+L1Fabriken:" }, { "Rasse1 L2+L1Fabriken:", "Rasse1 L2+L1Fabriken:" },
      { "L2Fabanzahl Piraten", "L2Fabanzahl Piraten" } },
    { 'X', 0, "Xenon", "Rasse2",
      "Xenon erzbasierende Level 3 Fabriken: ", "Xenon siliziumbasierende Level 3 Fabriken: ",
      "Rasse2 erzbasierende Level 3 Fabriken: ", "Rasse2 siliziumbasierende Level 3 Fabriken: ",
      { nullptr, nullptr },
      { "Xenon L2+L1Fabriken:", "Xenon L2+L1Fabriken:" }, { "Rasse2 L2+L1Fabriken:", "Rasse2 L2+L1Fabriken:" },
      { "L2Fabanzahl Xenon", "L2Fabanzahl Xenon" } },
    { 'K', 0, "Khaak", "Rasse3",
      "Khaak erzbasierende Level 3 Fabriken (z.B. GKE-Schmiede): ", "Khaak siliziumbasierende Level 3 Fabriken: ",
      "Rasse3 erzbasierende Level 3 Fabriken: ", "Rasse3 siliziumbasierende Level 3 Fabriken: ",
      { nullptr, nullptr },
      { "Khaak L2+L1Fabriken:", "Khaak L2+L1Fabriken:" }, { "Rasse3 L2+L1Fabriken:", "Rasse3 L2+L1Fabriken:" },
      { "L2Fabanzahl Khaak", "L2Fabanzahl Khaak" } },
    { 'Y', 0, "Yaki", "Rasse4",
      "Yaki erzbasierende Level 3 Fabriken (z.B. Raketenfabrik Disruptorrakete): ",
      "Yaki siliziumbasierende Level 3 Fabriken: ",
      "Rasse4 erzbasierende Level 3 Fabriken: ", "Rasse4 siliziumbasierende Level 3 Fabriken: ",
      { nullptr, nullptr },
      { "Yaki L2+L1Fabriken:", "Yaki L2+L1Fabriken:" }, { "Rasse4 L2+L1Fabriken:", "Rasse4 L2+L1Fabriken:" },
      { "L2Fabanzahl Yaki", "L2Fabanzahl Yaki" } },
    { 'E', 0, "Terraner", "Rasse5",
      "Terranische erzbasierende Level 3 Fabriken (z.B. Raketenfabrik Hammerhai): ",
      "Terranische siliziumbasierende Level 3 Fabriken: ",
      "Rasse5 erzbasierende Level 3 Fabriken: ", "Rasse5 siliziumbasierende Level 3 Fabriken: ",
      { nullptr, nullptr },
      { "Terraner L2+L1Fabriken:", "Terraner L2+L1Fabriken:" }, { "Rasse5 L2+L1Fabriken:", "Rasse5 L2+L1Fabriken:" },
      { "L2Fabanzahl Terraner", "L2Fabanzahl Terraner" } },
};
// clang-format on
static_assert(std::size(RACES) == RACE_COUNT);

// The crystal race letters: a core race's, or 'u' when no race feeds the crystal factories.
constexpr char NO_CRYSTAL_RACE = 'u';
constexpr const char* NO_CRYSTAL_RACE_NAME = "-keine Zuordnung-";
constexpr Label NO_CRYSTAL_RACE_LABEL = { "Kristallfabriken:", "Kristallfabriken:" };

// The three kinds of special factory, each fed by a food chain of its own.
enum Special { SPECIAL_GKF, SPECIAL_KDF, SPECIAL_SBF, SPECIAL_COUNT };

struct SpecialInfo {
    const char* code;       // short code in the diagnostics file
    const char* chainCode;  // short code of the food chain's demand there
    const char* prompt;     // the question; without its line ends it also labels the echo
    Label chain;            // the food chain's factories
    Label chainCount;       // what the error line says could not be computed
};

constexpr SpecialInfo SPECIALS[] = {
    { "GKF",
      "ASNP",
      "\nGefechtskopffabriken: ",
      { "Rheimwerke und Agrarzentren:", "Rheimwerke und Agrarzentren:" },
      { "Rheimwerkanzahl", "Rheimwerkanzahl" } },
    { "KDF",
      "SSNP",
      "Kampfdrohnenmanufakturen: ",
      { "Massom-Muehlen und Scruffin-Plantagen:", "Massom-M\374hlen und Scruffin-Plantagen:" },
      { "Massom-Muehlen", "Massom-M\374hlen" } },
    { "SBF",
      "PSNP",
      "Satellitenfertigungen (beide Typen): ",
      { "Raumschmieden und Schneckenfarmen:", "Raumschmieden und Schneckenfarmen:" },
      { "Raumschmiedenanzahl", "Raumschmiedenanzahl" } },
};
static_assert(std::size(SPECIALS) == SPECIAL_COUNT);

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

// What the -m questions show, or what the user typed at them.
struct ManualValues {
    int demand;     // EZ per hour
    SkwTotals skw;  // plants of the whole complex
    float ME;       // ore per hour
    float MS;       // silicon per hour
};

// One result line as a front end can show it without reading the text.
enum RowKind { ROW_PLANTS, ROW_CAPACITY, ROW_FACTORIES, ROW_MINES, ROW_SALE, ROW_NOTE };

struct ResultRow {
    RowKind kind;
    Label name;             // what the line names (a note's text)
    int count[SIZE_COUNT];  // factories or plants of each size
    int shown;              // the sizes the line shows, a bit 1 << Size each
    char mark;              // surplus mark '-', 'S', 'M' or 'F'; 0 when the line has none
    int number;             // EZ surplus of the plants, or the uncounted capacity
    double value[3];        // mine yields (Kritisch, Ausreichend, Empfohlen) or the sale, as shown
    int valueCount;         // how many of value the line shows
    int gap;                // the line opens a group of chains after a blank line
};
constexpr int SHOW_M = 1 << SIZE_M;
constexpr int SHOW_M_L = SHOW_M | 1 << SIZE_L;
constexpr int SHOW_ALL = SHOW_M_L | 1 << SIZE_XL;
constexpr int ROW_LIMIT = 32;  // more than a run with every option says

struct RunRecord {
    OptionFlags opt;
    InputRecord in;
    SkwTotals skw;
    int EnergyRemainder;    // demand left after the SKW allocation; negation is the EZ surplus
    float MS;               // silicon demand, tested for the end banner
    ManualValues computed;  // what the -m questions showed
    ManualValues typed;     // what was typed at them
    ResultRow rows[ROW_LIMIT];
    int rowCount;
};

extern RunRecord run;
