// The question table: every question of the dialogue in its order, then the -m questions that the energy, ore
// and silicon phases ask; with each its prompt, the option that asks it, its range, where its answer goes and
// what is written after it. The dialogue walks it; a front end lists it.
#pragma once

#include "data/options.h"

// Bounds of what a typed number may be, chosen so that no 32-bit sum or product of the run can overflow: with
// every dialogue answer within COUNT_LIMIT the energy demand stays below about 1.92e9 EZ, and with a typed demand
// within DEMAND_LIMIT and typed SKW counts within COUNT_LIMIT the remainder worked out again from those counts
// stays below 2.14e9 in size.
constexpr int COUNT_LIMIT = 10000;
constexpr int DEMAND_LIMIT = 500000000;
// A typed number longer than this many characters is refused as out of range.
constexpr int NUMBER_TEXT_LIMIT = 500;

enum AnswerKind { ANSWER_COUNT, ANSWER_LETTER, ANSWER_DEMAND, ANSWER_KIND_COUNT };
enum QuestionGroup {
    GROUP_SKW,
    GROUP_ORE,
    GROUP_SILICON,
    GROUP_LEVEL1,
    GROUP_LEVEL2,
    GROUP_CRYSTALS,
    GROUP_SPECIALS,
    GROUP_LEVEL3,
    GROUP_CRYSTAL_RACE,
    GROUP_MANUAL,
    GROUP_COUNT
};
extern const char* const GROUP_TITLE[GROUP_COUNT];

// The groups that ask for factories, plants or mines for sale in sizes M, L and XL, each with the code its flows
// name it by as a consumer.
struct SaleGroup {
    QuestionGroup group;
    const char* consumer;
};
constexpr SaleGroup SALE_GROUPS[] = {
    { GROUP_SKW, "saleSkw" }, { GROUP_ORE, "EAG" },    { GROUP_SILICON, "SAG" },
    { GROUP_LEVEL1, "L1G" },  { GROUP_LEVEL2, "L2G" }, { GROUP_CRYSTALS, "KG" },
};

constexpr int ECHO_VALUES = 5;  // the most values one echo block shows

struct Question {
    QuestionGroup group;
    int index = -1;                        // race of a Level 3 question, special of a special one, else -1
    const char* code = nullptr;            // short code of the answer
    int size = -1;                         // the Size of the plants, mines or factories it counts, or -1
    const char* prompt = nullptr;          // as printed; a -m question's is a format for the shown values
    const char* numberedPrompt = nullptr;  // for an extra race when the races are numbered, else null
    OptionCode askedWith = OPTION_NONE;    // the option that asks the question, or none: always asked
    AnswerKind kind = ANSWER_COUNT;
    int low = -COUNT_LIMIT;  // accepted range of a count
    int high = COUNT_LIMIT;
    int InputRecord::*field = nullptr;             // where a count goes, or null
    int RaceLevel3::*raceField = nullptr;          // where a Level 3 count goes, or null
    int discardBefore = 0;                         // pending input is dropped before the prompt
    const char* echo = nullptr;                    // echo block after the answer (the answer its value), or null
    const char* record = nullptr;                  // diagnostics record after the answer, or null
    int InputRecord::*echoWith[ECHO_VALUES] = {};  // the echo's values when they are not the answer alone
};

// The -m questions, in the order they are asked, behind the dialogue's.
enum ManualQuestion { MANUAL_DEMAND, MANUAL_SKW_XL, MANUAL_SKW_L, MANUAL_SKW_M, MANUAL_ME, MANUAL_MS, MANUAL_COUNT };
constexpr int DIALOGUE_COUNT = 42;
constexpr int QUESTION_COUNT = DIALOGUE_COUNT + MANUAL_COUNT;
constexpr int CRYSTAL_RACE_QUESTION = DIALOGUE_COUNT - 1;
static_assert(QUESTION_COUNT == QUESTION_LIMIT);
extern const Question QUESTIONS[QUESTION_COUNT];

inline int indexOf(const Question& q) { return static_cast<int>(&q - QUESTIONS); }
inline const Question& manualQuestion(ManualQuestion which) { return QUESTIONS[DIALOGUE_COUNT + which]; }

bool isAsked(const Question& q, const OptionFlags& opt);
const char* promptOf(const Question& q, const OptionFlags& opt);
int& answerSlot(InputRecord& in, const Question& q);  // where a count of the dialogue goes

// What an answer of each kind must be: one rule, which the console reader and the plan reader both apply and the
// page is told, so that a field refuses exactly what the console refuses.
struct AnswerRule {
    int whole;            // a whole number within the question's range, low to high
    int single;           // a finite number of single precision
    int textLimit;        // the most characters of a number's text that are read, or 0 for any number
    const char* letters;  // the letters taken (lower case), or null for a number
};
extern const AnswerRule ANSWER_RULES[ANSWER_KIND_COUNT];
constexpr const char* YES_NO_LETTERS = "jn";  // what an option's yes/no question takes

// Why a value is not taken.
enum Refusal {
    REFUSAL_NONE,
    REFUSAL_RANGE,       // a whole number outside the question's range
    REFUSAL_WHOLE,       // not a whole number
    REFUSAL_FINITE,      // not a finite number of single precision
    REFUSAL_LETTER,      // not one of the letters
    REFUSAL_UNREADABLE,  // a text that is no number, or has more after it
    REFUSAL_TOO_LONG,    // a number's text longer than the rule's limit
    REFUSAL_COUNT
};
Refusal refusalOf(const Question& q, double value);
bool isOneOf(char letter, const char* letters);

// The key a plan keeps the question's value under: its code, and the race's code behind a point where the races'
// questions share their codes ("WF.A").
struct QuestionKey {
    char text[16];
};
QuestionKey keyOf(const Question& q);
