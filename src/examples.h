// The seven worked examples, with their fixed result tables.
#ifndef WIEDERGEWINNSZEIT_EXAMPLES_H
#define WIEDERGEWINNSZEIT_EXAMPLES_H

#include "common.h"

// Only argv[0], the program name as invoked, is used: it starts every
// example command line.
void printExamples(const char *const argv[], OutputStyle style);

#endif
