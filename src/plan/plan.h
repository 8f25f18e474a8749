// The plan front end, beside the console's: a plan hands over the options with their answers and per question a
// value or nothing; the plan reader answers the run from it and logs the line a console user would type for each
// answer (antworten.txt). And the tables and the run record as JSON, for the page that shows them.
#pragma once

#include "control/control.h"

#include <cstddef>

// A plan as the page hands it over. An empty field gives 0 for a count of the dialogue, the first crystal race,
// and for an -m question the value it shows.
struct Plan {
    OptionFlags options;           // the options that are on, with the answers of their yes/no questions
    double value[QUESTION_COUNT];  // a letter as its code
    int given[QUESTION_COUNT];     // the field has a value
};

// What a plan's run refused and what its reader logged.
struct PlanTaken {
    Refusal problem[QUESTION_COUNT];      // a value of an asked field that the console would refuse: counted as empty
    Refusal answerProblem[OPTION_COUNT];  // an answer neither j nor n, taken as j
    char log[8192];                       // the answers as typed lines
    int logLength;
};

void setPlanOption(Plan& plan, int option, int on, char answer);

// Checks the plan's values by the answer rules, then runs it: the options as flags, every answer from the plan.
// Returns the exit status, 0 or -1.
int runPlan(Plan plan, PlanTaken& taken, Console& con, const FileCalls& files);

// The tables the form is built from, and the last run's record (with what its plan refused, when a plan answered
// it, and the typed text it left unread), as JSON (describe.cpp); valid until the next call of either.
const char* describeTables();
const char* describeRecord(const PlanTaken* taken, size_t inputLeft);
// A field's text read for the question: {"value":..., "problem":...}.
const char* describeField(Refusal problem, double value);
