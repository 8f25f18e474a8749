// The question table: each question's prompt, the option it depends on, its range, where its
// answer goes and what is written after it. The dialogue walks it; a front end lists it.
#include "input/input.h"

namespace {

constexpr int LOW = -COUNT_LIMIT;
constexpr int HIGH = COUNT_LIMIT;
constexpr const char* TYP_L = "\nTyp L: %i";
constexpr const char* TYP_XL = "\nTyp XL: %i";

using In = InputRecord;

// One race's two Level 3 questions.
constexpr Question oreQuestion(int r) noexcept {
    return { GROUP_LEVEL3,
             r,
             "WF",
             RACES[r].orePrompt,
             RACES[r].numberedOrePrompt,
             r < CORE_RACE_COUNT ? ASK_ALWAYS : ASK_EXTRA_RACES,
             ANSWER_COUNT,
             LOW,
             HIGH,
             nullptr,
             &RaceLevel3::WF,
             0,
             nullptr,
             nullptr,
             {} };
}
constexpr Question siliconQuestion(int r) noexcept {
    Question q = oreQuestion(r);
    q.code = "OF";
    q.prompt = RACES[r].siliconPrompt;
    q.numberedPrompt = RACES[r].numberedSiliconPrompt;
    q.raceField = &RaceLevel3::OF;
    return q;
}
constexpr Question specialQuestion(int s) noexcept {
    return { GROUP_SPECIALS,
             s,
             SPECIALS[s].code,
             SPECIALS[s].prompt,
             nullptr,
             ASK_ALWAYS,
             ANSWER_COUNT,
             LOW,
             HIGH,
             nullptr,
             nullptr,
             0,
             nullptr,
             nullptr,
             {} };
}

}  // namespace

const char* const GROUP_TITLE[GROUP_COUNT] = {
    "Sonnenkraftwerke fuer EZ-Verkauf",
    "Erzminen fuer Erz-Verkauf",
    "Siliziumminen fuer Siliziumverkauf",
    "Level 1 Fabriken",
    "Level 2 (+L1) Fabriken",
    "Kristallfabriken fuer Verkauf",
    "Spezialfabriken",
    "Level 3 Fabriken",
    "Von welchem Volk werden die Kristallfabriken genommen?",
    "Manuelle Werte",
};

