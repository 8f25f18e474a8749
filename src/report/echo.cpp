// The echo of the answers to Eingaben.txt when the -dat question was answered 'j': blocks
// written between the questions, each in an opening of its own.
#include "report/report.h"

#include <cassert>
#include <cstdarg>

namespace {

bool isEchoed() { return run.opt.echoAnswer == 'j'; }

const char* crystalRaceName(char letter) {
    for (const CrystalRace& c : CRYSTAL_RACES) {
        if (c.letter == letter) return c.name;
    }
    assert(false && "crystal race letter without a name");
    return "";
}

// The Level 3 answers of races first..last-1 under the heading of their kind.
void writeLevel3Block(FileSink& sink, int first, int last, const char* kind, int RaceLevel3::*count) {
    writeOutput(sink, "\n\n\nLevel 3 Fabriken (%s):\n", kind);
    bool numbered = run.opt.raceNamesAnswer == 'n';
    for (int r = first; r < last; ++r) {
        const char* name = numbered && RACES[r].numberedName ? RACES[r].numberedName : RACES[r].name;
        writeOutput(sink, "\n%s: %i", name, run.in.race[r].*count);
    }
}

void writeLevel3Blocks(FileSink& sink, int first, int last) {
    writeLevel3Block(sink, first, last, "Erz", &RaceLevel3::WF);
    writeLevel3Block(sink, first, last, "Silizium", &RaceLevel3::OF);
}

}  // namespace

// One block of the echo: mode "w" for the first block of the run, "a" for every later one.
void echoAnswer(const char* mode, const char* format, ...) {
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
    FileSink sink;
    openOutput(sink, FILE_ECHO, "a");
    writeOutput(sink, "\n\n");
    for (int s = 0; s < SPECIAL_COUNT; ++s) {
        const char* label = SPECIALS[s].prompt + (SPECIALS[s].prompt[0] == '\n');
        writeOutput(sink, "\n%s%i", label, run.in.special[s]);
    }
    writeLevel3Blocks(sink, 0, CORE_RACE_COUNT);
    if (run.opt.extraRaces) writeLevel3Blocks(sink, CORE_RACE_COUNT, RACE_COUNT);
    writeOutput(sink, "\n\n\nRassenzuordnung der Kristallfabriken: %s", crystalRaceName(run.in.crystalRace));
    closeOutput(sink);
}
