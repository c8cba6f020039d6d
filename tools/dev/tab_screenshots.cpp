// Screenshots of every tab of both working windows on the sample database, after a choice,
// Calculate and a picked point, for comparing two builds picture by picture:
// tolvik_tab_screenshots <program folder> <output folder>.
// Built on request only (not part of the tests).

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
#include <QEventLoop>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QTimer>

namespace {

void Settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

void Choose(QWidget* w, const char* list, int index) {
    auto* l = w->findChild<QComboBox*>(QLatin1String(list));
    if (!l || l->count() <= index) return;
    l->setCurrentIndex(index);
    emit l->activated(index);
    Settle();
}

void Click(QWidget* w, const char* name) {
    if (auto* b = w->findChild<QAbstractButton*>(QLatin1String(name)); b && b->isVisible()) b->click();
    Settle();
}

void Pick(QWidget* w, int tab, int set, int point) {
    if (auto* g = w->findChild<tolvik::chart::Graph*>(QStringLiteral("Graph1(%1)").arg(tab)))
        g->selectPoint(set, point);
    Settle();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc < 3) return 2;
    const QString out = QString::fromLocal8Bit(argv[2]) + QLatin1Char('/');
    // Messages are recorded, not shown: no dialog waits for a click.
    tolvik::ui::InstallRecordingMessages();
    tolvik::AppContext app;
    if (!tolvik::shell::StartUp(app, QString::fromLocal8Bit(argv[1]))) return 1;
    tolvik::shell::MainWindow main(app);
    main.resize(1100, 760);
    main.show();
    Settle();
    {
        // A user's pause: what the program builds ahead while it waits is ready.
        QEventLoop pause;
        QTimer::singleShot(500, &pause, &QEventLoop::quit);
        pause.exec();
    }
    auto shot = [&](const QString& name) {
        Settle();
        main.grab().save(out + name + QStringLiteral(".png"));
        // The graph shown, as it goes onto paper (with the chart's own legend).
        for (auto* g : main.findChildren<tolvik::chart::Graph*>())
            if (g->isVisible()) {
                QImage paper(900, 600, QImage::Format_RGB32);
                paper.fill(Qt::white);
                QPainter painter(&paper);
                g->render(painter, QRectF(0, 0, 900, 600));
                painter.end();
                paper.save(out + name + QStringLiteral("_paper.png"));
                Settle();
            }
    };

    main.OpenCoreFormTab(0);
    tolvik::core::CoreForm* core = main.coreForm();
    Choose(core, "Material", 1);
    Choose(core, "Kern", 2);
    for (int tab = 0; tab < 7; ++tab) {
        main.OpenCoreFormTab(tab);
        Click(core, "cmdCalculate");
        Click(core, "cmdCalculate");
        Pick(core, tab, 1, 5);
        shot(QStringLiteral("core_tab%1").arg(tab));
    }

    for (int tab = 0; tab < 5; ++tab) {
        main.OpenMaterialTab(tab);
        tolvik::material::MatTab* mat = main.matTab();
        Choose(mat, "Material", 1);
        for (const char* name : {"List1", "List2"})
            if (auto* l = mat->findChild<QListWidget*>(QLatin1String(name)); l && l->count() > 0) {
                l->setCurrentRow(0);
                Settle();
            }
        Click(mat, "cmdCalculate");
        Pick(mat, tab, 1, 5);
        shot(QStringLiteral("mat_tab%1").arg(tab));
    }
    return 0;
}
