// The question table: each question's prompt, the option that asks it, its range, where its answer goes and
// what is written after it. The dialogue walks it; a front end lists it.
#include "data/questions.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace {

constexpr const char* TYP_L = "\nTyp L: %i";
constexpr const char* TYP_XL = "\nTyp XL: %i";

using In = InputRecord;

// One race's two Level 3 questions; the extra races are asked with -or.
constexpr Question oreQuestion(int r) noexcept {
    return { .group = GROUP_LEVEL3,
             .index = r,
             .code = "WF",
             .prompt = RACES[r].orePrompt,
             .numberedPrompt = RACES[r].numberedOrePrompt,
             .askedWith = r < CORE_RACE_COUNT ? OPTION_NONE : OPTION_OR,
             .raceField = &RaceLevel3::WF };
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
    return { .group = GROUP_SPECIALS, .index = s, .code = SPECIALS[s].code, .prompt = SPECIALS[s].prompt };
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
    { .group = GROUP_SKW, .code = "saleSkwM", .size = SIZE_M, .prompt = "Sonnenkraftwerke fuer EZ-Verkauf:\nTyp M: ",
      .field = &In::saleSkwM },
    { .group = GROUP_SKW, .code = "saleSkwL", .size = SIZE_L, .prompt = "Typ L: ", .field = &In::saleSkwL },
    { .group = GROUP_SKW, .code = "saleSkwXL", .size = SIZE_XL, .prompt = "Typ XL: ", .field = &In::saleSkwXL },
    { .group = GROUP_ORE, .code = "EAM", .size = SIZE_M, .prompt = "\nErzminen fuer Erz-Verkauf:\nTyp M Ausbeute: ",
      .field = &In::EAM,
      .echo = "Erzminen Ausbeute:\n\nTyp M: %i", .record = "\n\nEAM%i" },
    { .group = GROUP_ORE, .code = "EAL", .size = SIZE_L, .prompt = "Typ L Ausbeute: ", .field = &In::EAL, .echo = TYP_L,
      .record = " EAL%i" },
    { .group = GROUP_ORE, .code = "EAXL", .size = SIZE_XL, .prompt = "Typ XL Ausbeute: ", .askedWith = OPTION_XL,
      .field = &In::EAXL,
      .echo = TYP_XL, .record = " EAXL%i" },
    { .group = GROUP_SILICON, .code = "SAM", .size = SIZE_M,
      .prompt = "\nSiliziumminen fuer Siliziumverkauf:\nTyp M Ausbeute: ",
      .field = &In::SAM, .echo = "\n\n\nSiliziumminen Ausbeute:\n\nTyp M: %i", .record = "\nSAM%i" },
    { .group = GROUP_SILICON, .code = "SAL", .size = SIZE_L, .prompt = "Typ L Ausbeute: ", .field = &In::SAL,
      .echo = TYP_L,
      .record = " SAL%i" },
    { .group = GROUP_SILICON, .code = "SAXL", .size = SIZE_XL, .prompt = "Typ XL Ausbeute: ", .askedWith = OPTION_XL,
      .field = &In::SAXL, .echo = TYP_XL, .record = " SAXL%i" },
    { .group = GROUP_LEVEL1, .code = "L1M", .size = SIZE_M, .prompt = "\nLevel 1 Fabriken Typ M: ", .field = &In::L1M },
    // the sale plants are echoed here, ahead of the Level 1 factories
    { .group = GROUP_LEVEL1, .code = "L1L", .size = SIZE_L, .prompt = "Level 1 Fabriken Typ L: ", .field = &In::L1L,
      .echo = "\n\n\nSonnenkraftwerke:\n\nTyp M: %i\nTyp L: %i\nTyp XL: %i\n\n\nLevel 1 Fabriken:\n\nTyp M: %i\nTyp L: %i",
      .echoWith = { &In::saleSkwM, &In::saleSkwL, &In::saleSkwXL, &In::L1M, &In::L1L } },
    { .group = GROUP_LEVEL1, .code = "L1XL", .size = SIZE_XL, .prompt = "Level 1 Fabriken Typ XL: ",
      .askedWith = OPTION_XL,
      .field = &In::L1XL, .echo = TYP_XL },
    // Level 2 starts on a fresh line: whatever is left of an unreadable answer is dropped first
    { .group = GROUP_LEVEL2, .code = "L2M", .size = SIZE_M, .prompt = "Level 2 (+L1) Fabriken Typ M: ",
      .field = &In::L2M,
      .discardBefore = 1 },
    { .group = GROUP_LEVEL2, .code = "L2L", .size = SIZE_L, .prompt = "Level 2 (+L1) Fabriken Typ L: ",
      .field = &In::L2L,
      .echo = "\n\n\nLevel 2 (+L1) Fabriken\n\nTyp M: %i\nTyp L: %i", .echoWith = { &In::L2M, &In::L2L } },
    { .group = GROUP_LEVEL2, .code = "L2XL", .size = SIZE_XL, .prompt = "Level 2 (+L1) Fabriken Typ XL: ",
      .askedWith = OPTION_XL,
      .field = &In::L2XL, .echo = TYP_XL },
    { .group = GROUP_CRYSTALS, .code = "KM", .size = SIZE_M, .prompt = "\nKristallfabriken fuer Verkauf:\nTyp M: ",
      .field = &In::KM,
      .echo = "\n\n\nKristallfabriken:\n\nTyp M: %i", .record = "\n\nKM%i" },
    { .group = GROUP_CRYSTALS, .code = "KL", .size = SIZE_L, .prompt = "Typ L: ", .askedWith = OPTION_XL,
      .field = &In::KL,
      .echo = TYP_L, .record = " KL%i" },
    { .group = GROUP_CRYSTALS, .code = "KXL", .size = SIZE_XL, .prompt = "Typ XL: ", .askedWith = OPTION_XL,
      .field = &In::KXL,
      .echo = TYP_XL, .record = " KXL%i" },
    specialQuestion(SPECIAL_GKF), specialQuestion(SPECIAL_KDF), specialQuestion(SPECIAL_SBF),
    oreQuestion(RACE_A), siliconQuestion(RACE_A), oreQuestion(RACE_B), siliconQuestion(RACE_B),
    oreQuestion(RACE_P), siliconQuestion(RACE_P), oreQuestion(RACE_S), siliconQuestion(RACE_S),
    oreQuestion(RACE_T), siliconQuestion(RACE_T), oreQuestion(RACE_V), siliconQuestion(RACE_V),
    oreQuestion(RACE_X), siliconQuestion(RACE_X), oreQuestion(RACE_K), siliconQuestion(RACE_K),
    oreQuestion(RACE_Y), siliconQuestion(RACE_Y), oreQuestion(RACE_E), siliconQuestion(RACE_E),
    { .group = GROUP_CRYSTAL_RACE, .code = "crystalRace",
      .prompt = "(a=Argonen/b=Boronen/p=Paraniden/s=Split/t=Teladi/u=unbekannt) ", .kind = ANSWER_LETTER,
      .low = 0, .high = 0, .discardBefore = 1 },
    // -m: the energy phase, then the ore and the silicon phase
    { .group = GROUP_MANUAL, .code = "demand", .prompt = "berechneter EZ-Bedarfswert: %i\nmanueller EZ-Bedarfswert: ",
      .askedWith = OPTION_M, .low = -DEMAND_LIMIT, .high = DEMAND_LIMIT },
    { .group = GROUP_MANUAL, .code = "skwXL", .size = SIZE_XL,
      .prompt = "berechnete SKWs  XL: %i L: %i M: %i\nmanuelle SKWs  XL: ",
      .askedWith = OPTION_M, .discardBefore = 1 },
    { .group = GROUP_MANUAL, .code = "skwL", .size = SIZE_L, .prompt = "manuelle SKWs  L: ", .askedWith = OPTION_M },
    { .group = GROUP_MANUAL, .code = "skwM", .size = SIZE_M, .prompt = "manuelle SKWs  M: ", .askedWith = OPTION_M },
    { .group = GROUP_MANUAL, .code = "ME", .prompt = "\nberechneter Erz-Bedarfswert: %.0f\nmanueller Erz-Bedarfswert: ",
      .askedWith = OPTION_M, .kind = ANSWER_DEMAND, .low = 0, .high = 0, .discardBefore = 1 },
    { .group = GROUP_MANUAL, .code = "MS",
      .prompt = "\nberechneter Silizium-Bedarfswert: %.0f\nmanueller Silizium-Bedarfswert: ",
      .askedWith = OPTION_M, .kind = ANSWER_DEMAND, .low = 0, .high = 0, .discardBefore = 1 },
};
// clang-format on

