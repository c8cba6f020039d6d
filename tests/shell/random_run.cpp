// Random-input run of the whole program: the main window with both working windows, driven
// by seeded random actions on every enabled control found by objectName (menus, tab bars,
// lists, option buttons, fields, charts, command buttons). After every action it checks that
// no visible text shows NaN or inf, that every chart value is finite, that every message is
// one of the program's own texts and that the action came back in time. On a failure it
// prints the seed and the actions of the failing session, which a replay repeats exactly.
//
//   tolvik_random_run [seed] [actions]     (defaults 1 and 2000)

#include "ui_driver.h"

#include <charconv>
#include <cstring>
#include <thread>

namespace {

long Argument(int argc, char** argv, int i, long fallback) {
    if (argc <= i) return fallback;
    long v = fallback;
    const char* end = argv[i] + std::strlen(argv[i]);
    if (std::from_chars(argv[i], end, v).ec != std::errc()) return fallback;
    return v;
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
    const QString folder = dir.path();

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
        QString failure;
        {
            Session s(folder);
            for (long i = 0; i < kSessionLength && done < count && failure.isEmpty(); ++i, ++done) {
                const std::optional<Action> a = s.choose(rng);
                if (!a) continue;
                seq.push_back(*a);
                failure = RunAndCheck(s, *a);
            }
        }
        if (!failure.isEmpty()) {
            std::fprintf(stderr, "FAILURE (seed %ld, action %ld): %s\nthe session's %zu actions:\n", seed,
                         done, qPrintable(failure), seq.size());
            for (const Action& a : seq)
                std::fprintf(stderr, "  %s\n", qPrintable(Describe(a)));
            return 1;
        }
    }
    std::printf("random run: seed %ld, %ld actions, no failure\n", seed, count);
    return 0;
}
