// The input dialogue: the questions in their fixed order, filling run.in with the factories
// for sale, their totals in size units and the surplus classes; the echo and the diagnostics
// records are written between the questions.
#include "input/input.h"
#include "report/report.h"
#include "supply/supply.h"

#include <iterator>

namespace {

// The texts of one kind of mine: its questions, its echo block and its diagnostics records.
struct MineTexts {
    const char* firstPrompt;
    const char* echoMode;  // the ore block creates Eingaben.txt
    const char* echoFirst;
    const char* recordM;
    const char* recordL;
    const char* recordXL;
    const char* recordG;
};
constexpr MineTexts ORE_MINES = {
    "\nErzminen fuer Erz-Verkauf:\nTyp M Ausbeute: ",
    "w",
    "Erzminen Ausbeute:\n\nTyp M: %i",
    "\n\nEAM%i",
    " EAL%i",
    " EAXL%i",
    " EAG%i",
};
constexpr MineTexts SILICON_MINES = {
    "\nSiliziumminen fuer Siliziumverkauf:\nTyp M Ausbeute: ",
    "a",
    "\n\n\nSiliziumminen Ausbeute:\n\nTyp M: %i",
    "\nSAM%i",
    " SAL%i",
    " SAXL%i",
    " SAG%i",
};

constexpr const char* SPECIAL_PROMPTS[] = {
    "\nGefechtskopffabriken: ",
    "Kampfdrohnenmanufakturen: ",
    "Satellitenfertigungen (beide Typen): ",
};
static_assert(std::size(SPECIAL_PROMPTS) == SPECIAL_COUNT);

struct RaceQuestions {
    char code;  // letter in the diagnostics file
    const char* orePrompt;
    const char* siliconPrompt;
    const char* numberedOrePrompt;  // extra races answered 'n'
    const char* numberedSiliconPrompt;
};
// clang-format off
constexpr RaceQuestions RACE_QUESTIONS[] = {
    { 'A', "\nArgonische erzbasierende Level 3 Fabriken (z.B. Munitionsfabrik): ",
      "Argonische siliziumbasierende Level 3 Fabriken (z.B. Chip-Werk): ", nullptr, nullptr },
    { 'B', "Boronische erzbasierende Level 3 Fabriken (z.B. GPIK-Schmiede): ",
      "Boronische siliziumbasierende Level 3 Fabriken (z.B. Computerwerk): ", nullptr, nullptr },
    { 'P', "Paranidische erzbasierende Level 3 Fabriken (z.B. GSWG-Schmiede): ",
      "Paranidische siliziumbasierende Level 3 Fabriken (z.B. Quantumr. Fabrik): ", nullptr, nullptr },
    { 'S', "Split erzbasierende Level 3 Fabriken (z.B. Geschuetzturmfabrik): ",
      "Split siliziumbasierende Level 3 Fabriken (z.B. Chip-Werk): ", nullptr, nullptr },
    { 'T', "Teladianische erzbasierende Level 3 Fabriken (z.B. SQUASH-Minenanlage): ",
      "Teladianische siliziumbasierende Level 3 Fabriken (z.B. Computerwerk): ", nullptr, nullptr },
    { 'V', "Piraten erzbasierende Level 3 Fabriken: ", "Piraten siliziumbasierende Level 3 Fabriken: ",
      "Rasse1 erzbasierende Level 3 Fabriken: ", "Rasse1 siliziumbasierende Level 3 Fabriken: " },
    { 'X', "Xenon erzbasierende Level 3 Fabriken: ", "Xenon siliziumbasierende Level 3 Fabriken: ",
      "Rasse2 erzbasierende Level 3 Fabriken: ", "Rasse2 siliziumbasierende Level 3 Fabriken: " },
    { 'K', "Khaak erzbasierende Level 3 Fabriken (z.B. GKE-Schmiede): ", "Khaak siliziumbasierende Level 3 Fabriken: ",
      "Rasse3 erzbasierende Level 3 Fabriken: ", "Rasse3 siliziumbasierende Level 3 Fabriken: " },
    { 'Y', "Yaki erzbasierende Level 3 Fabriken (z.B. Raketenfabrik Disruptorrakete): ",
      "Yaki siliziumbasierende Level 3 Fabriken: ",
      "Rasse4 erzbasierende Level 3 Fabriken: ", "Rasse4 siliziumbasierende Level 3 Fabriken: " },
    { 'E', "Terranische erzbasierende Level 3 Fabriken (z.B. Raketenfabrik Hammerhai): ",
      "Terranische siliziumbasierende Level 3 Fabriken: ",
      "Rasse5 erzbasierende Level 3 Fabriken: ", "Rasse5 siliziumbasierende Level 3 Fabriken: " },
};
// clang-format on
static_assert(std::size(RACE_QUESTIONS) == RACE_COUNT);

int askAnswer(Console& con, const char* prompt) { return askCount(con, prompt, -COUNT_LIMIT, COUNT_LIMIT); }

// Size units of a mix of M, L and XL: 2, 5 and 10 each.
int sizeUnits(int m, int l, int xl) { return 2 * m + 5 * l + 10 * xl; }

void askSaleSkw(Console& con, InputRecord& in) {
    in.saleSkwM = askAnswer(con, "Sonnenkraftwerke fuer EZ-Verkauf:\nTyp M: ");
    in.saleSkwL = askAnswer(con, "Typ L: ");
    in.saleSkwLOdd = in.saleSkwL % 2;
    in.saleSkwXL = askAnswer(con, "Typ XL: ");
}

// The yields of the M, L and (with -xl) XL mines for sale and their total G in size units.
void askMineYields(Console& con, const MineTexts& texts, int& M, int& L, int& XL, int& G) {
    M = askAnswer(con, texts.firstPrompt);
    G = 2 * M;
    echoBlock(texts.echoMode, texts.echoFirst, M);
    appendDiagnosticsRecord(texts.recordM, M);
    L = askAnswer(con, "Typ L Ausbeute: ");
    G += 5 * L;
    echoBlock("a", "\nTyp L: %i", L);
    appendDiagnosticsRecord(texts.recordL, L);
    if (run.opt.xl) {
        XL = askAnswer(con, "Typ XL Ausbeute: ");
        G += 10 * XL;
        echoBlock("a", "\nTyp XL: %i", XL);
        appendDiagnosticsRecord(texts.recordXL, XL);
    }
    appendDiagnosticsRecord(texts.recordG, G);
}

void askLevel1(Console& con, InputRecord& in) {
    in.L1M = askAnswer(con, "\nLevel 1 Fabriken Typ M: ");
    in.L1L = askAnswer(con, "Level 1 Fabriken Typ L: ");
    echoBlock(
        "a",
        "\n\n\nSonnenkraftwerke:\n\nTyp M: %i\nTyp L: %i\nTyp XL: %i\n\n\nLevel 1 Fabriken:\n\nTyp M: %i\nTyp L: %i",
        in.saleSkwM, in.saleSkwL, in.saleSkwXL, in.L1M, in.L1L);
    if (run.opt.xl) {
        in.L1XL = askAnswer(con, "Level 1 Fabriken Typ XL: ");
        echoBlock("a", "\nTyp XL: %i", in.L1XL);
    }
    in.L1G = sizeUnits(in.L1M, in.L1L, in.L1XL);
    appendDiagnosticsRecord("\n\nSKW: M:%i L:%i XL:%i\n\nL1: M%i L%i XL%i G%i", in.saleSkwM, in.saleSkwL, in.saleSkwXL,
                            in.L1M, in.L1L, in.L1XL, in.L1G);
}

// Level 2 starts on a fresh line: whatever is left of an unreadable answer is dropped first.
void askLevel2(Console& con, InputRecord& in) {
    discardPending(con);
    in.L2M = askAnswer(con, "Level 2 (+L1) Fabriken Typ M: ");
    in.L2L = askAnswer(con, "Level 2 (+L1) Fabriken Typ L: ");
    echoBlock("a", "\n\n\nLevel 2 (+L1) Fabriken\n\nTyp M: %i\nTyp L: %i", in.L2M, in.L2L);
    if (run.opt.xl) {
        in.L2XL = askAnswer(con, "Level 2 (+L1) Fabriken Typ XL: ");
        echoBlock("a", "\nTyp XL: %i", in.L2XL);
    }
    in.L2G = sizeUnits(in.L2M, in.L2L, in.L2XL);
    appendDiagnosticsRecord("\nL2: M%i L%i XL%i G%i", in.L2M, in.L2L, in.L2XL, in.L2G);
}

void askCrystalSales(Console& con, InputRecord& in) {
    in.KM = askAnswer(con, "\nKristallfabriken fuer Verkauf:\nTyp M: ");
    in.KG = 2 * in.KM;
    echoBlock("a", "\n\n\nKristallfabriken:\n\nTyp M: %i", in.KM);
    appendDiagnosticsRecord("\n\nKM%i", in.KM);
    if (run.opt.xl) {
        in.KL = askAnswer(con, "Typ L: ");
        in.KG += 5 * in.KL;
        echoBlock("a", "\nTyp L: %i", in.KL);
        appendDiagnosticsRecord(" KL%i", in.KL);
        in.KXL = askAnswer(con, "Typ XL: ");
        in.KG += 10 * in.KXL;
        echoBlock("a", "\nTyp XL: %i", in.KXL);
        appendDiagnosticsRecord(" KXL%i", in.KXL);
    }
    appendDiagnosticsRecord(" KG%i", in.KG);
}

void askSpecials(Console& con, InputRecord& in) {
    for (int s = 0; s < SPECIAL_COUNT; ++s) {
        in.special[s] = askAnswer(con, SPECIAL_PROMPTS[s]);
        in.specialMark2O[s] = SurplusClass(in.special[s]);
    }
}

// One race's ore- and silicon-based Level 3 factories, their total and its surplus class.
void askRace(Console& con, int r, bool numbered) {
    const RaceQuestions& q = RACE_QUESTIONS[r];
    RaceLevel3& race = run.in.race[r];
    race.WF = askAnswer(con, numbered ? q.numberedOrePrompt : q.orePrompt);
    race.OF = askAnswer(con, numbered ? q.numberedSiliconPrompt : q.siliconPrompt);
    race.NF = race.WF + race.OF;
    race.mark2O = SurplusClass(race.NF);
}

void recordRace(int r) {
    const RaceLevel3& race = run.in.race[r];
    appendDiagnosticsRecord("\n%c: WF%i OF%i NF%i 2O%i", RACE_QUESTIONS[r].code, race.WF, race.OF, race.NF,
                            race.mark2O);
}

void askRaces(Console& con, InputRecord& in) {
    askRace(con, RACE_A, false);
    const RaceLevel3& a = in.race[RACE_A];
    appendDiagnosticsRecord("\n\nGKF: %i 2O%i\nKDF: %i 2O%i\nSBF: %i 2O%i\nA: WF%i OF%i NF%i 2O%i",
                            in.special[SPECIAL_GKF], in.specialMark2O[SPECIAL_GKF], in.special[SPECIAL_KDF],
                            in.specialMark2O[SPECIAL_KDF], in.special[SPECIAL_SBF], in.specialMark2O[SPECIAL_SBF], a.WF,
                            a.OF, a.NF, a.mark2O);
    for (int r = RACE_B; r < CORE_RACE_COUNT; ++r) {
        askRace(con, r, false);
        recordRace(r);
    }
    if (!run.opt.extraRaces) return;
    for (int r = CORE_RACE_COUNT; r < RACE_COUNT; ++r) {
        askRace(con, r, run.opt.raceNamesAnswer == 'n');
        recordRace(r);
    }
}

}  // namespace

// Asks every question in order; returns 0 when the input ended at the crystal race question.
int runDialogue(Console& con) {
    InputRecord& in = run.in;
    askSaleSkw(con, in);
    askMineYields(con, ORE_MINES, in.EAM, in.EAL, in.EAXL, in.EAG);
    askMineYields(con, SILICON_MINES, in.SAM, in.SAL, in.SAXL, in.SAG);
    askLevel1(con, in);
    askLevel2(con, in);
    askCrystalSales(con, in);
    askSpecials(con, in);
    askRaces(con, in);
    if (!askCrystalRace(con, &in.crystalRace)) return 0;
    echoClosingGroup();
    appendDiagnosticsRecord("\n\n%c", static_cast<char>(in.crystalRace - 'a' + 'A'));
    return 1;
}
