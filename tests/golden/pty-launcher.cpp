// run-case.sh's launcher hook (Linux): runs a golden case on a pseudo-terminal, echo off, typing each line of our
// standard input only while the program waits in a read on descriptor 0 (README, golden-pty). Exits with its status,
// or 125 and a message when it waits with no prompt shown (output not flushed) or reads after the end-of-input key.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

namespace {

constexpr int PROMPT_WAIT_MS = 2000;  // how long a missing prompt may take to show up

pid_t child = -1;
int master = -1;
int status = -1;     // the program's wait status, once it has ended
std::string screen;  // every byte the program has shown

[[noreturn]] void fail(const char* why) {
    if (child > 0) kill(child, SIGKILL);
    std::string end = screen.substr(screen.size() > 80 ? screen.size() - 80 : 0);
    for (char& c : end) c = c == '\n' ? '|' : c;
    fprintf(stderr, "pty-launcher: %s; the screen ends with \"%s\" (| is a line end)\n", why, end.c_str());
    exit(125);
}

// Moves what the program has shown to our standard output; a read of the terminal takes all it wrote before.
void drain() {
    char chunk[4096];
    for (ssize_t got; (got = read(master, chunk, sizeof chunk)) > 0;) {
        screen.append(chunk, static_cast<size_t>(got));
        if (write(1, chunk, static_cast<size_t>(got)) != got) fail("cannot write standard output");
    }
}

void waitAMoment() {
    poll(nullptr, 0, 1);
    drain();
}

bool hasEnded() { return status != -1 || waitpid(child, &status, WNOHANG) == child; }

std::string procFile(const char* name) {
    std::ifstream file("/proc/" + std::to_string(child) + "/" + name);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// Whether the program sleeps in a read on descriptor 0 ("running" while it is not asleep).
bool waitsForInput() {
    long number = -1;
    unsigned long fd = 1;
    return sscanf(procFile("syscall").c_str(), "%ld 0x%lx", &number, &fd) == 2 && number == SYS_read && fd == 0;
}

// Read calls the program has completed, whatever they returned.
long readsDone() {
    std::string io = procFile("io");
    size_t at = io.find("syscr: ");
    return at == std::string::npos ? -1 : atol(io.c_str() + at + 7);
}

size_t shownWhenTyped = 0;  // screen size when the last keys were typed
bool maySkipPrompt = true;  // the program may wait again before it shows anything new

// A prompt ends on the line where the answer is typed, and an answer is followed by a new prompt before the next wait.
bool promptShown() {
    return !screen.empty() && screen.back() != '\n' && (maySkipPrompt || screen.size() > shownWhenTyped);
}

void type(const std::string& keys) {
    long before = readsDone();
    if (before < 0) fail("cannot watch the program's reads in /proc");
    shownWhenTyped = screen.size();
    // A line of blanks answers nothing; after a line without its line end a read may go on.
    maySkipPrompt = keys.back() != '\n' || keys.find_first_not_of(" \t\n") == std::string::npos;
    if (write(master, keys.data(), keys.size()) != static_cast<ssize_t>(keys.size())) fail("cannot type");
    while (readsDone() == before && !hasEnded()) waitAMoment();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) fail("usage: pty-launcher PROGRAM [ARGUMENT...] < TYPED > SCREEN");
    const std::string typed(std::istreambuf_iterator<char>(std::cin), {});
    int slave = -1;
    termios modes{};
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0 || tcgetattr(slave, &modes) != 0) fail("no terminal");
    modes.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL);
    modes.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    tcsetattr(slave, TCSANOW, &modes);
    const std::string endKey(1, static_cast<char>(modes.c_cc[VEOF]));
    child = fork();
    if (child == 0) {
        setsid();
        ioctl(slave, TIOCSCTTY, 0);
        dup2(slave, 0);
        dup2(slave, 1);
        close(slave);
        close(master);
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    // Our copy of the terminal's program side stays open, so that nothing shown is lost when the program ends.
    fcntl(master, F_SETFL, O_NONBLOCK);
    size_t next = 0;     // where the next line to type starts
    bool ended = false;  // the end-of-input key has ended the input
    while (!hasEnded()) {
        waitAMoment();
        if (!waitsForInput()) continue;
        for (int waited = 0; !promptShown() && waited < PROMPT_WAIT_MS; ++waited) waitAMoment();
        if (!promptShown()) fail("the program waits for input, but its prompt is not on the screen");
        if (ended) fail("the program reads again after the end-of-input key ended the input");
        // a last line without its line end is sent by the end-of-input key; pressed at a line's start, it ends input
        size_t lineEnd = std::min(typed.find('\n', next), typed.size());
        ended = next == typed.size();
        type(typed.substr(next, lineEnd + 1 - next) + (lineEnd == typed.size() ? endKey : ""));
        next = std::min(lineEnd + 1, typed.size());
    }
    drain();
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
