// Console reading and the input dialogue: the scanf-like reads, the questions built on them,
// the 42 questions of the dialogue and the echo of the answers to Eingaben.txt.
#pragma once

#include <cstddef>
#include <cstdio>

// Bounds of what a typed number may be, chosen so that no 32-bit sum or product of the run can
// overflow: with every dialogue answer within COUNT_LIMIT the energy demand stays below about
// 1.92e9 EZ, and with a typed demand within DEMAND_LIMIT and typed SKW counts within COUNT_LIMIT
// the remainder worked out again from those counts stays below 2.14e9 in size.
constexpr int COUNT_LIMIT = 10000;
constexpr int DEMAND_LIMIT = 500000000;
// A typed number longer than this many characters is refused as out of range.
constexpr int NUMBER_TEXT_LIMIT = 500;

// The console: output streams and standard input read through a small buffer of our own, so
// that what stays pending after a read is known exactly and can be discarded line-wise.
struct Console {
    FILE* out;        // console output
    FILE* err;        // messages about refused input, ended input, unwritable files
    int inFd;         // descriptor read from; -1 when the input is in memory
    const char* mem;  // in-memory input (tests and the fuzzer)
    size_t memLen;    // its length
    size_t memPos;    // how much of it has been moved into buf
    char buf[256];    // bytes read but not yet taken
    int pos;          // next unread byte in buf
    int len;          // bytes held in buf
    int atEnd;        // the input has ended; stays so for the rest of the run
    int lineTouched;  // a read has looked at a character of the current line
};

Console consoleOnDescriptor(int fd, FILE* out, FILE* err);
Console consoleOnMemory(const char* text, size_t length, FILE* out, FILE* err);

// scanf-style reads with glibc's rules; each returns 1 (converted), 0 (no number, the offending
// characters stay pending) or -1 (input ended first).
int scanInt(Console& con, long long* value);
int scanChar(Console& con, char* letter);
int scanFloat(Console& con, float* value, int* tooLong);
void discardPending(Console& con);

// Writes one message line (refused input, ended input, an unwritable file or console) to the
// console's error stream, after flushing what the console printed before it, so that in a
// combined log each message follows the prompt it belongs to.
void printMessage(Console& con, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Questions built on the reads (ask.cpp).
int askYesNo(Console& con, const char* prompt, char* answer);
int askCount(Console& con, const char* prompt, int low, int high);
float askDemand(Console& con, const char* prompt);
float askMineralDemand(Console& con, const char* mineral, float computed);
int askCrystalRace(Console& con, char* letter);
char lowerAscii(char letter);

// The dialogue (dialogue.cpp); returns 0 when the input ended at the crystal race question.
int runDialogue(Console& con);

// Echo of the answers to Eingaben.txt (echo.cpp).
void echoBlock(const char* mode, const char* format, ...) __attribute__((format(printf, 2, 3)));
void echoClosingGroup();
