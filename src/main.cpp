// Werkverbund: plans self-sufficient factory complexes on the console.
#include "control/control.h"
#include "input/input.h"

#include <fcntl.h>
#include <cerrno>
#include <csignal>
#include <cstdio>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
constexpr const char* NULL_DEVICE = "NUL";
bool isOpen(int fd) { return _get_osfhandle(fd) != -1; }
#else
constexpr const char* NULL_DEVICE = "/dev/null";
bool isOpen(int fd) { return fcntl(fd, F_GETFD) != -1 || errno != EBADF; }
#endif

// Opens each closed standard descriptor on the null device, so that no output file can get its
// number and take in console text. Returns whether standard output was closed.
bool openClosedStandardDescriptors() {
    bool outputClosed = false;
    for (int fd = 0; fd <= 2; ++fd) {
        if (isOpen(fd)) continue;
        if (fd == 1) outputClosed = true;
        int opened = open(NULL_DEVICE, O_RDWR);  // the lowest free number: fd itself
        if (opened > fd) {
            dup2(opened, fd);
            close(opened);
        }
    }
    return outputClosed;
}

}  // namespace

int main(int argc, char** argv) {
    bool outputClosed = openClosedStandardDescriptors();
#ifdef _WIN32
    // The console gets the same bytes as on Linux: "\n" must not become CR LF. Standard input
    // stays in text mode, so that Ctrl-Z ends typed input as Windows users expect.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#else
    // A write beyond the file-size limit fails like one to a full disk instead of ending the run.
    signal(SIGXFSZ, SIG_IGN);
#endif
    Console con = consoleOnDescriptor(0, stdout, stderr);
    int status = runWerkverbund(argc, argv, con);
    if (outputClosed || fflush(stdout) != 0 || ferror(stdout)) {  // console text lost?
        printMessage(con, "Fehler: Die Konsolenausgabe konnte nicht geschrieben werden\n");
        status = -1;
    }
    return status;
}
