// Supply calculation: the surplus rule, energy and solar power plants, crystal factories, the
// food chains, ore and silicon mines. Each phase prints its results as soon as it has them.
#pragma once

#include "control/record.h"

struct Console;

enum Size { SIZE_M, SIZE_L, SIZE_XL, SIZE_COUNT };

// EZ per hour of one solar power plant of each size.
constexpr int SKW_EZ_PER_HOUR[SIZE_COUNT] = { 9640, 24100, 48200 };

// The surplus rule (surplus.cpp); reads the -opt and -xl flags.
int SurplusClass(int total);
int MCountForL(int lCount);
int SurplusClassOfSizes(int units, int mCount, int lCount, int xlCount);
char SurplusMarkOf(int surplusClass);

// Energy (energy.cpp).
int computeEnergyDemand(const InputRecord& in);
SkwTotals allocateSkw(int demand, SkwTotals start, int* remainder);
void computeEnergy(Console& con);
void writeSkwFileLines(FileSink& sink);

// Crystal factories (crystals.cpp); also writes the first section of Ergebnis.txt.
void computeCrystals(Console& con);

// Food chains (food.cpp): one mechanism for the core and the extra races.
enum DemandSource { FROM_SPECIAL, FROM_RACE };

struct FoodChain {
    DemandSource source;        // where the demand comes from
    int index;                  // Special or Race index
    char crystalLetter;         // crystal race letter of a core race chain, else 0
    const char* surplusRecord;  // diagnostics record of the recomputed class, else null
    const char* demandRecord;   // diagnostics record of the demand
    const char* consoleError;   // the split left a remainder
    const char* fileError;
    const char* consoleLabel;  // label with the race's name
    const char* fileLabel;
    const char* numberedConsoleLabel;  // label with "Rasse1".."Rasse5" (extra races), else null
    const char* numberedFileLabel;
};

struct FoodChainFamily {
    const FoodChain* chains;
    int count;
};

struct ChainSizes {
    int XL;  // XL pairs (only with -xl)
    int restAfterXL;
    int L;  // L pairs
    int restAfterL;
    int M;           // M pairs
    int restAfterM;  // not 0 only for negative demands
};

extern const FoodChainFamily CoreFoodChains;
extern const FoodChainFamily ExtraFoodChains;

ChainSizes splitDemand(int demand, int xl);
void computeFoodChains(Console& con, const FoodChainFamily& family);

// Mines (ore.cpp, silicon.cpp).
void computeOre(Console& con);
void computeSilicon(Console& con);