const AnswerRule ANSWER_RULES[ANSWER_KIND_COUNT] = {
    { .whole = 1, .single = 0, .textLimit = 0, .letters = nullptr },                  // ANSWER_COUNT
    { .whole = 0, .single = 0, .textLimit = 0, .letters = CRYSTAL_RACE_LETTERS },     // ANSWER_LETTER
    { .whole = 0, .single = 1, .textLimit = NUMBER_TEXT_LIMIT, .letters = nullptr },  // ANSWER_DEMAND
};

bool isOneOf(char letter, const char* letters) {
    for (const char* l = letters; *l; ++l) {
        if (*l == letter) return true;
    }
    return false;
}

// A letter comes as its code.
Refusal refusalOf(const Question& q, double value) {
    const AnswerRule& rule = ANSWER_RULES[q.kind];
    if (rule.letters) {
        bool known = value > 0 && value < 128 && isOneOf(static_cast<char>(value), rule.letters);
        return known ? REFUSAL_NONE : REFUSAL_LETTER;
    }
    if (rule.single) {
        bool single = std::fabs(value) <= std::numeric_limits<float>::max() &&
                      static_cast<double>(static_cast<float>(value)) == value;
        if (!single) return REFUSAL_FINITE;
    }
    if (rule.whole && !(value == std::trunc(value))) return REFUSAL_WHOLE;
    if (rule.whole && !(value >= q.low && value <= q.high)) return REFUSAL_RANGE;
    return REFUSAL_NONE;
}

bool isAsked(const Question& q, const OptionFlags& opt) {
    return q.askedWith == OPTION_NONE || opt.*OPTIONS[q.askedWith].flag;
}

const char* promptOf(const Question& q, const OptionFlags& opt) {
    const OptionInfo& names = OPTIONS[RACE_NAMES_OPTION];
    return q.numberedPrompt && opt.*names.answer == 'n' ? q.numberedPrompt : q.prompt;
}

QuestionKey keyOf(const Question& q) {
    QuestionKey key{};
    if (q.raceField)
        snprintf(key.text, sizeof key.text, "%s.%c", q.code, RACES[q.index].code);
    else
        snprintf(key.text, sizeof key.text, "%s", q.code);
    return key;
}

int& answerSlot(InputRecord& in, const Question& q) {
    if (q.raceField) return in.race[q.index].*q.raceField;
    if (q.group == GROUP_SPECIALS) return in.special[q.index];
    return in.*q.field;
}
