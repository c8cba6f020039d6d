// Screenshots of both working windows for looking at scaling and colour schemes by eye:
// tolvik_desktop_screenshots <program folder> <output folder> <prefix> [dark].
// Run with QT_SCALE_FACTOR=2 for 2x; "dark" gives the Fusion style a dark palette. Each
// picture is taken twice: drawn by the window (grab) and as the screen shows it (_screen).
// Built on request only (not part of the tests).

#include "tolvik/chart/graph.h"
#include "tolvik/core/core_form.h"
#include "tolvik/material/mat_tab.h"
#include "tolvik/shell/main_window.h"
#include "tolvik/shell/startup.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/services.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QTabWidget>

namespace {

void Settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

QPalette DarkPalette() {
    QPalette p;
    const QColor window(0x35, 0x35, 0x35), base(0x23, 0x23, 0x23), text(0xe8, 0xe8, 0xe8);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::PlaceholderText, QColor(0x90, 0x90, 0x90));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    return p;
}

template <typename T> T* Find(QWidget* w, const char* name) {
    return w->findChild<T*>(QString::fromLatin1(name));
}

void Choose(QComboBox* list, int index) {
    if (!list || list->count() <= index) return;
    list->setCurrentIndex(index);
    emit list->activated(index);
    Settle();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc < 4) return 2;
    if (argc > 4 && QLatin1String(argv[4]) == QLatin1String("dark")) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(DarkPalette());
    }
    const QString out = QString::fromLocal8Bit(argv[2]) + u'/' + QString::fromLocal8Bit(argv[3]) + u'_';
    tolvik::ui::InstallRecordingMessages(); // no modal box stops the run
    tolvik::AppContext app;
    if (!tolvik::shell::StartUp(app, QString::fromLocal8Bit(argv[1]))) return 1;
    tolvik::shell::MainWindow main(app);
    main.resize(1100, 760);
    main.show();
    Settle();
    auto shot = [&](const char* name) {
        Settle();
        main.grab().save(out + QString::fromLatin1(name) + QStringLiteral(".png"));
        main.screen()
            ->grabWindow(main.winId())
            .save(out + QString::fromLatin1(name) + QStringLiteral("_screen.png"));
    };

    main.OpenMaterialTab(0);
    shot("material_opened");
    main.OpenMaterialTab(2);
    tolvik::material::MatTab* mat = main.matTab();
    for (int m : {0, 1, 2}) {
        Choose(Find<QComboBox>(mat, "Material"), m);
        for (const char* name : {"List1", "List2"})
            if (auto* l = Find<QListWidget>(mat, name); l && l->count() > 0) l->setCurrentRow(0);
        Settle();
    }
    Find<QWidget>(mat, "Graph1(2)")->window()->activateWindow();
    mat->findChild<tolvik::chart::Graph*>(QStringLiteral("Graph1(2)"))->selectPoint(1, 3);
    shot("material_loss");

    main.OpenCoreFormTab(0);
    tolvik::core::CoreForm* core = main.coreForm();
    Choose(Find<QComboBox>(core, "Material"), 0);
    Choose(Find<QComboBox>(core, "Kern"), 0);
    main.OpenCoreFormTab(1);
    if (auto* b = Find<QPushButton>(core, "cmdCalculate")) b->click();
    shot("core_al_value");
    main.OpenCoreFormTab(4);
    if (auto* b = Find<QPushButton>(core, "cmdCalculate")) b->click();
    shot("core_dc_bias");
    main.OpenCoreFormTab(5);
    if (auto* b = Find<QPushButton>(core, "cmdCalculate")) b->click();
    shot("core_harmonic");
    return 0;
}
