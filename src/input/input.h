// Console reading and the input dialogue: the scanf-like reads, the questions built on them,
// the 42 questions of the dialogue and the echo of the answers to Eingaben.txt.
#pragma once

#include "control/record.h"

#include <cstddef>
#include <cstdio>

// Bounds of what a typed number may be, chosen so that no 32-bit sum or product of the run can
// overflow: with every dialogue answer within COUNT_LIMIT the energy demand stays below about
// 1.92e9 EZ, and with a typed demand within DEMAND_LIMIT and typed SKW counts within COUNT_LIMIT
// the remainder worked out again from those counts stays below 2.14e9 in size.
constexpr int COUNT_LIMIT = 10000;
constexpr int DEMAND_LIMIT = 500000000;
// A typed number longer than this many characters is refused as out of range.
constexpr int NUMBER_TEXT_LIMIT = 500;

// The console: output streams and standard input read through a small buffer of our own, so
// that what stays pending after a read is known exactly and can be discarded line-wise.
struct Console {
    FILE* out;        // console output
    FILE* err;        // messages about refused input, ended input, unwritable files
    int inFd;         // descriptor read from; -1 when the input is in memory
    const char* mem;  // in-memory input (tests and the fuzzer)
    size_t memLen;    // its length
    size_t memPos;    // how much of it has been moved into buf
    char buf[256];    // bytes read but not yet taken
    int pos;          // next unread byte in buf
    int len;          // bytes held in buf
    int atEnd;        // the input has ended; stays so for the rest of the run
    int lineTouched;  // a read has looked at a character of the current line
};

Console consoleOnDescriptor(int fd, FILE* out, FILE* err);
Console consoleOnMemory(const char* text, size_t length, FILE* out, FILE* err);

// scanf-style reads with glibc's rules; each returns 1 (converted), 0 (no number, the offending
// characters stay pending) or -1 (input ended first).
int scanInt(Console& con, long long* value);
int scanChar(Console& con, char* letter);
int scanFloat(Console& con, float* value, int* tooLong);
void discardPending(Console& con);

// Writes one message line (refused input, ended input, an unwritable file or console) to the
// console's error stream, after flushing what the console printed before it, so that in a
// combined log each message follows the prompt it belongs to.
void printMessage(Console& con, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Questions built on the reads (ask.cpp).
int askLetter(Console& con, const char* prompt, const char* letters, char* answer);
int askYesNo(Console& con, const char* prompt, char* answer);
int askCount(Console& con, const char* prompt, int low, int high);
float askDemand(Console& con, const char* prompt);
int askCrystalRace(Console& con, char* letter);
char lowerAscii(char letter);

// The question table: every question of the dialogue in its order, then the -m questions that
// the energy, ore and silicon phases ask. A front end lists the questions from it alone.
enum AskWhen { ASK_ALWAYS, ASK_XL, ASK_EXTRA_RACES, ASK_MANUAL };
enum AnswerKind { ANSWER_COUNT, ANSWER_LETTER, ANSWER_DEMAND };
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

constexpr int ECHO_VALUES = 5;  // the most values one echo block shows

struct Question {
    QuestionGroup group;
    int index;                   // race of a Level 3 question, special of a special one, else -1
    const char* code;            // short code of the answer
    const char* prompt;          // as printed; a -m question's is a format for the computed values
    const char* numberedPrompt;  // for an extra race answered 'n', else null
    AskWhen when;
    AnswerKind kind;
    int low;  // accepted range of a count
    int high;
    int InputRecord::*field;                  // where a count goes, or null
    int RaceLevel3::*raceField;               // where a Level 3 count goes, or null
    int discardBefore;                        // pending input is dropped before the prompt
    const char* echo;                         // echo block after the answer (the answer its value), or null
    const char* record;                       // diagnostics record after the answer, or null
    int InputRecord::*echoWith[ECHO_VALUES];  // the echo's values when they are not the answer alone
};

// The -m questions, in the order they are asked, behind the dialogue's.
enum ManualQuestion { MANUAL_DEMAND, MANUAL_SKW_XL, MANUAL_SKW_L, MANUAL_SKW_M, MANUAL_ME, MANUAL_MS, MANUAL_COUNT };
constexpr int DIALOGUE_COUNT = 42;
constexpr int QUESTION_COUNT = DIALOGUE_COUNT + MANUAL_COUNT;
extern const Question QUESTIONS[QUESTION_COUNT];

// The crystal race letters with the names the echo gives them.
struct CrystalRace {
    char letter;
    const char* name;
};
extern const CrystalRace CRYSTAL_RACES[CORE_RACE_COUNT + 1];

bool isAsked(const Question& q, const OptionFlags& opt);
const char* promptOf(const Question& q, const OptionFlags& opt);
int& answerSlot(InputRecord& in, const Question& q);                     // where a count of the dialogue goes
double answerOf(const Question& q);                                      // the answer the run stored for the question
double manualValueOf(const ManualValues& values, ManualQuestion which);  // shown or typed at it

// With -m: asks one of the manual questions, its prompt filled with the computed values.
int askManualCount(Console& con, ManualQuestion which, int shown0, int shown1 = 0, int shown2 = 0);
float askManualDemand(Console& con, ManualQuestion which, float computed);

// The dialogue (dialogue.cpp); returns 0 when the input ended at the crystal race question.
int runDialogue(Console& con);

// Echo of the answers to Eingaben.txt (echo.cpp).
void echoAnswer(const char* mode, const char* format, ...) __attribute__((format(printf, 2, 3)));
void echoClosingGroup();
