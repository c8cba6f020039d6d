// The DC-Bias tab page's widgets and layout: the design column (input data, the arrow down
// to the output data, Calculate), the plot data with the reader, the graph with its axis
// choices.

#include "tolvik/core/dc_bias_tab.h"

#include "page_widgets.h"

#include "tolvik/chart/graph.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tolvik::core {

void DcBiasTab::buildPage() {
    auto* h = Outer(new QHBoxLayout(this));

    // Design: input data, the arrow down to the output data, Calculate below.
    auto* left = new QWidget;
    left->setFixedWidth(190);
    auto* lv = new QVBoxLayout(left);
    lv->setContentsMargins(0, 0, 0, 0);
    lv->setSpacing(kMargin);
    auto* ssFrame1 = NewGroup(QString(), QStringLiteral("SSFrame1"));
    auto* fv = Outer(new QVBoxLayout(ssFrame1));
    fv->setSpacing(0);
    auto* input = NewGroup(QStringLiteral("Input data"));
    auto* ig = Inner(new QGridLayout(input));
    AddRow(ig, QStringLiteral("L[mH]"), NewField(QStringLiteral("t1L")));
    AddRow(ig, QStringLiteral("Idc[A]"), NewField(QStringLiteral("t1I")));
    AddRow(ig, QStringLiteral("dµrev[%]"), NewField(QStringLiteral("t1dmurev"), false, QStringLiteral("10")));
    fv->addWidget(input);
    arrowSlots_[0] = NewSlot(fv, kArrowSlotSize, kArrowSlotSize);
    auto* output = NewGroup(QStringLiteral("Output data"));
    auto* og = Inner(new QGridLayout(output));
    AddRow(og, QStringLiteral("µe"), NewField(QStringLiteral("t1mue"), true));
    AddRow(og, QStringLiteral("s[mm]"), NewField(QStringLiteral("t1s"), true));
    AddRow(og, QStringLiteral("Al[nH]"), NewField(QStringLiteral("t1Al"), true));
    AddRow(og, QStringLiteral("N"), NewField(QStringLiteral("t1N"), true));
    AddRow(og, QStringLiteral("d[mm] "), NewField(QStringLiteral("t1d"), true, QString(), 116));
    fv->addWidget(output);
    lv->addWidget(ssFrame1);
    lv->addStretch(1);
    calculateSlot_ = NewSlot(lv, 0, 0, Qt::AlignLeft);
    h->addWidget(left);

    // Plot data with the arrow to the graph, the reader below.
    auto* middle = new QVBoxLayout;
    middle->setSpacing(kMargin);
    auto* plotRow = new QHBoxLayout;
    plotRow->setSpacing(0);
    auto* plot = NewGroup(QStringLiteral("Plot data"));
    auto* pg = Inner(new QGridLayout(plot));
    AddRow(pg, QStringLiteral("Al[nH ]"), NewField(QStringLiteral("t0Al"), false, QString(), 58));
    AddRow(pg, QStringLiteral("N"), NewField(QStringLiteral("t0N"), false, QString(), 58));
    AddRow(pg, QStringLiteral("L[mH]"), NewField(QStringLiteral("t0L"), true, QString(), 58));
    auto* hint = NewLabel(QStringLiteral("Press enter to show new plot data !"));
    hint->setWordWrap(true);
    pg->addWidget(hint, pg->rowCount(), 0, 1, 2);
    plot->setFixedWidth(124);
    plotRow->addWidget(plot, 0, Qt::AlignTop);
    arrowSlots_[1] = NewSlot(plotRow);
    middle->addLayout(plotRow);
    auto* reader = NewGroup(QStringLiteral("Data point reader:"));
    auto* rv = Inner(new QVBoxLayout(reader));
    for (int k = 1; k <= 2; ++k) {
        auto* l = NewLabel(QString(), ArrayName("LabGraphReader", k));
        SetGray(l);
        l->setMinimumWidth(140);
        rv->addWidget(l);
    }
    middle->addWidget(reader);
    middle->addStretch(1);
    h->addLayout(middle);

    // The graph with its axis choices below.
    auto* right = new QVBoxLayout;
    right->setSpacing(kMargin);
    right->addWidget(graph_, 1);
    auto* options = new QHBoxLayout;
    options->setSpacing(kMargin);
    auto* xGroup = NewGroup(QStringLiteral("x-axis"));
    auto* xv = Inner(new QVBoxLayout(xGroup));
    xv->addWidget(NewOption(QStringLiteral("Hdc[A/m]"), QStringLiteral("Optx1"), true));
    xv->addWidget(NewOption(QStringLiteral("Idc[A]"), QStringLiteral("Optx2")));
    options->addWidget(xGroup, 0, Qt::AlignTop);
    auto* yGroup = NewGroup(QStringLiteral("y-axis"));
    auto* yg = Inner(new QGridLayout(yGroup));
    yg->addWidget(NewOption(QStringLiteral("µrev"), QStringLiteral("mu1opt"), true), 0, 0);
    yg->addWidget(NewOption(QStringLiteral("Lrev"), QStringLiteral("mu2opt")), 1, 0);
    yg->addWidget(NewOption(QStringLiteral("Lrev * Idc² /2"), QStringLiteral("mu3opt")), 0, 1);
    yg->addWidget(NewOption(QStringLiteral("µrev/µe"), QStringLiteral("mu4opt")), 1, 1);
    options->addWidget(yGroup, 0, Qt::AlignTop);
    options->addStretch(1);
    right->addLayout(options);
    h->addLayout(right, 1);
}

} // namespace tolvik::core
