// The page's plan entry natively, plans one after another in one process as the page runs them: nothing leaks.
#include "console/console.h"
#include "control/control.h"
#include "core/entry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <span>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Plan {
    std::vector<OptionCode> options;
    std::string values;  // "key=value ...": key a code, or "WF.A" for a race's question; a letter for the crystal race
    char answer = 'n';   // to the options' yes/no questions
};

int questionOf(const std::string& key) {
    for (int i = 0; i < QUESTION_COUNT; ++i) {
        if (key == keyOf(QUESTIONS[i]).text) return i;
    }
    ADD_FAILURE() << "no question " << key;
    return 0;
}

// Everything a run gives the page: status, console text, record, answers file and files.
std::string runPlan(const Plan& plan) {
    wv_planReset();
    for (OptionCode o : plan.options) wv_planOption(o, 1, plan.answer);
    std::istringstream values(plan.values);
    for (std::string item, value; std::getline(values >> std::ws, item, '=') && values >> value;)
        wv_planField(questionOf(item), value.data(), value.size());
    std::string all = std::to_string(wv_runPlan()) + "\n";
    all.append(wv_out(), wv_outLength()) += wv_record();
    all.append(wv_answers(), wv_answersLength());
    for (int f = 0; f < wv_folderCount(); ++f)
        all.append(wv_folderName(f)).append(wv_folderBytes(f), wv_folderLength(f));
    return all;
}

const Plan PLANS[] = {
    { { OPTION_XL, OPTION_OR, OPTION_DAT, OPTION_BR, OPTION_ES, OPTION_OPT },
      "WF.A=3 OF.V=12 KXL=1 EAXL=2 SBF=2 crystalRace=u" },
    { { OPTION_M }, "GKF=4 skwM=7 MS=0.5 saleSkwL=3" },
    { {}, "WF.B=-2 L2M=5 crystalRace=b" },
    { { OPTION_M, OPTION_XL }, "OF.S=40 demand=100000" },
    { {}, "GKF=2 crystalRace=u" },
};

TEST(PlanEntry, RunsAfterOtherRunsGiveTheSame) {
    std::vector<std::string> first;
    for (const Plan& plan : PLANS) first.push_back(runPlan(plan));
    for (size_t i = std::size(PLANS); i-- > 0;) EXPECT_EQ(runPlan(PLANS[i]), first[i]) << i;
}

// Factory and plant rows show the sizes their lines print: M 1, L 2, XL 4; every line with sizes has its row.
TEST(PlanEntry, RowsShowTheSizesTheirLinesPrint) {
    constexpr RowKind WITH_SIZES[] = { ROW_PLANTS, ROW_CRYSTALS, ROW_CRYSTAL_FOOD, ROW_RACE_CHAIN, ROW_SPECIAL_CHAIN };
    for (const Plan& plan : PLANS) {
        runPlan(plan);
        std::string out(wv_out(), wv_outLength());
        size_t at = out.find("Sonnenkraftwerke:  ");  // the result lines start with the plants
        for (const ResultRow& row : std::span(run.rows, static_cast<size_t>(run.rowCount))) {
            if (std::ranges::find(WITH_SIZES, row.kind) == std::end(WITH_SIZES)) continue;
            at = out.find("  M: ", at);
            size_t begin = out.rfind('\n', at) + 1;
            std::string line = out.substr(begin, out.find('\n', at) - begin);
            int printed = 0;
            for (int size = 0; size < SIZE_COUNT; ++size)
                printed |= line.find(std::string(" ") + SIZE_LETTER[size] + ": ") != std::string::npos ? 1 << size : 0;
            EXPECT_EQ(row.shown, printed) << row.name.file;
            at = out.find('\n', at);
        }
        EXPECT_EQ(out.find("  M: ", at), std::string::npos) << "a line with sizes and no row: " << plan.values;
    }
}

// A plan's flows as "kind consumer amount; " (E C F O S, a race by its letter), each from the kind of row supplying it.
void expectFlows(const Plan& plan, const std::string& expected) {
    constexpr RowKind SUPPLIER[] = { ROW_PLANTS, ROW_CRYSTALS, ROW_RACE_CHAIN, ROW_MINES, ROW_MINES };
    runPlan(plan);
    std::string flows;
    for (const Flow& flow : std::span(run.flows, static_cast<size_t>(run.flowCount))) {
        char text[64], race[] = { RACES[flow.race].code, 0 };
        snprintf(text, sizeof text, "%c %s %.10g; ", "ECFOS"[flow.kind], flow.consumer ? flow.consumer : race,
                 flow.amount);
        flows += text;
        RowKind kind = run.rows[flow.row].kind;
        if (flow.kind == FLOW_FOOD && (kind == ROW_SPECIAL_CHAIN || kind == ROW_CRYSTAL_FOOD)) kind = ROW_RACE_CHAIN;
        EXPECT_EQ(kind, SUPPLIER[flow.kind]) << text;
    }
    EXPECT_EQ(flows, expected);
}

