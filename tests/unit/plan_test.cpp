// The page's plan entry run natively, several plans one after another in one process as the page runs them:
// nothing of a run may leak into the next, the record must hold what each -m question showed in its prompt, and
// each result row must name the sizes its console line prints.
#include "control/control.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

extern "C" {
void wv_planReset();
void wv_planOption(int option, int on, int answer);
void wv_planValue(int question, double value);
int wv_runPlan();
const char* wv_record();
const char* wv_out();
size_t wv_outLength();
const char* wv_answers();
size_t wv_answersLength();
int wv_folderCount();
const char* wv_folderName(int index);
const char* wv_folderBytes(int index);
size_t wv_folderLength(int index);
}

namespace {

struct Plan {
    std::vector<OptionCode> options;
    std::vector<std::pair<const char*, double>> values;  // by key: a code, or "WF.A" for a race's question
};

int questionOf(const std::string& key) {
    for (int i = 0; i < QUESTION_COUNT; ++i) {
        const Question& q = QUESTIONS[i];
        std::string name = q.code;
        if (q.raceField) name += std::string(".") + RACES[q.index].code;
        if (name == key) return i;
    }
    ADD_FAILURE() << "no question " << key;
    return 0;
}

// Everything a run gives the page: status, console text, record, answers file and files.
std::string runPlan(const Plan& plan) {
    wv_planReset();
    for (OptionCode o : plan.options) wv_planOption(o, 1, 'n');
    for (const auto& [key, value] : plan.values) wv_planValue(questionOf(key), value);
    std::string all = std::to_string(wv_runPlan()) + "\n";
    all.append(wv_out(), wv_outLength());
    all += wv_record();
    all.append(wv_answers(), wv_answersLength());
    for (int f = 0; f < wv_folderCount(); ++f) {
        all += wv_folderName(f);
        all.append(wv_folderBytes(f), wv_folderLength(f));
    }
    return all;
}

const Plan PLANS[] = {
    { { OPTION_XL, OPTION_OR, OPTION_DAT, OPTION_BR, OPTION_ES, OPTION_OPT },
      { { "WF.A", 3 }, { "OF.V", 12 }, { "KXL", 1 }, { "EAXL", 2 }, { "crystalRace", 'u' } } },
    { { OPTION_M }, { { "GKF", 4 }, { "skwM", 7 }, { "MS", 0.5 }, { "saleSkwL", 3 } } },
    { {}, { { "WF.B", -2 }, { "L2M", 5 }, { "crystalRace", 'b' } } },
    { { OPTION_M, OPTION_XL }, { { "OF.S", 40 }, { "demand", 100000 } } },
};

// A plan run after other plans gives what it gave before them.
TEST(PlanEntry, RunsAfterOtherRunsGiveTheSame) {
    std::vector<std::string> first;
    for (const Plan& plan : PLANS) first.push_back(runPlan(plan));
    for (int round = 0; round < 2; ++round) {
        for (int i = static_cast<int>(std::size(PLANS)) - 1; i >= 0; --i) {
            EXPECT_EQ(runPlan(PLANS[i]), first[static_cast<size_t>(i)]) << "plan " << i << " in round " << round;
        }
    }
}

// What an -m question shows in its prompt is what the record keeps for the page.
TEST(PlanEntry, RecordKeepsWhatThePromptsShowed) {
    for (const Plan& plan : { PLANS[1], PLANS[3] }) {
        runPlan(plan);
        std::string out(wv_out(), wv_outLength());
        double shown[MANUAL_COUNT] = {};
        sscanf(strstr(out.c_str(), "berechneter EZ-Bedarfswert:"), "berechneter EZ-Bedarfswert: %lf",
               &shown[MANUAL_DEMAND]);
        sscanf(strstr(out.c_str(), "berechnete SKWs"), "berechnete SKWs  XL: %lf L: %lf M: %lf", &shown[MANUAL_SKW_XL],
               &shown[MANUAL_SKW_L], &shown[MANUAL_SKW_M]);
        sscanf(strstr(out.c_str(), "berechneter Erz-"), "berechneter Erz-Bedarfswert: %lf", &shown[MANUAL_ME]);
        sscanf(strstr(out.c_str(), "berechneter Silizium-"), "berechneter Silizium-Bedarfswert: %lf",
               &shown[MANUAL_MS]);
        for (int m = 0; m < MANUAL_COUNT; ++m) {
            EXPECT_EQ(run.questions[DIALOGUE_COUNT + m].shown, shown[m]) << manualQuestion(ManualQuestion(m)).code;
        }
    }
}

// The sizes a console line prints: M 1, L 2, XL 4, as a row's shown sizes.
int sizesPrinted(const std::string& line) {
    return (line.find(" M: ") != std::string::npos ? SHOW_M : 0) |
           (line.find(" L: ") != std::string::npos ? 1 << SIZE_L : 0) |
           (line.find("XL: ") != std::string::npos ? 1 << SIZE_XL : 0);
}

TEST(PlanEntry, RowsShowTheSizesTheirLinesPrint) {
    for (const Plan& plan : PLANS) {
        runPlan(plan);
        std::string out(wv_out(), wv_outLength());
        size_t at = out.find("Sonnenkraftwerke:  ");  // the result lines start with the plants
        for (int r = 0; r < run.rowCount; ++r) {
            const ResultRow& row = run.rows[r];
            if (row.kind != ROW_PLANTS && row.kind != ROW_FACTORIES) continue;
            at = out.find("  M: ", at);
            size_t begin = out.rfind('\n', at) + 1;
            EXPECT_EQ(row.shown, sizesPrinted(out.substr(begin, out.find('\n', at) - begin))) << row.name.file;
            at = out.find('\n', at);
        }
    }
}

}  // namespace
