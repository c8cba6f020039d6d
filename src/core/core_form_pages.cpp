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
    const ui::SelectionRow& selection =
        makeSelectionRow(QStringLiteral("CoreForm"), QStringLiteral("Core data"),
                         QStringLiteral("Core and material selection"));
    QVBoxLayout* root = selection.root;
    QHBoxLayout* top = selection.top;
    QHBoxLayout* sel = selection.row;
    selection.kern->setFixedWidth(118);
    selection.material->setFixedWidth(100);
    sel->addWidget(selection.kern);
    sel->addWidget(selection.material);
    auto* variants = new QVBoxLayout;
    variants->setSpacing(0);
    variants->addWidget(selection.lowProfile);
    variants->addWidget(selection.withHole);
    sel->addLayout(variants);
    sel->addLayout(selection.temperatures);
    selection.t25->hide();
    selection.t100->hide();
    selection.frame->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    top->addWidget(selection.frame, 0, Qt::AlignLeft);

    // Graph reader: the curve on the first line, x and y reading side by side below.
    ui::ReaderFrame& reader = makeReaderFrame(112, 4);
    reader.frame->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    reader.frame->hide();
    top->addWidget(reader.frame, 1);

    // The tabs, one page each
    CoreWindow& self = *this;
    d->overviewTab = new OverviewTab(self);
    d->pTransTab = new PTransTab(app_, self);
    d->dcBiasTab = new DcBiasTab(app_, self);
    d->harmonicTab = new HarmonicTab(app_, self);
    d->wireTab = new WireTab(app_, self);
    d->listTemp = d->harmonicTab->temperatureList();
    d->pages = {d->overviewTab,
                new AlValueTab(app_, self),
                new MueTTab(app_, self),
                d->pTransTab,
                d->dcBiasTab,
                d->harmonicTab,
                d->wireTab};
    QTabWidget* tabs =
        makeTabs(d->pages, {QStringLiteral("Data overview"), QStringLiteral("Al value"),
                            QStringLiteral("µe vs. T"), QStringLiteral("P trans"), QStringLiteral("DC-Bias"),
                            QStringLiteral(" Harm. distortion"), QStringLiteral(" Wire calculation")});
    root->addWidget(tabs, 1);

    // The arrows start on the window, hidden, like the Calculate button.
    for (int k = 0; k < kArrowCount; ++k) {
        d->picArrow[k] = new QLabel(this);
        d->picArrow[k]->setObjectName(ArrayName("picArrow", k));
        d->picArrow[k]->setAlignment(Qt::AlignCenter);
        d->picArrow[k]->hide();
        d->arrowColour[k] = QStringLiteral("gray");
    }
}

} // namespace tolvik::core