const ResultRow& rowOf(const char* code) {
    for (const ResultRow& row : std::span(run.rows, static_cast<size_t>(run.rowCount))) {
        if (!strcmp(row.code, code)) return row;
    }
    ADD_FAILURE() << "no row " << code;
    return run.rows[0];
}

double fact(const ResultRow& row, const char* code) {
    for (const Fact& f : std::span(row.facts, static_cast<size_t>(row.factCount))) {
        if (!strcmp(f.code, code)) return f.value;
    }
    ADD_FAILURE() << row.name.file << " has no " << code;
    return 0.0;
}

// The values behind the mine lines, or behind their no-demand lines, in order.
std::string mineFacts() {
    std::string facts;
    for (const char* code : { "ME", "MS" }) {
        const ResultRow& row = rowOf(code);
        for (const Fact& f : std::span(row.facts, static_cast<size_t>(row.factCount))) {
            char text[48];
            snprintf(text, sizeof text, "%s %.6g; ", f.code, f.value);
            facts += text;
        }
    }
    return facts;
}

// One ore-based Argon Level 3 factory, Argonen making the crystals: 3600 EZ, one M plant, whose M crystal factory is 2
// size units; the Argon chain feeds the factory (1 unit) and the crystal factory (2); 150 ore; 37.5 silicon a unit.
TEST(PlanEntry, FlowsOfAOneFactoryComplex) {
    expectFlows({ {}, "WF.A=1 crystalRace=a" }, "E A 3600; C SKW 2; F A 1; F KF 2; O A 150; S KF 75; ");
    // behind the mine lines: 150 ore at 28.55 a yield point; 75 silicon at 7.75 a point, less the M plant's
    // 9640 - 3600 = 6040 EZ surplus at 1711.2 a point; no margin point for one consumer; a fixed reserve of 11
    // points for ore and 10 for L silicon mines beside the half point that rounds up
    EXPECT_EQ(mineFacts(),
              "ME 150; consumers 1; perYield 28.55; yield 5.25394; extraYield 0; reserve 11; MS 75; surplusEZ 6040; "
              "saleSkwLOdd 0; perYield 7.75; ezPerYield 1711.2; yield 9.67742; criticalYield 6.14773; "
              "extraYield 0; reserve 10; ");
    const ResultRow& argon = rowOf("NP.A");
    EXPECT_EQ(std::vector<double>({ fact(argon, "NF"), fact(argon, "KG"), fact(argon, "KF") }),
              std::vector<double>({ 1, 0, 2 }));
    // made silicon-based, it takes 37.5 silicon instead of the ore
    expectFlows({ {}, "OF.A=1 crystalRace=a" }, "E A 3600; C SKW 2; F A 1; F KF 2; S KF 75; S A 37.5; ");
    // plants for sale take their crystals apart from the complex's: one M plant alone needs one M crystal factory,
    // 2 units; an L one without -xl 3 M ones, 6 units, beside the complex's 2; silicon for all 8 units
    expectFlows({ {}, "saleSkwM=1 crystalRace=a" }, "C saleSkw 2; F KF 2; S KF 75; ");
    expectFlows({ {}, "saleSkwL=1 WF.A=1 crystalRace=a" },
                "E A 3600; C SKW 2; C saleSkw 6; F A 1; F KF 8; O A 150; S KF 300; ");
    // nothing at all: no ore and no silicon demand, each a line of its own under the mine's code
    expectFlows({ {}, "" }, "");
    EXPECT_EQ(mineFacts(), "ME 0; MS 0; ");
    EXPECT_EQ(std::vector<RowKind>({ rowOf("ME").kind, rowOf("MS").kind }), std::vector<RowKind>(2, ROW_NOTE));
}
// One of each for sale, no crystal race: 23542 EZ need one L plant, whose three M crystal factories are 6 units,
// fed by food factories of their own; ore for the Gefechtskopffabrik; silicon for 10 units.
TEST(PlanEntry, FlowsOfOneOfEach) {
    const std::string sale = "EAM=1 SAM=1 L1M=1 L2M=1 KM=1 GKF=1 KDF=1 SBF=1 crystalRace=";
    const std::string energy =
        "E EAG 68.52; E SAG 74.4; E L1G 1800; E L2G 3600; E KG 7200; E GKF 3600; E KDF 3600; E SBF 3600; C SKW 6; ";
    const std::string minerals = "O GKF 150; S KG 75; S KF 225; S KDF 37.5; S SBF 37.5; ";
    expectFlows({ {}, sale + "u" }, energy + "F KF 6; F KG 2; F GKF 1; F KDF 1; F SBF 1; " + minerals);
    EXPECT_EQ(fact(run.rows[0], "EZ"), 23542);             // the plants' line says what the factories for sale need
    EXPECT_EQ(fact(run.rows[run.flows[9].row], "KG"), 2);  // the crystal food line, the 2 units for sale it feeds
    // with the Argonen making the crystals, their chain feeds the crystal factories for sale and the plants' ones
    expectFlows({ {}, sale + "a" }, energy + "F GKF 1; F KDF 1; F SBF 1; F KG 2; F KF 6; " + minerals);
}

