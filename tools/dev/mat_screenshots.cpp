// Screenshots of the Material properties window on the sample database, for looking at
// the curves by eye: tolvik_mat_screenshots <program folder> <output folder>.
// Built on request only (not part of the tests).

#include "tolvik/chart/graph.h"
#include "tolvik/material/mat_tab.h"
#include "tolvik/shell/main_window.h"
#include "tolvik/shell/startup.h"
#include "tolvik/ui_common/app_context.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

using tolvik::material::MatTab;

namespace {

void Settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

void Choose(MatTab* w, const QString& material) {
    auto* list = w->findChild<QComboBox*>(QStringLiteral("Material"));
    const int i = list->findText(material);
    list->setCurrentIndex(i);
    emit list->activated(i);
    Settle();
}

void Rows(MatTab* w, const QString& first, const QString& second) {
    auto* l1 = w->findChild<QListWidget*>(QStringLiteral("List1"));
    auto* l2 = w->findChild<QListWidget*>(QStringLiteral("List2"));
    const auto a = l1->findItems(first, Qt::MatchExactly);
    if (!a.isEmpty()) l1->setCurrentItem(a.first());
    const auto b = l2->findItems(second, Qt::MatchExactly);
    if (!b.isEmpty()) l2->setCurrentItem(b.first());
    Settle();
}

void Click(MatTab* w, const char* name) {
    if (auto* o = w->findChild<QAbstractButton*>(QString::fromLatin1(name))) o->click();
    Settle();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc < 3) return 2;
    const QString out = QString::fromLocal8Bit(argv[2]) + QLatin1Char('/');
    tolvik::AppContext app;
    if (!tolvik::shell::StartUp(app, QString::fromLocal8Bit(argv[1]))) return 1;
    tolvik::shell::MainWindow main(app);
    main.show();
    Settle();
    auto shot = [&](const char* name) {
        Settle();
        main.grab().save(out + QString::fromLatin1(name) + QStringLiteral(".png"));
    };
    auto pick = [&](MatTab* w, int tab, int set, int point) {
        w->findChild<tolvik::chart::Graph*>(QStringLiteral("Graph1(%1)").arg(tab))->selectPoint(set, point);
        Settle();
    };

    main.OpenMaterialTab(0);
    MatTab* w = main.matTab();
    Choose(w, QStringLiteral("R41"));
    pick(w, 0, 1, 40);
    shot("tab0_hysteresis");
    Click(w, "cmdMinMax(1)");
    Click(w, "cmdMinMax(1)");
    shot("tab0_zoomed");

    main.OpenMaterialTab(1); // draws the kept R41
    Choose(w, QStringLiteral("H52"));
    pick(w, 1, 2, 10);
    shot("tab1_mui");

    main.OpenMaterialTab(2);
    Choose(w, QStringLiteral("R41"));
    Rows(w, QStringLiteral("100"), QStringLiteral(" 200"));
    Choose(w, QStringLiteral("R52"));
    Rows(w, QStringLiteral("100"), QStringLiteral(" 200"));
    pick(w, 2, 1, 5);
    shot("tab2_x_T");
    Click(w, "optxf");
    Choose(w, QStringLiteral("R41"));
    Rows(w, QStringLiteral("100"), QStringLiteral("100"));
    Choose(w, QStringLiteral("R78"));
    Rows(w, QStringLiteral("100"), QStringLiteral("100"));
    shot("tab2_x_f");
    Click(w, "optxB");
    Choose(w, QStringLiteral("R41"));
    Rows(w, QStringLiteral("100"), QStringLiteral("100"));
    Choose(w, QStringLiteral("R52"));
    Rows(w, QStringLiteral("100"), QStringLiteral("100"));
    shot("tab2_x_B");
    Click(w, "optyPvm");
    Choose(w, QStringLiteral("R41"));
    Rows(w, QStringLiteral("100"), QStringLiteral("100"));
    shot("tab2_mass");
    Click(w, "optyPer");
    Choose(w, QStringLiteral("R41"));
    Rows(w, QStringLiteral("200"), QStringLiteral("100"));
    Choose(w, QStringLiteral("R78"));
    Rows(w, QStringLiteral("200"), QStringLiteral("100"));
    shot("tab2_performance");

    Choose(w, QStringLiteral("R41"));
    main.OpenMaterialTab(3); // draws the kept R41
    Choose(w, QStringLiteral("H52"));
    shot("tab3_mua_B");
    Click(w, "optmuaH"); // draws H52 again, against H
    Choose(w, QStringLiteral("R41"));
    pick(w, 3, 1, 20);
    shot("tab3_mua_H");

    main.OpenMaterialTab(4); // draws the kept R41
    Choose(w, QStringLiteral("H52"));
    Click(w, "Optmu__");
    pick(w, 4, 1, 30);
    shot("tab4_complex");
    Click(w, "Optgp");
    shot("tab4_gp");
    return 0;
}
