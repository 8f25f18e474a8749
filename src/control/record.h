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

// A text that both spellings write alike.
constexpr Label same(const char* text) { return { text, text }; }

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
      same("Cahoonapressen und Ranches:"), { nullptr, nullptr },
      same("Cahoonapressenanzahl") },
    { 'B', 'b', "Boronen", nullptr,
      "Boronische erzbasierende Level 3 Fabriken (z.B. GPIK-Schmiede): ",
      "Boronische siliziumbasierende Level 3 Fabriken (z.B. Computerwerk): ", nullptr, nullptr,
      { "Boronische Kristallfabriken:", "Boron Kristallfabriken:" },
      same("BoFuChemielabore und BoGasProdunktionen:"), { nullptr, nullptr },
      same("BoFuChemielaboranzahl") },
    { 'P', 'p', "Paraniden", nullptr,
      "Paranidische erzbasierende Level 3 Fabriken (z.B. GSWG-Schmiede): ",
      "Paranidische siliziumbasierende Level 3 Fabriken (z.B. Quantumr. Fabrik): ", nullptr, nullptr,
      { "Paranidische Kristallfabriken:", "Paranid Kristallfabriken:" },
      same("Soyereien und Soyfarmen:"), { nullptr, nullptr },
      same("Soyereianzahl") },
    { 'S', 's', "Split", nullptr,
      "Split erzbasierende Level 3 Fabriken (z.B. Geschuetzturmfabrik): ",
      "Split siliziumbasierende Level 3 Fabriken (z.B. Chip-Werk): ", nullptr, nullptr,
      same("Split Kristallfabriken:"),
      same("Rastar-Raffinerien und Cheltaquarien:"), { nullptr, nullptr },
      same("Rastar-Raffinerieanzahl") },
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
      same("Piraten L2+L1Fabriken:"), same("Rasse1 L2+L1Fabriken:"),
      same("L2Fabanzahl Piraten") },
    { 'X', 0, "Xenon", "Rasse2",
      "Xenon erzbasierende Level 3 Fabriken: ", "Xenon siliziumbasierende Level 3 Fabriken: ",
      "Rasse2 erzbasierende Level 3 Fabriken: ", "Rasse2 siliziumbasierende Level 3 Fabriken: ",
      { nullptr, nullptr },
      same("Xenon L2+L1Fabriken:"), same("Rasse2 L2+L1Fabriken:"),
      same("L2Fabanzahl Xenon") },
    { 'K', 0, "Khaak", "Rasse3",
      "Khaak erzbasierende Level 3 Fabriken (z.B. GKE-Schmiede): ", "Khaak siliziumbasierende Level 3 Fabriken: ",
      "Rasse3 erzbasierende Level 3 Fabriken: ", "Rasse3 siliziumbasierende Level 3 Fabriken: ",
      { nullptr, nullptr },
      same("Khaak L2+L1Fabriken:"), same("Rasse3 L2+L1Fabriken:"),
      same("L2Fabanzahl Khaak") },
    { 'Y', 0, "Yaki", "Rasse4",
      "Yaki erzbasierende Level 3 Fabriken (z.B. Raketenfabrik Disruptorrakete): ",
      "Yaki siliziumbasierende Level 3 Fabriken: ",
      "Rasse4 erzbasierende Level 3 Fabriken: ", "Rasse4 siliziumbasierende Level 3 Fabriken: ",
      { nullptr, nullptr },
      same("Yaki L2+L1Fabriken:"), same("Rasse4 L2+L1Fabriken:"),
      same("L2Fabanzahl Yaki") },
    { 'E', 0, "Terraner", "Rasse5",
      "Terranische erzbasierende Level 3 Fabriken (z.B. Raketenfabrik Hammerhai): ",
      "Terranische siliziumbasierende Level 3 Fabriken: ",
      "Rasse5 erzbasierende Level 3 Fabriken: ", "Rasse5 siliziumbasierende Level 3 Fabriken: ",
      { nullptr, nullptr },
      same("Terraner L2+L1Fabriken:"), same("Rasse5 L2+L1Fabriken:"),
      same("L2Fabanzahl Terraner") },
};
// clang-format on
static_assert(std::size(RACES) == RACE_COUNT);

