// A full build through the real window against the same build with a null window, in the same
// rounds and the same process, timed the same way: the captions must not slow the copy.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <stdexcept>
#include <vector>

#include "app/qt/MainWindow.h"
#include "bench/BuildRound.h"
#include "bench/Figures.h"
#include "bench/Measure.h"
#include "tests/support/NullWindow.h"
#include "tests/support/TempFolder.h"

namespace {

constexpr int kExposeTimeoutMs = 5'000;

double SecondsSince(std::chrono::steady_clock::time_point started) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
}

// User and system time of this process: what the window adds shows here without the disk's noise.
double CpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct BuildTime {
    double seconds = 0;
    double cpuSeconds = 0;
};

template <typename Control>
Control& ControlNamed(QWidget& window, const char* name) {
    auto* control = window.findChild<Control*>(QString::fromLatin1(name));
    if (control == nullptr) {
        throw std::runtime_error(std::string("the window has no control ") + name);
    }
    return *control;
}

void ShowAndWait(QWidget& window) {
    window.show();
    QElapsedTimer waited;
    waited.start();
    while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed()) {
        if (waited.elapsed() > kExposeTimeoutMs) {
            throw std::runtime_error("the window was never shown");
        }
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    QApplication::processEvents();
}

// Accepts every modal box that opens while `running` holds: the closing box of the build.
void DismissBoxesWhile(const bool& running) {
    QTimer::singleShot(0, [&running] {
        if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            box->accept();
        }
        if (running) {
            DismissBoxesWhile(running);
        }
    });
}

BuildTime TimeHeadlessBuild(const zv::test::TempFolder& scratch) {
    zv::bench::FlushDisks();
    zv::test::NullWindow window(scratch.Path());
    double cpuBefore = CpuSeconds();
    auto started = std::chrono::steady_clock::now();
    zv::bench::MakeMovie(window, zv::bench::kRecordingName);
    return {SecondsSince(started), CpuSeconds() - cpuBefore};
}

BuildTime TimeWindowBuild(const zv::test::TempFolder& scratch) {
    zv::MainWindow window(zv::MainWindowOptions{scratch.Path(), [](int) {}});
    ControlNamed<QLineEdit>(window, "ZIDAFile").setText(zv::bench::kRecordingName);
    auto& makeMovie = ControlNamed<QPushButton>(window, "MakeMovie");
    ShowAndWait(window);
    zv::bench::FlushDisks();

    bool running = true;
    DismissBoxesWhile(running);
    double cpuBefore = CpuSeconds();
    auto started = std::chrono::steady_clock::now();
    makeMovie.click();
    BuildTime time{SecondsSince(started), CpuSeconds() - cpuBefore};
    running = false;
    QApplication::processEvents();
    return time;
}

struct Sides {
    std::vector<double> seconds;
    std::vector<double> cpuSeconds;
};

void Record(BuildTime time, const zv::test::TempFolder& scratch, const char* which, Sides& side) {
    zv::bench::InspectBuild(scratch.Path());
    zv::bench::RemoveBuild(scratch.Path());
    std::fprintf(stderr, "  %-8s %.3f s (cpu %.3f s)\n", which, time.seconds, time.cpuSeconds);
    side.seconds.push_back(time.seconds);
    side.cpuSeconds.push_back(time.cpuSeconds);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    int rounds = zv::bench::RoundsFrom(argc, argv, zv::bench::kBuildRounds);
    if (rounds == 0) {
        return 2;
    }
    try {
        zv::test::TempFolder scratch;
        std::fprintf(stderr, "window benchmark: %lld-byte recording in %s, %d rounds, on %s\n",
                     zv::bench::kRecordingBytes, scratch.Path().c_str(), rounds,
                     qPrintable(QApplication::platformName()));
        zv::bench::MakePatternFile(scratch / zv::bench::kRecordingName, zv::bench::kRecordingBytes);

        Sides window;
        Sides headless;
        auto timeHeadless = [&] {
            Record(TimeHeadlessBuild(scratch), scratch, "headless", headless);
        };
        auto timeWindow = [&] { Record(TimeWindowBuild(scratch), scratch, "window", window); };
        for (int round = 0; round < rounds; ++round) {
            std::fprintf(stderr, "round %d\n", round + 1);
            // Alternate the order, so that neither side always runs on a disk the other warmed.
            if (round % 2 == 0) {
                timeWindow();
                timeHeadless();
            } else {
                timeHeadless();
                timeWindow();
            }
        }
        using zv::bench::Median;
        std::fprintf(stderr, "medians: window %.3f s (cpu %.3f s), headless %.3f s (cpu %.3f s)\n",
                     Median(window.seconds), Median(window.cpuSeconds), Median(headless.seconds),
                     Median(headless.cpuSeconds));
        zv::bench::PrintFigure("window_vs_headless",
                               Median(window.seconds) / Median(headless.seconds), 2);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "window benchmark: %s\n", error.what());
        return 1;
    }
    return 0;
}
