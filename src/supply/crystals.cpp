// Crystal factories for the solar power plants, of the race the user picked, and for no race
// ("u") the food factories that feed them. Closes the first section of Ergebnis.txt.
#include "input/input.h"
#include "report/report.h"
#include "supply/supply.h"

#include <iterator>

namespace {

struct CrystalLabel {
    char letter;          // crystal race letter
    const char* console;  // 36 characters behind the line end
    const char* file;     // 49 characters behind the line end
};
constexpr CrystalLabel CRYSTAL_LABELS[] = {
    { 'a', "\nArgonische Kristallfabriken:        ", "\nArgon Kristallfabriken:                          " },
    { 'b', "\nBoronische Kristallfabriken:        ", "\nBoron Kristallfabriken:                          " },
    { 'p', "\nParanidische Kristallfabriken:      ", "\nParanid Kristallfabriken:                        " },
    { 's', "\nSplit Kristallfabriken:             ", "\nSplit Kristallfabriken:                          " },
    { 't', "\nTeladianische Kristallfabriken:     ", "\nTeladi Kristallfabriken:                         " },
    { 'u', "\nKristallfabriken:                   ", "\nKristallfabriken:                                " },
};

constexpr Label CRYSTAL_COUNTS = { "             M: %i  Ueberschuss: %c", "      M: %i  \334berschuss: %c" };
constexpr Label CRYSTAL_COUNTS_XL = { "       XL: %i  L: %i  M: %i", "XL: %i  L: %i  M: %i" };
constexpr Label FOOD_LABEL = { "\nL2 + L1 Fabriken:                   ", "\nL2 + L1 Fabriken:  " };
constexpr Label FOOD_COUNTS = {
    "       L: %i  M: %i  Ueberschuss: %c",
    "                              L: %i  M: %i  \334berschuss: %c",
};
constexpr Label FOOD_COUNTS_XL = {
    "       XL: %i  L: %i  M: %i",
    "                              XL: %i  L: %i  M: %i",
};

struct Trio {
    int XL;
    int L;
    int M;
};

const CrystalLabel& labelOf(char letter) {
    for (const CrystalLabel& label : CRYSTAL_LABELS) {
        if (label.letter == letter) return label;
    }
    return CRYSTAL_LABELS[std::size(CRYSTAL_LABELS) - 1];
}

// Without -xl: M crystal factories standing in for all plants, 5 per XL plant, MCountForL of
// the L plants, one per M plant.
int crystalMCount(const SkwTotals& skw) { return 5 * skw.XL + MCountForL(skw.L) + skw.M; }

// Food pairs for the crystal factories of the plants and those for sale (KG), when no race
// feeds them. Without -xl an odd L plant's 3 M crystal factories need one L and one M pair; the
// KG share splits greedily into XL, L and M, and an odd size unit left over is dropped.
Trio crystalFood(const SkwTotals& skw, int KG, int xl) {
    if (xl) return Trio{ skw.XL + (KG - KG % 10) / 10, skw.L + (KG % 10 - KG % 5) / 5, skw.M + (KG % 5) / 2 };
    return Trio{ 0, skw.L + 2 * skw.XL + (KG - KG % 5) / 5, skw.M + skw.L % 2 + (KG % 5) / 2 };
}

void printCrystalLines(Console& con, int xl, char mark, const Trio& food) {
    const SkwTotals& skw = run.skw;
    fputs(labelOf(run.in.crystalRace).console, con.out);
    if (xl)
        fprintf(con.out, CRYSTAL_COUNTS_XL.console, skw.XL, skw.L, skw.M);
    else
        fprintf(con.out, CRYSTAL_COUNTS.console, crystalMCount(skw), mark);
    if (run.in.crystalRace != 'u') return;
    fputs(FOOD_LABEL.console, con.out);
    if (xl)
        fprintf(con.out, FOOD_COUNTS_XL.console, food.XL, food.L, food.M);
    else
        fprintf(con.out, FOOD_COUNTS.console, food.L, food.M, mark);
}

void writeCrystalLines(FileSink& sink, int xl, char mark, const Trio& food) {
    const SkwTotals& skw = run.skw;
    writeOutput(sink, "%s", labelOf(run.in.crystalRace).file);
    if (xl)
        writeOutput(sink, CRYSTAL_COUNTS_XL.file, skw.XL, skw.L, skw.M);
    else
        writeOutput(sink, CRYSTAL_COUNTS.file, crystalMCount(skw), mark);
    if (run.in.crystalRace != 'u') return;
    writeOutput(sink, "%s", FOOD_LABEL.file);
    if (xl)
        writeOutput(sink, FOOD_COUNTS_XL.file, food.XL, food.L, food.M);
    else
        writeOutput(sink, FOOD_COUNTS.file, food.L, food.M, mark);
}

}  // namespace

// Prints the crystal lines on the console; with -dat creates Ergebnis.txt with the SKW lines
// and the crystal lines. A picked race's chain feeds the crystal factories instead (food.cpp).
void computeCrystals(Console& con) {
    int xl = run.opt.xl;
    char mark = SurplusMarkOf(run.skw.L % 2);  // odd L plant: 3 M factories where 2.5 do
    Trio food = crystalFood(run.skw, run.in.KG, xl);
    printCrystalLines(con, xl, mark, food);
    if (!run.opt.resultsFile) return;
    FileSink sink = openOutput(FILE_RESULTS, "w");
    writeSkwFileLines(sink);
    writeCrystalLines(sink, xl, mark, food);
    closeOutput(sink);
}
