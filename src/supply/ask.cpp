// Asking through the answers port: the run builds each question's prompt, the reader brings the answer, and the
// run keeps what the question showed and took.
#include "supply/supply.h"

namespace {

void keep(const Question& q, const Answer& answer, double shown) {
    QuestionState& state = run.questions[indexOf(q)];
    state.asked = 1;
    state.shown = shown;
    state.taken = answer.value;
    state.source = static_cast<unsigned char>(answer.source);
    state.refused = static_cast<unsigned char>(answer.refused);
}

}  // namespace

// A repeated option does not ask again: its answer is already j or n.
int askYesNo(Answers& answers, OptionCode option) {
    const OptionInfo& o = OPTIONS[option];
    char& stored = run.opt.*o.answer;
    if (stored == 'j' || stored == 'n') return 1;
    Answer answer = answers.reader->letter(answers.data, Ask{ nullptr, option, o.question, YES_NO_LETTERS, nullptr });
    if (answer.ended) return 0;
    stored = static_cast<char>(answer.value);
    return 1;
}

// The heading once, then the letter line until a known letter comes.
int askCrystalRace(Console& con, Answers& answers) {
    const Question& q = QUESTIONS[CRYSTAL_RACE_QUESTION];
    const char* letters = ANSWER_RULES[q.kind].letters;
    printText(con, "%s\n", GROUP_TITLE[q.group]);
    Answer answer = answers.reader->letter(answers.data, Ask{ &q, OPTION_NONE, q.prompt, letters, nullptr });
    keep(q, answer, 0);
    if (answer.ended) return 0;
    run.in.crystalRace = static_cast<char>(answer.value);
    return 1;
}

int askDialogueCount(Answers& answers, const Question& q) {
    Answer answer = answers.reader->count(answers.data, Ask{ &q, OPTION_NONE, promptOf(q, run.opt), nullptr, nullptr });
    keep(q, answer, 0);
    return static_cast<int>(answer.value);
}

// With -m: a count question whose prompt shows the computed values; the first is what the question itself shows.
int askManualCount(Answers& answers, ManualQuestion which, int shown, int shownL, int shownM) {
    const Question& q = manualQuestion(which);
    char prompt[256];
    TextOut promptOut = { prompt, 0, sizeof prompt };
    formatText(promptOut, q.prompt, shown, shownL, shownM);
    char shownText[16] = {};
    TextOut shownOut = { shownText, 0, sizeof shownText };
    putInt(shownOut, shown);
    Answer answer = answers.reader->count(answers.data, Ask{ &q, OPTION_NONE, prompt, nullptr, shownText });
    keep(q, answer, shown);
    return static_cast<int>(answer.value);
}

// With -m: shows the computed ore or silicon demand, rounded, and returns the one taken.
float askManualDemand(Answers& answers, ManualQuestion which, float computed) {
    const Question& q = manualQuestion(which);
    double shown = roundHalfAway(computed);
    char prompt[256];
    TextOut promptOut = { prompt, 0, sizeof prompt };
    formatText(promptOut, q.prompt, shown);
    char shownText[64] = {};
    TextOut shownOut = { shownText, 0, sizeof shownText };
    putWhole(shownOut, shown);
    Answer answer = answers.reader->demand(answers.data, Ask{ &q, OPTION_NONE, prompt, nullptr, shownText });
    keep(q, answer, shown);
    return static_cast<float>(answer.value);
}
