// The calculation: the questions asked through the answers port, the dialogue that fills the input record, the
// surplus rule, energy and solar power plants, crystal factories, the food chains, ore and silicon mines and the
// sales. Each phase says its results through the results writer as soon as it has them.
#pragma once

#include "data/answers.h"
#include "report/report.h"

// EZ per hour of one solar power plant of each size.
constexpr int SKW_EZ_PER_HOUR[SIZE_COUNT] = { 9640, 24100, 48200 };

// The solar power plants entered for sale.
constexpr SkwTotals salePlants(const InputRecord& in) { return SkwTotals{ in.saleSkwM, in.saleSkwL, in.saleSkwXL }; }

// A rate per plant of each size (EZ per hour, say) times the plants.
constexpr int forPlants(const int (&rate)[SIZE_COUNT], const SkwTotals& plants) {
    return rate[SIZE_XL] * plants.XL + rate[SIZE_L] * plants.L + rate[SIZE_M] * plants.M;
}

// The special factories that take this mineral, as many as the dialogue recorded of each.
constexpr int countSpecialsTaking(const InputRecord& in, Mineral mineral) {
    int count = 0;
    for (int s = 0; s < SPECIAL_COUNT; ++s) count += SPECIALS[s].takes == mineral ? in.special[s] : 0;
    return count;
}

// Taken off a mineral figure before it is rounded, so that the line shows it rounded down unless its fraction is
// 0.99 or more; added to a yield, so that it shows rounded up. The double one step above 0.49.
constexpr double ROUNDING_MARGIN = 0.49000000000000005;
static_assert(ROUNDING_MARGIN > 0.49);

// Asking through the port (ask.cpp); each keeps what the question showed and took in run.questions.
int askYesNo(Answers& answers, OptionCode option);   // 0 when the input ended before j or n came
int askCrystalRace(Console& con, Answers& answers);  // 0 when the input ended before a letter came
int askDialogueCount(Answers& answers, const Question& q);
int askManualCount(Answers& answers, ManualQuestion which, int shown, int shownL = 0, int shownM = 0);
float askManualDemand(Answers& answers, ManualQuestion which, float computed);

// The dialogue (dialogue.cpp); returns 0 when the input ended at the crystal race question.
int runDialogue(Console& con, Answers& answers);

// The surplus rule (surplus.cpp); reads the -opt and -xl flags.
int SurplusClass(int total);
int MCountForL(int lCount);
int unitsOfSizes(int mCount, int lCount, int xlCount);
int SurplusClassOfSizes(int units, int mCount, int lCount, int xlCount);
char SurplusMarkOf(int surplusClass);

// Energy (energy.cpp).
int computeEnergyDemand(const InputRecord& in);
SkwTotals allocateSkw(int demand, SkwTotals start, int* remainder);
void computeEnergy(Console& con, Answers& answers);

// Crystal factories (crystals.cpp).
void computeCrystals(Console& con);

// Food chains (food.cpp): a Level 2 food factory with its Level 1 supplier, in pairs.
struct ChainSizes {
    int XL;  // XL pairs (only with -xl)
    int restAfterXL;
    int L;  // L pairs
    int restAfterL;
    int M;           // M pairs
    int restAfterM;  // not 0 only for negative demands
};

ChainSizes splitDemand(int demand, int xl);
void computeSpecialChains(Console& con);
void computeRaceChains(Console& con, int firstRace, int endRace);

// Mines (ore.cpp, silicon.cpp).
void computeOre(Console& con, Answers& answers);
void computeSilicon(Console& con, Answers& answers);

// Sales summary (sales.cpp).
void printSales(Console& con);
