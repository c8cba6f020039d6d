// The Pv vs. f,B,T tab page's widgets and layout: the graph with the axis options, the two
// value lists and the data point reader beside it.

#include "tolvik/material/power_loss_tab.h"

#include "mat_page_widgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tolvik::material {

void PowerLossTab::buildPage() {
    auto* v = NewPage(this, graph_);

    auto* axes = new QHBoxLayout;
    auto* xFrame = NewGroup(QStringLiteral("x-axis"), QStringLiteral("SSFrame1"));
    auto* xl = Inner(new QVBoxLayout(xFrame));
    optxB_ = NewOption(QStringLiteral("B"), QStringLiteral("optxB"));
    optxf_ = NewOption(QStringLiteral("f"), QStringLiteral("optxf"));
    optxT_ = NewOption(QStringLiteral("T"), QStringLiteral("optxT"), true);
    for (QRadioButton* o : {optxB_, optxf_, optxT_})
        xl->addWidget(o);
    auto* yFrame = NewGroup(QStringLiteral("y-axis"), QStringLiteral("SSFrame4"));
    auto* yl = Inner(new QVBoxLayout(yFrame));
    optyPer_ = NewOption(QStringLiteral("Perform.factor"), QStringLiteral("optyPer"));
    optyPvm_ = NewOption(QStringLiteral("Pl/m[mW/g]"), QStringLiteral("optyPvm"));
    optyPvV_ = NewOption(QStringLiteral("Pl/V[kW/m³]"), QStringLiteral("optyPvV"), true);
    for (QRadioButton* o : {optyPer_, optyPvm_, optyPvV_})
        yl->addWidget(o);
    axes->addWidget(xFrame);
    axes->addWidget(yFrame, 1);
    v->addLayout(axes);

    auto* lists = NewGroup(QString(), QStringLiteral("SSFrame2"));
    auto* lg = Inner(new QGridLayout(lists));
    pvLab1_ = NewLabel(QStringLiteral("f[kHz]"), QStringLiteral("PvLab1"));
    pvLab2_ = NewLabel(QStringLiteral("B"), QStringLiteral("PvLab2"));
    list1_ = new QListWidget;
    list1_->setObjectName(QStringLiteral("List1"));
    list2_ = new QListWidget;
    list2_->setObjectName(QStringLiteral("List2"));
    for (QListWidget* l : {list1_, list2_})
        l->setMinimumHeight(70);
    lg->addWidget(pvLab1_, 0, 0);
    lg->addWidget(pvLab2_, 0, 1);
    lg->addWidget(list1_, 1, 0);
    lg->addWidget(list2_, 1, 1);
    v->addWidget(lists, 1);

    auto* reader = NewGroup(QStringLiteral("Data point reader:"), QStringLiteral("SSFrame3"));
    auto* rg = Inner(new QGridLayout(reader));
    pt_ = NewField(QStringLiteral("PT"), false, QStringLiteral("30"));
    pf_ = NewField(QStringLiteral("PF"), false, QStringLiteral("100"));
    pb_ = NewField(QStringLiteral("PB"), false, QStringLiteral("50"));
    pvg_ = NewField(QStringLiteral("Pvg"), true);
    bLabel_ = NewLabel(QStringLiteral("B[mT]"), QStringLiteral("BLabel"));
    pvLabel_ = NewLabel(QStringLiteral("Plm[ kW / m³ ]"), QStringLiteral("PvLabel"));
    rg->addWidget(NewLabel(QStringLiteral("T[°C]"), QStringLiteral("Label10")), 0, 0);
    rg->addWidget(pt_, 0, 1);
    rg->addWidget(NewLabel(QStringLiteral("f[kHz]"), QStringLiteral("Label12")), 1, 0);
    rg->addWidget(pf_, 1, 1);
    rg->addWidget(bLabel_, 2, 0);
    rg->addWidget(pb_, 2, 1);
    rg->addWidget(pvLabel_, 3, 0);
    rg->addWidget(pvg_, 3, 1);
    rg->setColumnStretch(2, 1);
    v->addWidget(reader);
}

} // namespace tolvik::material
