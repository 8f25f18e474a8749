// The questions every phase asks through the console: yes/no, a count, a mineral demand, the
// crystal race. Numbers outside their range are refused and asked again.
#include "input/input.h"
#include "report/report.h"

#include <cmath>

namespace {

constexpr const char* CRYSTAL_RACE_LINE = "(a=Argonen/b=Boronen/p=Paraniden/s=Split/t=Teladi/u=unbekannt) ";
constexpr const char* CRYSTAL_RACE_LETTERS = "abpstu";

// Tells the user why a number was not taken and drops the rest of its line.
void refuseNumber(Console& con, const char* why) {
    printMessage(con, "%s", why);
    discardPending(con);
}

bool isCrystalRace(char letter) {
    for (const char* l = CRYSTAL_RACE_LETTERS; *l; ++l) {
        if (*l == letter) return true;
    }
    return false;
}

}  // namespace

char lowerAscii(char letter) {
    return letter >= 'A' && letter <= 'Z' ? static_cast<char>(letter + ('a' - 'A')) : letter;
}

// Asks until the stored answer is 'j' or 'n' (either case); returns 0 when the input ends
// before such an answer arrives.
int askYesNo(Console& con, const char* prompt, char* answer) {
    while (*answer != 'j' && *answer != 'n') {
        discardPending(con);
        fputs(prompt, con.out);
        char typed = 0;
        if (scanChar(con, &typed) != 1) return 0;
        *answer = lowerAscii(typed);
    }
    return 1;
}

// Prints the prompt and reads one "%i" number. A number that cannot be read gives 0 and stays
// pending; one outside low..high is refused and the prompt repeats.
int askCount(Console& con, const char* prompt, int low, int high) {
    char why[96];
    snprintf(why, sizeof why, "Ungueltige Eingabe: erlaubt sind ganze Zahlen von %i bis %i\n", low, high);
    for (;;) {
        fputs(prompt, con.out);
        long long value = 0;
        if (scanInt(con, &value) != 1) return 0;
        if (value >= low && value <= high) return static_cast<int>(value);
        refuseNumber(con, why);
    }
}

// Prints the prompt and reads one "%f" number; 0 when none can be read. Over-long numbers,
// infinite values and NaN are refused and the prompt repeats.
float askDemand(Console& con, const char* prompt) {
    char tooLongWhy[96];
    snprintf(tooLongWhy, sizeof tooLongWhy, "Ungueltige Eingabe: die Zahl ist zu lang (hoechstens %i Zeichen)\n",
             NUMBER_TEXT_LIMIT);
    for (;;) {
        fputs(prompt, con.out);
        float value = 0;
        int tooLong = 0;
        if (scanFloat(con, &value, &tooLong) != 1) return 0;
        if (tooLong)  // written with more characters than a number may have?
            refuseNumber(con, tooLongWhy);
        else if (!std::isfinite(value))
            refuseNumber(con, "Ungueltige Eingabe: erlaubt sind nur endliche Zahlen\n");
        else
            return value;
    }
}

// With -m: drops what is pending, shows the computed ore or silicon demand and returns the
// typed one (0 when none can be read).
float askMineralDemand(Console& con, const char* mineral, float computed) {
    discardPending(con);
    char prompt[160];
    snprintf(prompt, sizeof prompt, "\nberechneter %s-Bedarfswert: %.0f\nmanueller %s-Bedarfswert: ", mineral,
             roundHalfAway(computed), mineral);
    return askDemand(con, prompt);
}

// The crystal race question: the heading once, the letter line until a known letter comes.
// Returns 0 when the input ends first.
int askCrystalRace(Console& con, char* letter) {
    fputs("Von welchem Volk werden die Kristallfabriken genommen?\n", con.out);
    while (!isCrystalRace(*letter)) {
        discardPending(con);
        fputs(CRYSTAL_RACE_LINE, con.out);
        char typed = 0;
        if (scanChar(con, &typed) != 1) return 0;
        *letter = lowerAscii(typed);
    }
    return 1;
}
