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
int wv_run(int argc, const char* const* argv, const char* input, size_t length);
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
      { { "WF.A", 3 }, { "OF.V", 12 }, { "KXL", 1 }, { "EAXL", 2 }, { "SBF", 2 }, { "crystalRace", 'u' } } },
    { { OPTION_M }, { { "GKF", 4 }, { "skwM", 7 }, { "MS", 0.5 }, { "saleSkwL", 3 } } },
    { {}, { { "WF.B", -2 }, { "L2M", 5 }, { "crystalRace", 'b' } } },
    { { OPTION_M, OPTION_XL }, { { "OF.S", 40 }, { "demand", 100000 } } },
    { {}, { { "GKF", 2 }, { "crystalRace", 'u' } } },
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

// An -m field left empty takes what its question shows: the same run as with the shown values typed in.
TEST(PlanEntry, EmptyManualFieldsTakeWhatIsShown) {
    Plan empty = { { OPTION_M, OPTION_DAT, OPTION_BR }, { { "OF.A", 3 }, { "WF.T", 7 }, { "saleSkwL", 1 } } };
    std::string taken = runPlan(empty);
    Plan typed = empty;
    for (int m = 0; m < MANUAL_COUNT; ++m) {
        typed.values.emplace_back(manualQuestion(ManualQuestion(m)).code, run.questions[DIALOGUE_COUNT + m].shown);
    }
    EXPECT_NE(runPlan(typed).find("\"source\":\"typed\""), std::string::npos);
    std::string again = runPlan(typed);
    // the record says where each value came from; all else is the same
    auto withoutSources = [](std::string text) {
        for (size_t at = text.find("\"source\":\""); at != std::string::npos; at = text.find("\"source\":\"", at + 1))
            text.erase(at + 10, text.find('"', at + 10) - (at + 10));
        return text;
    };
    EXPECT_EQ(withoutSources(again), withoutSources(taken));
}

struct ExpectedFlow {
    FlowKind kind;
    RowKind supplier;
    const char* consumer;  // or null for race A
    double amount;
};

void expectFlows(const Plan& plan, const std::vector<ExpectedFlow>& expected) {
    runPlan(plan);
    ASSERT_EQ(run.flowCount, static_cast<int>(expected.size()));
    for (int f = 0; f < run.flowCount; ++f) {
        const Flow& flow = run.flows[f];
        const ExpectedFlow& e = expected[static_cast<size_t>(f)];
        EXPECT_EQ(flow.kind, e.kind) << "flow " << f;
        EXPECT_EQ(run.rows[flow.row].kind, e.supplier) << "flow " << f;
        EXPECT_STREQ(flow.consumer, e.consumer) << "flow " << f;
        if (!flow.consumer) {
            EXPECT_EQ(flow.race, RACE_A) << "flow " << f;
        }
        EXPECT_DOUBLE_EQ(flow.amount, e.amount) << "flow " << f;
    }
}

// One ore-based Argon Level 3 factory, the Argonen making the crystals: 3600 EZ for it, one M plant; that plant's
// M crystal factory is 2 size units; the Argon chain feeds the factory (1 unit) and the crystal factory (2); 150
// ore for the factory; 37.5 silicon per unit of the crystal factory.
TEST(PlanEntry, FlowsOfAOneFactoryComplex) {
    expectFlows({ {}, { { "WF.A", 1 }, { "crystalRace", 'a' } } }, { { FLOW_ENERGY, ROW_PLANTS, nullptr, 3600 },
                                                                     { FLOW_CRYSTALS, ROW_FACTORIES, "SKW", 2 },
                                                                     { FLOW_FOOD, ROW_FACTORIES, nullptr, 1 },
                                                                     { FLOW_FOOD, ROW_FACTORIES, "KF", 2 },
                                                                     { FLOW_ORE, ROW_MINES, nullptr, 150 },
                                                                     { FLOW_SILICON, ROW_MINES, "KF", 75 } });
    // made silicon-based, it takes 37.5 silicon instead of the ore
    expectFlows({ {}, { { "OF.A", 1 }, { "crystalRace", 'a' } } }, { { FLOW_ENERGY, ROW_PLANTS, nullptr, 3600 },
                                                                     { FLOW_CRYSTALS, ROW_FACTORIES, "SKW", 2 },
                                                                     { FLOW_FOOD, ROW_FACTORIES, nullptr, 1 },
                                                                     { FLOW_FOOD, ROW_FACTORIES, "KF", 2 },
                                                                     { FLOW_SILICON, ROW_MINES, "KF", 75 },
                                                                     { FLOW_SILICON, ROW_MINES, nullptr, 37.5 } });
}

