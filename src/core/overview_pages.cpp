// The data overview page's widgets and layout: the material's datasheet values in two
// caption/field column pairs beside the core parameters.

#include "tolvik/core/overview_tab.h"

#include "page_widgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace tolvik::core {

void OverviewTab::buildPage() {
    auto* h = Outer(new QHBoxLayout(this));

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
    t9Label20_ = NewLabel(QString(), QStringLiteral("t9Label20"));
    t9Label20_->hide();
    // Room for the power loss caption, which appears only for power materials: the
    // window keeps its width whatever the material.
    g1->setColumnMinimumWidth(
        0, t9Label20_->fontMetrics().horizontalAdvance(QStringLiteral("Pv(f100,B200,T100) [kW/m³]")) + 4);
    g1->addWidget(t9Label20_, kLeftRows, 0);
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
}

} // namespace tolvik::core
