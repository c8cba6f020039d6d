// Benchmark of every user action, offscreen, with repeated runs: start-up until the main
// window is shown, opening each working window, each tab change with its recomputation and
// redraw, Calculate on every tab, a point pick, choosing and typing a core, a redraw with 15
// curves of 100 and of 1,000 points, a graph page printed to PDF; the core window's actions
// again on a file with 100,000 more cores. Prints the median, the 99th percentile and the
// slowest run in milliseconds per action. Last, the program's start-up as a process (process start to the
// main window shown) beside that of a bare Qt Widgets + Charts main window, with the ratios
// of time and peak memory; run it under a real X server (xvfb-run) for those figures.
//
//   build/bench/tolvik_actions_bench [runs [start-up|open|TEXT]]
//   (default 100 runs, the fewest with a 99th percentile apart from the slowest run; "start-up": that alone;
//   "open": the opening of the working windows alone; any other TEXT: only the actions whose names contain
//   it, for a profiler; TOLVIK_BENCH_CLOCK=cpu in the environment: processor time of the main thread, see
//   NowMs)

#include "tolvik/chart/graph.h"
#include "tolvik/core/core_form.h"
#include "tolvik/material/mat_tab.h"
#include "tolvik/shell/main_window.h"
#include "tolvik/shell/startup.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/services.h"

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QResizeEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace tolvik;

