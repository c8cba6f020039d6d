// The µi vs. T tab page's widgets and layout: the graph with the data point reader beside it.

#include "tolvik/material/mui_t_tab.h"

#include "mat_page_widgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace tolvik::material {

void MuiTTab::buildPage() {
    auto* v = NewPage(this, graph_);
    auto* frame = NewGroup(QStringLiteral("Data point reader:"), QStringLiteral("Frame3"));
    auto* g = Inner(new QGridLayout(frame));
    t_ = NewField(QStringLiteral("T"));
    mui_ = NewField(QStringLiteral("mui"), true);
    g->addWidget(NewLabel(QStringLiteral("T[°C]")), 0, 0);
    g->addWidget(t_, 0, 1);
    g->addWidget(NewLabel(QStringLiteral("µi")), 1, 0);
    g->addWidget(mui_, 1, 1);
    g->setColumnStretch(2, 1);
    v->addWidget(frame);
    v->addStretch(1);
}

} // namespace tolvik::material
