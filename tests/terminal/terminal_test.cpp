// Drives the program through a real pseudo-terminal, typing each answer only once its prompt is on
// the screen, and checks that a person at a terminal gets what a script piping the same keys gets.
//
// usage: werkverbund_terminal PROGRAM CASE     (CASE "all" runs every case)
//
// Each case runs twice in fresh directories: once on a terminal (canonical mode, echo on, the
// terminal's own line-end handling) and once with the same keys piped in. The console text (the
// terminal's with the echoed keys taken out and its CR LF turned back into LF), standard error,
// the exit status and every file written must be the same, and the status and standard error
// must be what the case expects.
#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int WAIT_MS = 10000;         // longest wait for one prompt, for the end, for the exit
constexpr char END_OF_INPUT = '\004';  // stands for the terminal's end-of-input key in a case
constexpr const char* INPUT_ENDED = "Eingabe beendet, das Programm wird abgebrochen\n";

constexpr const char* ECHO_PROMPT = "Eingaben ebenfalls in einer Datei ausgeben? (j/n) ";
constexpr const char* RACE_NAMES_PROMPT = "Zusaetzliche Voelker mit Namen versehen? (j/n) ";
constexpr const char* CRYSTAL_RACE_LINE = "(a=Argonen/b=Boronen/p=Paraniden/s=Split/t=Teladi/u=unbekannt) ";
constexpr const char* FINAL_PROMPT = "\n\nZum Beenden Enter druecken";

// The number questions Q1 to Q31 of a run without -or; xl marks those only -xl asks.
struct Question {
    const char* prompt;
    bool xl;
};
constexpr Question QUESTIONS[] = {
    { "Sonnenkraftwerke fuer EZ-Verkauf:\nTyp M: ", false },
    { "Typ L: ", false },
    { "Typ XL: ", false },
    { "\nErzminen fuer Erz-Verkauf:\nTyp M Ausbeute: ", false },
    { "Typ L Ausbeute: ", false },
    { "Typ XL Ausbeute: ", true },
    { "\nSiliziumminen fuer Siliziumverkauf:\nTyp M Ausbeute: ", false },
    { "Typ L Ausbeute: ", false },
    { "Typ XL Ausbeute: ", true },
    { "\nLevel 1 Fabriken Typ M: ", false },
    { "Level 1 Fabriken Typ L: ", false },
    { "Level 1 Fabriken Typ XL: ", true },
    { "Level 2 (+L1) Fabriken Typ M: ", false },
    { "Level 2 (+L1) Fabriken Typ L: ", false },
    { "Level 2 (+L1) Fabriken Typ XL: ", true },
    { "\nKristallfabriken fuer Verkauf:\nTyp M: ", false },
    { "Typ L: ", true },
    { "Typ XL: ", true },
    { "\nGefechtskopffabriken: ", false },
    { "Kampfdrohnenmanufakturen: ", false },
    { "Satellitenfertigungen (beide Typen): ", false },
    { "\nArgonische erzbasierende Level 3 Fabriken (z.B. Munitionsfabrik): ", false },
    { "Argonische siliziumbasierende Level 3 Fabriken (z.B. Chip-Werk): ", false },
    { "Boronische erzbasierende Level 3 Fabriken (z.B. GPIK-Schmiede): ", false },
    { "Boronische siliziumbasierende Level 3 Fabriken (z.B. Computerwerk): ", false },
    { "Paranidische erzbasierende Level 3 Fabriken (z.B. GSWG-Schmiede): ", false },
    { "Paranidische siliziumbasierende Level 3 Fabriken (z.B. Quantumr. Fabrik): ", false },
    { "Split erzbasierende Level 3 Fabriken (z.B. Geschuetzturmfabrik): ", false },
    { "Split siliziumbasierende Level 3 Fabriken (z.B. Chip-Werk): ", false },
    { "Teladianische erzbasierende Level 3 Fabriken (z.B. SQUASH-Minenanlage): ", false },
    { "Teladianische siliziumbasierende Level 3 Fabriken (z.B. Computerwerk): ", false },
};
constexpr int Q13 = 12;  // index of the Level 2 M question, the first after a discard

