// Benchmark of every user action, offscreen, with repeated runs: start-up until the main
// window is shown, opening each working window, each tab change with its recomputation and
// redraw, Calculate on every tab, a point pick, a redraw with 15 curves, a graph page
// printed to PDF, and start-up on a file with 10,000 more cores. Prints the median and the
// 99th percentile in milliseconds per action.
//
//   QT_QPA_PLATFORM=offscreen build/bench/tolvik_actions_bench [runs]      (default 50)

#include "tolvik/chart/graph.h"
#include "tolvik/core/core_form.h"
#include "tolvik/material/mat_tab.h"
#include "tolvik/shell/main_window.h"
#include "tolvik/shell/startup.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTabWidget>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace tolvik;

namespace {

int g_runs = 50;

/// Processes what the action left queued (redraws included).
void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Report(const char* action, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    const double median = ms[ms.size() / 2];
    const double p99 = ms[std::min(ms.size() - 1, (ms.size() * 99 + 99) / 100 - 1)];
    char line[160];
    const int n = std::snprintf(line, sizeof line, "%-44s", action);
    std::string out(line, std::size_t(std::max(0, n)));
    for (double v : {median, p99}) {
        char buf[32];
        const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 2);
        std::string cell(buf, r.ptr);
        out += std::string(cell.size() < 10 ? 10 - cell.size() : 0, ' ') + cell;
    }
    std::printf("%s   %s\n", out.c_str(), ms.back() > 16.0 ? "(max > 16 ms)" : "");
    std::fflush(stdout);
}

/// Times `action` g_runs times; `prepare` runs before each, untimed.
void Measure(const char* name, const std::function<void()>& prepare, const std::function<void()>& action) {
    std::vector<double> ms;
    for (int i = 0; i < g_runs; ++i) {
        if (prepare) prepare();
        QElapsedTimer t;
        t.start();
        action();
        Settle();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
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

QString LargeCopy(const QString& folder) {
    const QString path = folder + QStringLiteral("/db1.mdb");
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(
        db,
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10000) "
        "INSERT INTO Kernform SELECT Kerntyp || ' #' || i, LP, Loch, Anzeige, RthAnzeige, Ae, le, Ve, "
        "Amin, AN, LN, Rth, Ar, K1, K2, CDF, hWickel FROM n JOIN Kernform ON Kernform.rowid = 1 + i % 56",
        nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return folder;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    if (argc > 1) std::from_chars(argv[1], argv[1] + std::strlen(argv[1]), g_runs);
    g_runs = std::max(g_runs, 5);
    QApplication qapp(argc, argv);
    ui::InstallRecordingMessages();
    QTemporaryDir dir, large;
    QFile::copy(QStringLiteral(TOLVIK_SAMPLE_DB), dir.filePath(QStringLiteral("db1.mdb")));
    QFile::copy(QStringLiteral(TOLVIK_SAMPLE_DB), large.filePath(QStringLiteral("db1.mdb")));
    const QString folder = dir.path();
    LargeCopy(large.path());

    std::printf("%-44s%10s%10s   (ms, %d runs each)\n", "action", "median", "p99", g_runs);
    std::unique_ptr<Program> p;
    Measure(
        "start-up until the main window is shown", [&] { p.reset(); },
        [&] { p = std::make_unique<Program>(folder); });
    Measure(
        "start-up, 10,000 more cores", [&] { p.reset(); },
        [&] { p = std::make_unique<Program>(large.path()); });
    Measure(
        "open Core calculation, 10,000 more cores", [&] { p = std::make_unique<Program>(large.path()); },
        [&] { p->window->OpenCoreFormTab(0); });
    Measure(
        "open Material properties", [&] { p = std::make_unique<Program>(folder); },
        [&] { p->window->OpenMaterialTab(0); });
    Measure(
        "open Core calculation", [&] { p = std::make_unique<Program>(folder); },
        [&] { p->window->OpenCoreFormTab(0); });

    // Tab changes and Calculate, one window at a time, from the previous tab.
    p = std::make_unique<Program>(folder);
    struct Window {
        const char* name;
        int tabs;
        std::function<void(int)> open;
        std::function<QTabWidget*()> tabWidget;
        std::function<QWidget*()> widget;
    };
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
            const std::string label = std::string(win.name) + " tab " + std::string(1, char('0' + tab));
            Measure((label + ": change to it").c_str(), [&] { win.open((tab + 1) % win.tabs); },
                    [&] { win.open(tab); });
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

    // A graph with 15 curves of 100 points, redrawn; then the page printed to PDF.
    w.OpenCoreFormTab(2);
    Settle();
    chart::Graph* g = CurrentGraph(w.coreForm()->tabControl());
    chart::ChartModel& m = g->model();
    m.setNumSets(15);
    m.setNumPoints(100);
    for (int s = 1; s <= 15; ++s) {
        m.setThisSet(s);
        for (int i = 1; i <= 100; ++i) {
            m.setThisPoint(i);
            m.setXValue(i);
            m.setYValue(s * 100.0 + i);
        }
    }
    Measure("redraw with 15 curves", nullptr, [&] {
        g->refresh();
        g->repaint();
    });
    Measure("graph page printed to PDF", nullptr, [&] {
        QPdfWriter pdf(dir.filePath(QStringLiteral("page.pdf")));
        QPainter painter(&pdf);
        painter.drawText(QPointF(200, 200), QStringLiteral("Tolvik 4.0"));
        g->render(painter, QRectF(200, 400, pdf.width() - 400, pdf.height() * 0.6));
    });
    p.reset();
    return 0;
}
