// The plan front end, beside the console's: a plan hands over the options with their answers and per question a
// value or nothing; the plan reader answers the run from it and logs the line a console user would type for each
// answer (antworten.txt). And the tables and the run record as JSON, for the page that shows them.
#pragma once

#include "control/control.h"

#include <cstddef>

// A plan as the page hands it over: each field's text read once by its question's answer rule. An empty field, or
// one whose text is refused, gives 0 for a count of the dialogue, the first crystal race, and for an -m question the
// value it shows.
struct Plan {
    OptionFlags options;              // the options that are on, with the answers of their yes/no questions
    double value[QUESTION_COUNT];     // a letter as its code
    int given[QUESTION_COUNT];        // the field has a value
    Refusal refused[QUESTION_COUNT];  // why the field's text was not taken
};

// What a plan's run refused and what its reader logged.
struct PlanTaken {
    Refusal problem[QUESTION_COUNT];  // an asked field whose text the console would refuse: counted as empty
    char log[8192];                   // the answers as typed lines
    int logLength;
};

void setPlanOption(Plan& plan, int option, int on, char answer);
// A field's value, or why its text was refused.
void setPlanField(Plan& plan, int question, Refusal refused, double value);

// Runs the plan: the options as flags (an answer neither j nor n taken as j), every answer from the plan. Returns
// the exit status, 0 or -1.
int runPlan(Plan plan, PlanTaken& taken, Console& con, const FileCalls& files);

// The tables the form is built from, and the last run's record (with what its plan refused, when a plan answered
// it, and the typed text it left unread), as JSON (describe.cpp); valid until the next call of either.
const char* describeTables();
const char* describeRecord(const PlanTaken* taken, size_t inputLeft);
