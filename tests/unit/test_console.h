// A console on in-memory input for the unit tests, with its output kept in a temporary file.
#pragma once

#include "input/input.h"

#include <cstdio>
#include <cstring>
#include <string>

struct TestConsole {
    FILE* out = tmpfile();
    FILE* err = tmpfile();
    Console con;

    explicit TestConsole(const char* input) : con(consoleOnMemory(input, strlen(input), out, err)) {}
    ~TestConsole() {
        fclose(out);
        fclose(err);
    }
    TestConsole(const TestConsole&) = delete;
    TestConsole& operator=(const TestConsole&) = delete;

    static std::string contents(FILE* f) {
        fflush(f);
        std::string text;
        rewind(f);
        for (int c = fgetc(f); c != EOF; c = fgetc(f)) text += static_cast<char>(c);
        return text;
    }
    std::string printed() { return contents(out); }
    std::string warned() { return contents(err); }

    // Characters of the input taken so far (pending ones excluded).
    long consumed() const { return static_cast<long>(con.memPos) - (con.len - con.pos); }
};
