// Layout of the Core calculation window: the selection panel, the graph reader frame
// and the pages of the seven tabs. Each page keeps slots where the Calculate button and
// the arrow pictures are put when its tab is entered.

#include "core_form_p.h"
#include "page_widgets.h"

#include "tolvik/chart/graph.h"
#include "tolvik/core/al_value_tab.h"
#include "tolvik/core/dc_bias_tab.h"
#include "tolvik/core/harmonic_tab.h"
#include "tolvik/core/p_trans_tab.h"
#include "tolvik/core/wire_tab.h"
#include "tolvik/ui_common/app_context.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tolvik::core {

void CoreForm::buildWindow() {
    setObjectName(QStringLiteral("CoreForm"));
    setWindowTitle(QStringLiteral("Core data"));

    auto* root = Outer(new QVBoxLayout(this));
    auto* top = new QHBoxLayout;
    top->setSpacing(kMargin);
    root->addLayout(top);

    // Core and material selection: the two lists, the core variants and the temperature
    // options in one short row.
    d->frame3D1 = NewGroup(QStringLiteral("Core and material selection"), QStringLiteral("Frame3D1"));
    auto* sel = Inner(new QHBoxLayout(d->frame3D1));
    sel->setSpacing(6);
    d->kern = NewList(QStringLiteral("Kern"), 118);
    d->material = NewList(QStringLiteral("Material"), 100);
    for (QComboBox* list : {d->kern, d->material}) {
        list->setMaxVisibleItems(20);
        sel->addWidget(list);
    }
    d->lp = new QCheckBox(QStringLiteral("low profile"));
    d->lp->setObjectName(QStringLiteral("LP"));
    d->ml = new QCheckBox(QStringLiteral("with hole"));
    d->ml->setObjectName(QStringLiteral("ML"));
    d->t25 = NewOption(QStringLiteral("T=25°C"), QStringLiteral("T25"), true);
    d->t100 = NewOption(QStringLiteral("T=100°C"), QStringLiteral("T100"));
    auto* variants = new QVBoxLayout;
    variants->setSpacing(0);
    variants->addWidget(d->lp);
    variants->addWidget(d->ml);
    sel->addLayout(variants);
    auto* temperatures = new QVBoxLayout;
    temperatures->setSpacing(0);
    temperatures->addWidget(d->t25);
    temperatures->addWidget(d->t100);
    sel->addLayout(temperatures);
    d->t25->hide();
    d->t100->hide();
    d->frame3D1->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    top->addWidget(d->frame3D1, 0, Qt::AlignLeft);

    // Graph reader: the curve on the first line, x and y reading side by side below.
    d->ssFrame5 = NewGroup(QStringLiteral("Graph Reader"), QStringLiteral("SSFrame5"));
    auto* gr = Inner(new QGridLayout(d->ssFrame5));
    gr->setHorizontalSpacing(4);
    d->gr1 = NewLabel(QString(), QStringLiteral("GR1"));
    d->gr2 = NewLabel(QString(), QStringLiteral("GR2"));
    d->gr3 = NewLabel(QString(), QStringLiteral("GR3"));
    for (QLabel* l : {d->gr1, d->gr2, d->gr3}) {
        l->setStyleSheet(kGrayStyle);
        l->setMinimumWidth(112);
    }
    gr->addWidget(d->gr1, 0, 0, 1, 2);
    gr->addWidget(d->gr2, 1, 0);
    gr->addWidget(d->gr3, 1, 1);
    d->ssFrame5->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    d->ssFrame5->hide();
    top->addWidget(d->ssFrame5, 1);

    // The tabs
    d->tabs = new QTabWidget;
    d->tabs->setObjectName(QStringLiteral("SSTab1"));
    d->alTab = new AlValueTab(d->app, this);
    d->pTransTab = new PTransTab(d->app, this);
    d->harmonicTab = new HarmonicTab(d->app, *this);
    d->listTemp = d->harmonicTab->temperatureList();
    d->tabs->addTab(buildDataOverviewPage(), QStringLiteral("Data overview"));
    d->tabs->addTab(d->alTab, QStringLiteral("Al value"));
    d->tabs->addTab(buildMueTPage(), QStringLiteral("µe vs. T"));
    d->tabs->addTab(d->pTransTab, QStringLiteral("P trans"));
    d->tabs->addTab(buildDcBiasPage(), QStringLiteral("DC-Bias"));
    d->tabs->addTab(d->harmonicTab, QStringLiteral(" Harm. distortion"));
    d->tabs->addTab(buildWirePage(), QStringLiteral(" Wire calculation"));
    root->addWidget(d->tabs, 1);

    constexpr int alTab = static_cast<int>(CoreTab::AlValue);
    d->calcSlot[alTab] = d->alTab->calculateSlot();
    for (int k = 0; k < kArrowCount; ++k)
        d->arrowSlot[alTab][k] = d->alTab->arrowSlot(k);
    constexpr int pTransTab = static_cast<int>(CoreTab::PTrans);
    constexpr int harmonicTab = static_cast<int>(CoreTab::HarmDistortion);
    d->calcSlot[pTransTab] = d->pTransTab->calculateSlot();
    d->calcSlot[harmonicTab] = d->harmonicTab->calculateSlot();
    for (int k = 0; k < 2; ++k) {
        d->arrowSlot[pTransTab][k] = d->pTransTab->arrowSlot(k);
        d->arrowSlot[harmonicTab][k] = d->harmonicTab->arrowSlot(k);
    }

    // The Calculate button and the arrows start on the window, hidden.
    d->cmdCalculate = new QPushButton(QStringLiteral("Calculate"), this);
    d->cmdCalculate->setObjectName(QStringLiteral("cmdCalculate"));
    d->cmdCalculate->setFixedHeight(24);
    d->cmdCalculate->hide();
    for (int k = 0; k < kArrowCount; ++k) {
        d->picArrow[k] = new QLabel(this);
        d->picArrow[k]->setObjectName(ArrayName("picArrow", k));
        d->picArrow[k]->setAlignment(Qt::AlignCenter);
        d->picArrow[k]->hide();
        d->arrowColour[k] = QStringLiteral("gray");
    }
}

