// Layout of the Material properties window: the selection row with the graph reader and
// the Calculate button, and the five pages, each a graph with its controls beside it.

#include "mat_tab_p.h"

#include "tolvik/material/amplitude_tab.h"
#include "tolvik/material/complex_mu_tab.h"
#include "tolvik/material/hysteresis_tab.h"
#include "tolvik/material/mui_t_tab.h"
#include "tolvik/material/power_loss_tab.h"
#include "tolvik/ui_common/page_widgets.h"

#include <QBoxLayout>
#include <QTabWidget>

namespace tolvik::material {

using namespace ::tolvik::ui::page;

void MatTab::buildWindow() {
    const ui::SelectionRow& selection = makeSelectionRow(
        QStringLiteral("MatTab"), QStringLiteral("Material data"), QStringLiteral("Material selection"));
    QVBoxLayout* root = selection.root;
    QHBoxLayout* top = selection.top;
    QHBoxLayout* sel = selection.row;
    selection.material->setFixedWidth(100);
    sel->addWidget(selection.material);
    sel->addWidget(selection.kern);
    sel->addWidget(selection.lowProfile);
    sel->addWidget(selection.withHole);
    // The core and its variants are of the core window: they stay hidden here.
    for (QWidget* w :
         std::initializer_list<QWidget*>{selection.kern, selection.lowProfile, selection.withHole})
        w->hide();
    sel->addLayout(selection.temperatures);
    // The temperature options keep their place on the tabs that hide them: nothing above the
    // tab control moves from tab to tab, and the graphs keep their size.
    for (QWidget* w : {static_cast<QWidget*>(selection.t25), static_cast<QWidget*>(selection.t100)}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    selection.frame->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    top->addWidget(selection.frame, 0, Qt::AlignLeft);

    top->addWidget(makeReaderFrame(130).frame, 1);

    // Calculate with its arrow, at the right of the selection row.
    d->picArrow = new QLabel;
    d->picArrow->setObjectName(QStringLiteral("picArrow"));
    d->picArrow->setAlignment(Qt::AlignCenter);
    d->picArrow->setFixedSize(36, 36);
    d->picArrow->hide();
    top->addWidget(d->picArrow, 0, Qt::AlignVCenter);
    top->addWidget(calculateButton(), 0, Qt::AlignVCenter);

    // Labels of the window's design that no routine shows.
    static const char* const kDesignLabels[] = {"le [ mm ]", "Hyst.beiw.[10^(-6)/K]", "Bs[mT] 100°C",
                                                "Bs[mT] 25°C", "µa"};
    for (int k = 0; k < 5; ++k) {
        auto* label = new QLabel(QString::fromUtf8(kDesignLabels[k]), this);
        label->setObjectName(ArrayName("Label3", k));
        label->hide();
    }

    MatWindow& self = *this;
    d->muiTTab = new MuiTTab(app_, self);
    d->complexMuTab = new ComplexMuTab(app_, self);
    d->pages = {new HysteresisTab(app_, self), d->muiTTab, new PowerLossTab(app_, self),
                new AmplitudeTab(app_, self), d->complexMuTab};
    QTabWidget* tabs = makeTabs(d->pages, {QStringLiteral("Hysteresis"), QStringLiteral("µi vs. T"),
                                           QStringLiteral("Pv vs. f,B,T"), QStringLiteral("µa vs. B"),
                                           QStringLiteral("µ'-µ'' vs. f")});
    root->addWidget(tabs, 1);
}

} // namespace tolvik::material