// One of each for sale, no crystal race: 23542 EZ need one L plant, whose three M crystal factories are 6 units,
// fed by food factories of their own; ore for the Gefechtskopffabrik; silicon for 10 units.
TEST(PlanEntry, FlowsOfOneOfEach) {
    expectFlows({ {},
                  { { "EAM", 1 },
                    { "SAM", 1 },
                    { "L1M", 1 },
                    { "L2M", 1 },
                    { "KM", 1 },
                    { "GKF", 1 },
                    { "KDF", 1 },
                    { "SBF", 1 },
                    { "crystalRace", 'u' } } },
                { { FLOW_ENERGY, ROW_PLANTS, "EAG", 2 * 34.26 },
                  { FLOW_ENERGY, ROW_PLANTS, "SAG", 2 * 37.199999999999996 },
                  { FLOW_ENERGY, ROW_PLANTS, "L1G", 1800 },
                  { FLOW_ENERGY, ROW_PLANTS, "L2G", 3600 },
                  { FLOW_ENERGY, ROW_PLANTS, "KG", 7200 },
                  { FLOW_ENERGY, ROW_PLANTS, "GKF", 3600 },
                  { FLOW_ENERGY, ROW_PLANTS, "KDF", 3600 },
                  { FLOW_ENERGY, ROW_PLANTS, "SBF", 3600 },
                  { FLOW_CRYSTALS, ROW_FACTORIES, "SKW", 6 },
                  { FLOW_FOOD, ROW_FACTORIES, "KF", 6 },
                  { FLOW_FOOD, ROW_FACTORIES, "KG", 2 },
                  { FLOW_FOOD, ROW_FACTORIES, "GKF", 1 },
                  { FLOW_FOOD, ROW_FACTORIES, "KDF", 1 },
                  { FLOW_FOOD, ROW_FACTORIES, "SBF", 1 },
                  { FLOW_ORE, ROW_MINES, "GKF", 150 },
                  { FLOW_SILICON, ROW_MINES, "KG", 75 },
                  { FLOW_SILICON, ROW_MINES, "KF", 225 },
                  { FLOW_SILICON, ROW_MINES, "KDF", 37.5 },
                  { FLOW_SILICON, ROW_MINES, "SBF", 37.5 } });
}

