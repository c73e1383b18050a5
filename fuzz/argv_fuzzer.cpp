// Coverage-guided fuzzing of one invocation. The input is an argument
// vector: pieces separated by NUL bytes, the first piece the program name.
// Whatever the input, the run must end with a status the rules allow.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli.h"
#include "common.h"

namespace {

bool isErrorSum(int status)
{
	constexpr int ERROR_BITS = REPORT_ERR_INTEREST | REPORT_ERR_INFLATION | REPORT_ERR_HOURS |
	                           REPORT_ERR_HOURS_ZERO | REPORT_ERR_SAME_POWER;
	return status != 0 && (status & ~ERROR_BITS) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
	// The output is not judged here, only the run: send it away.
	if (std::freopen("/dev/null", "w", stdout) == nullptr)
		std::abort();
	return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
	std::vector<std::string> pieces(1);
	for (size_t i = 0; i < size; i++) {
		if (data[i] == '\0')
			pieces.emplace_back();
		else
			pieces.back() += static_cast<char>(data[i]);
	}
	std::vector<const char *> argv;
	for (const std::string &piece : pieces)
		argv.push_back(piece.c_str());
	argv.push_back(nullptr);
	int argc = static_cast<int>(pieces.size());

	int status = runCalculator(argc, argv.data());

	bool allowed = status == 0 || status == 1 || status == 65 || status == 129 || status == 257 ||
	               isErrorSum(status);
	if (!allowed || (status == 0 && argc - 1 < 4)) {
		std::fprintf(stderr, "status %d with %d arguments\n", status, argc - 1);
		std::abort();
	}

	// With four or more arguments, a trailing -h only changes the form of
	// the output: it is no option value and no number read.
	if (argc - 1 >= 4) {
		argv.back() = "-h";
		argv.push_back(nullptr);
		int withHtml = runCalculator(argc + 1, argv.data());
		if (withHtml != status) {
			std::fprintf(stderr, "status %d, with -h appended %d\n", status, withHtml);
			std::abort();
		}
	}
	return 0;
}
