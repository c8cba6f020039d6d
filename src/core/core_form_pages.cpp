// Layout of the Core calculation window: the selection panel, the graph reader frame
// and the pages of the seven tabs. Each page keeps slots where the Calculate button and
// the arrow pictures are put when its tab is entered.

#include "core_form_p.h"
#include "page_slot.h"

#include "tolvik/chart/graph.h"
#include "tolvik/core/al_value_tab.h"
#include "tolvik/core/dc_bias_tab.h"
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

namespace {

// The window fits the working area of the main window: compact margins and spacings,
// fields one text line high.
constexpr int kFieldWidth = 64;
constexpr int kFieldHeight = 20;
constexpr int kListHeight = 22;
constexpr int kMargin = 4;  ///< around the window and the pages, between frames
constexpr int kSpacing = 2; ///< between the rows of a frame
constexpr int kArrowSlotSize = 36;

QString ArrayName(const char* name, int index) {
    return QString::fromLatin1(name) + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

/// Margins and spacing of a page or a plain arrangement of frames.
template <class L> L* Outer(L* l) {
    l->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    l->setSpacing(kMargin);
    return l;
}

/// Margins and spacing inside a frame; a grid keeps some room between caption and field.
template <class L> L* Inner(L* l) {
    l->setContentsMargins(6, 3, 6, 4);
    l->setSpacing(kSpacing);
    if (auto* grid = qobject_cast<QGridLayout*>(l)) grid->setHorizontalSpacing(6);
    return l;
}

/// A text field; an output field is read-only and light gray.
QLineEdit* NewField(const QString& name, bool output = false, const QString& text = QString(),
                    int width = kFieldWidth) {
    auto* f = new QLineEdit(text);
    f->setObjectName(name);
    f->setFixedSize(width, kFieldHeight);
    if (output) {
        f->setReadOnly(true);
        f->setFocusPolicy(Qt::NoFocus);
        f->setStyleSheet(kGrayStyle);
    }
    return f;
}

QComboBox* NewList(const QString& name, int width = 0) {
    auto* list = new QComboBox;
    list->setObjectName(name);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setFixedHeight(kListHeight);
    if (width > 0) list->setFixedWidth(width);
    return list;
}

QLabel* NewLabel(const QString& text, const QString& name = QString()) {
    auto* l = new QLabel(text);
    if (!name.isEmpty()) l->setObjectName(name);
    return l;
}

QGroupBox* NewGroup(const QString& title, const QString& name = QString()) {
    auto* g = new QGroupBox(title);
    if (!name.isEmpty()) g->setObjectName(name);
    return g;
}

QRadioButton* NewOption(const QString& text, const QString& name, bool checked = false) {
    auto* o = new QRadioButton(text);
    o->setObjectName(name);
    o->setChecked(checked);
    return o;
}

/// A place in a box layout that receives a moved control; returns the place's own layout.
QBoxLayout* NewSlot(QBoxLayout* into, int minWidth = kArrowSlotSize, int minHeight = kArrowSlotSize,
                    Qt::Alignment align = Qt::AlignCenter) {
    QWidget* holder = nullptr;
    QBoxLayout* l = NewSlotWidget(&holder, minWidth, minHeight, align);
    into->addWidget(holder, 0, align);
    return l;
}

/// Adds "caption field" as a row of a grid, in the column pair starting at column.
void AddRow(QGridLayout* g, const QString& caption, QWidget* field, const QString& labelName = QString(),
            int row = -1, int column = 0) {
    if (row < 0) row = g->rowCount();
    g->addWidget(NewLabel(caption, labelName), row, column);
    g->addWidget(field, row, column + 1);
}

} // namespace

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
    d->tabs->addTab(buildDataOverviewPage(), QStringLiteral("Data overview"));
    d->tabs->addTab(d->alTab, QStringLiteral("Al value"));
    d->tabs->addTab(buildMueTPage(), QStringLiteral("µe vs. T"));
    d->tabs->addTab(buildPTransPage(), QStringLiteral("P trans"));
    d->tabs->addTab(buildDcBiasPage(), QStringLiteral("DC-Bias"));
    d->tabs->addTab(buildHarmDistortionPage(), QStringLiteral(" Harm. distortion"));
    d->tabs->addTab(buildWirePage(), QStringLiteral(" Wire calculation"));
    root->addWidget(d->tabs, 1);

