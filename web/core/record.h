// The records the page reads: "name=value&..." text, every value
// percent-encoded but for the characters URLSearchParams reads as
// themselves, one record at a time, valid until the next begins; and the
// words of the command lines the page hands the core.
#ifndef WIEDERGEWINNSZEIT_RECORD_H
#define WIEDERGEWINNSZEIT_RECORD_H

#include <cstddef>

// A growing block of bytes, always ended by a NUL; free data when done.
struct Bytes {
	char *data = nullptr;
	size_t size = 0;
	size_t capacity = 0;
};
void append(Bytes &to, const void *bytes, size_t size);

// Starts the record anew; its text so far.
void beginRecord();
const char *recordText();
// A field: bytes or text, an int, a figure as the table prints money,
// rates and years ("%.2f").
void putBytes(const char *name, const char *bytes, size_t size);
void put(const char *name, const char *value);
void putNumber(const char *name, int value);
void putFigure(const char *name, double value);
// A name with a prefix ("pair1-" and "years": "pair1-years"), valid until
// the next call.
const char *named(const char *prefix, const char *name);

// An argument vector: the program name, then count words of block, each
// ended by a NUL. Freed by the caller.
const char **lineOf(const char *block, int count);
// A command line of four numbers and the options that lines of a
// comparison share: shared[0] is the price, the rest are options. Freed
// by the caller.
const char **lineWith(const char *cost, const char *before, const char *after, const char *const shared[],
                      int sharedCount);
// A value of the page's own, read as the whole text.
bool readWhole(const char *text, double &value);
// The text after "name=" among count words of the form "name=text"; "" when
// none is named so.
const char *wordNamed(const char *const words[], int count, const char *name);
// A count of identical devices: a whole number from 1 to MOST_DEVICES.
inline constexpr double MOST_DEVICES = 1e6;
bool readCount(const char *text, double &count);
// The fewest plain digits ("750", "0.25") that a run reads back as the
// finite value, at most longest characters; false when none is that short.
inline constexpr int TEXT_SIZE = 64;
bool plainDigits(float value, char *text, int longest);
// The shortest text a run reads back as value: plain digits unless a power
// of ten is shorter.
void shortest(float value, char (&text)[TEXT_SIZE]);

// The payback of a command line as the page words it, each name after
// prefix: "kind" (its kind, "" when the line gives no table), "years", a
// payback under two years in "durationCount", "durationUnit" ("monate", "tage")
// and "durationNearness" (-1 a little less, 0 about, 1 a little more); with a
// service life (> 0) the balance at its end ("balance"); with all, the rest
// of the answer's figures (see wgz_answer). Returns the years when it pays
// back, else NaN.
// Which answer a payback gives, as the page words it (see record.cpp).
const char *answerKind(float years, float cost, double energy, double saving, double gain);
float putPayback(const char *prefix, const char *const argv[], int argc, float life, bool all);
// The power of one device's field as a command line takes it: power, a word
// in W as a run reads it; standby ("" for none), the W it draws for the
// rest of the day beside hours of operation; count ("" for one) identical
// devices. Fields: "text", the word for the command line (power itself
// where neither applies), and "shown", its figure; with standby the
// average over the day ("average") and the hours it stands by ("rest");
// "year", the kWh a year one device draws (hours given: over them, with
// standby); "unusual" 1 when, without hours, the power drawn around
// the clock is above "limit" W, more than any household device that runs
// all day draws: a sign that a label's kWh were typed as W. Or "problem"
// ("zahl", "bereich") and "field" ("standby", "anzahl").
void putPower(const char *power, const char *standby, const char *hours, const char *count);

// Puts the step's name under name where the step's result, worked by hand
// from the figures it shows (byHand), prints otherwise than the result
// shown.
void putIfRounded(const char *name, const char *step, double byHand, const char *shown);

// A service life as the page takes it: more than 0 and at most 100 years.
// 0 for none or one refused.
float lifeOf(const char *text);

#endif
