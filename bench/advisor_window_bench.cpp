// The design advisor's window while it runs on the sample data file with 100,000 more
// cores (1.1 million candidates): how long an event posted to the window's thread waits
// before it is handled (what a click waits for), how soon the first designs appear and
// when the run has ended; of the waits over a frame, how much the window's thread worked,
// waited for a processor or slept (blocked on another thread); every event that kept the
// window's thread over 8 ms of processor time, by its type and receiver. A program run by hand:
//
//   QT_QPA_PLATFORM=offscreen build/bench/tolvik_advisor_window_bench

#include "large_data_file.h"
#include "tolvik/advisor_ui/advisor_window.h"
#include "tolvik/ui_common/app_context.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QMetaEnum>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>
#include <vector>

#ifdef __linux__
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

/// Processor time of the calling thread [ms].
double ThreadMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) * 1e-6;
}

/// The window's thread as the scheduler sees it [ms]: time run, time waited for a processor
/// (Linux; nothing elsewhere).
struct Sched {
    double run_ms = 0, queued_ms = 0;
};
Sched ReadSched([[maybe_unused]] long tid) {
    Sched s;
#ifdef __linux__
    char path[64];
    std::snprintf(path, sizeof path, "/proc/self/task/%ld/schedstat", tid);
    if (FILE* f = std::fopen(path, "r")) {
        unsigned long long run = 0, queued = 0;
        if (std::fscanf(f, "%llu %llu", &run, &queued) == 2) {
            s.run_ms = static_cast<double>(run) * 1e-6;
            s.queued_ms = static_cast<double>(queued) * 1e-6;
        }
        std::fclose(f);
    }
#endif
    return s;
}

long ThisThreadId() {
#ifdef __linux__
    return static_cast<long>(syscall(SYS_gettid));
#else
    return 0;
#endif
}

struct Figures {
    /// Of each wait over 16 ms: how long it was, how much of it the window's thread ran and
    /// waited for a processor (the rest it slept: blocked on another thread).
    std::vector<std::array<double, 3>> slow;
    double firstRows_ms = -1, ended_ms = -1;
    std::vector<double> waits_ms; ///< of every probe event, while running and shortly after
    /// Processor time of the window's thread between two probe events handled: the work it
    /// did at one go (a wait longer than this was the machine's other work).
    std::vector<double> busy_ms;
    std::vector<double> busyAt_ms; ///< when each of those ended, from the click
    double lastCpu_ms = -1;
    Clock::time_point start;
};

/// One run of the kind (0 choke, 1 transformer) from the inputs on screen, probed every 2 ms.
Figures Run(tolvik::advisor_ui::AdvisorWindow& w, int kind, Clock::time_point& eventsFrom) {
    Figures f;
    w.findChild<QComboBox*>(QStringLiteral("cboKind"))->setCurrentIndex(kind);
    QApplication::processEvents();
    QEventLoop loop;
    const auto start = f.start = eventsFrom = Clock::now();
    auto firstRows = QObject::connect(&w.model(), &QAbstractItemModel::rowsInserted, &w, [&] {
        if (f.firstRows_ms < 0) f.firstRows_ms = Ms(start, Clock::now());
    });
    auto reset = QObject::connect(&w.model(), &QAbstractItemModel::modelReset, &w, [&] {
        if (f.firstRows_ms < 0 && w.model().rowCount() > 0) f.firstRows_ms = Ms(start, Clock::now());
    });
    auto ended = QObject::connect(&w, &tolvik::advisor_ui::AdvisorWindow::runEnded, &w, [&] {
        f.ended_ms = Ms(start, Clock::now());
        // What follows the end (painting the ranked table and the chart) is measured too.
        QTimer::singleShot(500, &loop, &QEventLoop::quit);
    });
    std::atomic<bool> probing{true};
    QObject receiver;
    const long gui = ThisThreadId();
    std::thread probe([&] {
        while (probing) {
            const Sched before = ReadSched(gui);
            const auto sent = Clock::now();
            QMetaObject::invokeMethod(
                &receiver,
                [&f, sent, before, gui] {
                    const double wait = Ms(sent, Clock::now());
                    f.waits_ms.push_back(wait);
                    if (wait > 16.0) {
                        const Sched now = ReadSched(gui);
                        const double run = now.run_ms - before.run_ms;
                        const double queued = now.queued_ms - before.queued_ms;
                        f.slow.push_back({wait, run, queued});
                    }
                    const double cpu = ThreadMs();
                    if (f.lastCpu_ms >= 0) {
                        f.busy_ms.push_back(cpu - f.lastCpu_ms);
                        f.busyAt_ms.push_back(Ms(f.start, Clock::now()));
                    }
                    f.lastCpu_ms = cpu;
                },
                Qt::QueuedConnection);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    w.findChild<QPushButton*>(QStringLiteral("cmdAdvise"))->click();
    loop.exec();
    probing = false;
    probe.join();
    QApplication::processEvents();
    QObject::disconnect(firstRows);
    QObject::disconnect(reset);
    QObject::disconnect(ended);
    return f;
}

/// The application, timing the processor time of every event it hands out at the top level
/// (what it sends on from there counts with it) and keeping the long ones.
class TimedApp : public QApplication {
public:
    using QApplication::QApplication;
    struct Step {
        double at_ms, took_ms;
        int type;
        QByteArray receiver;
    };
    std::vector<Step> steps;
    Clock::time_point start;
    bool notify(QObject* receiver, QEvent* event) override {
        if (depth_++ > 0) {
            const bool r = QApplication::notify(receiver, event);
            --depth_;
            return r;
        }
        const int type = event->type(); // the event may be gone afterwards
        QByteArray name = receiver->metaObject()->className();
        if (!receiver->objectName().isEmpty()) name += " " + receiver->objectName().toUtf8();
        const auto from = Clock::now();
        const double cpu = ThreadMs();
        const bool r = QApplication::notify(receiver, event);
        const double took = ThreadMs() - cpu;
        --depth_;
        if (took > 8.0) steps.push_back({Ms(start, from), took, type, std::move(name)});
        return r;
    }

private:
    int depth_ = 0;
};

double Quantile(std::vector<double> v, double q) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(q * static_cast<double>(v.size())))];
}

} // namespace