// clang-format off
const Question QUESTIONS[QUESTION_COUNT] = {
    { GROUP_SKW, -1, "saleSkwM", "Sonnenkraftwerke fuer EZ-Verkauf:\nTyp M: ", nullptr, ASK_ALWAYS, ANSWER_COUNT,
      LOW, HIGH, &In::saleSkwM, nullptr, 0, nullptr, nullptr, {} },
    { GROUP_SKW, -1, "saleSkwL", "Typ L: ", nullptr, ASK_ALWAYS, ANSWER_COUNT,
      LOW, HIGH, &In::saleSkwL, nullptr, 0, nullptr, nullptr, {} },
    { GROUP_SKW, -1, "saleSkwXL", "Typ XL: ", nullptr, ASK_ALWAYS, ANSWER_COUNT,
      LOW, HIGH, &In::saleSkwXL, nullptr, 0, nullptr, nullptr, {} },
    { GROUP_ORE, -1, "EAM", "\nErzminen fuer Erz-Verkauf:\nTyp M Ausbeute: ", nullptr, ASK_ALWAYS, ANSWER_COUNT,
      LOW, HIGH, &In::EAM, nullptr, 0, "Erzminen Ausbeute:\n\nTyp M: %i", "\n\nEAM%i", {} },
    { GROUP_ORE, -1, "EAL", "Typ L Ausbeute: ", nullptr, ASK_ALWAYS, ANSWER_COUNT,
      LOW, HIGH, &In::EAL, nullptr, 0, TYP_L, " EAL%i", {} },
    { GROUP_ORE, -1, "EAXL", "Typ XL Ausbeute: ", nullptr, ASK_XL, ANSWER_COUNT,
      LOW, HIGH, &In::EAXL, nullptr, 0, TYP_XL, " EAXL%i", {} },
    { GROUP_SILICON, -1, "SAM", "\nSiliziumminen fuer Siliziumverkauf:\nTyp M Ausbeute: ", nullptr, ASK_ALWAYS,
      ANSWER_COUNT, LOW, HIGH, &In::SAM, nullptr, 0, "\n\n\nSiliziumminen Ausbeute:\n\nTyp M: %i", "\nSAM%i", {} },
    { GROUP_SILICON, -1, "SAL", "Typ L Ausbeute: ", nullptr, ASK_ALWAYS, ANSWER_COUNT,
      LOW, HIGH, &In::SAL, nullptr, 0, TYP_L, " SAL%i", {} },
    { GROUP_SILICON, -1, "SAXL", "Typ XL Ausbeute: ", nullptr, ASK_XL, ANSWER_COUNT,
      LOW, HIGH, &In::SAXL, nullptr, 0, TYP_XL, " SAXL%i", {} },
    { GROUP_LEVEL1, -1, "L1M", "\nLevel 1 Fabriken Typ M: ", nullptr, ASK_ALWAYS, ANSWER_COUNT,
      LOW, HIGH, &In::L1M, nullptr, 0, nullptr, nullptr, {} },
    // the sale plants are echoed here, ahead of the Level 1 factories
    { GROUP_LEVEL1, -1, "L1L", "Level 1 Fabriken Typ L: ", nullptr, ASK_ALWAYS, ANSWER_COUNT,
      LOW, HIGH, &In::L1L, nullptr, 0,
      "\n\n\nSonnenkraftwerke:\n\nTyp M: %i\nTyp L: %i\nTyp XL: %i\n\n\nLevel 1 Fabriken:\n\nTyp M: %i\nTyp L: %i",
      nullptr, { &In::saleSkwM, &In::saleSkwL, &In::saleSkwXL, &In::L1M, &In::L1L } },
    { GROUP_LEVEL1, -1, "L1XL", "Level 1 Fabriken Typ XL: ", nullptr, ASK_XL, ANSWER_COUNT,
      LOW, HIGH, &In::L1XL, nullptr, 0, TYP_XL, nullptr, {} },
    // Level 2 starts on a fresh line: whatever is left of an unreadable answer is dropped first
    { GROUP_LEVEL2, -1, "L2M", "Level 2 (+L1) Fabriken Typ M: ", nullptr, ASK_ALWAYS, ANSWER_COUNT,
      LOW, HIGH, &In::L2M, nullptr, 1, nullptr, nullptr, {} },
    { GROUP_LEVEL2, -1, "L2L", "Level 2 (+L1) Fabriken Typ L: ", nullptr, ASK_ALWAYS, ANSWER_COUNT,
      LOW, HIGH, &In::L2L, nullptr, 0, "\n\n\nLevel 2 (+L1) Fabriken\n\nTyp M: %i\nTyp L: %i",
      nullptr, { &In::L2M, &In::L2L } },
    { GROUP_LEVEL2, -1, "L2XL", "Level 2 (+L1) Fabriken Typ XL: ", nullptr, ASK_XL, ANSWER_COUNT,
      LOW, HIGH, &In::L2XL, nullptr, 0, TYP_XL, nullptr, {} },
    { GROUP_CRYSTALS, -1, "KM", "\nKristallfabriken fuer Verkauf:\nTyp M: ", nullptr, ASK_ALWAYS, ANSWER_COUNT,
      LOW, HIGH, &In::KM, nullptr, 0, "\n\n\nKristallfabriken:\n\nTyp M: %i", "\n\nKM%i", {} },
    { GROUP_CRYSTALS, -1, "KL", "Typ L: ", nullptr, ASK_XL, ANSWER_COUNT,
      LOW, HIGH, &In::KL, nullptr, 0, TYP_L, " KL%i", {} },
    { GROUP_CRYSTALS, -1, "KXL", "Typ XL: ", nullptr, ASK_XL, ANSWER_COUNT,
      LOW, HIGH, &In::KXL, nullptr, 0, TYP_XL, " KXL%i", {} },
    specialQuestion(SPECIAL_GKF), specialQuestion(SPECIAL_KDF), specialQuestion(SPECIAL_SBF),
    oreQuestion(RACE_A), siliconQuestion(RACE_A), oreQuestion(RACE_B), siliconQuestion(RACE_B),
    oreQuestion(RACE_P), siliconQuestion(RACE_P), oreQuestion(RACE_S), siliconQuestion(RACE_S),
    oreQuestion(RACE_T), siliconQuestion(RACE_T), oreQuestion(RACE_V), siliconQuestion(RACE_V),
    oreQuestion(RACE_X), siliconQuestion(RACE_X), oreQuestion(RACE_K), siliconQuestion(RACE_K),
    oreQuestion(RACE_Y), siliconQuestion(RACE_Y), oreQuestion(RACE_E), siliconQuestion(RACE_E),
    { GROUP_CRYSTAL_RACE, -1, "crystalRace", "(a=Argonen/b=Boronen/p=Paraniden/s=Split/t=Teladi/u=unbekannt) ",
      nullptr, ASK_ALWAYS, ANSWER_LETTER, 0, 0, nullptr, nullptr, 1, nullptr, nullptr, {} },
    // -m: the energy phase, then the ore and the silicon phase
    { GROUP_MANUAL, -1, "demand", "berechneter EZ-Bedarfswert: %i\nmanueller EZ-Bedarfswert: ", nullptr,
      ASK_MANUAL, ANSWER_COUNT, -DEMAND_LIMIT, DEMAND_LIMIT, nullptr, nullptr, 0, nullptr, nullptr, {} },
    { GROUP_MANUAL, -1, "skwXL", "berechnete SKWs  XL: %i L: %i M: %i\nmanuelle SKWs  XL: ", nullptr,
      ASK_MANUAL, ANSWER_COUNT, LOW, HIGH, nullptr, nullptr, 1, nullptr, nullptr, {} },
    { GROUP_MANUAL, -1, "skwL", "manuelle SKWs  L: ", nullptr,
      ASK_MANUAL, ANSWER_COUNT, LOW, HIGH, nullptr, nullptr, 0, nullptr, nullptr, {} },
    { GROUP_MANUAL, -1, "skwM", "manuelle SKWs  M: ", nullptr,
      ASK_MANUAL, ANSWER_COUNT, LOW, HIGH, nullptr, nullptr, 0, nullptr, nullptr, {} },
    { GROUP_MANUAL, -1, "ME", "\nberechneter Erz-Bedarfswert: %.0f\nmanueller Erz-Bedarfswert: ", nullptr,
      ASK_MANUAL, ANSWER_DEMAND, 0, 0, nullptr, nullptr, 1, nullptr, nullptr, {} },
    { GROUP_MANUAL, -1, "MS", "\nberechneter Silizium-Bedarfswert: %.0f\nmanueller Silizium-Bedarfswert: ", nullptr,
      ASK_MANUAL, ANSWER_DEMAND, 0, 0, nullptr, nullptr, 1, nullptr, nullptr, {} },
};
// clang-format on

