// Layout of the Core calculation window: the selection panel, the graph reader frame
// and the pages of the seven tabs. Each page keeps slots where the Calculate button and
// the arrow pictures are put when its tab is entered.

#include "core_form_p.h"

#include "tolvik/chart/graph.h"
#include "tolvik/core/al_value_tab.h"
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

constexpr int kFieldWidth = 72;
constexpr int kArrowSlotSize = 34;

QString ArrayName(const char* name, int index) {
    return QString::fromLatin1(name) + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

/// A text field; an output field is read-only and light gray.
QLineEdit* NewField(const QString& name, bool output = false, const QString& text = QString(),
                    int width = kFieldWidth) {
    auto* f = new QLineEdit(text);
    f->setObjectName(name);
    f->setFixedWidth(width);
    if (output) {
        f->setReadOnly(true);
        f->setFocusPolicy(Qt::NoFocus);
        f->setStyleSheet(kGrayStyle);
    }
    return f;
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

/// A place in a layout that receives a moved control; returns the place's own layout.
QBoxLayout* NewSlot(QBoxLayout* into, int minWidth = kArrowSlotSize, int minHeight = kArrowSlotSize,
                    Qt::Alignment align = Qt::AlignCenter) {
    auto* holder = new QWidget;
    holder->setMinimumSize(minWidth, minHeight);
    auto* l = new QHBoxLayout(holder);
    l->setContentsMargins(0, 0, 0, 0);
    l->setAlignment(align);
    into->addWidget(holder, 0, align);
    return l;
}

/// Adds "caption field" as a row of a grid.
void AddRow(QGridLayout* g, const QString& caption, QWidget* field, const QString& labelName = QString()) {
    const int row = g->rowCount();
    g->addWidget(NewLabel(caption, labelName), row, 0);
    g->addWidget(field, row, 1);
}

} // namespace

void CoreForm::buildWindow() {
    setObjectName(QStringLiteral("CoreForm"));
    setWindowTitle(QStringLiteral("Core data"));

    auto* root = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    root->addLayout(top);

    // Core and material selection
    d->frame3D1 = NewGroup(QStringLiteral("Core and material selection"), QStringLiteral("Frame3D1"));
    auto* sel = new QHBoxLayout(d->frame3D1);
    d->kern = new QComboBox;
    d->kern->setObjectName(QStringLiteral("Kern"));
    d->material = new QComboBox;
    d->material->setObjectName(QStringLiteral("Material"));
    for (QComboBox* list : {d->kern, d->material}) {
        list->setEditable(true);
        list->setInsertPolicy(QComboBox::NoInsert);
        list->setMinimumWidth(130);
        list->setMaxVisibleItems(20);
        sel->addWidget(list);
    }
    d->lp = new QCheckBox(QStringLiteral("low profile"));
    d->lp->setObjectName(QStringLiteral("LP"));
    d->ml = new QCheckBox(QStringLiteral("with hole"));
    d->ml->setObjectName(QStringLiteral("ML"));
    d->t25 = NewOption(QStringLiteral("T=25°C"), QStringLiteral("T25"), true);
    d->t100 = NewOption(QStringLiteral("T=100°C"), QStringLiteral("T100"));
    for (QWidget* w : std::initializer_list<QWidget*>{d->lp, d->ml, d->t25, d->t100})
        sel->addWidget(w);
    d->t25->hide();
    d->t100->hide();
    d->frame3D1->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    top->addWidget(d->frame3D1);

    // Graph reader
    d->ssFrame5 = NewGroup(QStringLiteral("Graph Reader"), QStringLiteral("SSFrame5"));
    auto* gr = new QVBoxLayout(d->ssFrame5);
    gr->setSpacing(2);
    d->gr1 = NewLabel(QString(), QStringLiteral("GR1"));
    d->gr2 = NewLabel(QString(), QStringLiteral("GR2"));
    d->gr3 = NewLabel(QString(), QStringLiteral("GR3"));
    for (QLabel* l : {d->gr1, d->gr2, d->gr3}) {
        l->setStyleSheet(kGrayStyle);
        l->setMinimumWidth(240);
        gr->addWidget(l);
    }
    d->ssFrame5->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    d->ssFrame5->hide();
    top->addWidget(d->ssFrame5);
    top->addStretch(1);

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

    // The Calculate button and the arrows start on the window, hidden.
    d->cmdCalculate = new QPushButton(QStringLiteral("Calculate"), this);
    d->cmdCalculate->setObjectName(QStringLiteral("cmdCalculate"));
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
    auto* h = new QHBoxLayout(page);

    auto* frame1 = NewGroup(QStringLiteral("material specifications"), QStringLiteral("Frame1"));
    auto* g1 = new QGridLayout(frame1);
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
    for (int i = 1; i <= 13; ++i)
        AddRow(g1, QString::fromUtf8(kSpecLabels[i - 1]),
               NewField(QStringLiteral("t9Text%1").arg(i), false, QString(), 90));
    d->t9Label20 = NewLabel(QString(), QStringLiteral("t9Label20"));
    d->t9Label20->hide();
    g1->addWidget(d->t9Label20, 14, 0);
    g1->addWidget(NewField(QStringLiteral("t9Text14"), false, QString(), 90), 14, 1);
    g1->setRowStretch(15, 1);
    h->addWidget(frame1, 0, Qt::AlignTop);

    auto* frame2 = NewGroup(QStringLiteral("Core parameters"), QStringLiteral("Frame2"));
    auto* g2 = new QGridLayout(frame2);
    AddRow(g2, QStringLiteral("Ae [ mm² ]"), NewField(QStringLiteral("t9Ae"), false, QString(), 90));
    AddRow(g2, QStringLiteral("le [ mm ]"), NewField(QStringLiteral("t9le"), false, QString(), 90));
    AddRow(g2, QStringLiteral("Ve [ mm³ ]"), NewField(QStringLiteral("t9Ve"), false, QString(), 90));
    AddRow(g2, QStringLiteral("Amin [ mm² ]"), NewField(QStringLiteral("t9Amin"), false, QString(), 90));
    AddRow(g2, QStringLiteral("An[ mm² ]"), NewField(QStringLiteral("t9An"), false, QString(), 90));
    AddRow(g2, QStringLiteral("ln[ mm ]"), NewField(QStringLiteral("t9ln"), false, QString(), 90));
    h->addWidget(frame2, 0, Qt::AlignTop);
    h->addStretch(1);
    return page;
}

QWidget* CoreForm::buildMueTPage() {
    constexpr int tab = static_cast<int>(CoreTab::MueT);
    auto* page = new QWidget;
    auto* h = new QHBoxLayout(page);

    auto* graph = new chart::Graph(tab);
    graph->model().setGraphTitle("effective permeability");
    graph->model().setBottomTitle("T [°C]");
    d->graph[tab] = graph;
    h->addWidget(graph, 1);

    auto* column = new QWidget;
    column->setFixedWidth(330);
    auto* v = new QVBoxLayout(column);
    v->setContentsMargins(0, 0, 0, 0);

    auto* gap = NewGroup(QStringLiteral("Air gap selection"));
    auto* gapRow = new QHBoxLayout(gap);
    d->s = NewField(QStringLiteral("s"), false, QString(), 60);
    d->mue25 = NewField(QStringLiteral("mue25"), true, QString(), 60);
    gapRow->addWidget(NewLabel(QStringLiteral("s[ mm ]")));
    gapRow->addWidget(d->s);
    d->arrowSlot[tab][0] = NewSlot(gapRow);
    gapRow->addWidget(NewLabel(QStringLiteral("µe (25°C)")));
    gapRow->addWidget(d->mue25);
    v->addWidget(gap);

    auto* curve = new QGridLayout;
    d->le = NewField(QStringLiteral("le"), true, QString(), 60);
    d->t1 = NewField(QStringLiteral("T1"), false, QStringLiteral("25"), 60);
    AddRow(curve, QStringLiteral("le[ mm ]"), d->le);
    AddRow(curve, QStringLiteral("T1 [ °C ]"), d->t1);
    d->mue1opt = NewOption(QStringLiteral("µe(T)"), QStringLiteral("mue1opt"), true);
    d->mue2opt = NewOption(QStringLiteral("(µe(T)-µe(T1))/µe(T)%"), QStringLiteral("Mue2opt"));
    curve->addWidget(d->mue1opt, curve->rowCount(), 0, 1, 2);
    curve->addWidget(d->mue2opt, curve->rowCount(), 0, 1, 2);
    curve->setColumnStretch(2, 1);
    v->addLayout(curve);

    auto* reader = NewGroup(QStringLiteral("Data point reader:"));
    auto* readerRow = new QHBoxLayout(reader);
    d->mueT = NewField(QStringLiteral("MueT"), false, QStringLiteral("25"), 60);
    d->mue = NewField(QStringLiteral("mue"), true, QString(), 60);
    d->label13 = NewLabel(QStringLiteral("µe"), QStringLiteral("Label13"));
    readerRow->addWidget(NewLabel(QStringLiteral("T [ °C ]")));
    readerRow->addWidget(d->mueT);
    d->arrowSlot[tab][1] = NewSlot(readerRow);
    readerRow->addWidget(d->label13);
    readerRow->addWidget(d->mue);
    v->addWidget(reader);

    v->addStretch(1);
    d->calcSlot[tab] = NewSlot(v, 0, 0, Qt::AlignRight);
    h->addWidget(column);
    return page;
}

QWidget* CoreForm::buildPTransPage() {
    constexpr int tab = static_cast<int>(CoreTab::PTrans);
    auto* page = new QWidget;
    auto* h = new QHBoxLayout(page);

    auto* frame3D3 = NewGroup(QString(), QStringLiteral("Frame3D3"));
    auto* inner = new QHBoxLayout(frame3D3);

    auto* geometry = NewGroup(QStringLiteral("geometry values"));
    auto* g = new QGridLayout(geometry);
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

    auto* input = NewGroup(QStringLiteral("Input data"));
    auto* iv = new QVBoxLayout(input);
    auto* conv = NewGroup(QStringLiteral("Converter type:"));
    auto* cv = new QVBoxLayout(conv);
    static const char* const kConverters[] = {"Push-Pull ", "Single-Ended", "Flyback"};
    for (int k = 0; k < 3; ++k)
        cv->addWidget(NewOption(QString::fromLatin1(kConverters[k]), ArrayName("optConv", k), k == 0));
    iv->addWidget(conv);
    auto* ig = new QGridLayout;
    AddRow(ig, QStringLiteral("f(kHz)"), NewField(QStringLiteral("t6fw"), false, QStringLiteral("25")));
    AddRow(ig, QStringLiteral("fCu"), NewField(QStringLiteral("t6fCu"), false, QStringLiteral("0.4")));
    AddRow(ig, QStringLiteral("dTmax[K]"), NewField(QStringLiteral("t6dT")));
    AddRow(ig, QStringLiteral("Rth[°C/W]"), NewField(QStringLiteral("t6Rth")));
    AddRow(ig, QStringLiteral("dTCu[K]"), NewField(QStringLiteral("t6TCU"), false, QStringLiteral("15")));
    AddRow(ig, QStringLiteral("dTFe[K]"), NewField(QStringLiteral("t6TFE"), false, QStringLiteral("15")));
    AddRow(ig, QStringLiteral("Rac/Rdc"), NewField(QStringLiteral("t6Fr"), false, QStringLiteral("1")));
    iv->addLayout(ig);
    auto* command1 = new QPushButton(QStringLiteral("Get Rac/Rdc from wire calculation"));
    command1->setObjectName(QStringLiteral("Command1"));
    iv->addWidget(command1);
    inner->addWidget(input, 0, Qt::AlignTop);
    h->addWidget(frame3D3, 0, Qt::AlignTop);

    auto* arrows = new QVBoxLayout;
    arrows->addStretch(2);
    d->arrowSlot[tab][0] = NewSlot(arrows);
    arrows->addSpacing(24);
    d->arrowSlot[tab][1] = NewSlot(arrows);
    arrows->addStretch(3);
    h->addLayout(arrows);

    auto* right = new QVBoxLayout;
    auto* result = NewGroup(QStringLiteral("Result"));
    auto* rg = new QGridLayout(result);
    AddRow(rg, QStringLiteral("dB[mT]"), NewField(QStringLiteral("t6dBf"), true));
    AddRow(rg, QStringLiteral("J[A/mm²]"), NewField(QStringLiteral("t6S"), true));
    AddRow(rg, QStringLiteral("Ptrans[W]"), NewField(QStringLiteral("t6Ptrans"), true));
    right->addSpacing(80);
    right->addWidget(result);
    right->addStretch(1);
    d->calcSlot[tab] = NewSlot(right, 0, 0, Qt::AlignRight);
    h->addLayout(right);
    h->addStretch(1);
    return page;
}

QWidget* CoreForm::buildDcBiasPage() {
    constexpr int tab = static_cast<int>(CoreTab::DcBias);
    auto* page = new QWidget;
    auto* h = new QHBoxLayout(page);

    auto* left = new QWidget;
    left->setFixedWidth(215);
    auto* lv = new QVBoxLayout(left);
    lv->setContentsMargins(0, 0, 0, 0);
    auto* ssFrame1 = NewGroup(QString(), QStringLiteral("SSFrame1"));
    auto* fv = new QVBoxLayout(ssFrame1);
    auto* input = NewGroup(QStringLiteral("Input data"));
    auto* ig = new QGridLayout(input);
    AddRow(ig, QStringLiteral("L[mH]"), NewField(QStringLiteral("t1L")));
    AddRow(ig, QStringLiteral("Idc[A]"), NewField(QStringLiteral("t1I")));
    AddRow(ig, QStringLiteral("dµrev[%]"), NewField(QStringLiteral("t1dmurev"), false, QStringLiteral("10")));
    fv->addWidget(input);
    d->arrowSlot[tab][0] = NewSlot(fv);
    auto* output = NewGroup(QStringLiteral("Output data"));
    auto* og = new QGridLayout(output);
    AddRow(og, QStringLiteral("µe"), NewField(QStringLiteral("t1mue"), true));
    AddRow(og, QStringLiteral("s[mm]"), NewField(QStringLiteral("t1s"), true));
    AddRow(og, QStringLiteral("Al[nH]"), NewField(QStringLiteral("t1Al"), true));
    AddRow(og, QStringLiteral("N"), NewField(QStringLiteral("t1N"), true));
    AddRow(og, QStringLiteral("d[mm] "), NewField(QStringLiteral("t1d"), true, QString(), 120));
    fv->addWidget(output);
    lv->addWidget(ssFrame1);

    auto* plotRow = new QHBoxLayout;
    auto* plot = NewGroup(QStringLiteral("Plot data"));
    auto* pg = new QGridLayout(plot);
    AddRow(pg, QStringLiteral("Al[nH ]"), NewField(QStringLiteral("t0Al")));
    AddRow(pg, QStringLiteral("N"), NewField(QStringLiteral("t0N")));
    AddRow(pg, QStringLiteral("L[mH]"), NewField(QStringLiteral("t0L"), true));
    auto* hint = NewLabel(QStringLiteral("Press enter to show new plot data !"));
    hint->setWordWrap(true);
    pg->addWidget(hint, pg->rowCount(), 0, 1, 2);
    plotRow->addWidget(plot, 1);
    d->arrowSlot[tab][1] = NewSlot(plotRow);
    lv->addLayout(plotRow);
    lv->addStretch(1);
    d->calcSlot[tab] = NewSlot(lv, 0, 0, Qt::AlignLeft);
    h->addWidget(left);

    auto* right = new QVBoxLayout;
    auto* graph = new chart::Graph(tab);
    d->graph[tab] = graph;
    right->addWidget(graph, 1);
    auto* options = new QHBoxLayout;
    auto* xAxis = NewGroup(QStringLiteral("x-axis"));
    auto* xv = new QVBoxLayout(xAxis);
    xv->addWidget(NewOption(QStringLiteral("Hdc[A/m]"), QStringLiteral("Optx1"), true));
    xv->addWidget(NewOption(QStringLiteral("Idc[A]"), QStringLiteral("Optx2")));
    options->addWidget(xAxis, 0, Qt::AlignTop);
    auto* yAxis = NewGroup(QStringLiteral("y-axis"));
    auto* yg = new QGridLayout(yAxis);
    yg->addWidget(NewOption(QStringLiteral("µrev"), QStringLiteral("mu1opt"), true), 0, 0);
    yg->addWidget(NewOption(QStringLiteral("Lrev"), QStringLiteral("mu2opt")), 1, 0);
    yg->addWidget(NewOption(QStringLiteral("Lrev * Idc² /2"), QStringLiteral("mu3opt")), 0, 1);
    yg->addWidget(NewOption(QStringLiteral("µrev/µe"), QStringLiteral("mu4opt")), 1, 1);
    options->addWidget(yAxis, 0, Qt::AlignTop);
    auto* reader = NewGroup(QStringLiteral("Data point reader:"));
    auto* rv = new QVBoxLayout(reader);
    for (int k = 1; k <= 2; ++k) {
        auto* l = NewLabel(QString(), ArrayName("LabGraphReader", k));
        l->setStyleSheet(kGrayStyle);
        l->setMinimumWidth(150);
        rv->addWidget(l);
    }
    options->addWidget(reader, 1, Qt::AlignTop);
    right->addLayout(options);
    h->addLayout(right, 1);
    return page;
}

QWidget* CoreForm::buildHarmDistortionPage() {
    constexpr int tab = static_cast<int>(CoreTab::HarmDistortion);
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);

    auto* design = NewGroup(QStringLiteral("Transformer design"));
    auto* dh = new QHBoxLayout(design);

    auto* modeGroup = new QButtonGroup(page);
    auto* alBox = new QFrame;
    alBox->setFrameShape(QFrame::StyledPanel);
    auto* ag = new QGridLayout(alBox);
    d->optAlN1N2 = NewOption(QStringLiteral("Input Al, N1, N2"), QStringLiteral("opt_td_AlN1N2"));
    ag->addWidget(d->optAlN1N2, 0, 0, 1, 2);
    AddRow(ag, QStringLiteral("Al(25°C) [nH]"), NewField(QStringLiteral("thd_Al25")));
    AddRow(ag, QStringLiteral("N1"), NewField(QStringLiteral("thd_N1")));
    AddRow(ag, QStringLiteral("N2"), NewField(QStringLiteral("thd_N2")));
    for (int k = 1; k <= 2; ++k) {
        auto* wire = new QComboBox;
        wire->setObjectName(ArrayName("cb_d", k));
        wire->setEditable(true);
        wire->setInsertPolicy(QComboBox::NoInsert);
        wire->setFixedWidth(120);
        d->cbD[k] = wire;
        AddRow(ag, QStringLiteral("d%1[mm] (AWG)").arg(k), wire);
    }
    ag->setRowStretch(ag->rowCount(), 1);
    dh->addWidget(alBox);
    d->arrowSlot[tab][0] = NewSlot(dh);

    auto* n1n2Box = new QFrame;
    n1n2Box->setFrameShape(QFrame::StyledPanel);
    auto* ng = new QGridLayout(n1n2Box);
    d->optN1N2R1R2 = NewOption(QStringLiteral("Input N1:N2, L1, R1, R2 "), QStringLiteral("opt_td_N1N2R1R2"));
    ng->addWidget(d->optN1N2R1R2, 0, 0, 1, 2);
    auto* ratio = new QHBoxLayout;
    ratio->addWidget(NewField(QStringLiteral("thd_turnratioN1"), false, QString(), 50));
    ratio->addWidget(NewLabel(QStringLiteral(":")));
    ratio->addWidget(NewField(QStringLiteral("thd_turnratioN2"), false, QString(), 50));
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
    auto* fg = new QGridLayout(frame10);
    fg->addWidget(NewOption(QStringLiteral("H(I,N)"), QStringLiteral("H_Iopt"), true), 0, 0, 1, 2);
    fg->addWidget(NewOption(QStringLiteral("I(H,N)"), QStringLiteral("I_Hopt")), 1, 0, 1, 2);
    AddRow(fg, QStringLiteral("I"), NewField(QStringLiteral("t4I1"), false, QString(), 60));
    AddRow(fg, QStringLiteral("N"), NewField(QStringLiteral("t4N3"), false, QString(), 60));
    fg->setRowStretch(fg->rowCount(), 1);
    dh->addWidget(frame10, 0, Qt::AlignTop);
    dh->addStretch(1);
    v->addWidget(design);

    auto* circuit = NewGroup(QStringLiteral("Circuit conditions"));
    auto* ch = new QHBoxLayout(circuit);
    auto* cg = new QGridLayout;
    AddRow(cg, QStringLiteral("U [Vrms]"), NewField(QStringLiteral("thd_U")));
    AddRow(cg, QStringLiteral("f [kHz]"), NewField(QStringLiteral("thd_f")));
    AddRow(cg, QStringLiteral("R_S [Ohm]"), NewField(QStringLiteral("thd_Rs")));
    ch->addLayout(cg);
    auto* cg2 = new QGridLayout;
    AddRow(cg2, QStringLiteral("R_L [Ohm]"), NewField(QStringLiteral("thd_Rl")));
    d->listTemp = new QComboBox;
    d->listTemp->setObjectName(QStringLiteral("listTemp"));
    d->listTemp->setEditable(true);
    d->listTemp->setInsertPolicy(QComboBox::NoInsert);
    d->listTemp->setFixedWidth(kFieldWidth);
    AddRow(cg2, QStringLiteral("T [°C]"), d->listTemp);
    cg2->setRowStretch(cg2->rowCount(), 1);
    ch->addLayout(cg2);
    d->arrowSlot[tab][1] = NewSlot(ch);
    auto* k3c = new QHBoxLayout;
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
    auto* page = new QWidget;
    auto* h = new QHBoxLayout(page);

    auto* graph = new chart::Graph(tab);
    graph->model().setGraphTitle("Rac/Rdc vs. frequency");
    graph->model().setBottomTitle("f[kHz]");
    graph->model().setLeftTitle("Rac/Rdc");
    d->graph[tab] = graph;
    h->addWidget(graph, 1);

    auto* column = new QWidget;
    column->setFixedWidth(270);
    auto* cv = new QVBoxLayout(column);
    cv->setContentsMargins(0, 0, 0, 0);
    auto* ssFrame7 = NewGroup(QString(), QStringLiteral("SSFrame7"));
    auto* fv = new QVBoxLayout(ssFrame7);
    auto* inputs = new QGridLayout;
    AddRow(inputs, QStringLiteral("N-total"), NewField(QStringLiteral("t2N")));
    AddRow(inputs, QStringLiteral("layer"), NewField(QStringLiteral("t2layer"), false, QStringLiteral("1")));
    AddRow(inputs, QStringLiteral("f[kHz]"), NewField(QStringLiteral("t2f"), false, QStringLiteral("10")));
    fv->addLayout(inputs);
    d->arrowSlot[tab][1] = NewSlot(fv);
    auto* outputs = new QGridLayout;
    AddRow(outputs, QStringLiteral("d[mm]"), NewField(QStringLiteral("t2draht_d"), true, QString(), 120));
    AddRow(outputs, QStringLiteral("fw[%]"), NewField(QStringLiteral("t2fw"), true));
    AddRow(outputs, QStringLiteral("Rdc[Ohm]"), NewField(QStringLiteral("t2rdc"), true));
    AddRow(outputs, QStringLiteral("d_p[mm]"), NewField(QStringLiteral("t2d"), true));
    fv->addLayout(outputs);
    auto* racRow = new QHBoxLayout;
    d->arrowSlot[tab][0] = NewSlot(racRow);
    racRow->addWidget(NewLabel(QStringLiteral("Rac[Ohm]")));
    racRow->addWidget(NewField(QStringLiteral("t2Rac"), true));
    racRow->addStretch(1);
    fv->addLayout(racRow);
    cv->addWidget(ssFrame7);
    cv->addStretch(1);
    d->calcSlot[tab] = NewSlot(cv, 0, 0, Qt::AlignRight);
    h->addWidget(column);
    return page;
}

} // namespace tolvik::core
