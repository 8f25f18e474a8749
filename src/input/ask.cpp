// The questions every phase asks through the console: a letter (yes/no, the crystal race), a
// count, a mineral demand. Numbers outside their range are refused and asked again.
#include "input/input.h"
#include "report/report.h"

#include <cmath>

namespace {

// Tells the user why a number was not taken (why a format for the limits) and drops the rest of
// its line.
void refuseNumber(Console& con, const char* why, int limit1 = 0, int limit2 = 0) {
    printMessage(con, why, limit1, limit2);
    discardPending(con);
}

bool isOneOf(char letter, const char* letters) {
    for (const char* l = letters; *l; ++l) {
        if (*l == letter) return true;
    }
    return false;
}

}  // namespace

char lowerAscii(char letter) {
    return letter >= 'A' && letter <= 'Z' ? static_cast<char>(letter + ('a' - 'A')) : letter;
}

// Asks until the stored answer is one of letters (either case); each time drops what is
// pending first. Returns 0 when the input ends before such an answer arrives.
int askLetter(Console& con, const char* prompt, const char* letters, char* answer) {
    while (!isOneOf(*answer, letters)) {
        discardPending(con);
        fputs(prompt, con.out);
        char typed = 0;
        if (scanChar(con, &typed) != 1) return 0;
        *answer = lowerAscii(typed);
    }
    return 1;
}

int askYesNo(Console& con, const char* prompt, char* answer) { return askLetter(con, prompt, "jn", answer); }

// The crystal race question: the heading once, the letter line until a known letter comes.
int askCrystalRace(Console& con, char* letter) {
    char letters[CORE_RACE_COUNT + 2] = {};
    for (int r = 0; r <= CORE_RACE_COUNT; ++r) letters[r] = CRYSTAL_RACES[r].letter;
    const Question& q = QUESTIONS[DIALOGUE_COUNT - 1];
    fprintf(con.out, "%s\n", GROUP_TITLE[q.group]);
    return askLetter(con, q.prompt, letters, letter);
}

// Prints the prompt and reads one "%i" number. A number that cannot be read gives 0 and stays
// pending; one outside low..high is refused and the prompt repeats.
int askCount(Console& con, const char* prompt, int low, int high) {
    for (;;) {
        fputs(prompt, con.out);
        long long value = 0;
        if (scanInt(con, &value) != 1) return 0;
        if (value >= low && value <= high) return static_cast<int>(value);
        refuseNumber(con, "Ungueltige Eingabe: erlaubt sind ganze Zahlen von %i bis %i\n", low, high);
    }
}

// Prints the prompt and reads one "%f" number; 0 when none can be read. Over-long numbers,
// infinite values and NaN are refused and the prompt repeats.
float askDemand(Console& con, const char* prompt) {
    for (;;) {
        fputs(prompt, con.out);
        float value = 0;
        int tooLong = 0;
        if (scanFloat(con, &value, &tooLong) != 1) return 0;
        if (tooLong) {
            refuseNumber(con, "Ungueltige Eingabe: die Zahl ist zu lang (hoechstens %i Zeichen)\n", NUMBER_TEXT_LIMIT);
        } else if (!std::isfinite(value)) {
            refuseNumber(con, "Ungueltige Eingabe: erlaubt sind nur endliche Zahlen\n");
        } else {
            return value;
        }
    }
}

// With -m: a count question whose prompt shows the computed values.
int askManualCount(Console& con, ManualQuestion which, int shown0, int shown1, int shown2) {
    const Question& q = QUESTIONS[DIALOGUE_COUNT + which];
    if (q.discardBefore) discardPending(con);
    char prompt[128];
    snprintf(prompt, sizeof prompt, q.prompt, shown0, shown1, shown2);
    return askCount(con, prompt, q.low, q.high);
}

// With -m: drops what is pending, shows the computed ore or silicon demand and returns the
// typed one (0 when none can be read).
float askManualDemand(Console& con, ManualQuestion which, float computed) {
    const Question& q = QUESTIONS[DIALOGUE_COUNT + which];
    discardPending(con);
    char prompt[128];
    snprintf(prompt, sizeof prompt, q.prompt, roundHalfAway(computed));
    return askDemand(con, prompt);
}