// One key sequence typed once prompt is the last thing on the screen; "\r" is the Enter key.
struct Step {
    std::string prompt;
    std::string keys;
};

// A text that must appear in a written file, worked out by hand from the answers typed.
struct FileText {
    const char* file;
    const char* text;
};

struct Case {
    const char* name;
    std::vector<const char*> args;
    std::vector<Step> steps;
    int status;
    const char* errText;  // expected standard error
    std::vector<FileText> fileTexts;
};

// Steps answering the number questions first..last (indices into QUESTIONS) with keys[i],
// "0" where keys runs out, skipping the -xl questions unless xl.
void addAnswers(std::vector<Step>& steps, bool xl, int first, int last, std::vector<const char*> keys) {
    size_t k = 0;
    for (int q = first; q <= last; ++q) {
        if (QUESTIONS[q].xl && !xl) continue;
        std::string typed = k < keys.size() ? keys[k] : "0";
        ++k;
        steps.push_back({ QUESTIONS[q].prompt, typed + "\r" });
    }
}

constexpr int LAST_QUESTION = static_cast<int>(sizeof QUESTIONS / sizeof QUESTIONS[0]) - 1;

void addCrystalRaceAndEnd(std::vector<Step>& steps, const char* letterKeys) {
    steps.push_back(
        { std::string("Von welchem Volk werden die Kristallfabriken genommen?\n") + CRYSTAL_RACE_LINE, letterKeys });
    steps.push_back({ FINAL_PROMPT, "\r" });
}

