// The results file's openings (a reader on a named pipe sees them, no golden case): one a section, one each other line.
#include "console/console.h"
#include "control/control.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The openings of Ergebnis.txt, each by its mode, w or a.
std::string modes;

int openRecorded(const char* name, int append) {
    if (std::string(name) == FILE_NAME[FILE_RESULTS]) modes += append ? 'a' : 'w';  // the other files are not looked at
    return 99;
}
int writeRecorded(int, const char*, int length) { return length; }
int closeRecorded(int) { return 0; }
const FileCalls RECORDED = { openRecorded, writeRecorded, closeRecorded };  // kept by the files' writer after the run
int discard(void*, const char*, int) { return 0; }

TEST(ResultsFile, SectionsAreOneOpeningEachAndEveryOtherLineOneOfItsOwn) {
    // -dat answered n, one sale SKW M, nothing else, crystal race a
    std::string input = "n\n1\n";
    for (int i = 0; i < 24; ++i) input += "0\n";
    input += "a\n\n";
    Console con = { streamTo(discard, nullptr), streamTo(discard, nullptr) };
    ConsoleInput in = inputOnMemory(con, input.data(), input.size());
    const char* argv[] = { "werkverbund", "-dat" };
    modes.clear();
    ASSERT_EQ(runWerkverbund(2, argv, con, consoleAnswers(in), RECORDED), 0);
    // SKW and crystal lines, five race chains, the mines heading, no ore, the silicon line, sales and closing text
    EXPECT_EQ(modes, "waaaaaaaaa");
}

}  // namespace