// The crystal race letters: a core race's, or 'u' when no race feeds the crystal factories.
constexpr char NO_CRYSTAL_RACE = 'u';
constexpr const char* NO_CRYSTAL_RACE_NAME = "-keine Zuordnung-";
constexpr Label NO_CRYSTAL_RACE_LABEL = same("Kristallfabriken:");

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
    { "GKF", "ASNP", "\nGefechtskopffabriken: ", same("Rheimwerke und Agrarzentren:"), same("Rheimwerkanzahl") },
    { "KDF",
      "SSNP",
      "Kampfdrohnenmanufakturen: ",
      { "Massom-Muehlen und Scruffin-Plantagen:", "Massom-M\374hlen und Scruffin-Plantagen:" },
      { "Massom-Muehlen", "Massom-M\374hlen" } },
    { "SBF", "PSNP", "Satellitenfertigungen (beide Typen): ", same("Raumschmieden und Schneckenfarmen:"),
      same("Raumschmiedenanzahl") },
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
// How each kind of result line looks on the console and in the file: templates over its row
// (%s its name, %X %L %M its counts, %c its mark, %i its number, %0 %1 %2 its values, %g a
// blank line when it opens a group, %v the version line).
enum Line {
    LINE_SKW,
    LINE_SKW_XL,
    LINE_CAPACITY,
    LINE_CRYSTALS,
    LINE_CRYSTALS_XL,  // also the food of crystal factories with -xl
    LINE_CRYSTAL_FOOD,
    LINE_CHAIN,
    LINE_CHAIN_XL,
    LINE_MINES_HEADING,
    LINE_NO_ORE,
    LINE_ORE,
    LINE_SILICON,
    LINE_NO_SILICON,  // the console's note carries the end banner
    LINE_SALES_HEADING,
    LINE_SALE,
    LINE_COUNT
};
// clang-format off
constexpr Label LINES[] = {
    { "\n\n\n\n%-36sXL: %X  L: %L  M: %M  EZ-Ueber: %i", "%-42sXL: %X  L: %L  M: %M  EZ-\334berschuss: %i" },
    { "\n\n\n\n%-43sXL: %X  L: %L  M: %M  EZ-Ueber: %i", "%-49sXL: %X  L: %L  M: %M  EZ-\334berschuss: %i" },
    same("\n%s %i"),
    { "\n%-36s             M: %M  Ueberschuss: %c", "\n%-49s      M: %M  \334berschuss: %c" },
    { "\n%-36s       XL: %X  L: %L  M: %M", "\n%-49sXL: %X  L: %L  M: %M" },
    { "\n%-36s       L: %L  M: %M  Ueberschuss: %c", "\n%-49sL: %L  M: %M  \334berschuss: %c" },
    { "%g\n%-43sL: %L  M: %M  Ueberschuss: %c", "%g\n%-49sL: %L  M: %M  \334berschuss: %c" },
    { "%g\n%-43sXL: %X  L: %L  M: %M  Ueberschuss: %c", "%g\n%-49sXL: %X  L: %L  M: %M  \334berschuss: %c" },
    { "\n\nMinen (Gesamtausbeute): ", "\n\n\nMinen (Gesamtausbeute): " },
    { "\n%s", "\n\n%s" },
    { "\n%s                      Ausreichend: %0  Empfohlen: %1", "\n\n%s                      Ausreichend: %0  Empfohlen: %1" },
    same("\n%s   Kritisch: %0  Ausreichend: %1  Empfohlen: %2"),
    { "\n%s\n\n\n%v", "\n%s" },
    { "\n\nEZ-, Kristall- und Mineralienverkauf (pro Stunde):", "\n\n\nEZ-, Kristall- und Mineralienverkauf (pro Stunde):\n" },
    same("\n%s %0"),
};
// clang-format on
static_assert(std::size(LINES) == LINE_COUNT);

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
