#include "run.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <sstream>

extern char **environ;

namespace {

std::string binary()
{
	const char *path = std::getenv("WGZ_BINARY");
	return path != nullptr ? path : WGZ_BINARY;
}

const char *runner()
{
	const char *name = std::getenv("WGZ_RUNNER");
	return name != nullptr && *name != '\0' ? name : nullptr;
}

// A user-mode emulator such as qemu-aarch64-static (WGZ_EMULATOR), for a
// Linux build of another processor; it sets the program name with -0.
const char *emulator()
{
	const char *name = std::getenv("WGZ_EMULATOR");
	return name != nullptr && *name != '\0' ? name : nullptr;
}

std::string withUnixLineEnds(std::string text)
{
	std::string result;
	for (size_t i = 0; i < text.size(); i++)
		if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
			result += text[i];
	return result;
}

int statusOf(int waitStatus)
{
	if (WIFEXITED(waitStatus))
		return WEXITSTATUS(waitStatus);
	return 128 + WTERMSIG(waitStatus);
}

// Spawns the program at path with standard output on outFd (or a pipe read
// here when outFd is -1) and standard error on a pipe read here.
Outcome spawn(const std::string &path, const std::vector<std::string> &args,
              const std::string &name, int outFd)
{
	std::vector<char *> argv;
	std::string programName = name;
	argv.push_back(programName.data());
	std::vector<std::string> copies(args);
	std::string target = path;
	std::string runnerName, nameOption = "-0";
	if (runner() != nullptr && path == binary()) {
		runnerName = runner();
		argv[0] = runnerName.data();
		argv.push_back(target.data());
	} else if (emulator() != nullptr && path == binary()) {
		runnerName = emulator();
		argv.insert(argv.begin(), {runnerName.data(), nameOption.data()});
		argv.push_back(target.data());
	}
	for (std::string &arg : copies)
		argv.push_back(arg.data());
	argv.push_back(nullptr);

	int outPipe[2] = {-1, -1}, errPipe[2];
	if (outFd < 0 && pipe(outPipe) != 0)
		std::abort();
	if (pipe(errPipe) != 0)
		std::abort();

	posix_spawn_file_actions_t actions;
	posix_spawn_file_actions_init(&actions);
	posix_spawn_file_actions_adddup2(&actions, outFd < 0 ? outPipe[1] : outFd, 1);
	posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
	if (outFd < 0)
		posix_spawn_file_actions_addclose(&actions, outPipe[0]);
	posix_spawn_file_actions_addclose(&actions, errPipe[0]);

	// Whatever this test runner does with SIGPIPE, the program gets the
	// default, as from a shell.
	posix_spawnattr_t attributes;
	posix_spawnattr_init(&attributes);
	sigset_t defaults;
	sigemptyset(&defaults);
	sigaddset(&defaults, SIGPIPE);
	posix_spawnattr_setsigdefault(&attributes, &defaults);
	posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

	pid_t pid;
	const char *file = runnerName.empty() ? path.c_str() : runnerName.c_str();
	if (posix_spawnp(&pid, file, &actions, &attributes, argv.data(), environ) != 0)
		std::abort();
	posix_spawn_file_actions_destroy(&actions);
	posix_spawnattr_destroy(&attributes);
	if (outFd < 0)
		close(outPipe[1]);
	close(errPipe[1]);

	Outcome result{"", "", -1};
	pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
	std::string *sinks[2] = {&result.out, &result.err};
	int open = outFd < 0 ? 2 : 1;
	if (outFd >= 0)
		fds[0].fd = -1;
	char buffer[65536];
	// A run that hangs or writes without end is killed after a minute, so
	// that it fails its test instead of stalling the suite; even emulated
	// runs take seconds.
	auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
	while (open > 0) {
		auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
			deadline - std::chrono::steady_clock::now());
		int ready = poll(fds, 2, static_cast<int>(std::max<long long>(left.count(), 0)));
		if (ready == 0) {
			kill(pid, SIGKILL);
			result.err += "killed after 60 s";
			break;
		}
		if (ready < 0)
			continue;
		for (int i = 0; i < 2; i++) {
			if (fds[i].fd < 0 || fds[i].revents == 0)
				continue;
			ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
			if (n > 0) {
				sinks[i]->append(buffer, static_cast<size_t>(n));
			} else {
				close(fds[i].fd);
				fds[i].fd = -1;
				open--;
			}
		}
	}
	for (pollfd &f : fds)
		if (f.fd >= 0)
			close(f.fd);
	int waitStatus;
	waitpid(pid, &waitStatus, 0);
	result.status = statusOf(waitStatus);
	return result;
}

}  // namespace

bool underRunner()
{
	return runner() != nullptr;
}

const std::string &programName()
{
	static const std::string name = [] {
		if (!underRunner())
			return std::string("wgz");
		// Read back from the help's syntax line.
		std::string out = runRaw({}).out;
		size_t start = out.find(" Syntax: ") + 9;
		return out.substr(start, out.find(" <Investitionskosten") - start);
	}();
	return name;
}

Outcome runRaw(const std::vector<std::string> &args)
{
	return spawn(binary(), args, "wgz", -1);
}

Outcome run(const std::vector<std::string> &args)
{
	Outcome result = runRaw(args);
	if (underRunner()) {
		result.out = withUnixLineEnds(result.out);
		result.err = withUnixLineEnds(result.err);
	}
	return result;
}

Outcome runNamed(const std::vector<std::string> &args, const std::string &name)
{
	return spawn(binary(), args, name, -1);
}

Outcome runInto(const std::vector<std::string> &args, const char *outputPath)
{
	int fd = open(outputPath, O_WRONLY);
	if (fd < 0)
		std::abort();
	Outcome result = spawn(binary(), args, "wgz", fd);
	close(fd);
	return result;
}

Outcome runIntoClosedPipe(const std::vector<std::string> &args)
{
	int fds[2];
	if (pipe(fds) != 0)
		std::abort();
	close(fds[0]);
	Outcome result = spawn(binary(), args, "wgz", fds[1]);
	close(fds[1]);
	return result;
}

Outcome runCommand(const std::string &path, const std::vector<std::string> &args)
{
	return spawn(path, args, path, -1);
}

std::string asPrinted(std::string expected)
{
	// x86 makes the negative default NaN; Arm, s390x and the rest a positive one.
	std::string made = "-nan";
	if (emulator() != nullptr && std::strstr(emulator(), "i386") == nullptr &&
	    std::strstr(emulator(), "x86_64") == nullptr)
		made = " nan";
	for (size_t at; (at = expected.find("?nan")) != std::string::npos;)
		expected.replace(at, 4, made);
	if (!underRunner())
		return expected;
	for (size_t at; (at = expected.find(" -nan")) != std::string::npos;)
		expected.replace(at, 5, "  nan");
	for (size_t at; (at = expected.find("-nan")) != std::string::npos;)
		expected.replace(at, 4, "nan");
	return expected;
}

std::vector<std::string> lines(const std::string &text)
{
	std::vector<std::string> result;
	size_t start = 0, end;
	while ((end = text.find('\n', start)) != std::string::npos) {
		result.push_back(text.substr(start, end - start));
		start = end + 1;
	}
	return result;
}

int tabbedWidth(const std::string &line)
{
	int column = 0;
	for (char c : line)
		column = c == '\t' ? (column / 8 + 1) * 8 : column + 1;
	return column;
}

std::vector<std::string> words(const std::string &commandLine)
{
	std::vector<std::string> result;
	std::istringstream in(commandLine);
	for (std::string word; in >> word;)
		result.push_back(word);
	return result;
}
