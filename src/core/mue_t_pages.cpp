// The µe vs. T tab page's widgets and layout: the graph on the left; on the right the air
// gap selection, the curve options and the data point reader, each with its arrow, and
// Calculate below them.

#include "tolvik/core/mue_t_tab.h"

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

void MueTTab::buildPage() {
    auto* h = Outer(new QHBoxLayout(this));
    graph_->setMinimumWidth(480);
    h->addWidget(graph_, 1);

    // The inputs column: captions above the fields, the arrow from input to result.
    auto* column = new QWidget;
    column->setFixedWidth(250);
    auto* v = new QVBoxLayout(column);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(kMargin);

    auto* gap = NewGroup(QStringLiteral("Air gap selection"));
    auto* gapGrid = Inner(new QGridLayout(gap));
    s_ = NewField(QStringLiteral("s"));
    mue25_ = NewField(QStringLiteral("mue25"), true);
    gapGrid->addWidget(NewLabel(QStringLiteral("s[ mm ]")), 0, 0);
    gapGrid->addWidget(NewLabel(QStringLiteral("µe (25°C)")), 0, 2);
    gapGrid->addWidget(s_, 1, 0);
    QWidget* holder = nullptr;
    arrowSlots_[0] = NewSlotWidget(&holder, kArrowSlotSize, 26);
    gapGrid->addWidget(holder, 1, 1);
    gapGrid->addWidget(mue25_, 1, 2);
    gapGrid->setColumnStretch(3, 1);
    v->addWidget(gap);

    auto* curveGrid = new QGridLayout;
    curveGrid->setContentsMargins(6, 0, 6, 0);
    curveGrid->setSpacing(kSpacing);
    curveGrid->setHorizontalSpacing(6);
    le_ = NewField(QStringLiteral("le"), true);
    t1_ = NewField(QStringLiteral("T1"), false, QStringLiteral("25"));
    AddRow(curveGrid, QStringLiteral("le[ mm ]"), le_);
    AddRow(curveGrid, QStringLiteral("T1 [ °C ]"), t1_);
    mue1opt_ = NewOption(QStringLiteral("µe(T)"), QStringLiteral("mue1opt"), true);
    mue2opt_ = NewOption(QStringLiteral("(µe(T)-µe(T1))/µe(T)%"), QStringLiteral("Mue2opt"));
    curveGrid->addWidget(mue1opt_, curveGrid->rowCount(), 0, 1, 3);
    curveGrid->addWidget(mue2opt_, curveGrid->rowCount(), 0, 1, 3);
    curveGrid->setColumnStretch(2, 1);
    v->addLayout(curveGrid);

    auto* reader = NewGroup(QStringLiteral("Data point reader:"));
    auto* readerGrid = Inner(new QGridLayout(reader));
    mueT_ = NewField(QStringLiteral("MueT"), false, QStringLiteral("25"));
    mue_ = NewField(QStringLiteral("mue"), true);
    label13_ = NewLabel(QStringLiteral("µe"), QStringLiteral("Label13"));
    readerGrid->addWidget(NewLabel(QStringLiteral("T [ °C ]")), 0, 0);
    readerGrid->addWidget(label13_, 0, 2);
    readerGrid->addWidget(mueT_, 1, 0);
    arrowSlots_[1] = NewSlotWidget(&holder, kArrowSlotSize, 26);
    readerGrid->addWidget(holder, 1, 1);
    readerGrid->addWidget(mue_, 1, 2);
    readerGrid->setColumnStretch(3, 1);
    v->addWidget(reader);

    v->addStretch(1);
    calculateSlot_ = NewSlot(v, 0, 0, Qt::AlignRight);
    h->addWidget(column);
}

} // namespace tolvik::core
