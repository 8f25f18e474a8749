// Run control: the whole run from the start banner to the exit status, the options and the hint.
#pragma once

#include "supply/supply.h"

// The whole run, its answers brought by the reader and its files written with the given calls; returns the exit
// status (0, or -1 when the input ends too early).
int runWerkverbund(int argc, const char* const* argv, Console& con, Answers answers,
                   const FileCalls& files = SYSTEM_FILES);

// The same run with its options handed over as flags (their answers are asked all the same): each option that is
// on is carried out in the order of the options table, as if given in that order on the command line.
int runWerkverbundWith(const OptionFlags& options, Console& con, Answers answers,
                       const FileCalls& files = SYSTEM_FILES);

// Options (arguments.cpp). Each returns 0 when the input ended at one of their yes/no questions.
int parseOptions(int argc, const char* const* argv, Answers& answers);
int applyOptions(const OptionFlags& options, Answers& answers);

// The hint of the next option worth trying, or null.
const char* pickHint(const OptionFlags& opt);
