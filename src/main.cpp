// Werkverbund: plans self-sufficient factory complexes on the console.
#include "control/control.h"
#include "input/input.h"

#include <cstdio>

int main(int argc, char** argv) {
    Console con = consoleOnDescriptor(0, stdout, stderr);
    return runWerkverbund(argc, argv, con);
}
