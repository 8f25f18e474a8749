// The input dialogue: walks the question table in order, filling run.in with the factories for
// sale; when a group of questions is complete, its totals in size units, surplus classes, echo
// and diagnostics records follow.
#include "supply/supply.h"

namespace {

// Asks one count question and writes its echo block and diagnostics record.
void askQuestion(Answers& answers, const Question& q, const char*& echoMode) {
    InputRecord& in = run.in;
    int answer = askDialogueCount(answers, q);
    answerSlot(in, q) = answer;
    if (q.echo) {
        int v[ECHO_VALUES] = { answer };
        for (int k = 0; q.echoWith[0] && k < ECHO_VALUES; ++k) {
            v[k] = q.echoWith[k] ? in.*q.echoWith[k] : 0;
        }
        echoAnswer(echoMode, q.echo, v[0], v[1], v[2], v[3], v[4]);
        echoMode = "a";  // the first block creates Eingaben.txt
    }
    if (q.record) appendDiagnosticsRecord(q.record, answer);
}

void recordRace(const InputRecord& in, int r) {
    const RaceLevel3& race = in.race[r];
    appendDiagnosticsRecord("\n%c: WF%i OF%i NF%i 2O%i", RACES[r].code, race.WF, race.OF, race.NF, race.mark2O);
}

// What follows the last question of a group: its total, classes, records.
void closeGroup(const Question& q) {
    InputRecord& in = run.in;
    switch (q.group) {
        case GROUP_SKW: in.saleSkwLOdd = in.saleSkwL % 2; break;
        case GROUP_ORE: appendDiagnosticsRecord(" EAG%i", in.EAG = sizeUnits(in.EAM, in.EAL, in.EAXL)); break;
        case GROUP_SILICON: appendDiagnosticsRecord(" SAG%i", in.SAG = sizeUnits(in.SAM, in.SAL, in.SAXL)); break;
        case GROUP_LEVEL1:
            in.L1G = sizeUnits(in.L1M, in.L1L, in.L1XL);
            appendDiagnosticsRecord("\n\nSKW: M:%i L:%i XL:%i\n\nL1: M%i L%i XL%i G%i", in.saleSkwM, in.saleSkwL,
                                    in.saleSkwXL, in.L1M, in.L1L, in.L1XL, in.L1G);
            break;
        case GROUP_LEVEL2:
            in.L2G = sizeUnits(in.L2M, in.L2L, in.L2XL);
            appendDiagnosticsRecord("\nL2: M%i L%i XL%i G%i", in.L2M, in.L2L, in.L2XL, in.L2G);
            break;
        case GROUP_CRYSTALS: appendDiagnosticsRecord(" KG%i", in.KG = sizeUnits(in.KM, in.KL, in.KXL)); break;
        case GROUP_SPECIALS:
            for (int s = 0; s < SPECIAL_COUNT; ++s) in.specialMark2O[s] = SurplusClass(in.special[s]);
            break;
        case GROUP_LEVEL3: {
            RaceLevel3& race = in.race[q.index];
            race.NF = race.WF + race.OF;
            race.mark2O = SurplusClass(race.NF);
            if (q.index == RACE_A) {  // the special factories are recorded with the first race
                for (int s = 0; s < SPECIAL_COUNT; ++s) {
                    appendDiagnosticsRecord(s ? "\n%s: %i 2O%i" : "\n\n%s: %i 2O%i", SPECIALS[s].code, in.special[s],
                                            in.specialMark2O[s]);
                }
            }
            recordRace(in, q.index);
            break;
        }
        case GROUP_CRYSTAL_RACE:
            echoClosingGroup();
            appendDiagnosticsRecord("\n\n%c", static_cast<char>(in.crystalRace - 'a' + 'A'));
            break;
        case GROUP_MANUAL:
        case GROUP_COUNT: break;
    }
}

// Is the question at i the last of its group?
bool endsGroup(int i) {
    if (i + 1 == DIALOGUE_COUNT) return true;
    const Question& q = QUESTIONS[i];
    const Question& next = QUESTIONS[i + 1];
    if (next.group != q.group) return true;
    return q.group == GROUP_LEVEL3 && next.index != q.index;  // each race is a group of its own
}

}  // namespace

// Asks every question in order; returns 0 when the input ended at the crystal race question.
int runDialogue(Console& con, Answers& answers) {
    const char* echoMode = "w";
    bool groupAsked = false;
    for (int i = 0; i < DIALOGUE_COUNT; ++i) {
        const Question& q = QUESTIONS[i];
        if (isAsked(q, run.opt)) {
            groupAsked = true;
            if (q.kind == ANSWER_LETTER) {
                if (!askCrystalRace(con, answers)) return 0;
            } else {
                askQuestion(answers, q, echoMode);
            }
        }
        if (!endsGroup(i)) continue;
        if (groupAsked) closeGroup(q);
        groupAsked = false;
    }
    return 1;
}
