// libFuzzer target: the whole run in-process on fuzzed input. The first byte says how many
// arguments follow, one byte each picking a spelling from the table; the rest is standard input.
// Every run must end with status 0 or -1, without a sanitizer report and without hanging.
#include "console/console.h"
#include "control/control.h"

#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace {

// The eight options, spellings that test the matching rules and every spelling of the golden
// cases. fuzz/make-corpus.sh reads this list from here: one spelling per pair of quotes, none
// holding a quote or a backslash.
constexpr const char* ARGUMENT_SPELLINGS[] = {
    "-h",  "-br",  "-xl",   "-or",      "-dat",     "-m",   "-es",  "-opt",     "/XL",
    "Xxl", "xh",   "-help", "-Dateien", "-options", "-OPT", "-BR",  "-x",       "-o",
    "-op", "-orx", "-",     "",         "h",        "--h",  "-DAT", "-OPtions", "-Help",
};
constexpr size_t MAX_ARGUMENTS = 12;

int discard(void*, const char*, int) { return 0; }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char dir[] = "/tmp/werkverbund-fuzz-XXXXXX";
    if (!mkdtemp(dir) || chdir(dir) != 0) abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* argv[MAX_ARGUMENTS + 1] = { "werkverbund" };
    int argc = 1;
    size_t at = 0;
    if (size > 0) {
        size_t wanted = data[at++] % (MAX_ARGUMENTS + 1);
        for (size_t i = 0; i < wanted && at < size; ++i) {
            argv[argc++] = ARGUMENT_SPELLINGS[data[at++] % std::size(ARGUMENT_SPELLINGS)];
        }
    }
    static Console con;
    static ConsoleInput in;
    con = Console{ streamTo(discard, nullptr), streamTo(discard, nullptr) };
    in = inputOnMemory(con, reinterpret_cast<const char*>(data + at), size - at);
    int status = runWerkverbund(argc, argv, con, consoleAnswers(in));
    if (status != 0 && status != -1) abort();
    return 0;
}
