// The results file's openings (a reader on a named pipe sees them, no golden case): one a section, one each other line.
#include "console/console.h"
#include "control/control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The openings of Ergebnis.txt: each its mode, w or a, and what it received.
std::vector<std::string> openings;

int openRecorded(const char* name, int append) {
    if (std::string(name) != FILE_NAME[FILE_RESULTS]) return 99;  // the other files are not looked at
    openings.push_back(append ? "a" : "w");
    return static_cast<int>(openings.size()) - 1;
}
int writeRecorded(int fd, const char* bytes, int length) {
    if (fd != 99) openings[static_cast<size_t>(fd)].append(bytes, static_cast<size_t>(length));
    return length;
}
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
    openings.clear();
    ASSERT_EQ(runWerkverbund(2, argv, con, consoleAnswers(in), RECORDED), 0);
    // SKW and crystal lines, five race chains, the mines heading, no ore, the silicon line, sales and closing text
    std::string modes;
    for (const std::string& o : openings) modes += o[0];
    ASSERT_EQ(modes, "waaaaaaaaa");
    EXPECT_EQ(openings[0].find("wSonnenkraftwerke:"), 0u);
    EXPECT_NE(openings[0].find("Kristallfabriken:"), std::string::npos);
    EXPECT_NE(openings[9].find("EZ-Verkauf: 9640"), std::string::npos);
    EXPECT_NE(openings[9].find("Werkverbund Version"), std::string::npos);
}

}  // namespace
