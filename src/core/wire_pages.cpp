// The wire tab page's widgets and layout: the graph on the left, the column of inputs and
// results with the two arrows on the right, Calculate below them.

#include "tolvik/core/wire_tab.h"

#include "page_widgets.h"

#include "tolvik/chart/graph.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tolvik::core {

void WireTab::buildPage() {
    auto* h = Outer(new QHBoxLayout(this));
    h->addWidget(graph_, 1);

    auto* column = new QWidget;
    column->setFixedWidth(250);
    auto* cv = new QVBoxLayout(column);
    cv->setContentsMargins(0, 0, 0, 0);
    cv->setSpacing(kMargin);
    // Inputs, the arrow down to the outputs, the arrow to Rac; captions and fields in one
    // grid so that they line up.
    auto* ssFrame7 = NewGroup(QString(), QStringLiteral("SSFrame7"));
    auto* fg = Inner(new QGridLayout(ssFrame7));
    constexpr int kCaption = 1;
    AddRow(fg, QStringLiteral("N-total"), NewField(QStringLiteral("t2N")), QString(), -1, kCaption);
    AddRow(fg, QStringLiteral("layer"), NewField(QStringLiteral("t2layer"), false, QStringLiteral("1")),
           QString(), -1, kCaption);
    AddRow(fg, QStringLiteral("f[kHz]"), NewField(QStringLiteral("t2f"), false, QStringLiteral("10")),
           QString(), -1, kCaption);
    QWidget* holder = nullptr;
    arrowSlots_[1] = NewSlotWidget(&holder, kArrowSlotSize, kArrowSlotSize);
    fg->addWidget(holder, fg->rowCount(), kCaption, 1, 2, Qt::AlignCenter);
    AddRow(fg, QStringLiteral("d[mm]"), NewField(QStringLiteral("t2draht_d"), true, QString(), 116),
           QString(), -1, kCaption);
    AddRow(fg, QStringLiteral("fw[%]"), NewField(QStringLiteral("t2fw"), true), QString(), -1, kCaption);
    AddRow(fg, QStringLiteral("Rdc[Ohm]"), NewField(QStringLiteral("t2rdc"), true), QString(), -1, kCaption);
    AddRow(fg, QStringLiteral("d_p[mm]"), NewField(QStringLiteral("t2d"), true), QString(), -1, kCaption);
    const int racRow = fg->rowCount();
    arrowSlots_[0] = NewSlotWidget(&holder, kArrowSlotSize, 26);
    fg->addWidget(holder, racRow, 0);
    AddRow(fg, QStringLiteral("Rac[Ohm]"), NewField(QStringLiteral("t2Rac"), true), QString(), racRow,
           kCaption);
    fg->setColumnMinimumWidth(0, kArrowSlotSize);
    fg->setColumnStretch(3, 1);
    cv->addWidget(ssFrame7);
    cv->addStretch(1);
    calculateSlot_ = NewSlot(cv, 0, 0, Qt::AlignRight);
    h->addWidget(column);
}

} // namespace tolvik::core
