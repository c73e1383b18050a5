// wiedergewinnszeit: payback time of an investment that saves electricity.
#include <cstdio>

#include "cli.h"
#include "common.h"

#ifdef _WIN32
// Let the start-up code expand wildcard patterns, as Windows consoles leave
// that to the program.
extern "C" int _dowildcard;
int _dowildcard = -1;
#endif

int main(int argc, char *argv[])
{
	int status = runCalculator(argc, argv);

	// A page redirected onto a full disk must not look like a success.
	if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
		std::fprintf(stderr, "%s: Die Ausgabe konnte nicht geschrieben werden.\n",
		             argc > 0 && argv[0] != nullptr ? argv[0] : PROGRAM_NAME);
		return EXIT_WRITE_ERROR;
	}
	return status;
}
