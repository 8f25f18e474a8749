// The echo of the answers to Eingaben.txt when the -dat question was answered 'j': blocks
// written between the questions, each in an opening of its own.
#include "input/input.h"
#include "report/report.h"

#include <cstdarg>
#include <iterator>

namespace {

struct CrystalRaceName {
    char letter;
    const char* name;
};
constexpr CrystalRaceName CRYSTAL_RACE_NAMES[] = {
    { 'a', "Argonen" }, { 'b', "Boronen" }, { 'p', "Paraniden" },
    { 's', "Split" },   { 't', "Teladi" },  { 'u', "-keine Zuordnung-" },
};

constexpr const char* CORE_LEVEL3 =
    "\n\n\nGefechtskopffabriken: %i\nKampfdrohnenmanufakturen: %i\nSatellitenfertigungen (beide Typen): %i"
    "\n\n\nLevel 3 Fabriken (Erz):\n\nArgonen: %i\nBoronen: %i\nParaniden: %i\nSplit: %i\nTeladi: %i"
    "\n\n\nLevel 3 Fabriken (Silizium):\n\nArgonen: %i\nBoronen: %i\nParaniden: %i\nSplit: %i\nTeladi: %i";
constexpr const char* EXTRA_LEVEL3_NAMED =
    "\n\n\nLevel 3 Fabriken (Erz):\n\nPiraten: %i\nXenon: %i\nKhaak: %i\nYaki: %i\nTerraner: %i"
    "\n\n\nLevel 3 Fabriken (Silizium):\n\nPiraten: %i\nXenon: %i\nKhaak: %i\nYaki: %i\nTerraner: %i";
constexpr const char* EXTRA_LEVEL3_NUMBERED =
    "\n\n\nLevel 3 Fabriken (Erz):\n\nRasse1: %i\nRasse2: %i\nRasse3: %i\nRasse4: %i\nRasse5: %i"
    "\n\n\nLevel 3 Fabriken (Silizium):\n\nRasse1: %i\nRasse2: %i\nRasse3: %i\nRasse4: %i\nRasse5: %i";

bool isEchoed() { return run.opt.echoAnswer == 'j'; }

const char* crystalRaceName(char letter) {
    for (const CrystalRaceName& n : CRYSTAL_RACE_NAMES) {
        if (n.letter == letter) return n.name;
    }
    return CRYSTAL_RACE_NAMES[std::size(CRYSTAL_RACE_NAMES) - 1].name;
}

}  // namespace

// One block of the echo: mode "w" for the first block of the run, "a" for every later one.
void echoBlock(const char* mode, const char* format, ...) {
    if (!isEchoed()) return;
    va_list values;
    va_start(values, format);
    writeToFileV(FILE_ECHO, mode, format, values);
    va_end(values);
}

// The last block, after the crystal race question: special factories, Level 3 factories per
// race and the crystal race, in one opening.
void echoClosingGroup() {
    if (!isEchoed()) return;
    const InputRecord& in = run.in;
    const RaceLevel3* r = in.race;
    FileSink sink = openOutput(FILE_ECHO, "a");
    writeOutput(sink, CORE_LEVEL3, in.special[SPECIAL_GKF], in.special[SPECIAL_KDF], in.special[SPECIAL_SBF],
                r[RACE_A].WF, r[RACE_B].WF, r[RACE_P].WF, r[RACE_S].WF, r[RACE_T].WF, r[RACE_A].OF, r[RACE_B].OF,
                r[RACE_P].OF, r[RACE_S].OF, r[RACE_T].OF);
    if (run.opt.extraRaces) {
        writeOutput(sink, run.opt.raceNamesAnswer == 'j' ? EXTRA_LEVEL3_NAMED : EXTRA_LEVEL3_NUMBERED, r[RACE_V].WF,
                    r[RACE_X].WF, r[RACE_K].WF, r[RACE_Y].WF, r[RACE_E].WF, r[RACE_V].OF, r[RACE_X].OF, r[RACE_K].OF,
                    r[RACE_Y].OF, r[RACE_E].OF);
    }
    writeOutput(sink, "\n\n\nRassenzuordnung der Kristallfabriken: %s", crystalRaceName(in.crystalRace));
    closeOutput(sink);
}