std::vector<Case> makeCases() {
    std::vector<Case> cases;
    {
        Case c{ "normal", { "-h", "-br", "-dat" }, {}, 0, "", {} };
        c.steps.push_back({ ECHO_PROMPT, "j\r" });
        // SKW M 2, L 1; ore M yield 40; L1 M 3; crystal M 1; GKF 1; Argon ore-based 2
        addAnswers(c.steps, false, 0, LAST_QUESTION,
                   { "2", "1", "0", "40", "0", "0", "0", "3", "0", "0", "0", "1", "1", "0", "0", "2" });
        addCrystalRaceAndEnd(c.steps, "a\r");
        c.fileTexts = { { "Eingaben.txt", "Sonnenkraftwerke:\r\n\r\nTyp M: 2\r\nTyp L: 1\r\nTyp XL: 0\r\n" },
                        { "Eingaben.txt", "Erzminen Ausbeute:\r\n\r\nTyp M: 40\r\nTyp L: 0" },
                        { "Eingaben.txt", "Level 1 Fabriken:\r\n\r\nTyp M: 3\r\nTyp L: 0" },
                        { "Eingaben.txt", "Kristallfabriken:\r\n\r\nTyp M: 1" } };
        cases.push_back(c);
    }
    {
        // 'j' answers the question, the 'a' stays pending: Q1 to Q12 read nothing, Q13 drops it.
        Case c{ "ja-at-echo-question", { "-xl", "-dat" }, {}, 0, "", {} };
        c.steps.push_back({ ECHO_PROMPT, "ja\r" });
        addAnswers(c.steps, true, Q13, LAST_QUESTION, { "3" });
        addCrystalRaceAndEnd(c.steps, "a\r");
        c.fileTexts = { { "Eingaben.txt", "Sonnenkraftwerke:\r\n\r\nTyp M: 0\r\nTyp L: 0\r\nTyp XL: 0\r\n" },
                        { "Eingaben.txt", "Level 2 (+L1) Fabriken\r\n\r\nTyp M: 3\r\nTyp L: 0\r\nTyp XL: 0" } };
        cases.push_back(c);
    }
    {
        // The letter stays pending until Q13 drops it; Q1 to Q11 read 0.
        Case c{ "letter-at-q1", { "-dat" }, {}, 0, "", {} };
        c.steps.push_back({ ECHO_PROMPT, "j\r" });
        c.steps.push_back({ QUESTIONS[0].prompt, "x\r" });
        addAnswers(c.steps, false, Q13, LAST_QUESTION, { "4" });
        addCrystalRaceAndEnd(c.steps, "a\r");
        c.fileTexts = { { "Eingaben.txt", "Sonnenkraftwerke:\r\n\r\nTyp M: 0\r\nTyp L: 0\r\nTyp XL: 0\r\n" },
                        { "Eingaben.txt", "Level 2 (+L1) Fabriken\r\n\r\nTyp M: 4\r\nTyp L: 0" } };
        cases.push_back(c);
    }
    {
        // From Q13 on nothing is read until the crystal race question drops the letter.
        Case c{ "letter-at-q13", { "-dat" }, {}, 0, "", {} };
        c.steps.push_back({ ECHO_PROMPT, "j\r" });
        addAnswers(c.steps, false, 0, Q13 - 1, { "5", "0", "0", "0", "0", "0", "0", "6" });
        c.steps.push_back({ QUESTIONS[Q13].prompt, "y\r" });
        addCrystalRaceAndEnd(c.steps, "a\r");
        c.fileTexts = { { "Eingaben.txt", "Sonnenkraftwerke:\r\n\r\nTyp M: 5\r\n" },
                        { "Eingaben.txt", "Level 1 Fabriken:\r\n\r\nTyp M: 6\r\n" },
                        { "Eingaben.txt", "Level 2 (+L1) Fabriken\r\n\r\nTyp M: 0\r\nTyp L: 0" },
                        { "Eingaben.txt", "Kristallfabriken:\r\n\r\nTyp M: 0" } };
        cases.push_back(c);
    }
    {
        // A bare Enter is no race letter: only the letter line comes again.
        Case c{ "enter-at-crystal-race", {}, {}, 0, "", {} };
        addAnswers(c.steps, false, 0, LAST_QUESTION, {});
        c.steps.push_back(
            { std::string("Von welchem Volk werden die Kristallfabriken genommen?\n") + CRYSTAL_RACE_LINE, "\r" });
        c.steps.push_back({ CRYSTAL_RACE_LINE, "\r" });
        c.steps.push_back({ CRYSTAL_RACE_LINE, "t\r" });
        c.steps.push_back({ FINAL_PROMPT, "\r" });
        cases.push_back(c);
    }
    {
        Case c{ "end-at-echo-question", { "-or", "-dat" }, {}, 255, INPUT_ENDED, {} };
        c.steps.push_back({ RACE_NAMES_PROMPT, "j\r" });
        c.steps.push_back({ ECHO_PROMPT, std::string(1, END_OF_INPUT) });
        cases.push_back(c);
    }
    {
        Case c{ "end-at-crystal-race", { "-dat" }, {}, 255, INPUT_ENDED, {} };
        c.steps.push_back({ ECHO_PROMPT, "n\r" });
        addAnswers(c.steps, false, 0, LAST_QUESTION, {});
        c.steps.push_back({ std::string("Von welchem Volk werden die Kristallfabriken genommen?\n") + CRYSTAL_RACE_LINE,
                            std::string(1, END_OF_INPUT) });
        cases.push_back(c);
    }
    return cases;
}

// ---- helpers ----

long long nowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

int msLeft(long long deadline) {
    long long left = deadline - nowMs();
    return left < 0 ? 0 : static_cast<int>(left);
}

// The text with control characters shown, for failure messages.
std::string shown(const std::string& text) {
    std::string out;
    for (char ch : text) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c < 0x20 || c >= 0x7f) {
            char hex[8];
            snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        } else
            out += static_cast<char>(c);
    }
    return out;
}

std::string tail(const std::string& text, size_t n) {
    return shown(text.size() > n ? text.substr(text.size() - n) : text);
}

bool readFile(const std::string& path, std::string& content) {
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return false;
    content.clear();
    char chunk[4096];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, f)) > 0) content.append(chunk, got);
    fclose(f);
    return true;
}

int removeEntry(const char* path, const struct stat* /*info*/, int /*kind*/, FTW* /*where*/) { return remove(path); }

void removeTree(const std::string& path) { nftw(path.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS); }

