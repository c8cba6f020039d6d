// The µa vs. B tab page's widgets and layout: the graph with the x-axis options and the
// data point reader beside it.

#include "tolvik/material/amplitude_tab.h"

#include "mat_page_widgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace tolvik::material {

void AmplitudeTab::buildPage() {
    auto* v = NewPage(this, graph_);
    auto* axis = NewGroup(QStringLiteral("x-axis"), QStringLiteral("Frame1"));
    auto* al = Inner(new QHBoxLayout(axis));
    optmuaH_ = NewOption(QStringLiteral("H[A/m]"), QStringLiteral("optmuaH"));
    optmuaB_ = NewOption(QStringLiteral("B[mT]"), QStringLiteral("optmuaB"), true);
    al->addWidget(optmuaH_);
    al->addWidget(optmuaB_);
    v->addWidget(axis);
    auto* frame = NewGroup(QStringLiteral("Data point reader:"), QStringLiteral("Frame2"));
    auto* g = Inner(new QGridLayout(frame));
    b_ = NewField(QStringLiteral("B"));
    t3mua_ = NewField(QStringLiteral("t3mua"), true);
    t3H_ = NewField(QStringLiteral("t3H"), true);
    muaBLabel_ = NewLabel(QStringLiteral("B[mT]"), QStringLiteral("muaBLabel"));
    label2_ = NewLabel(QStringLiteral("H[A/m]"), QStringLiteral("Label2"));
    g->addWidget(muaBLabel_, 0, 0);
    g->addWidget(b_, 0, 1);
    g->addWidget(NewLabel(QStringLiteral("µa"), QStringLiteral("Label1")), 1, 0);
    g->addWidget(t3mua_, 1, 1);
    g->addWidget(label2_, 2, 0);
    g->addWidget(t3H_, 2, 1);
    g->setColumnStretch(2, 1);
    v->addWidget(frame);
    v->addStretch(1);
}

} // namespace tolvik::material