// The codes of a run's lines in order, with whom each feeds and the race it names where it has them.
std::string rowCodes() {
    std::string codes;
    for (const ResultRow& row : std::span(run.rows, static_cast<size_t>(run.rowCount))) {
        codes += row.code;
        if (row.feeds) codes += std::string(">") + row.feeds;
        if (row.race) codes += std::string("(") + row.race + ")";
        codes += row.pairs ? "* " : " ";
    }
    return codes;
}

// Every line has a code of its own, the same whatever names -or gives the extra races; food chains count pairs.
TEST(PlanEntry, RowsNameTheirLinesWhateverTheRacesAreCalled) {
    // every option, no crystal race: the crystal factories' own food line, all ten races, ore and silicon for sale
    runPlan(PLANS[0]);
    EXPECT_EQ(rowCodes(),
              "SKW ES KF>SKW KFNP>KF* NP.SBF>SBF(Satellitenfertigungen (beide Typen))* NP.A>A(Argonen)* "
              "NP.B>B(Boronen)* NP.P>P(Paraniden)* NP.S>S(Split)* NP.T>T(Teladi)* NP.V>V(Rasse1)* NP.X>X(Rasse2)* "
              "NP.K>K(Rasse3)* NP.Y>Y(Rasse4)* NP.E>E(Rasse5)* ME MS VK.EZ VK.K VK.EA VK.SA ");
    runPlan({ PLANS[0].options, PLANS[0].values, 'j' });  // the same plan with the extra races named: only names change
    EXPECT_EQ(rowCodes(),
              "SKW ES KF>SKW KFNP>KF* NP.SBF>SBF(Satellitenfertigungen (beide Typen))* NP.A>A(Argonen)* "
              "NP.B>B(Boronen)* NP.P>P(Paraniden)* NP.S>S(Split)* NP.T>T(Teladi)* NP.V>V(Piraten)* NP.X>X(Xenon)* "
              "NP.K>K(Khaak)* NP.Y>Y(Yaki)* NP.E>E(Terraner)* ME MS VK.EZ VK.K VK.EA VK.SA ");
    // the Boronen make the crystals, their chain feeds them (no food line of their own); the GKF chain first
    runPlan({ {}, "GKF=1 crystalRace=b" });
    EXPECT_EQ(rowCodes(),
              "SKW KF>SKW(Boronen) NP.GKF>GKF(Gefechtskopffabriken)* NP.A>A(Argonen)* NP.B>B(Boronen)* "
              "NP.P>P(Paraniden)* NP.S>S(Split)* NP.T>T(Teladi)* ME MS ");
}
// The values of a line as it prints them: with 8000 EZ typed over one M plant, 1640 EZ are left over, which cover
// 1640 / 1711.2 = 0.958 silicon yield points; a typed demand of 1 silicon is 1 / 7.75 = 0.129 points: Kritisch
// 0.129 - 0.958 + 0.49 = -0.339 shows as -0, Ausreichend 0.129 + 0.49 as 1, Empfohlen 0.129 + 10.49 as 11.
TEST(PlanEntry, ValuesAreGivenAsTheLinePrintsThem) {
    std::string record = runPlan({ { OPTION_M }, "demand=8000 skwXL=0 skwL=0 skwM=1 MS=1" });
    for (const char* part : { "Kritisch: -0  Ausreichend: 1  Empfohlen: 11", R"("code":"MS","type":"mines")",
                              R"("source":"typed")", R"("valueText":["-0","1","11"])" })
        EXPECT_NE(record.find(part), std::string::npos) << part;
    // the -m questions keep what they showed and took: one M plant shown for 8000 EZ, and typed
    const QuestionState& skwM = run.questions[questionOf("skwM")];
    EXPECT_EQ(std::vector<double>({ skwM.shown, skwM.taken }), std::vector<double>({ 1, 1 }));
    runPlan({ { OPTION_M }, "demand=1" });  // a single EZ takes a whole M plant
    EXPECT_EQ(run.questions[questionOf("skwM")].shown, 1);
}

