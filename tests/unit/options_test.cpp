// Option matching: the first character is never looked at, the compared ones match in either
// case, longer arguments match by their beginning, and -or/-dat ask only once.
#include "control/control.h"
#include "test_console.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>

namespace {

struct MatchRow {
    const char* argument;
    const char* compared;
    bool matches;
};

constexpr MatchRow MATCHES[] = {
    { "-xl", "xl", true },       { "/XL", "xl", true },       { "Xxl", "xl", true },   { "-xL", "xl", true },
    { "-x", "xl", false },       { "-o", "or", false },       { "-op", "opt", false }, { "-opt", "opt", true },
    { "-orx", "or", true },      { "-help", "h", true },      { "xh", "h", true },     { "-Dateien", "dat", true },
    { "-options", "opt", true }, { "-options", "or", false }, { "-", "h", false },     { "", "h", false },
    { "h", "h", false },         { "--h", "h", false },
};

TEST(Options, MatchesOnSecondToFourthCharacter) {
    for (const MatchRow& row : MATCHES) {
        EXPECT_EQ(matchesOption(row.argument, row.compared), row.matches)
            << "argument [" << row.argument << "] against " << row.compared;
    }
}

// Runs the option parsing in a scratch directory, since -h writes readme.txt there.
class ParseOptions : public ::testing::Test {
protected:
    std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::path scratch;

    void SetUp() override {
        char dir[] = "/tmp/werkverbund-options-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        scratch = dir;
        std::filesystem::current_path(scratch);
        run = {};
    }
    void TearDown() override {
        std::filesystem::current_path(before);
        std::filesystem::remove_all(scratch);
    }
};

TEST_F(ParseOptions, SetsFlagsAndAsksEachQuestionOnce) {
    const char* argv[] = { "werkverbund", "/XL", "-op", "-orx", "-OR", "-Dateien", "-options", "-m", "Xes", "-x" };
    TestConsole t("J\nn\n");
    run.console = &t.con;
    ASSERT_EQ(parseOptions(10, argv, t.con), 1);
    EXPECT_EQ(run.opt.xl, 1);
    EXPECT_EQ(run.opt.extraRaces, 1);
    EXPECT_EQ(run.opt.raceNamesAnswer, 'j');
    EXPECT_EQ(run.opt.resultsFile, 1);
    EXPECT_EQ(run.opt.echoAnswer, 'n');
    EXPECT_EQ(run.opt.optimise, 1);
    EXPECT_EQ(run.opt.manual, 1);
    EXPECT_EQ(run.opt.energySurplus, 1);
    EXPECT_EQ(run.opt.help, 0);
    EXPECT_EQ(run.opt.diagnostics, 0);
    EXPECT_EQ(t.printed(),
              "Zusaetzliche Voelker mit Namen versehen? (j/n) "
              "Eingaben ebenfalls in einer Datei ausgeben? (j/n) ");
    EXPECT_FALSE(std::filesystem::exists("readme.txt"));
}

TEST_F(ParseOptions, HelpWritesTheReadmeAndGoesOn) {
    const char* argv[] = { "werkverbund", "xh", "-help", "-br" };
    TestConsole t("");
    run.console = &t.con;
    ASSERT_EQ(parseOptions(4, argv, t.con), 1);
    EXPECT_EQ(run.opt.help, 1);
    EXPECT_EQ(run.opt.diagnostics, 1);
    EXPECT_TRUE(std::filesystem::exists("readme.txt"));
    EXPECT_EQ(t.printed(), "");
}

TEST_F(ParseOptions, EndOfInputAtAQuestionStopsTheRun) {
    const char* argv[] = { "werkverbund", "-dat", "-br" };
    TestConsole t("x\n");
    run.console = &t.con;
    EXPECT_EQ(parseOptions(3, argv, t.con), 0);
    EXPECT_EQ(run.opt.diagnostics, 0);  // arguments after it are not looked at
}

}  // namespace
