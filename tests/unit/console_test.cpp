// The console layer on in-memory input: what "%i", "%c" and "%f" take, what stays pending, and
// which input the discard drops.
#include "test_console.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

struct IntRow {
    const char* input;
    int result;
    long long value;
    long consumed;
};

constexpr IntRow INT_READS[] = {
    { "010\n", 1, 8, 3 },  // leading 0 is octal
    { "08\n", 1, 0, 1 },   // 8 is no octal digit and stays pending
    { "0x1A\n", 1, 26, 4 }, { "-5\n", 1, -5, 2 },
    { "+3\n", 1, 3, 2 },    { "\n\n  \t7\n", 1, 7, 6 },  // blank lines before the number are skipped
    { "abc\n", 0, 0, 0 },                                // not a number: nothing taken
    { "-x\n", 0, 0, 1 },                                 // the sign is taken, the x stays
    { "0xg", 1, 0, 2 },                                  // "0x" without hex digits reads 0
    { "", -1, 0, 0 },                                    // end of input
    { "  \n", -1, 0, 3 },
};

TEST(ConsoleInt, ReadsLikeScanf) {
    for (const IntRow& row : INT_READS) {
        TestConsole t(row.input);
        long long value = 0;
        EXPECT_EQ(scanInt(t.con, &value), row.result) << "input " << row.input;
        if (row.result == 1) {
            EXPECT_EQ(value, row.value) << "input " << row.input;
        }
        EXPECT_EQ(t.consumed(), row.consumed) << "input " << row.input;
    }
}

TEST(ConsoleInt, DigitsAfterOctalZeroAnswerTheNextRead) {
    TestConsole t("08\n");
    long long value = -1;
    ASSERT_EQ(scanInt(t.con, &value), 1);
    EXPECT_EQ(value, 0);
    ASSERT_EQ(scanInt(t.con, &value), 1);
    EXPECT_EQ(value, 8);
}

TEST(ConsoleInt, OverlongDigitsSaturateInsteadOfWrapping) {
    TestConsole t("4294967297 -99999999999999999999999\n");
    long long value = 0;
    ASSERT_EQ(scanInt(t.con, &value), 1);
    EXPECT_GT(value, 2147483647LL);
    ASSERT_EQ(scanInt(t.con, &value), 1);
    EXPECT_LT(value, -2147483648LL);
}

TEST(ConsoleChar, TakesLineEndsAndBlanks) {
    TestConsole t("\n j");
    char c = 0;
    ASSERT_EQ(scanChar(t.con, &c), 1);
    EXPECT_EQ(c, '\n');
    ASSERT_EQ(scanChar(t.con, &c), 1);
    EXPECT_EQ(c, ' ');
    ASSERT_EQ(scanChar(t.con, &c), 1);
    EXPECT_EQ(c, 'j');
    EXPECT_EQ(scanChar(t.con, &c), -1);
}

TEST(ConsoleDiscard, NonNumberStaysPendingUntilDiscarded) {
    TestConsole t("abc 5\n7\n");
    long long value = 0;
    EXPECT_EQ(scanInt(t.con, &value), 0);
    EXPECT_EQ(scanInt(t.con, &value), 0);  // still looking at the same a
    discardPending(t.con);
    ASSERT_EQ(scanInt(t.con, &value), 1);
    EXPECT_EQ(value, 7);
}

TEST(ConsoleDiscard, DropsRestOfLineAfterANumber) {
    TestConsole t("5 6\n7\n");
    long long value = 0;
    ASSERT_EQ(scanInt(t.con, &value), 1);
    discardPending(t.con);  // " 6\n" has been looked at: dropped
    ASSERT_EQ(scanInt(t.con, &value), 1);
    EXPECT_EQ(value, 7);
}

TEST(ConsoleDiscard, KeepsAFreshLineAfterACharacterReadTookTheLineEnd) {
    TestConsole t("x\n7\n");
    char c = 0;
    ASSERT_EQ(scanChar(t.con, &c), 1);
    ASSERT_EQ(scanChar(t.con, &c), 1);  // the line end belongs to the line before
    discardPending(t.con);              // nothing of "7\n" looked at yet: kept
    long long value = 0;
    ASSERT_EQ(scanInt(t.con, &value), 1);
    EXPECT_EQ(value, 7);
}

TEST(ConsoleDiscard, AtStartOfInputDropsNothingAndAtEndStops) {
    TestConsole fresh("j\n");
    discardPending(fresh.con);
    char c = 0;
    ASSERT_EQ(scanChar(fresh.con, &c), 1);
    EXPECT_EQ(c, 'j');

    TestConsole ended("5");
    long long value = 0;
    ASSERT_EQ(scanInt(ended.con, &value), 1);
    discardPending(ended.con);
    EXPECT_EQ(scanChar(ended.con, &c), -1);
}

