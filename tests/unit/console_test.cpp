// The console's reads against the C library's: generated inputs read with ours and with fscanf on the same bytes
// agree in result, value and characters taken. Besides, what fscanf cannot show: numbers beyond 32 bits, CR LF.
#include "console/console.h"

#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <tuple>
#include <utility>

namespace {

int keepText(void* data, const char* bytes, int length) {
    static_cast<std::string*>(data)->append(bytes, static_cast<size_t>(length));
    return 0;
}

// A console on its own copy of the input, its output and messages kept together.
struct TestConsole {
    std::string input, log;
    Console out = { streamTo(keepText, &log), streamTo(keepText, &log) };
    ConsoleInput con;

    explicit TestConsole(std::string text)
        : input(std::move(text)), con(inputOnMemory(out, input.data(), input.size())) {}

    // Characters of the input taken so far (pending ones excluded).
    long consumed() const { return static_cast<long>(con.memPos) - (con.len - con.pos); }
};

// Characters that steer the conversions into their corner cases.
constexpr char ALPHABET[] = "0123456789000+-xXaAfFeEpP.iInNtTyY \t\n\rgz(";

std::string makeInput(std::mt19937& rng) {
    std::uniform_int_distribution<int> length(0, 12);
    std::uniform_int_distribution<size_t> pick(0, sizeof ALPHABET - 2);
    std::string text;
    for (int i = 0, n = length(rng); i < n; ++i) text += ALPHABET[pick(rng)];
    // CR LF is one line end for us, as in Windows' text mode, but two characters for the library.
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n")) text.erase(at, 1);
    return text;
}

// fscanf over the bytes in memory: its result and the characters it took, which ftell tells also when it failed.
template <typename T>
std::pair<int, long> readWithLibrary(std::string text, const char* format, T* value) {
    FILE* f = fmemopen(text.data(), text.size(), "r");
    int result = fscanf(f, format, value);
    std::pair<int, long> read(result, ftell(f));
    fclose(f);
    return read;
}

TEST(ScanfCompare, IntReadsMatchTheLibrary) {
    std::mt19937 rng(1996);
    for (int i = 0; i < 20000; ++i) {
        std::string text = makeInput(rng);
        int libraryValue = 0;
        auto [libraryResult, libraryTaken] = readWithLibrary(text, "%i", &libraryValue);
        TestConsole t(text);
        long long value = 0;
        int result = scanInt(t.con, &value);
        if (result == 1 && (value > INT_MAX || value < INT_MIN)) continue;  // too large for int
        ASSERT_EQ(std::make_tuple(result, t.consumed(), result == 1 ? value : 0),
                  std::make_tuple(libraryResult, libraryTaken, result == 1 ? libraryValue : 0LL))
            << "input [" << text << "]";
    }
}

// Compares one "%f" read of text with the library's, the bits of the value included (any NaN as one).
void expectFloatReadLikeLibrary(const std::string& text) {
    auto bits = [](float v) { return std::isnan(v) ? ~0u : std::bit_cast<uint32_t>(v); };
    float libraryValue = 0, value = 0;
    auto [libraryResult, libraryTaken] = readWithLibrary(text, "%f", &libraryValue);
    TestConsole t(text);
    int tooLong = 0, result = scanFloat(t.con, &value, &tooLong);
    ASSERT_EQ(std::make_tuple(result, t.consumed(), result == 1 ? bits(value) : 0u),
              std::make_tuple(libraryResult, libraryTaken, libraryResult == 1 ? bits(libraryValue) : 0u))
        << "input [" << text << "]";
}

TEST(ScanfCompare, FloatReadsMatchTheLibrary) {
    std::mt19937 rng(196);
    for (int i = 0; i < 20000; ++i) expectFloatReadLikeLibrary(makeInput(rng));
}

// A decimal just above the midpoint of two neighbouring floats must round up, straight to single precision;
// rounding through a double first lands on the midpoint and then on the even neighbour.
TEST(ScanfCompare, DecimalsNextToAMidpointRoundOnce) {
    for (float below : { 1.0f, 3.0f, 1000.0f, 0.75f, 123456.0f, 1.5e-5f }) {
        double midpoint = (static_cast<double>(below) + nextafterf(below, 2 * below)) / 2;
        char exact[128];  // all the midpoint's digits, and zeros after them
        snprintf(exact, sizeof exact, "%.60f", midpoint);
        expectFloatReadLikeLibrary(exact);
        expectFloatReadLikeLibrary(std::string(exact) + "1");
    }
}

// "%i" digits beyond 32 bits must not wrap around into the accepted range.
TEST(ConsoleInt, OverlongDigitsSaturateInsteadOfWrapping) {
    TestConsole t("4294967297 -99999999999999999999999\n");
    long long high = 0, low = 0;
    ASSERT_EQ(scanInt(t.con, &high), 1);
    ASSERT_EQ(scanInt(t.con, &low), 1);
    EXPECT_TRUE(high > INT_MAX && low < INT_MIN) << high << " " << low;
}

// Input written on Windows: CR LF is one line end, also across two fills of the 256-byte buffer; a lone CR stays.
TEST(ConsoleLineEnds, CarriageReturnLineFeedIsOneLineEnd) {
    TestConsole t(std::string(255, 'x') + "\r\n\r\ny\r");
    std::string read;
    for (char c = 0; scanChar(t.con, &c) == 1;) read += c;
    EXPECT_EQ(read, std::string(255, 'x') + "\n\ny\r");
}

// Each refusal names its reason after the prompt it answers, and the rest of its line goes with it: a finite value
// written with over 500 characters is too long. (Infinite values are refused in the golden case energy-11.)
TEST(AskDemand, RefusesNanAndOverLong) {
    TestConsole t("nan 3\n0." + std::string(499, '0') + "1\n2.5\n");
    Ask ask = { &manualQuestion(MANUAL_ME), OPTION_NONE, "? ", nullptr, "0" };
    EXPECT_EQ(CONSOLE_READER.demand(&t.con, ask).value, 2.5);
    flushStream(t.out.out);
    EXPECT_EQ(t.log,
              "? Ungueltige Eingabe: erlaubt sind nur endliche Zahlen\n"
              "? Ungueltige Eingabe: die Zahl ist zu lang (hoechstens 500 Zeichen)\n? ");
}

}  // namespace
