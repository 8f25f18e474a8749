// Food chains: a Level 2 food factory with its Level 1 supplier, sized in pairs of XL, L and M
// for each special factory kind and each race. The core and the extra races share one
// mechanism; the crystal race's chain also feeds every crystal factory of the complex.
#include "input/input.h"
#include "report/report.h"
#include "supply/supply.h"

#include <iterator>

namespace {

// clang-format off
constexpr FoodChain CORE_CHAINS[] = {
    { FROM_SPECIAL, SPECIAL_GKF, 0, nullptr, "\n\nASNP: %i ",
      "\n\nFehler in der Berechnung der Rheimwerkanzahl",
      "\nFehler in der Berechnung der Rheimwerkanzahl",
      "\n\nRheimwerke und Agrarzentren:               ",
      "\n\nRheimwerke und Agrarzentren:                     ", nullptr, nullptr },
    { FROM_SPECIAL, SPECIAL_KDF, 0, nullptr, "\nSSNP: %i ",
      "\n\nFehler in der Berechnung der Massom-Muehlen",
      "\nFehler in der Berechnung der Massom-M\374hlen",
      "\nMassom-Muehlen und Scruffin-Plantagen:     ",
      "\nMassom-M\374hlen und Scruffin-Plantagen:            ", nullptr, nullptr },
    { FROM_SPECIAL, SPECIAL_SBF, 0, nullptr, "\nPSNP: %i ",
      "\n\nFehler in der Berechnung der Raumschmiedenanzahl",
      "\nFehler in der Berechnung der Raumschmiedenanzahl",
      "\nRaumschmieden und Schneckenfarmen:         ",
      "\nRaumschmieden und Schneckenfarmen:               ", nullptr, nullptr },
    { FROM_RACE, RACE_A, 'a', "\nAN\334: %i", "\nANP: %i ",
      "\n\nFehler in der Berechnung der Cahoonapressenanzahl",
      "\nFehler in der Berechnung der Cahoonapressenanzahl",
      "\n\nCahoonapressen und Ranches:                ",
      "\n\nCahoonapressen und Ranches:                      ", nullptr, nullptr },
    { FROM_RACE, RACE_B, 'b', "\nBN\334: %i", "\nBNP: %i ",
      "\n\nFehler in der Berechnung der BoFuChemielaboranzahl",
      "\nFehler in der Berechnung der BoFuChemielaboranzahl",
      "\nBoFuChemielabore und BoGasProdunktionen:   ",
      "\nBoFuChemielabore und BoGasProdunktionen:         ", nullptr, nullptr },
    { FROM_RACE, RACE_P, 'p', "\nPN\334: %i", "\nPNP: %i ",
      "\n\nFehler in der Berechnung der Soyereianzahl",
      "\nFehler in der Berechnung der Soyereianzahl",
      "\nSoyereien und Soyfarmen:                   ",
      "\nSoyereien und Soyfarmen:                         ", nullptr, nullptr },
    { FROM_RACE, RACE_S, 's', "\nSN\334: %i", "\nSNP: %i ",
      "\n\nFehler in der Berechnung der Rastar-Raffinerieanzahl",
      "\nFehler in der Berechnung der Rastar-Raffinerieanzahl",
      "\nRastar-Raffinerien und Cheltaquarien:      ",
      "\nRastar-Raffinerien und Cheltaquarien:            ", nullptr, nullptr },
    { FROM_RACE, RACE_T, 't', "\nTN\334: %i", "\nTNP: %i ",
      "\n\nFehler in der Berechnung der Sonnenblumenoelraffinerieanzahl",
      "\nFehler in der Berechnung der Sonnenblumen\366lraffinerieanzahl",
      "\nSonnenblumenoelraffinerien und Gewaechsst: ",
      "\nSonnenblumen\366lraffinerien und Gew\344chsstationen:  ", nullptr, nullptr },
};
// clang-format on

// The extra races never carry the crystal supply; their error texts always name the race.
// clang-format off
constexpr FoodChain EXTRA_CHAINS[] = {
    { FROM_RACE, RACE_V, 0, nullptr, "\nVNP: %i ",
      "\n\nFehler in der Berechnung der L2Fabanzahl Piraten",
      "\nFehler in der Berechnung der L2Fabanzahl Piraten",
      "\n\nPiraten L2+L1Fabriken:                     ",
      "\n\nPiraten L2+L1Fabriken:                           ",
      "\n\nRasse1 L2+L1Fabriken:                      ",
      "\n\nRasse1 L2+L1Fabriken:                            " },
    { FROM_RACE, RACE_X, 0, nullptr, "\nXNP: %i ",
      "\n\nFehler in der Berechnung der L2Fabanzahl Xenon",
      "\nFehler in der Berechnung der L2Fabanzahl Xenon",
      "\nXenon L2+L1Fabriken:                       ",
      "\nXenon L2+L1Fabriken:                             ",
      "\nRasse2 L2+L1Fabriken:                      ",
      "\nRasse2 L2+L1Fabriken:                            " },
    { FROM_RACE, RACE_K, 0, nullptr, "\nKNP: %i ",
      "\n\nFehler in der Berechnung der L2Fabanzahl Khaak",
      "\nFehler in der Berechnung der L2Fabanzahl Khaak",
      "\nKhaak L2+L1Fabriken:                       ",
      "\nKhaak L2+L1Fabriken:                             ",
      "\nRasse3 L2+L1Fabriken:                      ",
      "\nRasse3 L2+L1Fabriken:                            " },
    { FROM_RACE, RACE_Y, 0, nullptr, "\nYNP: %i ",
      "\n\nFehler in der Berechnung der L2Fabanzahl Yaki",
      "\nFehler in der Berechnung der L2Fabanzahl Yaki",
      "\nYaki L2+L1Fabriken:                        ",
      "\nYaki L2+L1Fabriken:                              ",
      "\nRasse4 L2+L1Fabriken:                      ",
      "\nRasse4 L2+L1Fabriken:                            " },
    { FROM_RACE, RACE_E, 0, nullptr, "\nENP: %i ",
      "\n\nFehler in der Berechnung der L2Fabanzahl Terraner",
      "\nFehler in der Berechnung der L2Fabanzahl Terraner",
      "\nTerraner L2+L1Fabriken:                    ",
      "\nTerraner L2+L1Fabriken:                          ",
      "\nRasse5 L2+L1Fabriken:                      ",
      "\nRasse5 L2+L1Fabriken:                            " },
};
// clang-format on

// Size units of food for all crystal factories that supply the plants: 2 per M plant, 10 per
// XL plant, per L plant 5 with -xl or 2 per standing-in M factory without.
int crystalSupplyUnits(const SkwTotals& skw, int xl) {
    int lUnits = xl ? 5 * skw.L : 2 * MCountForL(skw.L);
    return 10 * skw.XL + 2 * skw.M + lUnits;
}

// The crystal race's chain takes over the crystal supply: KG joins its NF and its surplus
// class is worked out again over the whole demand. Returns the chain's demand.
int takeCrystalSupply(const FoodChain& chain, RaceLevel3& race) {
    const SkwTotals& skw = run.skw;
    race.NF += run.in.KG;
    race.mark2O = SurplusClassOfSizes(race.NF, skw.M, skw.L, skw.XL);
    appendDiagnosticsRecord(chain.surplusRecord, race.mark2O);
    return race.NF + race.mark2O + crystalSupplyUnits(skw, run.opt.xl);
}

// Writes the split records and, for a split that leaves a remainder, the error lines.
void reportSplit(Console& con, const FoodChain& chain, int demand, const ChainSizes& sizes) {
    appendDiagnosticsRecord(chain.demandRecord, demand);
    appendDiagnosticsRecord("XL%i/%i ", sizes.XL, sizes.restAfterXL);
    appendDiagnosticsRecord("L%i/%i ", sizes.L, sizes.restAfterL);
    appendDiagnosticsRecord("M%i/%i ", sizes.M, sizes.restAfterM);
    if (sizes.restAfterM != 0) {  // chain does not split evenly?
        fputs(chain.consoleError, con.out);
        writeToFile(FILE_DIAGNOSTICS, "a", "%s", chain.fileError);
    }
}

// The chain's result line on the console and, with -dat, in Ergebnis.txt.
void printFoodChain(Console& con, const FoodChain& chain, const ChainSizes& sizes, int mark2O) {
    bool numbered = chain.numberedConsoleLabel && run.opt.raceNamesAnswer == 'n';
    char mark = SurplusMarkOf(mark2O);
    fputs(numbered ? chain.numberedConsoleLabel : chain.consoleLabel, con.out);
    if (run.opt.xl) fprintf(con.out, "XL: %i  ", sizes.XL);
    fprintf(con.out, "L: %i  M: %i  Ueberschuss: %c", sizes.L, sizes.M, mark);
    if (!run.opt.resultsFile) return;
    FileSink sink = openOutput(FILE_RESULTS, "a");
    writeOutput(sink, "%s", numbered ? chain.numberedFileLabel : chain.fileLabel);
    if (run.opt.xl) writeOutput(sink, "XL: %i  ", sizes.XL);
    writeOutput(sink, "L: %i  M: %i  \334berschuss: %c", sizes.L, sizes.M, mark);
    closeOutput(sink);
}

// Sizes and prints one chain; a special chain whose factory count is not above 0 is skipped.
void computeFoodChain(Console& con, const FoodChain& chain) {
    InputRecord& in = run.in;
    int demand = 0;
    int mark2O = 0;
    if (chain.source == FROM_SPECIAL) {
        int count = in.special[chain.index];
        if (count <= 0) return;  // no such special factories?
        mark2O = in.specialMark2O[chain.index];
        demand = count + mark2O;
    } else {
        RaceLevel3& race = in.race[chain.index];
        demand = race.NF + race.mark2O;
        if (chain.crystalLetter != 0 && chain.crystalLetter == in.crystalRace) {
            demand = takeCrystalSupply(chain, race);
        }
        mark2O = race.mark2O;
    }
    ChainSizes sizes = splitDemand(demand, run.opt.xl);
    reportSplit(con, chain, demand, sizes);
    printFoodChain(con, chain, sizes, mark2O);
}

}  // namespace

const FoodChainFamily CoreFoodChains = { CORE_CHAINS, static_cast<int>(std::size(CORE_CHAINS)) };
const FoodChainFamily ExtraFoodChains = { EXTRA_CHAINS, static_cast<int>(std::size(EXTRA_CHAINS)) };

// Splits a demand in size units greedily into XL pairs (10, only with xl), L pairs (5) and
// M pairs (2), with truncating division; the last remainder is 0 for non-negative demands.
ChainSizes splitDemand(int demand, int xl) {
    ChainSizes sizes{};
    int rest = demand;
    if (xl) {
        sizes.XL = rest / 10;
        rest %= 10;
    }
    sizes.restAfterXL = rest;
    sizes.L = rest / 5;
    sizes.restAfterL = rest %= 5;
    sizes.M = rest / 2;
    sizes.restAfterM = rest % 2;
    return sizes;
}

void computeFoodChains(Console& con, const FoodChainFamily& family) {
    for (int i = 0; i < family.count; ++i) computeFoodChain(con, family.chains[i]);
}
