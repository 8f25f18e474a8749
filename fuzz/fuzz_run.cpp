// libFuzzer target: the whole run in-process on fuzzed input. The first byte says how many arguments follow, one
// byte each picking a spelling from the table; then a header of HEADER_SIZE bytes says how the run meets the
// world; the rest is standard input. A header of zeros is a plain run: the input in memory, the files on disk.
// Otherwise the input comes through the descriptor reader in chunks of fuzzed size with EINTR and EAGAIN between
// them (and maybe a read error), the files are kept in memory with opens, writes and closes failing at fuzzed
// calls, and the run is checked against a plain run on the same input: the same console text and status, and
// every file either as it was before or an exact start of the plain run's file, with one warning per failed file.
// Every run must end with status 0 or -1, without a sanitizer report and without hanging.
#include "console/console.h"
#include "control/control.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// The header after the arguments; make-corpus.sh writes it as zeros.
constexpr size_t HEADER_SIZE = 8;
enum Flag {
    FLAG_CHUNKS = 1,      // input through the descriptor reader, in fuzzed chunks with EINTR and EAGAIN
    FLAG_FAILURES = 2,    // file calls fail where the failure mask says
    FLAG_EXPAND = 4,      // DEL, a count and a character in the input stand for that character repeated
    FLAG_READ_ERROR = 8,  // the read schedule may end the input with a read error
    FLAG_EARLIER = 16,    // each file exists before the run, with text of an earlier run
};

// ---- Standard input, expanded --------------------------------------------------------------------------------

constexpr size_t INPUT_ROOM = 1 << 20;
char input[INPUT_ROOM];

// Copies the input; with FLAG_EXPAND, DEL n c stands for c repeated 8 * (n + 1) times, so that numbers of more than
// 500 characters and long lines are a few bytes away.
size_t expandInput(const uint8_t* data, size_t size, bool expand) {
    size_t length = 0;
    for (size_t i = 0; i < size && length < INPUT_ROOM; ++i) {
        if (!expand || data[i] != 0x7f || i + 2 >= size) {
            input[length++] = static_cast<char>(data[i]);
            continue;
        }
        size_t count = 8 * (size_t{ data[i + 1] } + 1);
        for (size_t n = 0; n < count && length < INPUT_ROOM; ++n) input[length++] = static_cast<char>(data[i + 2]);
        i += 2;
    }
    return length;
}

// ---- The descriptor reader's read, scripted --------------------------------------------------------------------

struct ReadScript {
    size_t length;     // input bytes there are
    size_t delivered;  // input bytes handed over so far
    uint32_t state;    // the schedule's generator
    bool readError;    // the schedule may give a read error
    bool failed;       // it did: the input ended there
};
ReadScript script;

uint32_t nextRandom(uint32_t& state) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

// Each call interrupts (EINTR), has nothing yet (EAGAIN), fails (EIO, once), or hands over 1 to room bytes.
long scriptedRead(int, char* into, unsigned room) {
    uint32_t r = nextRandom(script.state);
    switch (r % 8) {
        case 0: errno = EINTR; return -1;
        case 1: errno = EAGAIN; return -1;
        case 2:
            if (script.readError && script.delivered > 0) {
                script.failed = true;
                errno = EIO;
                return -1;
            }
            break;
        default: break;
    }
    size_t rest = script.length - script.delivered;
    size_t take = (r >> 3) % room + 1;
    if (take > rest) take = rest;
    memcpy(into, input + script.delivered, take);
    script.delivered += take;
    return static_cast<long>(take);
}

// ---- Files in memory, failing on cue ---------------------------------------------------------------------------

constexpr size_t FILE_ROOM = 1 << 18;
constexpr char EARLIER[] = "Ergebnis eines frueheren Laufs\r\n";

struct MemoryFile {
    char bytes[FILE_ROOM];
    size_t length;
    bool failedOnce;  // a call on this file failed in this run
};

struct MemoryFolder {
    MemoryFile file[FILE_COUNT];
    uint32_t failMask;   // call n fails when bit n % 32 is set
    uint32_t shortMask;  // a write n that does not fail takes only half its bytes when bit n % 32 is set
    uint32_t calls;
};
MemoryFolder checked, plain;
MemoryFolder* folder = &plain;

void emptyFolder(MemoryFolder& f, bool earlier, uint32_t failMask, uint32_t shortMask) {
    for (MemoryFile& file : f.file) {
        file.length = earlier ? sizeof EARLIER - 1 : 0;
        memcpy(file.bytes, EARLIER, file.length);
        file.failedOnce = false;
    }
    f.failMask = failMask;
    f.shortMask = shortMask;
    f.calls = 0;
}

// Does this call fail? Marks the file.
bool failsNow(int fd) {
    uint32_t n = folder->calls++ % 32;
    if (!(folder->failMask >> n & 1)) return false;
    folder->file[fd].failedOnce = true;
    return true;
}

int openInMemory(const char* name, int append) {
    int fd = 0;
    while (fd < FILE_COUNT && strcmp(FILE_NAME[fd], name) != 0) ++fd;
    if (fd == FILE_COUNT) abort();  // only the four output files are ever opened
    if (failsNow(fd)) return -1;
    if (!append) folder->file[fd].length = 0;
    return fd;
}

int writeInMemory(int fd, const char* bytes, int length) {
    if (failsNow(fd)) return -1;
    if (folder->shortMask >> (folder->calls % 32) & 1 && length > 1) length /= 2;
    MemoryFile& file = folder->file[fd];
    if (file.length + static_cast<size_t>(length) > FILE_ROOM) abort();  // a run's files stay small
    memcpy(file.bytes + file.length, bytes, static_cast<size_t>(length));
    file.length += static_cast<size_t>(length);
    return length;
}