const CrystalRace CRYSTAL_RACES[CORE_RACE_COUNT + 1] = {
    { RACES[RACE_A].crystalLetter, RACES[RACE_A].name }, { RACES[RACE_B].crystalLetter, RACES[RACE_B].name },
    { RACES[RACE_P].crystalLetter, RACES[RACE_P].name }, { RACES[RACE_S].crystalLetter, RACES[RACE_S].name },
    { RACES[RACE_T].crystalLetter, RACES[RACE_T].name }, { NO_CRYSTAL_RACE, NO_CRYSTAL_RACE_NAME },
};

bool isAsked(const Question& q, const OptionFlags& opt) {
    switch (q.when) {
        case ASK_XL: return opt.xl;
        case ASK_EXTRA_RACES: return opt.extraRaces;
        case ASK_MANUAL: return opt.manual;
        case ASK_ALWAYS: break;
    }
    return true;
}

const char* promptOf(const Question& q, const OptionFlags& opt) {
    return q.numberedPrompt && opt.raceNamesAnswer == 'n' ? q.numberedPrompt : q.prompt;
}

int& answerSlot(InputRecord& in, const Question& q) {
    if (q.raceField) return in.race[q.index].*q.raceField;
    if (q.group == GROUP_SPECIALS) return in.special[q.index];
    return in.*q.field;
}

double answerOf(const Question& q) {
    if (q.kind == ANSWER_LETTER) return run.in.crystalRace;
    if (q.when != ASK_MANUAL) return answerSlot(run.in, q);
    return manualValueOf(run.typed, static_cast<ManualQuestion>(&q - &QUESTIONS[DIALOGUE_COUNT]));
}

double manualValueOf(const ManualValues& values, ManualQuestion which) {
    switch (which) {
        case MANUAL_DEMAND: return values.demand;
        case MANUAL_SKW_XL: return values.skw.XL;
        case MANUAL_SKW_L: return values.skw.L;
        case MANUAL_SKW_M: return values.skw.M;
        case MANUAL_ME: return values.ME;
        case MANUAL_MS:
        case MANUAL_COUNT: break;
    }
    return values.MS;
}
