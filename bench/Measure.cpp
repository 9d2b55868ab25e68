#include "bench/Measure.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <stdexcept>

namespace zv::bench {

namespace {

constexpr double kKibPerMib = 1024.0;
constexpr std::size_t kPatternChunkBytes = 1 << 20;

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

double Median(std::vector<double> values) {
    if (values.empty()) {
        throw std::invalid_argument("median of nothing");
    }
    auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    if (values.size() % 2 != 0) {
        return *middle;
    }
    return (*middle + *std::max_element(values.begin(), middle)) / 2;
}

double Maximum(const std::vector<double>& values) {
    if (values.empty()) {
        throw std::invalid_argument("maximum of nothing");
    }
    return *std::max_element(values.begin(), values.end());
}

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

void MakePatternFile(const std::string& path, std::int64_t bytes) {
    int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (descriptor < 0) {
        Fail("create " + path);
    }
    std::vector<std::uint64_t> chunk(kPatternChunkBytes / sizeof(std::uint64_t));
    std::uint64_t state = 0x9E3779B97F4A7C15ULL;
    while (bytes > 0) {
        for (auto& word : chunk) {
            // xorshift64: cheap and far from compressible
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            word = state;
        }
        auto want = static_cast<std::size_t>(
            std::min<std::int64_t>(bytes, static_cast<std::int64_t>(kPatternChunkBytes)));
        const char* from = reinterpret_cast<const char*>(chunk.data());
        std::size_t done = 0;
        while (done < want) {
            ssize_t put = ::write(descriptor, from + done, want - done);
            if (put < 0) {
                if (errno == EINTR) {
                    continue;
                }
                Fail("write " + path);
            }
            done += static_cast<std::size_t>(put);
        }
        bytes -= static_cast<std::int64_t>(want);
    }
    if (::fsync(descriptor) != 0 || ::close(descriptor) != 0) {
        Fail("flush " + path);
    }
}

void FlushDisks() {
    ::sync();
}

void PrintFigure(const std::string& name, double value, int decimals) {
    std::printf("%s: %.*f\n", name.c_str(), decimals, value);
    std::fflush(stdout);
}

}  // namespace zv::bench
