// The console layer against the C library itself: thousands of generated inputs read once with
// our reads and once with fscanf on the same bytes; result, value and characters taken agree.
#include "test_console.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <random>
#include <string>

namespace {

// Characters that steer the conversions into their corner cases.
constexpr char ALPHABET[] = "0123456789000+-xXaAfFeEpP.iInNtTyY \t\n\rgz(";

std::string makeInput(std::mt19937& rng) {
    std::uniform_int_distribution<int> length(0, 12);
    std::uniform_int_distribution<size_t> pick(0, sizeof ALPHABET - 2);
    std::string text;
    int n = length(rng);
    for (int i = 0; i < n; ++i) text += ALPHABET[pick(rng)];
    // CR LF is one line end for us, as in Windows' text mode, but two characters for the library.
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n")) text.erase(at, 1);
    return text;
}

struct LibraryRead {
    int result;
    long consumed;
};

// fscanf over the bytes in memory; ftell tells how much it took, also when it failed.
template <typename T>
LibraryRead readWithLibrary(const std::string& text, const char* format, T* value) {
    std::string copy = text;
    FILE* f = fmemopen(copy.data(), copy.size(), "r");
    LibraryRead read{ fscanf(f, format, value), 0 };
    read.consumed = ftell(f);
    fclose(f);
    return read;
}

TEST(ScanfCompare, IntReadsMatchTheLibrary) {
    std::mt19937 rng(1996);
    for (int i = 0; i < 20000; ++i) {
        std::string text = makeInput(rng);
        int libraryValue = 0;
        LibraryRead lib = readWithLibrary(text, "%i", &libraryValue);
        TestConsole t(text.c_str());
        long long value = 0;
        int result = scanInt(t.con, &value);
        if (result == 1 && (value > INT_MAX || value < INT_MIN)) continue;  // too large for int
        ASSERT_EQ(result, lib.result) << "input [" << text << "]";
        ASSERT_EQ(t.consumed(), lib.consumed) << "input [" << text << "]";
        if (result == 1) {
            ASSERT_EQ(value, libraryValue) << "input [" << text << "]";
        }
    }
}

TEST(ScanfCompare, FloatReadsMatchTheLibrary) {
    std::mt19937 rng(196);
    for (int i = 0; i < 20000; ++i) {
        std::string text = makeInput(rng);
        float libraryValue = 0;
        LibraryRead lib = readWithLibrary(text, "%f", &libraryValue);
        TestConsole t(text.c_str());
        float value = 0;
        int tooLong = 0;
        int result = scanFloat(t.con, &value, &tooLong);
        ASSERT_EQ(result, lib.result) << "input [" << text << "]";
        ASSERT_EQ(t.consumed(), lib.consumed) << "input [" << text << "]";
        if (result != 1) continue;
        if (std::isnan(libraryValue)) {
            ASSERT_TRUE(std::isnan(value)) << "input [" << text << "]";
        } else {
            ASSERT_EQ(memcmp(&value, &libraryValue, sizeof value), 0) << "input [" << text << "]";
        }
    }
}

// Decimals typed with many digits round straight to single precision, as strtof does.
TEST(ScanfCompare, LongDecimalsRoundLikeTheLibrary) {
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> digit(0, 9), length(1, 40);
    for (int i = 0; i < 5000; ++i) {
        std::string text;
        int n = length(rng);
        for (int k = 0; k < n; ++k) text += static_cast<char>('0' + digit(rng));
        text.insert(text.begin() + digit(rng) % n, '.');
        float libraryValue = 0;
        readWithLibrary(text, "%f", &libraryValue);
        TestConsole t(text.c_str());
        float value = 0;
        int tooLong = 0;
        ASSERT_EQ(scanFloat(t.con, &value, &tooLong), 1) << text;
        ASSERT_EQ(memcmp(&value, &libraryValue, sizeof value), 0) << text;
    }
}

}  // namespace
