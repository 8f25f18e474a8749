// The surplus rule: by how many size units a food demand is topped up so that it splits into
// whole factories, and the mark that tells the user how much that produces beyond the need.
#include "supply/supply.h"

#include <iterator>

namespace {

constexpr char SURPLUS_MARK[] = { '-', 'S', 'M' };  // by surplus class 0, 1, 2

}  // namespace

// The surplus class of a demand in size units; with -opt the smallest top-up that splits.
int SurplusClass(int total) {
    if (run.opt.optimise) return total % 5 % 2;
    if (total == 0) return 0;
    if (total % 5 == 4) return 1;
    if (total % 5 % 2 == 0) return 2;
    return 1;
}

// M factories that stand in for lCount L factories: 5 per pair, 3 for an odd one; 0 for none
// or a negative count.
int MCountForL(int lCount) {
    int result = 0;
    int n = lCount;
    if (n > 1) {
        result = 5 * (n / 2);
        n %= 2;
    }
    if (n == 1) result += 3;
    return result;
}

// Size units of a mix of factories given as counts; without -xl the L ones count as the M
// factories that stand in for them.
int unitsOfSizes(int mCount, int lCount, int xlCount) {
    if (run.opt.xl) return sizeUnits(mCount, lCount, xlCount);
    return sizeUnits(mCount + MCountForL(lCount), 0, xlCount);
}

// The surplus class of units plus a mix of factories given as counts.
int SurplusClassOfSizes(int units, int mCount, int lCount, int xlCount) {
    return SurplusClass(units + unitsOfSizes(mCount, lCount, xlCount));
}

char SurplusMarkOf(int surplusClass) {
    if (surplusClass < 0 || surplusClass >= static_cast<int>(std::size(SURPLUS_MARK))) return 'F';
    return SURPLUS_MARK[surplusClass];
}