namespace {

int g_runs = 100;
/// The shortest pause between a window standing and a user's next click, in ms.
constexpr int kUserPauseMs = 50;
/// TOLVIK_BENCH_CLOCK=cpu: the main thread's processor time instead of the time passed, for
/// comparing two builds on a machine that other work keeps busy (all the actions' work,
/// painting included, runs on the main thread).
bool g_cpuClock = false;
/// Only the actions whose names contain this text are measured (empty: all).
std::string g_only;

double NowMs() {
    timespec t{};
    clock_gettime(g_cpuClock ? CLOCK_THREAD_CPUTIME_ID : CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

/// Processes what the action left queued (redraws included), also what that work queued in
/// turn (a round of the event loop leaves what is posted during it to the next round).
void Settle() {
    QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance();
    for (int round = 0; round < 8 && loop && loop->processEvents(QEventLoop::AllEvents); ++round) {
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

/// A user's pause: the program's event loop runs meanwhile, and finishes what it does while
/// it waits (slower under a profiler, so it runs on until idle, however long that takes).
void Pause(int ms) {
    QEventLoop pause;
    QTimer::singleShot(ms, &pause, &QEventLoop::quit);
    pause.exec();
    QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance();
    for (int round = 0; round < 1000 && loop && loop->processEvents(QEventLoop::AllEvents); ++round) {
    }
}

/// Prints an action's median, 99th percentile and slowest run; `frame`: marked when its 99th
/// percentile is above one frame (not for the start of a whole process).
void Report(const char* action, std::vector<double> ms, bool frame = true) {
    if (qEnvironmentVariableIsSet("TOLVIK_BENCH_EACH")) { // every run, in order: is the slow one the first?
        std::string runs;
        for (double v : ms) {
            char buf[32];
            const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 1);
            runs += ' ' + std::string(buf, r.ptr);
        }
        std::printf("%s:%s\n", action, runs.c_str());
    }
    std::sort(ms.begin(), ms.end());
    const double median = ms[ms.size() / 2];
    // The nearest rank: with fewer than 100 runs that is the slowest one.
    const double p99 = ms[std::min(ms.size() - 1, (ms.size() * 99 + 99) / 100 - 1)];
    char line[160];
    const int n = std::snprintf(line, sizeof line, "%-44s", action);
    std::string out(line, std::size_t(std::max(0, n)));
    for (double v : {median, p99, ms.back()}) {
        char buf[32];
        const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 2);
        std::string cell(buf, r.ptr);
        out += std::string(cell.size() < 10 ? 10 - cell.size() : 0, ' ') + cell;
    }
    std::printf("%s   %s\n", out.c_str(), frame && p99 > 16.0 ? "(p99 > 16 ms)" : "");
    std::fflush(stdout);
}

/// TOLVIK_BENCH_TRACE_PAINT: prints what the last run of every action set going: each paint
/// (class, name, parent, region), each repaint of the window and each deferred update, each
/// layout request, move, resize, show and hide of a widget, the program's own events, and the
/// layout requests and queued calls of a chart's scene; for finding work done twice or for nothing.
struct PaintTrace : QObject {
    bool on = false;
    bool eventFilter(QObject* o, QEvent* e) override {
        auto* w = qobject_cast<QWidget*>(o);
        // Of the objects that are not widgets (a chart's scene and items): layout, queued calls.
        if (on && !w && (e->type() == QEvent::LayoutRequest || e->type() == QEvent::MetaCall))
            std::printf(" %s to %s\n", e->type() == QEvent::MetaCall ? "queued call" : "layout",
                        o->metaObject()->className());
        if (!on || !w) return false;
        const char* name = w->metaObject()->className();
        if (e->type() >= QEvent::User)
            std::printf(" event %d (the program's own) to %s\n", int(e->type()), name);
        const QByteArray object = w->objectName().toUtf8();
        const QRect g = w->geometry();
        switch (e->type()) {
        case QEvent::Paint: {
            const QRect r = static_cast<QPaintEvent*>(e)->rect();
            std::printf("  paint %s %s (in %s) %dx%d+%d+%d\n", name, object.constData(),
                        w->parentWidget() ? qPrintable(w->parentWidget()->objectName()) : "", r.width(),
                        r.height(), r.x(), r.y());
            break;
        }
        case QEvent::UpdateLater:
            std::printf(" update later %s %s (in %s)\n", name, object.constData(),
                        w->parentWidget() ? qPrintable(w->parentWidget()->objectName()) : "");
            break;
        case QEvent::UpdateRequest:
            std::printf(" repaint of %s\n", name);
            break;
        case QEvent::Resize: {
            const QSize old = static_cast<QResizeEvent*>(e)->oldSize();
            std::printf(" resize %s %s %dx%d -> %dx%d\n", name, object.constData(), old.width(), old.height(),
                        g.width(), g.height());
            break;
        }
        case QEvent::LayoutRequest:
        case QEvent::Move:
        case QEvent::Show:
        case QEvent::Hide:
            std::printf(" %s %s %s %dx%d+%d+%d\n",
                        e->type() == QEvent::LayoutRequest ? "layout"
                        : e->type() == QEvent::Move        ? "move"
                        : e->type() == QEvent::Show        ? "show"
                                                           : "hide",
                        name, object.constData(), g.width(), g.height(), g.x(), g.y());
            break;
        default:
            break;
        }
        return false;
    }
};
PaintTrace* g_trace = nullptr;

/// Runs one action until the program is idle again; its time in ms. Apart, so that a
/// profiler can count this alone (valgrind --toggle-collect='*TimedAction*').
[[gnu::noinline]] double TimedAction(const std::function<void()>& action) {
    const double start = NowMs();
    action();
    Settle();
    return NowMs() - start;
}

/// Times `action` g_runs times; `prepare` runs before each, untimed.
void Measure(const char* name, const std::function<void()>& prepare, const std::function<void()>& action) {
    if (!g_only.empty() && std::strstr(name, g_only.c_str()) == nullptr) return;
    std::vector<double> ms;
    for (int i = 0; i < g_runs; ++i) {
        if (prepare) {
            prepare();
            Settle(); // what the preparation left queued is not the action's work
        }
        if (g_trace) g_trace->on = i == g_runs - 1;
        if (g_trace && g_trace->on) std::printf("--- %s\n", name);
        ms.push_back(TimedAction(action));
        if (g_trace) g_trace->on = false;
    }
    Report(name, ms);
}

struct Program {
    AppContext app;
    std::unique_ptr<shell::MainWindow> window;
    explicit Program(const QString& folder) {
        if (!shell::StartUp(app, folder)) std::exit(2);
        window = std::make_unique<shell::MainWindow>(app);
        window->show();
        Settle();
    }
};

QAbstractButton* CalculateButton(QWidget* window) {
    for (auto* b : window->findChildren<QAbstractButton*>(QStringLiteral("cmdCalculate")))
        if (b->isVisible() && b->isEnabled()) return b;
    return nullptr;
}

chart::Graph* CurrentGraph(QTabWidget* tabs) {
    for (auto* g : tabs->currentWidget()->findChildren<chart::Graph*>())
        if (g->isVisible()) return g;
    return nullptr;
}

/// The sample file with 100,000 more cores (copies of the sample's cores, renamed).
QString LargeCopy(const QString& folder) {
    const QString path = folder + QStringLiteral("/db1.mdb");
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(
        db,
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000) "
        "INSERT INTO Kernform SELECT Kerntyp || ' #' || i, LP, Loch, Anzeige, RthAnzeige, Ae, le, Ve, "
        "Amin, AN, LN, Rth, Ar, K1, K2, CDF, hWickel FROM n JOIN Kernform ON Kernform.rowid = 1 + i % 56",
        nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return folder;
}

/// The peak resident memory of a running process in KiB (VmHWM), 0 when it is gone.
long PeakKiB(pid_t pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

/// Runs a program until it has shown its main window (it quits then, asked by
/// TOLVIK_QUIT_WHEN_SHOWN); returns the wall time in ms and its peak memory in KiB, read
/// while it runs (the peak of the process after exec, not of the fork before it).
std::pair<double, long> RunUntilShown(const std::string& program) {
    QElapsedTimer t;
    t.start();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    long peak = 0;
    double ms = 0;
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            ms = double(t.nsecsElapsed()) / 1e6;
            break;
        }
        // The last reading: the first ones may still be of the fork, before the exec.
        if (const long now = PeakKiB(pid); now > 0) peak = now;
        usleep(500);
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::printf("%s did not start (status %d)\n", program.c_str(), status);
        std::exit(3);
    }
    return {ms, peak};
}

/// Start-up of the program beside a bare Qt Widgets + Charts main window, alternating.
void CompareStartUp(const std::string& platform) {
    const std::string tolvik = TOLVIK_PROGRAM, bare = TOLVIK_BARE_WINDOW;
    setenv("TOLVIK_QUIT_WHEN_SHOWN", "1", 1);
    if (platform.empty())
        unsetenv("QT_QPA_PLATFORM");
    else
        setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
    RunUntilShown(tolvik); // warm the file cache
    RunUntilShown(bare);
    const int runs = std::max(5, g_runs / 2);
    std::vector<double> tolvikMs, bareMs;
    long tolvikKiB = 0, bareKiB = 0;
    for (int i = 0; i < runs; ++i) {
        const auto [tm, tk] = RunUntilShown(tolvik);
        const auto [bm, bk] = RunUntilShown(bare);
        tolvikMs.push_back(tm);
        bareMs.push_back(bm);
        tolvikKiB = std::max(tolvikKiB, tk);
        bareKiB = std::max(bareKiB, bk);
    }
    Report("process start-up: bare Qt main window", bareMs, false);
    Report("process start-up: Tolvik", tolvikMs, false);
    std::sort(tolvikMs.begin(), tolvikMs.end());
    std::sort(bareMs.begin(), bareMs.end());
    std::printf("start-up ratio Tolvik / bare Qt (median, platform %s): time %.2f, peak memory %.2f "
                "(%ld / %ld KiB)\n",
                platform.empty() ? "default" : platform.c_str(),
                tolvikMs[tolvikMs.size() / 2] / bareMs[bareMs.size() / 2],
                double(tolvikKiB) / double(bareKiB), tolvikKiB, bareKiB);
}

/// Writes n curves of `points` points each into the model (no draw command): smooth
/// curves that bend and level off, as the program's curves do.
void FillCurves(chart::ChartModel& m, int n, int points) {
    m.setNumSets(n);
    m.setNumPoints(points);
    for (int s = 1; s <= n; ++s) {
        m.setThisSet(s);
        for (int i = 1; i <= points; ++i) {
            m.setThisPoint(i);
            m.setXValue(i);
            const double u = double(i) / points;
            m.setYValue(s * 100.0 + 150.0 * (1 - std::exp(-4 * u)) + 20 * std::sin(6.28 * s * u));
        }
    }
}

/// Types a text into an editable list and presses Enter, as a user does.
void TypeInto(QComboBox* list, const QString& text) {
    list->setFocus();
    list->setCurrentIndex(-1);
    list->setEditText(QString());
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(list->lineEdit(), &press);
    }
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(list, &enter);
}

} // namespace

