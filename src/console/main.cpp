// Werkverbund: plans self-sufficient factory complexes on the console.
#include "console/console.h"
#include "control/control.h"

#include <fcntl.h>
#include <cerrno>
#include <csignal>
#ifdef _WIN32
#include <io.h>
#else
#include <poll.h>
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

// Opens each closed standard descriptor on the null device, so that no output file can get its number and take
// in console text. Returns whether standard output was closed.
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

// Writes all bytes to the descriptor the data points at. A standard output in non-blocking mode that cannot take
// more yet is waited for, so that only a real write error loses console text.
int writeDescriptor(void* data, const char* bytes, int length) {
    int fd = *static_cast<const int*>(data);
    while (length > 0) {
        auto got = write(fd, bytes, static_cast<unsigned>(length));
        if (got > 0) {
            bytes += got;
            length -= static_cast<int>(got);
            continue;
        }
        if (got < 0 && errno == EINTR) continue;
#ifndef _WIN32
        pollfd writable{ fd, POLLOUT, 0 };
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && (poll(&writable, 1, -1) >= 0 || errno == EINTR))
            continue;
#endif
        return -1;
    }
    return 0;
}

int OUTPUT_FD = 1;
int ERROR_FD = 2;
// Standard output and error for the whole run; made at compile time, so that the start does not clear their
// buffers.
constinit Console con = { streamTo(writeDescriptor, &OUTPUT_FD), streamTo(writeDescriptor, &ERROR_FD) };
}  // namespace

int main(int argc, char** argv) {
    bool outputClosed = openClosedStandardDescriptors();
#ifdef _WIN32
    // The console gets the same bytes as on Linux: "\n" must not become CR LF. Standard input stays in text mode,
    // so that Ctrl-Z ends typed input as Windows users expect.
    _setmode(1, _O_BINARY);
    _setmode(2, _O_BINARY);
#else
    // A write beyond the file-size limit fails like one to a full disk instead of ending the run.
    signal(SIGXFSZ, SIG_IGN);
#endif
    ConsoleInput input = inputOnDescriptor(con, 0);
    int status = runWerkverbund(argc, argv, con, consoleAnswers(input));
    flushStream(con.out);
    if (outputClosed || con.out.failed) {  // console text lost?
        printMessage(con, ABOUT_CONSOLE, 0, "Fehler: Die Konsolenausgabe konnte nicht geschrieben werden\n");
        status = -1;
    }
    return status;
}
