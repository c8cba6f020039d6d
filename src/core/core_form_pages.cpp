// Layout of the Core calculation window: the selection panel, the graph reader frame and
// the seven pages. Each page keeps slots where the Calculate button and the arrow pictures
// are put when its tab is entered.

#include "core_form_p.h"
#include "page_widgets.h"

#include "tolvik/chart/graph.h"
#include "tolvik/core/al_value_tab.h"
#include "tolvik/core/dc_bias_tab.h"
#include "tolvik/core/harmonic_tab.h"
#include "tolvik/core/mue_t_tab.h"
#include "tolvik/core/overview_tab.h"
#include "tolvik/core/p_trans_tab.h"
#include "tolvik/core/wire_tab.h"
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

void CoreForm::buildWindow() {
    // Core and material selection: the two lists, the core variants and the temperature
    // options in one short row.
    const ui::SelectionRow selection =
        makeSelectionRow(QStringLiteral("CoreForm"), QStringLiteral("Core data"),
                         QStringLiteral("Core and material selection"));
    QVBoxLayout* root = selection.root;
    QHBoxLayout* top = selection.top;
    d->frame3D1 = selection.frame;
    QHBoxLayout* sel = selection.row;
    d->kern = NewList(QStringLiteral("Kern"), 118);
    d->material = NewList(QStringLiteral("Material"), 100);
    for (QComboBox* list : {d->kern, d->material}) {
        list->setMaxVisibleItems(20);
        sel->addWidget(list);
    }
    d->lp = selection.lowProfile;
    d->ml = selection.withHole;
    d->t25 = selection.t25;
    d->t100 = selection.t100;
    auto* variants = new QVBoxLayout;
    variants->setSpacing(0);
    variants->addWidget(d->lp);
    variants->addWidget(d->ml);
    sel->addLayout(variants);
    sel->addLayout(selection.temperatures);
    d->t25->hide();
    d->t100->hide();
    d->frame3D1->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    top->addWidget(d->frame3D1, 0, Qt::AlignLeft);

    // Graph reader: the curve on the first line, x and y reading side by side below.
    ui::ReaderFrame& reader = makeReaderFrame(112, 4);
    reader.frame->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    reader.frame->hide();
    top->addWidget(reader.frame, 1);

    // The tabs, one page each
    CoreWindow& self = *this;
    d->overviewTab = new OverviewTab(app_, self);
    d->alTab = new AlValueTab(app_, self);
    d->mueTTab = new MueTTab(app_, self);
    d->pTransTab = new PTransTab(app_, self);
    d->dcBiasTab = new DcBiasTab(app_, self);
    d->harmonicTab = new HarmonicTab(app_, self);
    d->wireTab = new WireTab(app_, self);
    d->listTemp = d->harmonicTab->temperatureList();
    d->pages = {d->overviewTab, d->alTab, d->mueTTab, d->pTransTab, d->dcBiasTab, d->harmonicTab, d->wireTab};
    QTabWidget* tabs =
        makeTabs({{d->overviewTab, d->overviewTab},
                  {d->alTab, d->alTab},
                  {d->mueTTab, d->mueTTab},
                  {d->pTransTab, d->pTransTab},
                  {d->dcBiasTab, d->dcBiasTab},
                  {d->harmonicTab, d->harmonicTab},
                  {d->wireTab, d->wireTab}},
                 {QStringLiteral("Data overview"), QStringLiteral("Al value"), QStringLiteral("µe vs. T"),
                  QStringLiteral("P trans"), QStringLiteral("DC-Bias"), QStringLiteral(" Harm. distortion"),
                  QStringLiteral(" Wire calculation")});
    root->addWidget(tabs, 1);

    // The Calculate button and the arrows start on the window, hidden.
    d->cmdCalculate = new QPushButton(QStringLiteral("Calculate"), this);
    d->cmdCalculate->setObjectName(QStringLiteral("cmdCalculate"));
    d->cmdCalculate->setFixedHeight(24);
    d->cmdCalculate->hide();
    for (int k = 0; k < kArrowCount; ++k) {
        d->picArrow[k] = new QLabel(this);
        d->picArrow[k]->setObjectName(ArrayName("picArrow", k));
        d->picArrow[k]->setAlignment(Qt::AlignCenter);
        d->picArrow[k]->hide();
        d->arrowColour[k] = QStringLiteral("gray");
    }
}

} // namespace tolvik::core
