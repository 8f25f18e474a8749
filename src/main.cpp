// Werkverbund: plans self-sufficient factory complexes on the console.
#include "control/control.h"
#include "input/input.h"

#include <cstdio>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // The console gets the same bytes as on Linux: "\n" must not become CR LF. Standard input
    // stays in text mode, so that Ctrl-Z ends typed input as Windows users expect.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    Console con = consoleOnDescriptor(0, stdout, stderr);
    return runWerkverbund(argc, argv, con);
}