int closeInMemory(int fd) { return failsNow(fd) ? -1 : 0; }

constexpr FileCalls MEMORY_FILES = { openInMemory, writeInMemory, closeInMemory };

// ---- The console, hashed -----------------------------------------------------------------------------------------

struct Seen {
    uint64_t hash;
    size_t length;
    char text[4096];  // the first bytes, for the warnings
    int textLength;
};

int hashBytes(void* data, const char* bytes, int length) {
    Seen& s = *static_cast<Seen*>(data);
    for (int i = 0; i < length; ++i) s.hash = (s.hash ^ static_cast<unsigned char>(bytes[i])) * 0x100000001b3u;
    s.length += static_cast<size_t>(length);
    return 0;
}

int keepMessages(void* data, const char* bytes, int length) {
    Seen& s = *static_cast<Seen*>(data);
    int room = static_cast<int>(sizeof s.text) - s.textLength;
    int take = length < room ? length : room;
    memcpy(s.text + s.textLength, bytes, static_cast<size_t>(take));
    s.textLength += take;
    return 0;
}

struct Outcome {
    int status;
    Seen out;
    Seen err;
};

// How often the kept messages warn about the file.
int warningsAbout(const Seen& err, OutputFile which) {
    char warning[96];
    int length = snprintf(warning, sizeof warning, "Warnung: Datei %s kann", FILE_NAME[which]);
    int count = 0;
    for (int i = 0; i + length <= err.textLength; ++i) {
        if (memcmp(err.text + i, warning, static_cast<size_t>(length)) == 0) ++count;
    }
    return count;
}

int nullFd = -1;  // the reader waits on it after EAGAIN: always readable

// One run; chunked reads through the descriptor reader when asked.
Outcome runOnce(int argc, const char* const* argv, size_t inputLength, bool chunks, const FileCalls& files) {
    static Outcome o;
    o = Outcome{};
    o.out.hash = o.err.hash = 0xcbf29ce484222325u;
    static Console con;
    static ConsoleInput in;
    con = Console{ streamTo(hashBytes, &o.out), streamTo(keepMessages, &o.err) };
    if (chunks) {
        in = inputOnDescriptor(con, nullFd);
        in.read = scriptedRead;
        script.length = inputLength;
        script.delivered = 0;
        script.failed = false;
    } else {
        in = inputOnMemory(con, input, inputLength);
    }
    o.status = runWerkverbund(argc, argv, con, consoleAnswers(in), files);
    flushStream(con.out);
    flushStream(con.err);
    if (o.status != 0 && o.status != -1) abort();
    return o;
}

bool startsWith(const MemoryFile& file, const MemoryFile& whole) {
    return file.length <= whole.length && memcmp(file.bytes, whole.bytes, file.length) == 0;
}

// The checked run against the plain one: the same console text and status; a file that never failed is the plain
// run's, one that failed is what it was before the run or an exact start of the plain run's file, with one warning.
void compareRuns(const Outcome& a, const Outcome& b, bool earlier) {
    if (a.status != b.status || a.out.hash != b.out.hash || a.out.length != b.out.length) abort();
    for (int f = 0; f < FILE_COUNT; ++f) {
        const MemoryFile& got = checked.file[f];
        const MemoryFile& want = plain.file[f];
        bool untouched =
            got.length == (earlier ? sizeof EARLIER - 1 : 0) && memcmp(got.bytes, EARLIER, got.length) == 0;
        if (!got.failedOnce && (got.length != want.length || !startsWith(got, want))) abort();
        if (got.failedOnce && !untouched && !startsWith(got, want)) abort();
        if (a.err.textLength < static_cast<int>(sizeof a.err.text) &&
            warningsAbout(a.err, static_cast<OutputFile>(f)) != (got.failedOnce ? 1 : 0))
            abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char dir[] = "/tmp/werkverbund-fuzz-XXXXXX";
    if (!mkdtemp(dir) || chdir(dir) != 0) abort();
    nullFd = open("/dev/null", O_RDONLY);
    if (nullFd < 0) abort();
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
    uint8_t header[HEADER_SIZE] = {};
    for (size_t i = 0; i < HEADER_SIZE && at < size; ++i) header[i] = data[at++];
    int flags = header[0];
    size_t length = expandInput(data + at, size - at, flags & FLAG_EXPAND);
    bool chunks = flags & FLAG_CHUNKS;
    bool failures = flags & FLAG_FAILURES;
    if (!chunks && !failures) {  // a plain run, the files on disk
        runOnce(argc, argv, length, false, SYSTEM_FILES);
        return 0;
    }
    bool earlier = flags & FLAG_EARLIER;
    uint32_t failMask = 0;
    if (failures) memcpy(&failMask, header + 1, sizeof failMask);
    script.state = (uint32_t{ header[5] } << 8 | header[6]) * 2654435761u | 1;
    script.readError = flags & FLAG_READ_ERROR;
    emptyFolder(checked, earlier, failMask, uint32_t{ header[7] } * 0x01010101u);
    folder = &checked;
    Outcome a = runOnce(argc, argv, length, chunks, MEMORY_FILES);
    // The plain run reads what the checked run could read: a read error ends the input like its end.
    size_t readable = chunks && script.failed ? script.delivered : length;
    emptyFolder(plain, earlier, 0, 0);
    folder = &plain;
    Outcome b = runOnce(argc, argv, readable, false, MEMORY_FILES);
    compareRuns(a, b, earlier);
    return 0;
}