QWidget* CoreForm::buildDataOverviewPage() {
    auto* page = new QWidget;
    auto* h = Outer(new QHBoxLayout(page));

    // Two caption/field column pairs: the basic values on the left, frequency range and
    // the further constants on the right.
    auto* frame1 = NewGroup(QStringLiteral("material specifications"), QStringLiteral("Frame1"));
    auto* g1 = Inner(new QGridLayout(frame1));
    static const char* const kSpecLabels[] = {
        "µi",
        "Bs [ mT ] 25 °C",
        "Bs [ mT ] 100 °C",
        "Hc [ A / m ] 25 °C",
        "Hc [ A / m ] 100 °C",
        "Tc [ °C ] >",
        "Optimum frequency range fmin [ kHz ]",
        "Optimum frequency range fmax [ kHz ]",
        "tan d / µi at f max [ 10 E -6 ] <",
        "nb [ 10 E -6 / mT ]",
        "af [ 10 E -6 / K ]",
        "density [ Kg / m³ ]",
        "dc resistance [ ohm m ]",
    };
    constexpr int kLeftRows = 6;
    for (int i = 1; i <= 13; ++i) {
        const bool left = i <= kLeftRows;
        AddRow(g1, QString::fromUtf8(kSpecLabels[i - 1]), NewField(QStringLiteral("t9Text%1").arg(i)),
               QString(), left ? i - 1 : i - 1 - kLeftRows, left ? 0 : 3);
    }
    d->t9Label20 = NewLabel(QString(), QStringLiteral("t9Label20"));
    d->t9Label20->hide();
    // Room for the power loss caption, which appears only for power materials: the
    // window keeps its width whatever the material.
    g1->setColumnMinimumWidth(
        0, d->t9Label20->fontMetrics().horizontalAdvance(QStringLiteral("Pv(f100,B200,T100) [kW/m³]")) + 4);
    g1->addWidget(d->t9Label20, kLeftRows, 0);
    g1->addWidget(NewField(QStringLiteral("t9Text14")), kLeftRows, 1);
    g1->setColumnMinimumWidth(2, 10); // between the two column pairs
    g1->setRowStretch(7, 1);
    h->addWidget(frame1, 0, Qt::AlignTop);

    auto* frame2 = NewGroup(QStringLiteral("Core parameters"), QStringLiteral("Frame2"));
    auto* g2 = Inner(new QGridLayout(frame2));
    AddRow(g2, QStringLiteral("Ae [ mm² ]"), NewField(QStringLiteral("t9Ae")));
    AddRow(g2, QStringLiteral("le [ mm ]"), NewField(QStringLiteral("t9le")));
    AddRow(g2, QStringLiteral("Ve [ mm³ ]"), NewField(QStringLiteral("t9Ve")));
    AddRow(g2, QStringLiteral("Amin [ mm² ]"), NewField(QStringLiteral("t9Amin")));
    AddRow(g2, QStringLiteral("An[ mm² ]"), NewField(QStringLiteral("t9An")));
    AddRow(g2, QStringLiteral("ln[ mm ]"), NewField(QStringLiteral("t9ln")));
    h->addWidget(frame2, 0, Qt::AlignTop);
    h->addStretch(1);
    return page;
}

