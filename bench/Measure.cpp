#include "bench/Measure.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <stdexcept>

namespace zv::bench {

namespace {

constexpr double kKibPerMib = 1024.0;

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

ChildRun Reap(pid_t child, std::chrono::steady_clock::time_point started, const std::string& what) {
    int status = 0;
    rusage usage{};
    while (::wait4(child, &status, 0, &usage) < 0) {
        if (errno != EINTR) {
            Fail("wait for " + what);
        }
    }
    auto ended = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(what + " failed (wait status " + std::to_string(status) + ")");
    }
    auto seconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    return {std::chrono::duration<double>(ended - started).count(),
            static_cast<double>(usage.ru_maxrss) / kKibPerMib,
            seconds(usage.ru_utime) + seconds(usage.ru_stime)};
}

// Forks, runs `inChild` in the child and times it to its end, as one measurement does for all.
ChildRun RunTimed(const std::function<void()>& inChild, const std::string& name) {
    // Buffered output would otherwise be written twice.
    std::fflush(nullptr);
    auto started = std::chrono::steady_clock::now();
    pid_t child = ::fork();
    if (child < 0) {
        Fail("fork");
    }
    if (child == 0) {
        inChild();
        ::_exit(0);
    }
    return Reap(child, started, name);
}

}  // namespace

ChildRun TimeChild(const std::function<void()>& work) {
    return RunTimed(
        [&] {
            try {
                work();
            } catch (const std::exception& error) {
                std::fprintf(stderr, "%s\n", error.what());
                ::_exit(1);
            }
        },
        "the measured child");
}

ChildRun TimeProgram(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    return RunTimed(
        [&] {
            // dd reports its own statistics; only the time counts here.
            int quiet = ::open("/dev/null", O_WRONLY);
            if (quiet >= 0) {
                ::dup2(quiet, STDOUT_FILENO);
                ::dup2(quiet, STDERR_FILENO);
            }
            ::execvp(argv[0], argv.data());
            ::_exit(127);
        },
        arguments.front());
}

void FlushDisks() {
    ::sync();
}

}  // namespace zv::bench