std::vector<std::string> listDirectory(const std::string& path) {
    std::vector<std::string> names;
    DIR* dir = opendir(path.c_str());
    if (!dir) return names;
    while (dirent* e = readdir(dir)) {
        if (strcmp(e->d_name, ".") != 0 && strcmp(e->d_name, "..") != 0) names.push_back(e->d_name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

// A descriptor that becomes readable when the process ends, so that its exit can be awaited
// with a time limit; -1 where the kernel has none (the wait then has no limit).
int openProcessHandle(pid_t pid) { return static_cast<int>(syscall(SYS_pidfd_open, pid, 0)); }

// Waits up to WAIT_MS for the child to end and returns its exit status; kills it and returns
// -1 when it does not end in time.
int awaitExit(pid_t pid, int handle) {
    if (handle >= 0) {
        pollfd p{ handle, POLLIN, 0 };
        int ready = poll(&p, 1, WAIT_MS);
        close(handle);
        if (ready <= 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            return -1;
        }
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    return 1000 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}

// What one run left behind.
struct Outcome {
    std::string console;
    std::string err;
    int status = -1;
    std::string workDir;
    bool ok = true;
};

// Runs in the forked child: into the work directory, standard error to its file, then the program.
[[noreturn]] void startProgram(const std::string& program, const Case& c, const std::string& workDir,
                               const std::string& errPath) {
    int errFd = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (errFd < 0 || dup2(errFd, 2) < 0 || chdir(workDir.c_str()) != 0) _exit(126);
    close(errFd);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const char* a : c.args) argv.push_back(const_cast<char*>(a));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
}

void failRun(Outcome& out, const char* caseName, const char* how, const std::string& detail) {
    printf("FAIL %s (%s): %s\n", caseName, how, detail.c_str());
    out.ok = false;
}

// ---- the terminal run ----

struct Terminal {
    int master;
    std::string screen;  // every byte the terminal showed
    bool closed;         // the program side has gone
};

// Reads the next bytes the terminal shows, or notes that the program side has closed; returns
// false when nothing came before the deadline.
bool readScreen(Terminal& t, long long deadline) {
    pollfd p{ t.master, POLLIN, 0 };
    int ready = poll(&p, 1, msLeft(deadline));
    if (ready <= 0) return false;
    char chunk[4096];
    ssize_t got = read(t.master, chunk, sizeof chunk);
    if (got > 0)
        t.screen.append(chunk, static_cast<size_t>(got));
    else if (got == 0 || errno != EINTR)
        t.closed = true;  // EIO: the slave side is closed
    return true;
}

// The terminal shows the program's "\n" as "\r\n".
std::string onScreen(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// What the terminal echoes for typed keys in canonical mode: Enter (CR, read as LF) as CR LF,
// the end-of-input key not at all.
std::string echoOf(const std::string& keys, char eofKey) {
    std::string out;
    for (char k : keys) {
        if (k == '\r')
            out += "\r\n";
        else if (k != eofKey)
            out += k;
    }
    return out;
}

Outcome runOnTerminal(const std::string& program, const Case& c, const std::string& base) {
    Outcome out;
    out.workDir = base + "/terminal";
    mkdir(out.workDir.c_str(), 0700);
    std::string errPath = base + "/terminal.err";
    winsize size{ 24, 80, 0, 0 };
    int master = -1;
    pid_t pid = forkpty(&master, nullptr, nullptr, &size);
    if (pid < 0) {
        failRun(out, c.name, "terminal", std::string("forkpty: ") + strerror(errno));
        return out;
    }
    if (pid == 0) startProgram(program, c, out.workDir, errPath);
    int handle = openProcessHandle(pid);
    termios modes{};
    tcgetattr(master, &modes);
    char eofKey = static_cast<char>(modes.c_cc[VEOF]);

    Terminal t{ master, {}, false };
    struct Echo {
        size_t at;
        std::string text;
    };
    std::vector<Echo> echoes;
    size_t cursor = 0;  // a prompt must show up after this point of the screen
    bool stuck = false;
    for (const Step& step : c.steps) {
        std::string want = onScreen(step.prompt);
        long long deadline = nowMs() + WAIT_MS;
        while (!stuck && !(t.screen.size() >= cursor + want.size() &&
                           t.screen.compare(t.screen.size() - want.size(), want.size(), want) == 0)) {
            if (t.closed || !readScreen(t, deadline)) {
                failRun(out, c.name, "terminal",
                        "prompt \"" + shown(step.prompt) + "\" did not appear; the screen ends with \"" +
                            tail(t.screen, 300) + "\"");
                stuck = true;
            }
        }
        if (stuck) break;
        std::string keys = step.keys;
        for (char& k : keys) {
            if (k == END_OF_INPUT) k = eofKey;
        }
        echoes.push_back({ t.screen.size(), echoOf(keys, eofKey) });
        cursor = t.screen.size() + echoes.back().text.size();
        if (write(master, keys.data(), keys.size()) != static_cast<ssize_t>(keys.size())) {
            failRun(out, c.name, "terminal", "typing failed");
        }
    }
    if (stuck) kill(pid, SIGKILL);
    long long deadline = nowMs() + WAIT_MS;
    while (!t.closed) {
        if (!readScreen(t, deadline)) {
            failRun(out, c.name, "terminal",
                    "the program did not end; the screen ends with \"" + tail(t.screen, 300) + "\"");
            kill(pid, SIGKILL);
            break;
        }
    }
    out.status = awaitExit(pid, handle);
    close(master);

    // Take out the echoed keys (each right where it was typed), then undo the CR LF.
    std::string screen = t.screen;
    for (auto e = echoes.rbegin(); e != echoes.rend(); ++e) {
        if (screen.compare(e->at, e->text.size(), e->text) != 0) {
            failRun(out, c.name, "terminal",
                    "echo \"" + shown(e->text) + "\" expected at screen offset " + std::to_string(e->at) +
                        ", found \"" + shown(screen.substr(e->at, 40)) + "\"");
            continue;
        }
        screen.erase(e->at, e->text.size());
    }
    for (size_t i = 0; i < screen.size(); ++i) {
        if (screen[i] == '\r' && i + 1 < screen.size() && screen[i + 1] == '\n') continue;
        out.console += screen[i];
    }
    readFile(errPath, out.err);
    return out;
}

// ---- the piped run ----

// The keys as a script would pipe them: Enter is a line feed, and the input ends where the
// end-of-input key was pressed.
std::string pipedKeys(const Case& c) {
    std::string text;
    for (const Step& step : c.steps) {
        for (char k : step.keys) {
            if (k == END_OF_INPUT) return text;
            text += k == '\r' ? '\n' : k;
        }
    }
    return text;
}

Outcome runPiped(const std::string& program, const Case& c, const std::string& base) {
    Outcome out;
    out.workDir = base + "/piped";
    mkdir(out.workDir.c_str(), 0700);
    std::string errPath = base + "/piped.err";
    int in[2];
    int console[2];
    if (pipe(in) != 0 || pipe(console) != 0) {
        failRun(out, c.name, "piped", "pipe failed");
        return out;
    }
    pid_t pid = fork();
    if (pid < 0) {
        failRun(out, c.name, "piped", std::string("fork: ") + strerror(errno));
        return out;
    }
    if (pid == 0) {
        dup2(in[0], 0);
        dup2(console[1], 1);
        close(in[0]);
        close(in[1]);
        close(console[0]);
        close(console[1]);
        startProgram(program, c, out.workDir, errPath);
    }
    int handle = openProcessHandle(pid);
    close(in[0]);
    close(console[1]);
    std::string keys = pipedKeys(c);  // a few hundred bytes: the pipe takes them all at once
    if (write(in[1], keys.data(), keys.size()) != static_cast<ssize_t>(keys.size())) {
        failRun(out, c.name, "piped", "writing the input failed");
    }
    close(in[1]);
    long long deadline = nowMs() + WAIT_MS;
    for (;;) {
        pollfd p{ console[0], POLLIN, 0 };
        if (poll(&p, 1, msLeft(deadline)) <= 0) {
            failRun(out, c.name, "piped", "the program did not end");
            kill(pid, SIGKILL);
            break;
        }
        char chunk[4096];
        ssize_t got = read(console[0], chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        out.console.append(chunk, static_cast<size_t>(got));
    }
    close(console[0]);
    out.status = awaitExit(pid, handle);
    readFile(errPath, out.err);
    return out;
}

// ---- comparing ----

std::string statusText(int status) {
    if (status < 0) return "unknown (killed after the time limit)";
    if (status >= 1000) return "none (ended by signal " + std::to_string(status - 1000) + ")";
    return std::to_string(status);
}

// The first difference of two texts, with some context of each.
std::string firstDifference(const std::string& a, const std::string& b) {
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    size_t from = i > 60 ? i - 60 : 0;
    return "at byte " + std::to_string(i) + ": terminal \"" + shown(a.substr(from, 120)) + "\" piped \"" +
           shown(b.substr(from, 120)) + "\"";
}

bool runCase(const std::string& program, const Case& c) {
    const char* tmp = getenv("TMPDIR");
    std::string templ = std::string(tmp && *tmp ? tmp : "/tmp") + "/werkverbund-terminal-XXXXXX";
    std::vector<char> name(templ.begin(), templ.end());
    name.push_back('\0');
    const char* made = mkdtemp(name.data());
    if (!made) {
        printf("FAIL %s: no temporary directory\n", c.name);
        return false;
    }
    std::string base = made;

    Outcome term = runOnTerminal(program, c, base);
    Outcome piped = runPiped(program, c, base);
    bool ok = term.ok && piped.ok;
    auto fail = [&](const std::string& what) {
        printf("FAIL %s: %s\n", c.name, what.c_str());
        ok = false;
    };

    if (term.console != piped.console) fail("console text differs " + firstDifference(term.console, piped.console));
    if (term.status != c.status)
        fail("terminal exit status " + statusText(term.status) + ", expected " + std::to_string(c.status));
    if (piped.status != c.status)
        fail("piped exit status " + statusText(piped.status) + ", expected " + std::to_string(c.status));
    if (term.err != c.errText)
        fail("terminal standard error \"" + shown(term.err) + "\", expected \"" + shown(c.errText) + "\"");
    if (piped.err != c.errText)
        fail("piped standard error \"" + shown(piped.err) + "\", expected \"" + shown(c.errText) + "\"");

    std::vector<std::string> termFiles = listDirectory(term.workDir);
    std::vector<std::string> pipedFiles = listDirectory(piped.workDir);
    if (termFiles != pipedFiles) {
        std::string both = "terminal:";
        for (const auto& f : termFiles) both += " " + f;
        both += "; piped:";
        for (const auto& f : pipedFiles) both += " " + f;
        fail("different files written (" + both + ")");
    }
    for (const std::string& f : termFiles) {
        std::string a;
        std::string b;
        readFile(term.workDir + "/" + f, a);
        if (!readFile(piped.workDir + "/" + f, b)) continue;
        if (a != b) fail(f + " differs " + firstDifference(a, b));
    }
    for (const FileText& ft : c.fileTexts) {
        std::string content;
        if (!readFile(term.workDir + "/" + ft.file, content))
            fail(std::string(ft.file) + " was not written");
        else if (content.find(ft.text) == std::string::npos)
            fail(std::string(ft.file) + " lacks \"" + shown(ft.text) + "\"");
    }

    if (ok) {
        removeTree(base);
        printf("ok %s\n", c.name);
    } else {
        printf("  the runs are kept in %s\n", base.c_str());
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: %s PROGRAM CASE|all\n", argv[0]);
        return 2;
    }
    char* resolved = realpath(argv[1], nullptr);
    if (!resolved) {
        fprintf(stderr, "%s: %s\n", argv[1], strerror(errno));
        return 2;
    }
    std::string program = resolved;
    free(resolved);
    signal(SIGPIPE, SIG_IGN);
    // With standard input closed (as CI may start us), pipe() would hand out descriptor 0 and
    // the piped run's redirections would close it again: keep 0 to 2 taken.
    for (int fd = open("/dev/null", O_RDWR); fd >= 0; fd = open("/dev/null", O_RDWR)) {
        if (fd > 2) {
            close(fd);
            break;
        }
    }

    int passed = 0;
    int failed = 0;
    bool found = false;
    for (const Case& c : makeCases()) {
        if (strcmp(argv[2], "all") != 0 && strcmp(argv[2], c.name) != 0) continue;
        found = true;
        if (runCase(program, c))
            ++passed;
        else
            ++failed;
    }
    if (!found) {
        fprintf(stderr, "no case named %s\n", argv[2]);
        return 2;
    }
    printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