int main(int argc, char** argv) {
    // The user's platform for the start-up of the two programs; offscreen for the actions.
    const std::string platform = qEnvironmentVariable("QT_QPA_PLATFORM").toStdString();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    if (argc > 1) std::from_chars(argv[1], argv[1] + std::strlen(argv[1]), g_runs);
    g_cpuClock = qEnvironmentVariable("TOLVIK_BENCH_CLOCK") == QLatin1String("cpu");
    g_runs = std::max(g_runs, 5);
    if (argc > 2 && std::strcmp(argv[2], "start-up") == 0) { // the process start-up alone
        CompareStartUp(platform);
        return 0;
    }
    if (argc > 2 && std::strcmp(argv[2], "open") != 0) g_only = argv[2];
    QApplication qapp(argc, argv);
    ui::InstallRecordingMessages();
    PaintTrace trace;
    if (qEnvironmentVariableIsSet("TOLVIK_BENCH_TRACE_PAINT")) {
        g_trace = &trace;
        qapp.installEventFilter(&trace);
    }
    QTemporaryDir dir, large;
    QFile::copy(QStringLiteral(TOLVIK_SAMPLE_DB), dir.filePath(QStringLiteral("db1.mdb")));
    QFile::copy(QStringLiteral(TOLVIK_SAMPLE_DB), large.filePath(QStringLiteral("db1.mdb")));
    const QString folder = dir.path();
    LargeCopy(large.path());

    std::printf("%-44s%10s%10s%10s   (ms, %d runs each)\n", "action", "median", "p99", "max", g_runs);
    std::unique_ptr<Program> p;
    // The first main window of the process also sets Qt up (the fonts and the style): that
    // is measured by the process start-up beside the bare Qt window below, not here.
    p = std::make_unique<Program>(folder);
    Measure(
        "start-up until the main window is shown", [&] { p.reset(); },
        [&] { p = std::make_unique<Program>(folder); });
    Measure(
        "start-up, 100,000 more cores", [&] { p.reset(); },
        [&] { p = std::make_unique<Program>(large.path()); });

    struct Window {
        const char* name;
        int tabs;
        std::function<void(int)> open;
        std::function<QTabWidget*()> tabWidget;
        std::function<QWidget*()> widget;
    };
    // Every action of both windows on one data file; `file` names it in the labels.
    const bool openOnly = argc > 2 && std::strcmp(argv[2], "open") == 0;
    auto runWindows = [&](const QString& data, const std::string& file) {
        // A program just started, and the pause before a user's first click: what it reads
        // in the background once its window stands is read by then.
        auto started = [&] {
            p = std::make_unique<Program>(data);
            Pause(kUserPauseMs);
        };
        Measure((file + "open Material properties").c_str(), started, [&] { p->window->OpenMaterialTab(0); });
        Measure((file + "open Core calculation").c_str(), started, [&] { p->window->OpenCoreFormTab(0); });
        if (openOnly) return;
        // The first core chosen after the program started: the first lookup of a name in the
        // data file reads the names of the cores (later choices find theirs at once).
        QComboBox* firstKern = nullptr;
        Measure((file + "core: choose the first core").c_str(),
                [&] {
                    started();
                    p->window->OpenCoreFormTab(0);
                    firstKern = p->window->coreForm()->findChild<QComboBox*>(QStringLiteral("Kern"));
                },
                [&] {
                    firstKern->setCurrentIndex(2);
                    emit firstKern->activated(2);
                });
        p = std::make_unique<Program>(data);
        shell::MainWindow& w = *p->window;
        const Window windows[] = {
            {"material", 5, [&](int t) { w.OpenMaterialTab(t); }, [&] { return w.matTab()->tabControl(); },
             [&] { return static_cast<QWidget*>(w.matTab()); }},
            {"core", 7, [&](int t) { w.OpenCoreFormTab(t); }, [&] { return w.coreForm()->tabControl(); },
             [&] { return static_cast<QWidget*>(w.coreForm()); }},
        };
        for (const Window& win : windows) {
            win.open(0);
            Settle();
            // A core and a material chosen, as a user does first.
            for (auto* list : win.widget()->findChildren<QComboBox*>())
                if ((list->objectName() == QStringLiteral("Kern") ||
                     list->objectName() == QStringLiteral("Material")) &&
                    list->count() > 2) {
                    list->setCurrentIndex(2);
                    emit list->activated(2);
                    Settle();
                }
            for (int tab = 0; tab < win.tabs; ++tab) {
                const std::string label =
                    file + std::string(win.name) + " tab " + std::string(1, char('0' + tab));
                Measure((label + ": change to it").c_str(), [&] { win.open((tab + 1) % win.tabs); },
                        [&] { win.open(tab); });
                win.open(tab); // (when the change was not measured)
                Settle();
                if (QAbstractButton* calc = CalculateButton(win.widget()))
                    Measure((label + ": Calculate").c_str(), nullptr, [&] { calc->click(); });
                if (chart::Graph* g = CurrentGraph(win.tabWidget())) {
                    std::vector<std::pair<int, int>> written;
                    const chart::ChartModel& m = g->model();
                    for (int s = 1; s <= m.numSets(); ++s)
                        for (int i = 1; i <= m.numPoints(); ++i)
                            if (m.point(s, i).written()) written.emplace_back(s, i);
                    std::size_t k = 0;
                    if (!written.empty())
                        Measure((label + ": point pick").c_str(), nullptr, [&] {
                            const auto [set, point] = written[(k * 7919) % written.size()];
                            ++k;
                            g->selectPoint(set, point);
                        });
                }
            }
        }
        // Choosing a core from the list and typing one, on the core window's first tab.
        w.OpenCoreFormTab(0);
        Settle();
        auto* kern = w.coreForm()->findChild<QComboBox*>(QStringLiteral("Kern"));
        if (kern && kern->count() > 10) {
            int k = 0;
            Measure((file + "core: choose a core").c_str(), nullptr, [&] {
                k = (k + 7) % 10;
                kern->setCurrentIndex(k);
                emit kern->activated(k);
            });
            const QString name = kern->itemText(5);
            Measure((file + "core: type a core name, Enter").c_str(), nullptr, [&] { TypeInto(kern, name); });
        }
    };
    runWindows(folder, "");
    runWindows(large.path(), "100,000 more cores: ");
    if (openOnly) return 0;

    // A graph with 15 curves, redrawn with new data; then the page printed to PDF.
    p = std::make_unique<Program>(folder);
    shell::MainWindow& w = *p->window;
    w.OpenCoreFormTab(2);
    Settle();
    chart::Graph* g = CurrentGraph(w.coreForm()->tabControl());
    chart::ChartModel& m = g->model();
    for (int points : {100, 1000}) {
        int round = 0;
        Measure((std::string("redraw with 15 curves of ") + (points == 100 ? "100" : "1,000") + " points")
                    .c_str(),
                [&] { FillCurves(m, 15, points + (++round % 2)); },
                [&] { m.setDrawMode(3); }); // the redraw and its one paint follow until idle
    }
    Measure("graph page printed to PDF", nullptr, [&] {
        QPdfWriter pdf(dir.filePath(QStringLiteral("page.pdf")));
        QPainter painter(&pdf);
        painter.drawText(QPointF(200, 200), QStringLiteral("Tolvik 4.0"));
        g->render(painter, QRectF(200, 400, pdf.width() - 400, pdf.height() * 0.6));
    });
    p.reset();
    if (g_only.empty()) CompareStartUp(platform);
    return 0;
}