QWidget* CoreForm::buildMueTPage() {
    constexpr int tab = static_cast<int>(CoreTab::MueT);
    auto* page = new QWidget;
    auto* h = Outer(new QHBoxLayout(page));

    auto* graph = new chart::Graph(tab);
    graph->model().setGraphTitle("effective permeability");
    graph->model().setBottomTitle("T [°C]");
    graph->setMinimumWidth(480);
    d->graph[tab] = graph;
    h->addWidget(graph, 1);

    // The inputs column: captions above the fields, the arrow from input to result.
    auto* column = new QWidget;
    column->setFixedWidth(250);
    auto* v = new QVBoxLayout(column);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(kMargin);

    auto* gap = NewGroup(QStringLiteral("Air gap selection"));
    auto* gapGrid = Inner(new QGridLayout(gap));
    d->s = NewField(QStringLiteral("s"));
    d->mue25 = NewField(QStringLiteral("mue25"), true);
    gapGrid->addWidget(NewLabel(QStringLiteral("s[ mm ]")), 0, 0);
    gapGrid->addWidget(NewLabel(QStringLiteral("µe (25°C)")), 0, 2);
    gapGrid->addWidget(d->s, 1, 0);
    QWidget* holder = nullptr;
    d->arrowSlot[tab][0] = NewSlotWidget(&holder, kArrowSlotSize, 26);
    gapGrid->addWidget(holder, 1, 1);
    gapGrid->addWidget(d->mue25, 1, 2);
    gapGrid->setColumnStretch(3, 1);
    v->addWidget(gap);

    auto* curve = new QGridLayout;
    curve->setContentsMargins(6, 0, 6, 0);
    curve->setSpacing(kSpacing);
    curve->setHorizontalSpacing(6);
    d->le = NewField(QStringLiteral("le"), true);
    d->t1 = NewField(QStringLiteral("T1"), false, QStringLiteral("25"));
    AddRow(curve, QStringLiteral("le[ mm ]"), d->le);
    AddRow(curve, QStringLiteral("T1 [ °C ]"), d->t1);
    d->mue1opt = NewOption(QStringLiteral("µe(T)"), QStringLiteral("mue1opt"), true);
    d->mue2opt = NewOption(QStringLiteral("(µe(T)-µe(T1))/µe(T)%"), QStringLiteral("Mue2opt"));
    curve->addWidget(d->mue1opt, curve->rowCount(), 0, 1, 3);
    curve->addWidget(d->mue2opt, curve->rowCount(), 0, 1, 3);
    curve->setColumnStretch(2, 1);
    v->addLayout(curve);

    auto* reader = NewGroup(QStringLiteral("Data point reader:"));
    auto* readerGrid = Inner(new QGridLayout(reader));
    d->mueT = NewField(QStringLiteral("MueT"), false, QStringLiteral("25"));
    d->mue = NewField(QStringLiteral("mue"), true);
    d->label13 = NewLabel(QStringLiteral("µe"), QStringLiteral("Label13"));
    readerGrid->addWidget(NewLabel(QStringLiteral("T [ °C ]")), 0, 0);
    readerGrid->addWidget(d->label13, 0, 2);
    readerGrid->addWidget(d->mueT, 1, 0);
    d->arrowSlot[tab][1] = NewSlotWidget(&holder, kArrowSlotSize, 26);
    readerGrid->addWidget(holder, 1, 1);
    readerGrid->addWidget(d->mue, 1, 2);
    readerGrid->setColumnStretch(3, 1);
    v->addWidget(reader);

    v->addStretch(1);
    d->calcSlot[tab] = NewSlot(v, 0, 0, Qt::AlignRight);
    h->addWidget(column);
    return page;
}

QWidget* CoreForm::buildDcBiasPage() {
    constexpr int tab = static_cast<int>(CoreTab::DcBias);
    d->dcBiasTab = new DcBiasTab(d->app, this, [this] { RecalculateCurrentTab(); });
    d->graph[tab] = d->dcBiasTab->graph();
    d->calcSlot[tab] = d->dcBiasTab->calculateSlot();
    for (int k = 0; k < 2; ++k)
        d->arrowSlot[tab][k] = d->dcBiasTab->arrowSlot(k);
    return d->dcBiasTab;
}

QWidget* CoreForm::buildWirePage() {
    constexpr int tab = static_cast<int>(CoreTab::Wire);
    d->wireTab = new WireTab(d->app, this, [this] { RecalculateCurrentTab(); });
    d->graph[tab] = d->wireTab->graph();
    d->calcSlot[tab] = d->wireTab->calculateSlot();
    for (int k = 0; k < 2; ++k)
        d->arrowSlot[tab][k] = d->wireTab->arrowSlot(k);
    return d->wireTab;
}

} // namespace tolvik::core
