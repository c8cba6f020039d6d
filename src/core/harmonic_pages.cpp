// The harmonic distortion tab page's widgets and layout: the transformer design (the two
// input modes side by side, Frame10 beside them) above the circuit conditions with k3c,
// Calculate below.

#include "tolvik/core/harmonic_tab.h"

#include "page_widgets.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tolvik::core {

void HarmonicTab::buildPage() {
    auto* v = Outer(new QVBoxLayout(this));
    v->addWidget(buildDesign());
    v->addWidget(buildCircuit());
    v->addStretch(1);
    calculateSlot_ = NewSlot(v, 0, 0, Qt::AlignRight);
}

QWidget* HarmonicTab::buildDesign() {
    auto* design = NewGroup(QStringLiteral("Transformer design"));
    auto* dh = Inner(new QHBoxLayout(design));
    dh->setSpacing(kMargin);

    auto* modeGroup = new QButtonGroup(this);
    auto* alBox = new QFrame;
    alBox->setFrameShape(QFrame::StyledPanel);
    auto* ag = Inner(new QGridLayout(alBox));
    optAlN1N2_ = NewOption(QStringLiteral("Input Al, N1, N2"), QStringLiteral("opt_td_AlN1N2"));
    ag->addWidget(optAlN1N2_, 0, 0, 1, 2);
    AddRow(ag, QStringLiteral("Al(25°C) [nH]"), NewField(QStringLiteral("thd_Al25")));
    AddRow(ag, QStringLiteral("N1"), NewField(QStringLiteral("thd_N1")));
    AddRow(ag, QStringLiteral("N2"), NewField(QStringLiteral("thd_N2")));
    for (int k = 1; k <= 2; ++k) {
        cbD_[static_cast<size_t>(k)] = NewList(ArrayName("cb_d", k), 116);
        AddRow(ag, QStringLiteral("d%1[mm] (AWG)").arg(k), cbD_[static_cast<size_t>(k)]);
    }
    ag->setRowStretch(ag->rowCount(), 1);
    dh->addWidget(alBox);
    arrowSlots_[0] = NewSlot(dh);

    auto* n1n2Box = new QFrame;
    n1n2Box->setFrameShape(QFrame::StyledPanel);
    auto* ng = Inner(new QGridLayout(n1n2Box));
    optN1N2R1R2_ = NewOption(QStringLiteral("Input N1:N2, L1, R1, R2 "), QStringLiteral("opt_td_N1N2R1R2"));
    ng->addWidget(optN1N2R1R2_, 0, 0, 1, 2);
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
    modeGroup->addButton(optAlN1N2_);
    modeGroup->addButton(optN1N2R1R2_);

    // Frame10 carries no calculation: its options do nothing, its fields take numbers.
    auto* frame10 = NewGroup(QString(), QStringLiteral("Frame10"));
    auto* fg = Inner(new QGridLayout(frame10));
    fg->addWidget(NewOption(QStringLiteral("H(I,N)"), QStringLiteral("H_Iopt"), true), 0, 0, 1, 2);
    fg->addWidget(NewOption(QStringLiteral("I(H,N)"), QStringLiteral("I_Hopt")), 1, 0, 1, 2);
    AddRow(fg, QStringLiteral("I"), NewField(QStringLiteral("t4I1"), false, QString(), 56));
    AddRow(fg, QStringLiteral("N"), NewField(QStringLiteral("t4N3"), false, QString(), 56));
    fg->setRowStretch(fg->rowCount(), 1);
    dh->addWidget(frame10, 0, Qt::AlignTop);
    dh->addStretch(1);
    return design;
}

QWidget* HarmonicTab::buildCircuit() {
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
    listTemp_ = NewList(QStringLiteral("listTemp"), kFieldWidth + 8);
    AddRow(cg2, QStringLiteral("T [°C]"), listTemp_);
    cg2->setRowStretch(cg2->rowCount(), 1);
    ch->addLayout(cg2);
    arrowSlots_[1] = NewSlot(ch);
    auto* k3c = new QHBoxLayout;
    k3c->setSpacing(6);
    k3c->addWidget(NewLabel(QStringLiteral("k3c [dB]")));
    k3c->addWidget(NewField(QStringLiteral("thd_k3c"), true));
    ch->addLayout(k3c);
    ch->addStretch(1);
    return circuit;
}

} // namespace tolvik::core
