// The hysteresis tab page's widgets and layout: the graph with the data point reader and the
// zoom buttons beside it.

#include "tolvik/material/hysteresis_tab.h"

#include "mat_page_widgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace tolvik::material {

void HysteresisTab::buildPage() {
    auto* v = NewPage(this, graph_);
    auto* frame = NewGroup(QStringLiteral("Data point reader:"), QStringLiteral("Frame5"));
    auto* g = Inner(new QGridLayout(frame));
    hHysteresis_ = NewField(QStringLiteral("HHysteresis"), true);
    bHysteresis_ = NewField(QStringLiteral("BHysteresis"), true);
    g->addWidget(NewLabel(QStringLiteral("H[A/m]")), 0, 0);
    g->addWidget(hHysteresis_, 0, 1);
    g->addWidget(NewLabel(QStringLiteral("B[mT]")), 1, 0);
    g->addWidget(bHysteresis_, 1, 1);
    g->setColumnStretch(2, 1);
    v->addWidget(frame);
    auto* zoom = new QHBoxLayout;
    cmdMinMax_[1] = new QPushButton(QStringLiteral("Zoom in"));
    cmdMinMax_[0] = new QPushButton(QStringLiteral("Zoom out"));
    for (int k : {1, 0}) {
        cmdMinMax_[k]->setObjectName(ArrayName("cmdMinMax", k));
        zoom->addWidget(cmdMinMax_[k]);
    }
    v->addLayout(zoom);
    v->addStretch(1);
}

} // namespace tolvik::material
