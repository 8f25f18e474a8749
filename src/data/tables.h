// The domain's constant tables: the two spellings of a text, the sizes, the ten races and the three kinds of
// special factory. Data only: the dialogue, the phases and the page all walk these rows.
#pragma once

#include <cstddef>
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
    char code;                      // letter in the diagnostics file
    const char* chainCode;          // short code of the food chain's demand there
    const char* rowCode;            // the food chain's line in the run record: "NP." and the race's code
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
    { 'A', "ANP", "NP.A", 'a', "Argonen", nullptr,
      "\nArgonische erzbasierende Level 3 Fabriken (z.B. Munitionsfabrik): ",
      "Argonische siliziumbasierende Level 3 Fabriken (z.B. Chip-Werk): ", nullptr, nullptr,
      { "Argonische Kristallfabriken:", "Argon Kristallfabriken:" },
      same("Cahoonapressen und Ranches:"), { nullptr, nullptr },
      same("Cahoonapressenanzahl") },
    { 'B', "BNP", "NP.B", 'b', "Boronen", nullptr,
      "Boronische erzbasierende Level 3 Fabriken (z.B. GPIK-Schmiede): ",
      "Boronische siliziumbasierende Level 3 Fabriken (z.B. Computerwerk): ", nullptr, nullptr,
      { "Boronische Kristallfabriken:", "Boron Kristallfabriken:" },
      same("BoFuChemielabore und BoGasProdunktionen:"), { nullptr, nullptr },
      same("BoFuChemielaboranzahl") },
    { 'P', "PNP", "NP.P", 'p', "Paraniden", nullptr,
      "Paranidische erzbasierende Level 3 Fabriken (z.B. GSWG-Schmiede): ",
      "Paranidische siliziumbasierende Level 3 Fabriken (z.B. Quantumr. Fabrik): ", nullptr, nullptr,
      { "Paranidische Kristallfabriken:", "Paranid Kristallfabriken:" },
      same("Soyereien und Soyfarmen:"), { nullptr, nullptr },
      same("Soyereianzahl") },
    { 'S', "SNP", "NP.S", 's', "Split", nullptr,
      "Split erzbasierende Level 3 Fabriken (z.B. Geschuetzturmfabrik): ",
      "Split siliziumbasierende Level 3 Fabriken (z.B. Chip-Werk): ", nullptr, nullptr,
      same("Split Kristallfabriken:"),
      same("Rastar-Raffinerien und Cheltaquarien:"), { nullptr, nullptr },
      same("Rastar-Raffinerieanzahl") },
    { 'T', "TNP", "NP.T", 't', "Teladi", nullptr,
      "Teladianische erzbasierende Level 3 Fabriken (z.B. SQUASH-Minenanlage): ",
      "Teladianische siliziumbasierende Level 3 Fabriken (z.B. Computerwerk): ", nullptr, nullptr,
      { "Teladianische Kristallfabriken:", "Teladi Kristallfabriken:" },
      // the console's column cuts the name short
      { "Sonnenblumenoelraffinerien und Gewaechsst:", "Sonnenblumen\366lraffinerien und Gew\344chsstationen:" },
      { nullptr, nullptr },
      { "Sonnenblumenoelraffinerieanzahl", "Sonnenblumen\366lraffinerieanzahl" } },
    { 'V', "VNP", "NP.V", 0, "Piraten", "Rasse1",
      "Piraten erzbasierende Level 3 Fabriken: ", "Piraten siliziumbasierende Level 3 Fabriken: ",
      "Rasse1 erzbasierende Level 3 Fabriken: ", "Rasse1 siliziumbasierende Level 3 Fabriken: ",
      { nullptr, nullptr },
      same("Piraten L2+L1Fabriken:"), same("Rasse1 L2+L1Fabriken:"),
      same("L2Fabanzahl Piraten") },
    { 'X', "XNP", "NP.X", 0, "Xenon", "Rasse2",
      "Xenon erzbasierende Level 3 Fabriken: ", "Xenon siliziumbasierende Level 3 Fabriken: ",
      "Rasse2 erzbasierende Level 3 Fabriken: ", "Rasse2 siliziumbasierende Level 3 Fabriken: ",
      { nullptr, nullptr },
      same("Xenon L2+L1Fabriken:"), same("Rasse2 L2+L1Fabriken:"),
      same("L2Fabanzahl Xenon") },
    { 'K', "KNP", "NP.K", 0, "Khaak", "Rasse3",
      "Khaak erzbasierende Level 3 Fabriken (z.B. GKE-Schmiede): ", "Khaak siliziumbasierende Level 3 Fabriken: ",
      "Rasse3 erzbasierende Level 3 Fabriken: ", "Rasse3 siliziumbasierende Level 3 Fabriken: ",
      { nullptr, nullptr },
      same("Khaak L2+L1Fabriken:"), same("Rasse3 L2+L1Fabriken:"),
      same("L2Fabanzahl Khaak") },
    { 'Y', "YNP", "NP.Y", 0, "Yaki", "Rasse4",
      "Yaki erzbasierende Level 3 Fabriken (z.B. Raketenfabrik Disruptorrakete): ",
      "Yaki siliziumbasierende Level 3 Fabriken: ",
      "Rasse4 erzbasierende Level 3 Fabriken: ", "Rasse4 siliziumbasierende Level 3 Fabriken: ",
      { nullptr, nullptr },
      same("Yaki L2+L1Fabriken:"), same("Rasse4 L2+L1Fabriken:"),
      same("L2Fabanzahl Yaki") },
    { 'E', "ENP", "NP.E", 0, "Terraner", "Rasse5",
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

// What a special factory takes from the complex's own mines.
enum Mineral { MINERAL_ORE, MINERAL_SILICON };

struct SpecialInfo {
    const char* code;       // short code in the diagnostics file
    Mineral takes;          // the mineral one factory takes per hour, as an ore- or silicon-based one does
    const char* chainCode;  // short code of the food chain's demand there
    const char* rowCode;    // the food chain's line in the run record: "NP." and the code
    const char* name;       // what the page calls the factories
    const char* prompt;     // the question; without its line ends it also labels the echo
    Label chain;            // the food chain's factories
    Label chainCount;       // what the error line says could not be computed
};

constexpr SpecialInfo SPECIALS[] = {
    { "GKF", MINERAL_ORE, "ASNP", "NP.GKF", "Gefechtskopffabriken",
      "\nGefechtskopffabriken: ", same("Rheimwerke und Agrarzentren:"), same("Rheimwerkanzahl") },
    { "KDF",
      MINERAL_SILICON,
      "SSNP",
      "NP.KDF",
      "Kampfdrohnenmanufakturen",
      "Kampfdrohnenmanufakturen: ",
      { "Massom-Muehlen und Scruffin-Plantagen:", "Massom-M\374hlen und Scruffin-Plantagen:" },
      { "Massom-Muehlen", "Massom-M\374hlen" } },
    { "SBF", MINERAL_SILICON, "PSNP", "NP.SBF", "Satellitenfertigungen (beide Typen)",
      "Satellitenfertigungen (beide Typen): ", same("Raumschmieden und Schneckenfarmen:"),
      same("Raumschmiedenanzahl") },
};
static_assert(std::size(SPECIALS) == SPECIAL_COUNT);

// The letters of the crystal race question, with the names the echo gives them.
struct CrystalRace {
    char letter;
    const char* name;
};
constexpr CrystalRace CRYSTAL_RACES[] = {
    { RACES[RACE_A].crystalLetter, RACES[RACE_A].name }, { RACES[RACE_B].crystalLetter, RACES[RACE_B].name },
    { RACES[RACE_P].crystalLetter, RACES[RACE_P].name }, { RACES[RACE_S].crystalLetter, RACES[RACE_S].name },
    { RACES[RACE_T].crystalLetter, RACES[RACE_T].name }, { NO_CRYSTAL_RACE, NO_CRYSTAL_RACE_NAME },
};
static_assert(std::size(CRYSTAL_RACES) == CORE_RACE_COUNT + 1);
// The same letters as the crystal race question takes them.
constexpr const char* CRYSTAL_RACE_LETTERS = "abpstu";
constexpr bool lettersAreTheRaces() {
    for (size_t r = 0; r < std::size(CRYSTAL_RACES); ++r) {
        if (CRYSTAL_RACE_LETTERS[r] != CRYSTAL_RACES[r].letter) return false;
    }
    return CRYSTAL_RACE_LETTERS[std::size(CRYSTAL_RACES)] == '\0';
}
static_assert(lettersAreTheRaces());