TEST(ConsoleFloat, ReadsDecimalsInfinityAndFailures) {
    TestConsole t("0.5 -3 1e39 nan x");
    float value = 0;
    int tooLong = 0;
    ASSERT_EQ(scanFloat(t.con, &value, &tooLong), 1);
    EXPECT_EQ(value, 0.5f);
    ASSERT_EQ(scanFloat(t.con, &value, &tooLong), 1);
    EXPECT_EQ(value, -3.0f);
    ASSERT_EQ(scanFloat(t.con, &value, &tooLong), 1);
    EXPECT_TRUE(std::isinf(value));  // overflows a float
    ASSERT_EQ(scanFloat(t.con, &value, &tooLong), 1);
    EXPECT_TRUE(std::isnan(value));
    EXPECT_EQ(scanFloat(t.con, &value, &tooLong), 0);
}

// A refused number drops its line and asks again with the same prompt; a number that cannot be
// read gives 0 and stays pending.
TEST(AskCount, RefusesOutOfRangeAndRepeatsThePrompt) {
    TestConsole t("99999999999 x\n10001\n-10000\n");
    EXPECT_EQ(askCount(t.con, "Typ M: ", -COUNT_LIMIT, COUNT_LIMIT), -10000);
    EXPECT_EQ(t.printed(), "Typ M: Typ M: Typ M: ");
    EXPECT_EQ(t.warned(),
              "Ungueltige Eingabe: erlaubt sind ganze Zahlen von -10000 bis 10000\n"
              "Ungueltige Eingabe: erlaubt sind ganze Zahlen von -10000 bis 10000\n");
}

TEST(AskCount, UnreadableGivesZeroAndStaysPending) {
    TestConsole t("abc\n");
    EXPECT_EQ(askCount(t.con, "? ", -COUNT_LIMIT, COUNT_LIMIT), 0);
    EXPECT_EQ(t.consumed(), 0);
    EXPECT_EQ(t.warned(), "");
}

// Each refusal names its reason: a finite value written with over 500 characters is too long.
TEST(AskDemand, RefusesInfiniteNanAndOverLong) {
    std::string input = "inf\nnan 3\n0." + std::string(499, '0') + "1\n2.5\n";
    TestConsole t(input.c_str());
    EXPECT_EQ(askDemand(t.con, "? "), 2.5f);
    EXPECT_EQ(t.printed(), "? ? ? ? ");
    EXPECT_EQ(t.warned(),
              "Ungueltige Eingabe: erlaubt sind nur endliche Zahlen\n"
              "Ungueltige Eingabe: erlaubt sind nur endliche Zahlen\n"
              "Ungueltige Eingabe: die Zahl ist zu lang (hoechstens 500 Zeichen)\n");
}

TEST(AskYesNo, RepeatsUntilJOrNAndStopsAtEnd) {
    TestConsole t("\nxy\nN\n");
    char answer = 0;
    EXPECT_EQ(askYesNo(t.con, "(j/n) ", &answer), 1);
    EXPECT_EQ(answer, 'n');
    EXPECT_EQ(t.printed(), "(j/n) (j/n) (j/n) ");

    TestConsole ended("x");
    char none = 0;
    EXPECT_EQ(askYesNo(ended.con, "(j/n) ", &none), 0);
}

TEST(AskCrystalRace, RepeatsOnlyTheLetterLine) {
    TestConsole t("X\nB\n");
    char letter = 0;
    EXPECT_EQ(askCrystalRace(t.con, &letter), 1);
    EXPECT_EQ(letter, 'b');
    EXPECT_EQ(t.printed(),
              "Von welchem Volk werden die Kristallfabriken genommen?\n"
              "(a=Argonen/b=Boronen/p=Paraniden/s=Split/t=Teladi/u=unbekannt) "
              "(a=Argonen/b=Boronen/p=Paraniden/s=Split/t=Teladi/u=unbekannt) ");
}

// Input written on Windows: CR LF is one line end, also when the pair straddles two reads of
// the buffer, while a lone CR stays a character of its own.
TEST(ConsoleLineEnds, CarriageReturnLineFeedIsOneLineEnd) {
    std::string input(255, ' ');
    input += "\r\n\r\nx\r";
    TestConsole t(input.c_str());
    long long value = 0;
    EXPECT_EQ(scanInt(t.con, &value), 0);  // blanks and both line ends skipped, x pending
    char c = 0;
    ASSERT_EQ(scanChar(t.con, &c), 1);
    EXPECT_EQ(c, 'x');
    ASSERT_EQ(scanChar(t.con, &c), 1);
    EXPECT_EQ(c, '\r');

    TestConsole enter("a\r\n\r\n");
    ASSERT_EQ(scanChar(enter.con, &c), 1);
    ASSERT_EQ(scanChar(enter.con, &c), 1);
    EXPECT_EQ(c, '\n');
    discardPending(enter.con);  // a fresh line: kept
    ASSERT_EQ(scanChar(enter.con, &c), 1);
    EXPECT_EQ(c, '\n');
    EXPECT_EQ(scanChar(enter.con, &c), -1);
}

}  // namespace
