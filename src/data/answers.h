// The answers port: the run asks every question through a reader's functions and the reader's data, and never
// knows whether a person types the answers at the console or a plan hands them over as values. The order of
// prompts, records and file writes is the run's; a reader only prints the prompt and brings the answer.
#pragma once

#include "data/questions.h"

// One question as the run asks it.
struct Ask {
    const Question* q;      // a question of the table, or null for an option's yes/no question
    OptionCode option;      // the option whose yes/no question it is, or OPTION_NONE
    const char* prompt;     // printed by the reader before it takes the answer
    const char* letters;    // the letters a letter question takes
    const char* shownText;  // an -m question: the value it shows, as shown; else null
};

// What a reader brings back.
struct Answer {
    double value;         // the count, the demand or the letter's code
    AnswerSource source;  // typed, the shown value taken, or nothing readable (value 0)
    int refused;          // the shown value was out of range and the nearest bound taken instead
    int ended;            // a letter question: the input ended before a letter came
};

struct AnswerReader {
    Answer (*letter)(void* data, const Ask& ask);  // asks until one of ask.letters comes, or the input ends
    Answer (*count)(void* data, const Ask& ask);   // a whole number within the question's range
    Answer (*demand)(void* data, const Ask& ask);  // a finite float
    int (*enter)(void* data);                      // the final Enter: 0, or -1 when the input has ended
};

struct Answers {
    const AnswerReader* reader;
    void* data;
};