// What the page never sends to the core (the rest of a field's reading: limits.test.mjs): blanks after a demand
// (hexadecimal too, 2^3 = 8), the energy demand's own range -500000000..500000000, a letter of the crystal races in
// either case ('b' is 98); a field the plan does not ask (EAXL without -xl) is not read at all.
TEST(PlanEntry, FieldsAreReadAsTheConsoleReadsThem) {
    const struct {
        const char *key, *text;
        Refusal refused;
        double value;
    } rows[] = {
        { "ME", " 0x1p3\t", REFUSAL_NONE, 8 },          { "demand", "-500000001", REFUSAL_RANGE, 0 },
        { "demand", "-500000000", REFUSAL_NONE, -5e8 }, { "crystalRace", " B", REFUSAL_NONE, 98 },
        { "crystalRace", "x", REFUSAL_LETTER, 0 },
    };
    for (const auto& row : rows) {
        double value = -1;
        Refusal refused = readFieldText(QUESTIONS[questionOf(row.key)], row.text, strlen(row.text), &value);
        EXPECT_EQ(std::pair(refused, value), std::pair(row.refused, row.value)) << row.key << " " << row.text;
    }
    wv_planReset();
    wv_planField(questionOf("EAXL"), "x", 1);
    wv_runPlan();
    EXPECT_EQ(std::string(wv_record()).find("\"problem\""), std::string::npos);
}

// The program's own name is no option, not even spelled like one: a program file named "-h" writes no readme.
TEST(PlanEntry, TheProgramsNameIsNoOption) {
    const char* argv[] = { "-h" };
    wv_folderReset();
    wv_run(1, argv, "", 0);
    EXPECT_EQ(wv_folderCount(), 0);
}

std::string lines(int n, const char* line) { return n > 0 ? line + lines(n - 1, line) : ""; }

// A run's messages are kept with what they concern: a refused number with its question, an unsplit chain with its row.
TEST(PlanEntry, MessagesAreKeptWithWhatTheyConcern) {
    const char* argv[] = { "werkverbund" };
    // thirteen answers up to the Gefechtskopffabriken, then KDF refused and asked again, SBF, five Argon
    // factories too few (a demand of -3 size units leaves an odd remainder), the other races, crystal race b
    std::string input = lines(13, "0\n") + "10001\n0\n0\n-5\n" + lines(9, "0\n") + "b\n\n";
    wv_run(1, argv, input.data(), input.size());
    ASSERT_EQ(run.messageCount, 2);
    EXPECT_EQ(run.messages[0].about, ABOUT_QUESTION);
    EXPECT_STREQ(QUESTIONS[run.messages[0].index].code, "KDF");
    EXPECT_EQ(run.messages[1].about, ABOUT_ROW);
    EXPECT_STREQ(run.rows[run.messages[1].index].name.file, "Cahoonapressen und Ranches:");
    // a text too long for its message is cut there, not written into the next one
    run.messages[3].about = ABOUT_FILE;
    keepMessage(ABOUT_INPUT, 0, std::string(200, 'x').c_str());
    EXPECT_EQ(strlen(run.messages[2].text), sizeof run.messages[2].text - 1);
    EXPECT_EQ(run.messages[3].about, ABOUT_FILE);
    // of nine refusals and the end of input, the page's record keeps the first eight
    std::string refusals = lines(9, "99999999\n");
    wv_run(1, argv, refusals.data(), refusals.size());
    const std::string record = wv_record(), about = "{\"about\":";
    long kept = 0;
    for (size_t at = record.find(about); at != std::string::npos; at = record.find(about, at + 1)) ++kept;
    EXPECT_EQ(kept, 8);
}

}  // namespace