int main(int argc, char** argv) {
    TimedApp app(argc, argv);
    tolvik::AppContext context;
    context.databasePath = tolvik::bench::LargeDataFile(TOLVIK_SAMPLE_DB);
    tolvik::advisor_ui::AdvisorWindow w(context);
    w.resize(1280, 800);
    w.show();
    QApplication::processEvents();
    for (int kind : {0, 1}) {
        app.steps.clear();
        const Figures f = Run(w, kind, app.start);
        const auto slow =
            std::count_if(f.waits_ms.begin(), f.waits_ms.end(), [](double t) { return t > 16.0; });
        std::printf(
            "%-12s first designs shown %.0f ms, run ended %.0f ms; event waits (%zu probes): p50 %.1f ms, "
            "p99 %.1f ms, max %.1f ms, %ld over 16 ms\n",
            kind == 0 ? "chokes:" : "transformers:", f.firstRows_ms, f.ended_ms, f.waits_ms.size(),
            Quantile(f.waits_ms, 0.5), Quantile(f.waits_ms, 0.99),
            f.waits_ms.empty() ? 0.0 : *std::max_element(f.waits_ms.begin(), f.waits_ms.end()),
            static_cast<long>(slow));
        const auto busy =
            std::count_if(f.busy_ms.begin(), f.busy_ms.end(), [](double t) { return t > 16.0; });
        std::printf("  work of the window's thread at one go: p99 %.1f ms, max %.1f ms, %ld over 16 ms\n",
                    Quantile(f.busy_ms, 0.99),
                    f.busy_ms.empty() ? 0.0 : *std::max_element(f.busy_ms.begin(), f.busy_ms.end()),
                    static_cast<long>(busy));
        if (!f.slow.empty()) {
            // Where the waits over a frame went (the scheduler's figures are read when the
            // probe is sent and when it is handled, so a share may be off by a few ms).
            double wait = 0, run = 0, queued = 0;
            for (const auto& s : f.slow) {
                wait += s[0];
                run += s[1];
                queued += s[2];
            }
            std::printf("  of the waits over 16 ms (%.0f ms): the window's thread ran %.0f ms, waited for a "
                        "processor %.0f ms, slept %.0f ms\n",
                        wait, run, queued, wait - run - queued);
        }
        for (std::size_t k = 0; k < f.busy_ms.size(); ++k) {
            if (f.busy_ms[k] > 16.0)
                std::printf("    %.1f ms of work until %.0f ms\n", f.busy_ms[k], f.busyAt_ms[k]);
        }
        for (const TimedApp::Step& s : app.steps)
            std::printf("    %.1f ms in one event at %.0f ms: %s to %s\n", s.took_ms, s.at_ms,
                        QMetaEnum::fromType<QEvent::Type>().valueToKey(s.type), s.receiver.constData());
    }
    tolvik::bench::RemoveLargeDataFile(context.databasePath);
    return 0;
}
