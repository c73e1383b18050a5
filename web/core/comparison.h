// Devices compared over a service life, for the page: every figure of the
// comparison as fields of the record (record.h).
#ifndef WIEDERGEWINNSZEIT_COMPARISON_H
#define WIEDERGEWINNSZEIT_COMPARISON_H

#include "common.h"
#include "output.h"

// The words of the command line that a value every line of a comparison
// shares stands for, where it has no finite figure ("2": the price; "-z",
// "-i", "-a"); null when all have one.
const char *notFinite(const PaybackInput &in, const ResultOptions &options, const ResultRow &row);

// The devices compared: shared, the price and options every command line
// has (read as in and options); old, the power of the old device kept (""
// for none), which costs nothing; offers, each offer's cost and power, two
// words an offer; life, the service life (0: none). Fields: each device,
// the old one first: "cost", "kwh", "electricity" and "interest" a year,
// "total" over the life with "totalRounded" (1: its shown figures add
// up by hand to another total), "rank" (1: cheapest); with a life
// "cheapest", "next" and "margin"; for each pair of offers N, "pairN-"
// with "cheap", "dear" (indices), "sameCost" and "thriftier" (the
// index drawing less, -1: neither), "extra", "line" (the words of its
// command line, each ended by a NUL) and its payback with its working
// (putPayback); for each offer N against the old device, "oldN-" with
// "line" and its payback and working over the life; the
// chart's span "span", each device's cost then ("end"), each payback
// within it ("pointYears", "pointCost") and "againstOld" where one is
// against the old device.
void putComparison(const char *const shared[], int sharedCount, const PaybackInput &in,
                   const ResultOptions &options, const char *old, const char *offers, int offerCount,
                   float life);

#endif
