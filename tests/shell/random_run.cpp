// Random-input run of the whole program, driven by seeded random actions on every enabled
// control (ui_driver.h). On a failure it prints the seed and the actions of the failing
// session, which a replay repeats exactly.
//
//   tolvik_random_run [seed] [actions]     (defaults 1 and 2000)

#include "ui_driver.h"

#include <thread>

namespace {

long Argument(int argc, char** argv, int i, long fallback) {
    bool ok = false;
    const long v = argc > i ? QByteArray(argv[i]).toLong(&ok) : fallback;
    return ok ? v : fallback;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg && type != QtInfoMsg && !text.contains(u"propagateSizeHints"_s) &&
            !text.contains(u"XDG_RUNTIME_DIR"_s))
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    const long seed = Argument(argc, argv, 1, 1);
    const long count = Argument(argc, argv, 2, 2000);
    QApplication qapp(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid() || !QFile::copy(QStringLiteral(TOLVIK_SAMPLE_DATABASE), dir.filePath(u"db1.mdb"_s))) {
        std::fprintf(stderr, "no sample data file\n");
        return 2;
    }

    // A hang shows as no progress at all.
    std::thread([seed] {
        long last = -1;
        for (;;) {
            std::this_thread::sleep_for(std::chrono::seconds(60));
            const long now = g_progress.load();
            if (now == last) {
                std::fprintf(stderr, "HANG: no action finished for 60 s (seed %ld, action %ld)\n", seed, now);
                std::_Exit(3);
            }
            last = now;
        }
    }).detach();

    // Sessions of up to 400 actions, each on a fresh main window, so that a failing
    // sequence stays short enough to read.
    constexpr long kSessionLength = 400;
    std::mt19937 rng(static_cast<std::mt19937::result_type>(seed));
    long done = 0;
    while (done < count) {
        std::vector<Action> seq;
        const long n = std::min(kSessionLength, count - done);
        const QString failure = RunRandom(*std::make_unique<Session>(dir.path()), rng, n, seq);
        if (!failure.isEmpty()) {
            std::fprintf(stderr,
                         "FAILURE (seed %ld, session from action %ld): %s\nthe session's %zu actions:\n",
                         seed, done, qPrintable(failure), seq.size());
            for (const Action& a : seq)
                std::fprintf(stderr, "  %s\n", qPrintable(Describe(a)));
            return 1;
        }
        done += n;
    }
    std::printf("random run: seed %ld, %ld actions, no failure\n", seed, count);
    return 0;
}
