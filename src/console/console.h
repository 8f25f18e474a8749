// The console front end: standard input read through a buffer of our own with the rules of the C library's "%i",
// "%c" and "%f" conversions and the discard of pending input, and the reader that answers the run's questions
// from it, refusing numbers out of range and asking again.
#pragma once

#include "data/answers.h"
#include "report/report.h"

#include <cstddef>

struct ConsoleInput {
    Console* con;  // prompts and refusals go here; its output is flushed before every read
    int fd;        // descriptor read from; -1 when the input is in memory
    long (*read)(int fd, char* into, unsigned room);  // the system's read, or a test's
    const char* mem;                                  // in-memory input
    size_t memLen;                                    // its length
    size_t memPos;                                    // how much of it has been moved into buf
    char buf[256];                                    // bytes read but not yet taken
    int pos;                                          // next unread byte in buf
    int len;                                          // bytes held in buf
    int atEnd;                                        // the input has ended; stays so for the rest of the run
    int lineTouched;                                  // a read has looked at a character of the current line
    int endWithOutput;  // the input counts as ended once the console output is lost (the page's bound)
};

ConsoleInput inputOnDescriptor(Console& con, int fd);
ConsoleInput inputOnMemory(Console& con, const char* text, size_t length);

// scanf-style reads with glibc's rules; each returns 1 (converted), 0 (no number, the offending characters stay
// pending) or -1 (input ended first).
int scanInt(ConsoleInput& in, long long* value);
int scanChar(ConsoleInput& in, char* letter);
int scanFloat(ConsoleInput& in, float* value, int* tooLong);
void discardPending(ConsoleInput& in);

// A field's text for the question, read as the console reads a typed answer: a demand by "%f" with nothing but
// blanks after it, a count as decimal digits with an optional sign, a letter alone; gives the value, or why it is
// refused.
Refusal readFieldText(const Question& q, const char* text, size_t length, double* value);

// The reader of typed answers, over a ConsoleInput.
extern const AnswerReader CONSOLE_READER;
inline Answers consoleAnswers(ConsoleInput& in) { return Answers{ &CONSOLE_READER, &in }; }