// The values behind each line are the ones the diagnostics file lists for it.
TEST(PlanEntry, FactsAreWhatTheDiagnosticsFileLists) {
    runPlan(PLANS[0]);
    std::string diagnostics;
    for (int f = 0; f < wv_folderCount(); ++f) {
        if (strcmp(wv_folderName(f), FILE_NAME[FILE_DIAGNOSTICS]) == 0)
            diagnostics.assign(wv_folderBytes(f), wv_folderLength(f));
    }
    auto fact = [](const ResultRow& row, const char* code) {
        for (int f = 0; f < row.factCount; ++f) {
            if (strcmp(row.facts[f].code, code) == 0) return row.facts[f].value;
        }
        ADD_FAILURE() << row.name.file << " has no " << code;
        return 0.0;
    };
    for (int r = 0; r < run.rowCount; ++r) {
        const ResultRow& row = run.rows[r];
        char line[160];
        if (row.kind == ROW_PLANTS) {
            snprintf(line, sizeof line, "XL: %g  L: %g  M: %g  E: %g", fact(row, "XL"), fact(row, "L"), fact(row, "M"),
                     fact(row, "E"));
        } else if (row.kind == ROW_FACTORIES && row.factCount > 7) {  // a food chain
            const char* code = row.facts[0].code;
            snprintf(line, sizeof line, "%s: %g XL%g/%g L%g/%g M%g/%g", code, fact(row, code), fact(row, "XL"),
                     fact(row, "restXL"), fact(row, "L"), fact(row, "restL"), fact(row, "M"), fact(row, "restM"));
            for (const SpecialInfo& special : SPECIALS) {  // a special factory's count, as its input record has it
                if (strcmp(special.chainCode, code) != 0) continue;
                char count[32];
                snprintf(count, sizeof count, "%s: %g 2O%g", special.code, fact(row, special.code), fact(row, "2O"));
                EXPECT_NE(diagnostics.find(count), std::string::npos) << count;
            }
        } else if (row.kind == ROW_FACTORIES) {  // crystal factories, sized by the plants of the whole complex
            snprintf(line, sizeof line, "XL: %g  L: %g  M: %g  E:", fact(row, "XL"), fact(row, "L"), fact(row, "M"));
        } else if (row.kind == ROW_SALE && row.factCount == 3) {  // the plants for sale
            snprintf(line, sizeof line, "SKW: M:%g L:%g XL:%g", fact(row, "saleSkwM"), fact(row, "saleSkwL"),
                     fact(row, "saleSkwXL"));
        } else if (row.kind == ROW_SALE) {  // the crystal factories or mines for sale, in size units
            snprintf(line, sizeof line, " %s%g", row.facts[0].code, row.facts[0].value);
        } else if (row.kind == ROW_MINES) {
            snprintf(line, sizeof line, row.factCount > 6 ? "MS: %g" : "ME: %g", row.facts[0].value);
            // with -xl a yield point of an XL mine gives 15.5 silicon or 57.1 ore an hour
            EXPECT_NEAR(fact(row, "perYield"), row.factCount > 6 ? 15.5 : 57.1, 1e-9) << line;
        } else {
            continue;
        }
        EXPECT_NE(diagnostics.find(line), std::string::npos) << line;
    }
}

// Every message of a run is kept with what it concerns: a refused number with its question, a food chain that
// does not split with its row.
TEST(PlanEntry, MessagesAreKeptWithWhatTheyConcern) {
    const char* argv[] = { "werkverbund" };
    // thirteen answers up to the Gefechtskopffabriken, then KDF refused and asked again, SBF, five Argon
    // factories too few (a demand of -3 size units leaves an odd remainder), the other races, crystal race b
    auto zeros = [](int n) {
        std::string lines;
        while (n-- > 0) lines += "0\n";
        return lines;
    };
    std::string input = zeros(13) + "10001\n0\n0\n-5\n" + zeros(9) + "b\n\n";
    wv_run(1, argv, input.data(), input.size());
    ASSERT_EQ(run.messageCount, 2);
    EXPECT_EQ(run.messages[0].about, ABOUT_QUESTION);
    EXPECT_STREQ(QUESTIONS[run.messages[0].index].code, "KDF");
    EXPECT_STREQ(run.messages[0].text, "Ungueltige Eingabe: erlaubt sind ganze Zahlen von -10000 bis 10000");
    EXPECT_EQ(run.messages[1].about, ABOUT_ROW);
    EXPECT_STREQ(run.rows[run.messages[1].index].name.file, "Cahoonapressen und Ranches:");
    EXPECT_STREQ(run.messages[1].text, "Fehler in der Berechnung der Cahoonapressenanzahl");
    // a text too long for its message is cut there, not written into the next one
    run.messages[3].about = ABOUT_FILE;
    keepMessage(ABOUT_INPUT, 0, std::string(200, 'x').c_str());
    EXPECT_EQ(strlen(run.messages[2].text), sizeof run.messages[2].text - 1);
    EXPECT_EQ(run.messages[3].about, ABOUT_FILE);
    // of nine refusals and the end of input, the first eight are kept and all ten counted
    std::string refusals;
    for (int i = 0; i < 9; ++i) refusals += "99999999\n";
    wv_run(1, argv, refusals.data(), refusals.size());
    EXPECT_EQ(run.messageCount, 10);
    EXPECT_STRNE(run.messages[MESSAGE_LIMIT - 1].text, "");
}

}  // namespace
