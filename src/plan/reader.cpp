// The plan reader: every answer of the run from a plan handed over as values, each logged as the line a console
// user would type for it, so that the log run as typed text gives the same run. A field whose text its answer rule
// refused counts as empty and is reported for its question.
#include "plan/plan.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

struct PlanReader {
    Console* con;
    const Plan* plan;
    PlanTaken* taken;
};

void logLine(PlanReader& r, const char* line) {
    PlanTaken& t = *r.taken;
    int n = snprintf(t.log + t.logLength, sizeof t.log - static_cast<size_t>(t.logLength), "%s\n", line);
    if (n < 0 || t.logLength + n >= static_cast<int>(sizeof t.log)) abort();  // a plan has a bounded number of lines
    t.logLength += n;
}

// The shortest text that the console's "%f" reads back as exactly this float.
void floatText(char (&text)[48], float value) {
    for (int digits = 1; digits <= 9; ++digits) {
        snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
        if (std::signbit(strtof(text, nullptr)) == std::signbit(value) && strtof(text, nullptr) == value) return;
    }
}

Answer planLetter(void* data, const Ask& ask) {
    auto& r = *static_cast<PlanReader*>(data);
    putString(r.con->out, ask.prompt);
    char letter = 0;
    if (!ask.q)
        letter = r.plan->options.*OPTIONS[ask.option].answer;
    else if (r.plan->given[indexOf(*ask.q)])
        letter = static_cast<char>(r.plan->value[indexOf(*ask.q)]);
    else
        letter = ask.letters[0];
    char line[2] = { letter, '\0' };
    logLine(r, line);
    return Answer{ static_cast<double>(letter), SOURCE_TYPED, 0, 0 };
}

// The shown text (the run's own "%i" or "%.0f" of the value) taken as typed; a count out of range takes the
// nearest bound.
Answer takeShown(const Ask& ask) {
    Answer answer = { 0, SOURCE_SHOWN, 0, 0 };
    if (ask.q->kind == ANSWER_DEMAND) {
        answer.value = strtof(ask.shownText, nullptr);
        return answer;
    }
    long long value = strtoll(ask.shownText, nullptr, 10);
    answer.refused = refusalOf(*ask.q, static_cast<double>(value)) != REFUSAL_NONE;
    answer.value = static_cast<double>(value < ask.q->low ? ask.q->low : value > ask.q->high ? ask.q->high : value);
    return answer;
}

Answer planNumber(void* data, const Ask& ask) {
    auto& r = *static_cast<PlanReader*>(data);
    putString(r.con->out, ask.prompt);
    int q = indexOf(*ask.q);
    Answer answer = { 0, SOURCE_TYPED, 0, 0 };
    if (r.plan->given[q])
        answer.value = r.plan->value[q];
    else if (ask.shownText)
        answer = takeShown(ask);
    char line[48];
    if (ask.q->kind == ANSWER_DEMAND)
        floatText(line, static_cast<float>(answer.value));
    else
        snprintf(line, sizeof line, "%i", static_cast<int>(answer.value));
    logLine(r, line);
    return answer;
}

int planEnter(void* data) {
    logLine(*static_cast<PlanReader*>(data), "");
    return 0;
}

const AnswerReader PLAN_READER = { planLetter, planNumber, planNumber, planEnter };

// An asked answer neither j nor n becomes j; an asked field whose text was refused says so in the record.
void checkPlan(Plan& plan, PlanTaken& taken) {
    for (int o = 0; o < OPTION_COUNT; ++o) {
        const OptionInfo& info = OPTIONS[o];
        char* answer = info.answer ? &(plan.options.*info.answer) : nullptr;
        bool bad = plan.options.*info.flag && answer && !(*answer && isOneOf(*answer, YES_NO_LETTERS));
        if (bad) *answer = YES_NO_LETTERS[0];
    }
    for (int i = 0; i < QUESTION_COUNT; ++i) {
        taken.problem[i] = isAsked(QUESTIONS[i], plan.options) ? plan.refused[i] : REFUSAL_NONE;
    }
}

}  // namespace

void setPlanOption(Plan& plan, int option, int on, char answer) {
    if (option < 0 || option >= OPTION_COUNT) return;
    const OptionInfo& info = OPTIONS[option];
    plan.options.*info.flag = on != 0;
    if (info.answer) plan.options.*info.answer = answer;
}

void setPlanField(Plan& plan, int question, Refusal refused, double value) {
    if (question < 0 || question >= QUESTION_COUNT) return;
    plan.value[question] = refused == REFUSAL_NONE ? value : 0;
    plan.given[question] = refused == REFUSAL_NONE;
    plan.refused[question] = refused;
}

int runPlan(Plan plan, PlanTaken& taken, Console& con, const FileCalls& files) {
    checkPlan(plan, taken);
    taken.logLength = 0;
    PlanReader reader = { &con, &plan, &taken };
    return runWerkverbundWith(plan.options, con, Answers{ &PLAN_READER, &reader }, files);
}
