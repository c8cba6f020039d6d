// Layout of the Material properties window: the selection row with the graph reader and
// the Calculate button, and the five pages, each a graph with its controls beside it.

#include "mat_tab_p.h"

#include "tolvik/ui_common/page_widgets.h"

#include <QBoxLayout>
#include <QGridLayout>

namespace tolvik::material {

using namespace ::tolvik::ui::page;

namespace {

// The window fits the working area of the main window: compact margins, fields one
// text line high, the controls of a tab in one column beside its graph.
constexpr int kColumnWidth = 236;
constexpr int kGraphMinWidth = 480;

/// A page: the graph on the left, a fixed-width column of controls on the right.
QVBoxLayout* NewPage(QWidget** page, chart::Graph* graph) {
    *page = new QWidget;
    auto* h = Outer(new QHBoxLayout(*page));
    graph->setMinimumWidth(kGraphMinWidth);
    h->addWidget(graph, 1);
    auto* column = new QWidget;
    column->setFixedWidth(kColumnWidth);
    auto* v = new QVBoxLayout(column);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(kMargin);
    h->addWidget(column);
    return v;
}

chart::Graph* NewGraph(int index, const char* title, const char* xTitle, const char* yTitle) {
    auto* g = new chart::Graph(index);
    g->model().setGraphTitle(title);
    g->model().setBottomTitle(xTitle);
    g->model().setLeftTitle(yTitle);
    g->refresh(); // the titles show before the first curve
    return g;
}

} // namespace

void MatTab::buildWindow() {
    setObjectName(QStringLiteral("MatTab"));
    setWindowTitle(QStringLiteral("Material data"));

    auto* root = Outer(new QVBoxLayout(this));
    auto* top = new QHBoxLayout;
    top->setSpacing(kMargin);
    root->addLayout(top);

    d->frame3D1 = NewGroup(QStringLiteral("Material selection"), QStringLiteral("Frame3D1"));
    auto* sel = Inner(new QHBoxLayout(d->frame3D1));
    sel->setSpacing(6);
    d->material = new QComboBox;
    d->material->setObjectName(QStringLiteral("Material"));
    d->material->setEditable(true);
    d->material->setInsertPolicy(QComboBox::NoInsert);
    d->material->setFixedSize(100, 22);
    d->material->setMaxVisibleItems(20);
    d->kern = new QComboBox;
    d->kern->setObjectName(QStringLiteral("Kern"));
    d->kern->setEditable(true);
    d->kern->setInsertPolicy(QComboBox::NoInsert);
    d->lp = new QCheckBox(QStringLiteral("low profile"));
    d->lp->setObjectName(QStringLiteral("LP"));
    d->ml = new QCheckBox(QStringLiteral("with hole"));
    d->ml->setObjectName(QStringLiteral("ML"));
    d->t25 = NewOption(QStringLiteral("T=25°C"), QStringLiteral("T25"), true);
    d->t100 = NewOption(QStringLiteral("T=100°C"), QStringLiteral("T100"));
    sel->addWidget(d->material);
    sel->addWidget(d->kern);
    sel->addWidget(d->lp);
    sel->addWidget(d->ml);
    auto* temperatures = new QVBoxLayout;
    temperatures->setSpacing(0);
    temperatures->addWidget(d->t25);
    temperatures->addWidget(d->t100);
    sel->addLayout(temperatures);
    d->frame3D1->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    top->addWidget(d->frame3D1, 0, Qt::AlignLeft);

    ui::ReaderFrame& reader = makeReaderFrame(130);
    d->ssFrame5 = reader.frame;
    d->gr1 = reader.curve;
    d->gr2 = reader.x;
    d->gr3 = reader.y;
    top->addWidget(d->ssFrame5, 1);

    // Calculate with its arrow, at the right of the selection row.
    d->picArrow = new QLabel;
    d->picArrow->setObjectName(QStringLiteral("picArrow"));
    d->picArrow->setAlignment(Qt::AlignCenter);
    d->picArrow->setFixedSize(36, 36);
    d->cmdCalculate = new QPushButton(QStringLiteral("Calculate"));
    d->cmdCalculate->setObjectName(QStringLiteral("cmdCalculate"));
    d->cmdCalculate->setFixedHeight(24);
    top->addWidget(d->picArrow, 0, Qt::AlignVCenter);
    top->addWidget(d->cmdCalculate, 0, Qt::AlignVCenter);

    // Labels of the window's design that no routine shows.
    static const char* const kDesignLabels[] = {"le [ mm ]", "Hyst.beiw.[10^(-6)/K]", "Bs[mT] 100°C",
                                                "Bs[mT] 25°C", "µa"};
    for (int k = 0; k < 5; ++k) {
        auto* label = new QLabel(QString::fromUtf8(kDesignLabels[k]), this);
        label->setObjectName(ArrayName("Label3", k));
        label->hide();
    }

    QTabWidget* tabs =
        makeTabs({{buildHysteresisPage(), nullptr},
                  {buildMuiTPage(), nullptr},
                  {buildPowerLossPage(), nullptr},
                  {buildAmplitudePage(), nullptr},
                  {buildComplexMuPage(), nullptr}},
                 {QStringLiteral("Hysteresis"), QStringLiteral("µi vs. T"), QStringLiteral("Pv vs. f,B,T"),
                  QStringLiteral("µa vs. B"), QStringLiteral("µ'-µ'' vs. f")});
    root->addWidget(tabs, 1);
}

QWidget* MatTab::buildHysteresisPage() {
    QWidget* page = nullptr;
    d->graph[0] = NewGraph(0, "hysteresis", "H[A/m]", "B[mT]");
    auto* v = NewPage(&page, d->graph[0]);
    auto* frame = NewGroup(QStringLiteral("Data point reader:"), QStringLiteral("Frame5"));
    auto* g = Inner(new QGridLayout(frame));
    d->hHysteresis = NewField(QStringLiteral("HHysteresis"), true);
    d->bHysteresis = NewField(QStringLiteral("BHysteresis"), true);
    g->addWidget(NewLabel(QStringLiteral("H[A/m]")), 0, 0);
    g->addWidget(d->hHysteresis, 0, 1);
    g->addWidget(NewLabel(QStringLiteral("B[mT]")), 1, 0);
    g->addWidget(d->bHysteresis, 1, 1);
    g->setColumnStretch(2, 1);
    v->addWidget(frame);
    auto* zoom = new QHBoxLayout;
    d->cmdMinMax[1] = new QPushButton(QStringLiteral("Zoom in"));
    d->cmdMinMax[0] = new QPushButton(QStringLiteral("Zoom out"));
    for (int k : {1, 0}) {
        d->cmdMinMax[k]->setObjectName(ArrayName("cmdMinMax", k));
        zoom->addWidget(d->cmdMinMax[k]);
    }
    v->addLayout(zoom);
    v->addStretch(1);
    return page;
}

QWidget* MatTab::buildMuiTPage() {
    QWidget* page = nullptr;
    d->graph[1] = NewGraph(1, "initial permeability", "T[°C]", "µi");
    auto* v = NewPage(&page, d->graph[1]);
    auto* frame = NewGroup(QStringLiteral("Data point reader:"), QStringLiteral("Frame3"));
    auto* g = Inner(new QGridLayout(frame));
    d->t = NewField(QStringLiteral("T"));
    d->mui = NewField(QStringLiteral("mui"), true);
    g->addWidget(NewLabel(QStringLiteral("T[°C]")), 0, 0);
    g->addWidget(d->t, 0, 1);
    g->addWidget(NewLabel(QStringLiteral("µi")), 1, 0);
    g->addWidget(d->mui, 1, 1);
    g->setColumnStretch(2, 1);
    v->addWidget(frame);
    v->addStretch(1);
    return page;
}

QWidget* MatTab::buildPowerLossPage() {
    QWidget* page = nullptr;
    d->graph[2] = NewGraph(2, "power loss", "", "Pv[kW/m³]");
    auto* v = NewPage(&page, d->graph[2]);

    auto* axes = new QHBoxLayout;
    auto* xFrame = NewGroup(QStringLiteral("x-axis"), QStringLiteral("SSFrame1"));
    auto* xl = Inner(new QVBoxLayout(xFrame));
    d->optxB = NewOption(QStringLiteral("B"), QStringLiteral("optxB"));
    d->optxf = NewOption(QStringLiteral("f"), QStringLiteral("optxf"));
    d->optxT = NewOption(QStringLiteral("T"), QStringLiteral("optxT"), true);
    for (QRadioButton* o : {d->optxB, d->optxf, d->optxT})
        xl->addWidget(o);
    auto* yFrame = NewGroup(QStringLiteral("y-axis"), QStringLiteral("SSFrame4"));
    auto* yl = Inner(new QVBoxLayout(yFrame));
    d->optyPer = NewOption(QStringLiteral("Perform.factor"), QStringLiteral("optyPer"));
    d->optyPvm = NewOption(QStringLiteral("Pl/m[mW/g]"), QStringLiteral("optyPvm"));
    d->optyPvV = NewOption(QStringLiteral("Pl/V[kW/m³]"), QStringLiteral("optyPvV"), true);
    for (QRadioButton* o : {d->optyPer, d->optyPvm, d->optyPvV})
        yl->addWidget(o);
    axes->addWidget(xFrame);
    axes->addWidget(yFrame, 1);
    v->addLayout(axes);

    auto* lists = NewGroup(QString(), QStringLiteral("SSFrame2"));
    auto* lg = Inner(new QGridLayout(lists));
    d->pvLab1 = NewLabel(QStringLiteral("f[kHz]"), QStringLiteral("PvLab1"));
    d->pvLab2 = NewLabel(QStringLiteral("B"), QStringLiteral("PvLab2"));
    d->list1 = new QListWidget;
    d->list1->setObjectName(QStringLiteral("List1"));
    d->list2 = new QListWidget;
    d->list2->setObjectName(QStringLiteral("List2"));
    for (QListWidget* l : {d->list1, d->list2})
        l->setMinimumHeight(70);
    lg->addWidget(d->pvLab1, 0, 0);
    lg->addWidget(d->pvLab2, 0, 1);
    lg->addWidget(d->list1, 1, 0);
    lg->addWidget(d->list2, 1, 1);
    v->addWidget(lists, 1);

    auto* reader = NewGroup(QStringLiteral("Data point reader:"), QStringLiteral("SSFrame3"));
    auto* rg = Inner(new QGridLayout(reader));
    d->pt = NewField(QStringLiteral("PT"), false, QStringLiteral("30"));
    d->pf = NewField(QStringLiteral("PF"), false, QStringLiteral("100"));
    d->pb = NewField(QStringLiteral("PB"), false, QStringLiteral("50"));
    d->pvg = NewField(QStringLiteral("Pvg"), true);
    d->bLabel = NewLabel(QStringLiteral("B[mT]"), QStringLiteral("BLabel"));
    d->pvLabel = NewLabel(QStringLiteral("Plm[ kW / m³ ]"), QStringLiteral("PvLabel"));
    rg->addWidget(NewLabel(QStringLiteral("T[°C]"), QStringLiteral("Label10")), 0, 0);
    rg->addWidget(d->pt, 0, 1);
    rg->addWidget(NewLabel(QStringLiteral("f[kHz]"), QStringLiteral("Label12")), 1, 0);
    rg->addWidget(d->pf, 1, 1);
    rg->addWidget(d->bLabel, 2, 0);
    rg->addWidget(d->pb, 2, 1);
    rg->addWidget(d->pvLabel, 3, 0);
    rg->addWidget(d->pvg, 3, 1);
    rg->setColumnStretch(2, 1);
    v->addWidget(reader);
    return page;
}

QWidget* MatTab::buildAmplitudePage() {
    QWidget* page = nullptr;
    d->graph[3] = NewGraph(3, "amplitude permeability", "B[mT]", "µa");
    auto* v = NewPage(&page, d->graph[3]);
    auto* axis = NewGroup(QStringLiteral("x-axis"), QStringLiteral("Frame1"));
    auto* al = Inner(new QHBoxLayout(axis));
    d->optmuaH = NewOption(QStringLiteral("H[A/m]"), QStringLiteral("optmuaH"));
    d->optmuaB = NewOption(QStringLiteral("B[mT]"), QStringLiteral("optmuaB"), true);
    al->addWidget(d->optmuaH);
    al->addWidget(d->optmuaB);
    v->addWidget(axis);
    auto* frame = NewGroup(QStringLiteral("Data point reader:"), QStringLiteral("Frame2"));
    auto* g = Inner(new QGridLayout(frame));
    d->b = NewField(QStringLiteral("B"));
    d->t3mua = NewField(QStringLiteral("t3mua"), true);
    d->t3H = NewField(QStringLiteral("t3H"), true);
    d->muaBLabel = NewLabel(QStringLiteral("B[mT]"), QStringLiteral("muaBLabel"));
    d->label2 = NewLabel(QStringLiteral("H[A/m]"), QStringLiteral("Label2"));
    g->addWidget(d->muaBLabel, 0, 0);
    g->addWidget(d->b, 0, 1);
    g->addWidget(NewLabel(QStringLiteral("µa"), QStringLiteral("Label1")), 1, 0);
    g->addWidget(d->t3mua, 1, 1);
    g->addWidget(d->label2, 2, 0);
    g->addWidget(d->t3H, 2, 1);
    g->setColumnStretch(2, 1);
    v->addWidget(frame);
    v->addStretch(1);
    return page;
}

QWidget* MatTab::buildComplexMuPage() {
    QWidget* page = nullptr;
    d->graph[4] = NewGraph(4, "complex permeability", "f[kHz]", "µ'");
    // Frequency on a logarithmic axis, as the permeability spectra are shown in data books.
    d->graph[4]->model().setAxisScale(static_cast<int>(chart::AxisScale::LogXLogY));
    auto* v = NewPage(&page, d->graph[4]);
    auto* options = new QGridLayout;
    options->setContentsMargins(6, 0, 6, 0);
    options->setSpacing(2);
    struct Opt {
        const char* name;
        const char* text;
    };
    // In the order SetMuCaptionDependingOnOption tests them.
    static const Opt kOptions[kMuOptionCount] = {
        {"Optmu_", "µs' "},  {"Optmu__", "µs''"},      {"Optmu_p", "µp'"},           {"Optmu__p", "µp''"},
        {"Optgp", "gp[ps]"}, {"Optzn", "Z_N[Ohm/mm]"}, {"OptTand", "tan d/µi*10^6"},
    };
    for (int k = 0; k < kMuOptionCount; ++k) {
        d->optMu[k] = NewOption(QString::fromUtf8(kOptions[k].text), QString::fromLatin1(kOptions[k].name));
        d->optMu[k]->hide();
        options->addWidget(d->optMu[k], k < 4 ? k : k - 4, k < 4 ? 0 : 1);
    }
    v->addLayout(options);
    auto* frame = NewGroup(QStringLiteral("Data point reader:"), QStringLiteral("Frame4"));
    auto* g = Inner(new QGridLayout(frame));
    d->f = NewField(QStringLiteral("f"));
    d->tErg = NewField(QStringLiteral("tErg"), true);
    d->labErg = NewLabel(QString(), QStringLiteral("labErg"));
    g->addWidget(NewLabel(QStringLiteral("f[kHz]"), QStringLiteral("Label7")), 0, 0);
    g->addWidget(d->f, 0, 1);
    g->addWidget(d->labErg, 1, 0);
    g->addWidget(d->tErg, 1, 1);
    g->setColumnStretch(2, 1);
    v->addWidget(frame);
    v->addStretch(1);
    return page;
}

} // namespace tolvik::material