    constexpr int alTab = static_cast<int>(CoreTab::AlValue);
    d->calcSlot[alTab] = d->alTab->calculateSlot();
    for (int k = 0; k < kArrowCount; ++k)
        d->arrowSlot[alTab][k] = d->alTab->arrowSlot(k);

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

QWidget* CoreForm::buildPTransPage() {
    constexpr int tab = static_cast<int>(CoreTab::PTrans);
    auto* page = new QWidget;
    auto* h = Outer(new QHBoxLayout(page));

    auto* frame3D3 = NewGroup(QString(), QStringLiteral("Frame3D3"));
    auto* inner = Outer(new QHBoxLayout(frame3D3));

    auto* geometry = NewGroup(QStringLiteral("geometry values"));
    auto* g = Inner(new QGridLayout(geometry));
    AddRow(g, QStringLiteral("Ae [mm²]"), NewField(QStringLiteral("t6Ae")));
    AddRow(g, QStringLiteral("Ve [mm³]"), NewField(QStringLiteral("t6Ve")));
    AddRow(g, QStringLiteral("AN [mm²]"), NewField(QStringLiteral("t6AN")));
    AddRow(g, QStringLiteral("LN [mm]"), NewField(QStringLiteral("t6LN")));
    AddRow(g, QStringLiteral("B [mT]"), NewField(QStringLiteral("t6B")));
    AddRow(g, QStringLiteral("f [kHz]"), NewField(QStringLiteral("t6f")));
    AddRow(g, QStringLiteral("Pl"), NewField(QStringLiteral("t6Pl")));
    AddRow(g, QStringLiteral("ftyp [kHz]"), NewField(QStringLiteral("t6ftyp")));
    AddRow(g, QStringLiteral("Pl Exp. B: x"), NewField(QStringLiteral("t6x"), false, QStringLiteral("2.7")));
    AddRow(g, QStringLiteral("Pl Exp. f: y"), NewField(QStringLiteral("t6y"), false, QStringLiteral("1.3")));
    AddRow(g, QStringLiteral("r"), NewField(QStringLiteral("t6r"), false, QStringLiteral("0.8")));
    inner->addWidget(geometry, 0, Qt::AlignTop);

    // Input data: the converter type beside the operating values, the wire button below.
    auto* input = NewGroup(QStringLiteral("Input data"));
    auto* ig = Inner(new QGridLayout(input));
    auto* conv = NewGroup(QStringLiteral("Converter type:"));
    auto* cv = Inner(new QVBoxLayout(conv));
    static const char* const kConverters[] = {"Push-Pull ", "Single-Ended", "Flyback"};
    for (int k = 0; k < 3; ++k)
        cv->addWidget(NewOption(QString::fromLatin1(kConverters[k]), ArrayName("optConv", k), k == 0));
    ig->addWidget(conv, 0, 0, 7, 1, Qt::AlignTop);
    AddRow(ig, QStringLiteral("f(kHz)"), NewField(QStringLiteral("t6fw"), false, QStringLiteral("25")),
           QString(), 0, 1);
    AddRow(ig, QStringLiteral("fCu"), NewField(QStringLiteral("t6fCu"), false, QStringLiteral("0.4")),
           QString(), 1, 1);
    AddRow(ig, QStringLiteral("dTmax[K]"), NewField(QStringLiteral("t6dT")), QString(), 2, 1);
    AddRow(ig, QStringLiteral("Rth[°C/W]"), NewField(QStringLiteral("t6Rth")), QString(), 3, 1);
    AddRow(ig, QStringLiteral("dTCu[K]"), NewField(QStringLiteral("t6TCU"), false, QStringLiteral("15")),
           QString(), 4, 1);
    AddRow(ig, QStringLiteral("dTFe[K]"), NewField(QStringLiteral("t6TFE"), false, QStringLiteral("15")),
           QString(), 5, 1);
    AddRow(ig, QStringLiteral("Rac/Rdc"), NewField(QStringLiteral("t6Fr"), false, QStringLiteral("1")),
           QString(), 6, 1);
    auto* command1 = new QPushButton(QStringLiteral("Get Rac/Rdc from wire calculation"));
    command1->setObjectName(QStringLiteral("Command1"));
    command1->setFixedHeight(24);
    ig->addWidget(command1, 7, 0, 1, 3);
    inner->addWidget(input, 0, Qt::AlignTop);
    h->addWidget(frame3D3, 0, Qt::AlignTop);

    // The arrows point from the inputs to the results beside them.
    auto* right = new QVBoxLayout;
    right->setSpacing(kMargin);
    right->addSpacing(60);
    auto* resultRow = new QHBoxLayout;
    resultRow->setSpacing(kMargin);
    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(kMargin);
    arrows->addStretch(1);
    d->arrowSlot[tab][0] = NewSlot(arrows);
    d->arrowSlot[tab][1] = NewSlot(arrows);
    arrows->addStretch(1);
    resultRow->addLayout(arrows);
    auto* result = NewGroup(QStringLiteral("Result"));
    auto* rg = Inner(new QGridLayout(result));
    AddRow(rg, QStringLiteral("dB[mT]"), NewField(QStringLiteral("t6dBf"), true));
    AddRow(rg, QStringLiteral("J[A/mm²]"), NewField(QStringLiteral("t6S"), true));
    AddRow(rg, QStringLiteral("Ptrans[W]"), NewField(QStringLiteral("t6Ptrans"), true));
    resultRow->addWidget(result);
    right->addLayout(resultRow);
    right->addStretch(1);
    d->calcSlot[tab] = NewSlot(right, 0, 0, Qt::AlignRight);
    h->addLayout(right);
    h->addStretch(1);
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

QWidget* CoreForm::buildHarmDistortionPage() {
    constexpr int tab = static_cast<int>(CoreTab::HarmDistortion);
    auto* page = new QWidget;
    auto* v = Outer(new QVBoxLayout(page));

    auto* design = NewGroup(QStringLiteral("Transformer design"));
    auto* dh = Inner(new QHBoxLayout(design));
    dh->setSpacing(kMargin);

    auto* modeGroup = new QButtonGroup(page);
    auto* alBox = new QFrame;
    alBox->setFrameShape(QFrame::StyledPanel);
    auto* ag = Inner(new QGridLayout(alBox));
    d->optAlN1N2 = NewOption(QStringLiteral("Input Al, N1, N2"), QStringLiteral("opt_td_AlN1N2"));
    ag->addWidget(d->optAlN1N2, 0, 0, 1, 2);
    AddRow(ag, QStringLiteral("Al(25°C) [nH]"), NewField(QStringLiteral("thd_Al25")));
    AddRow(ag, QStringLiteral("N1"), NewField(QStringLiteral("thd_N1")));
    AddRow(ag, QStringLiteral("N2"), NewField(QStringLiteral("thd_N2")));
    for (int k = 1; k <= 2; ++k) {
        QComboBox* wire = NewList(ArrayName("cb_d", k), 116);
        d->cbD[k] = wire;
        AddRow(ag, QStringLiteral("d%1[mm] (AWG)").arg(k), wire);
    }
    ag->setRowStretch(ag->rowCount(), 1);
    dh->addWidget(alBox);
    d->arrowSlot[tab][0] = NewSlot(dh);

    auto* n1n2Box = new QFrame;
    n1n2Box->setFrameShape(QFrame::StyledPanel);
    auto* ng = Inner(new QGridLayout(n1n2Box));
    d->optN1N2R1R2 = NewOption(QStringLiteral("Input N1:N2, L1, R1, R2 "), QStringLiteral("opt_td_N1N2R1R2"));
    ng->addWidget(d->optN1N2R1R2, 0, 0, 1, 2);
    auto* ratio = new QHBoxLayout;
    ratio->setSpacing(3);
    ratio->addWidget(NewField(QStringLiteral("thd_turnratioN1"), false, QString(), 46));
    ratio->addWidget(NewLabel(QStringLiteral(":")));
    ratio->addWidget(NewField(QStringLiteral("thd_turnratioN2"), false, QString(), 46));
    ratio->addStretch(1);
    const int ratioRow = ng->rowCount();
    ng->addWidget(NewLabel(QStringLiteral("Turn Ratio N1:N2")), ratioRow, 0);
    ng->addLayout(ratio, ratioRow, 1);
    AddRow(ng, QStringLiteral("L1(25°C) [mH]"), NewField(QStringLiteral("thd_L1_25")));
    AddRow(ng, QStringLiteral("R1 [Ohm]"), NewField(QStringLiteral("thd_R1")));
    AddRow(ng, QStringLiteral("R2 [Ohm]"), NewField(QStringLiteral("thd_R2")));
    AddRow(ng, QStringLiteral("fCu"), NewField(QStringLiteral("thd_fcu"), false, QStringLiteral("0.5")));
    ng->setRowStretch(ng->rowCount(), 1);
    dh->addWidget(n1n2Box);
    modeGroup->addButton(d->optAlN1N2);
    modeGroup->addButton(d->optN1N2R1R2);

    auto* frame10 = NewGroup(QString(), QStringLiteral("Frame10"));
    auto* fg = Inner(new QGridLayout(frame10));
    fg->addWidget(NewOption(QStringLiteral("H(I,N)"), QStringLiteral("H_Iopt"), true), 0, 0, 1, 2);
    fg->addWidget(NewOption(QStringLiteral("I(H,N)"), QStringLiteral("I_Hopt")), 1, 0, 1, 2);
    AddRow(fg, QStringLiteral("I"), NewField(QStringLiteral("t4I1"), false, QString(), 56));
    AddRow(fg, QStringLiteral("N"), NewField(QStringLiteral("t4N3"), false, QString(), 56));
    fg->setRowStretch(fg->rowCount(), 1);
    dh->addWidget(frame10, 0, Qt::AlignTop);
    dh->addStretch(1);
    v->addWidget(design);

    auto* circuit = NewGroup(QStringLiteral("Circuit conditions"));
    auto* ch = Inner(new QHBoxLayout(circuit));
    ch->setSpacing(10);
    auto* cg = new QGridLayout;
    cg->setSpacing(kSpacing);
    cg->setHorizontalSpacing(6);
    AddRow(cg, QStringLiteral("U [Vrms]"), NewField(QStringLiteral("thd_U")));
    AddRow(cg, QStringLiteral("f [kHz]"), NewField(QStringLiteral("thd_f")));
    AddRow(cg, QStringLiteral("R_S [Ohm]"), NewField(QStringLiteral("thd_Rs")));
    ch->addLayout(cg);
    auto* cg2 = new QGridLayout;
    cg2->setSpacing(kSpacing);
    cg2->setHorizontalSpacing(6);
    AddRow(cg2, QStringLiteral("R_L [Ohm]"), NewField(QStringLiteral("thd_Rl")));
    d->listTemp = NewList(QStringLiteral("listTemp"), kFieldWidth + 8);
    AddRow(cg2, QStringLiteral("T [°C]"), d->listTemp);
    cg2->setRowStretch(cg2->rowCount(), 1);
    ch->addLayout(cg2);
    d->arrowSlot[tab][1] = NewSlot(ch);
    auto* k3c = new QHBoxLayout;
    k3c->setSpacing(6);
    k3c->addWidget(NewLabel(QStringLiteral("k3c [dB]")));
    k3c->addWidget(NewField(QStringLiteral("thd_k3c"), true));
    ch->addLayout(k3c);
    ch->addStretch(1);
    v->addWidget(circuit);

    v->addStretch(1);
    d->calcSlot[tab] = NewSlot(v, 0, 0, Qt::AlignRight);
    return page;
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
