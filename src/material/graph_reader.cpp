// The graph reader of the material window: a picked point of the current tab's graph is
// shown in GR1-GR3, copied into the tab's input, recalculated and written to the
// reading log.

#include "mat_tab_p.h"
#include "tolvik/material/power_loss.h"
#include "tolvik/ui_common/numtext.h"

#include <cmath>

namespace tolvik::material {

void MatTab::ReadDataPoint(int set, int point) {
    const int tab = currentTab();
    if (tab < 0 || tab >= kMatTabCount) return;
    chart::ChartModel& g = d->graph[tab]->model();
    g.setThisSet(set);
    g.setThisPoint(point);
    const double xValue = g.xValue(), yValue = g.yValue();
    if (!std::isfinite(xValue) || !std::isfinite(yValue)) return;
    const QString x = Q(text::CommaToPoint(PlainNumberText(xValue)));
    const QString y = Q(text::FormatPattern(yValue, "#.##"));

    const QString previousCurve = d->gr1->text();
    d->gr1->setText(Q(g.legendText()));

    switch (static_cast<MatTabIndex>(tab)) {
    case MatTabIndex::Hysteresis:
        // The H reading goes into the log line too, not the x of an earlier reading.
        d->gr2->setText(QStringLiteral("H=") + x + QStringLiteral("A/m"));
        d->gr3->setText(QStringLiteral("B=") + y + QStringLiteral("mT"));
        d->bHysteresis->setText(y);
        d->hHysteresis->setText(x);
        break;
    case MatTabIndex::MuiT:
        d->gr2->setText(QStringLiteral("T=") + x + QStringLiteral("[°C]"));
        d->gr3->setText(QStringLiteral("µi=") + y);
        d->t->setText(x);
        calculateClick();
        break;
    case MatTabIndex::PowerLoss:
        switch (static_cast<PvY>(d->pvYAxis)) {
        case PvY::Volume:
            d->gr3->setText(QStringLiteral("Pl/V=") + y + QStringLiteral("[kW/m³]"));
            break;
        case PvY::Mass:
            d->gr3->setText(QStringLiteral("Pl/m=") + y + QStringLiteral("[mW/g]"));
            break;
        case PvY::PerformanceFactor:
            d->gr3->setText(QStringLiteral("f*Bmax=") + y + QStringLiteral("[kHz*mT]"));
            break;
        }
        switch (static_cast<PvX>(d->pvXAxis)) {
        case PvX::T:
            d->gr2->setText(QStringLiteral("T=") + x + QStringLiteral("[°C]"));
            d->pt->setText(x);
            break;
        case PvX::F:
            d->gr2->setText(QStringLiteral("f=") + x + QStringLiteral("[kHz]"));
            d->pf->setText(x);
            break;
        case PvX::B:
            d->gr2->setText(QStringLiteral("B=") + x + QStringLiteral("[mT]"));
            d->pb->setText(x);
            break;
        }
        calculateClick();
        d->pvg->setText(y);
        break;
    case MatTabIndex::Amplitude:
        if (d->optmuaH->isChecked())
            d->gr2->setText(QStringLiteral("H =  ") + x + QStringLiteral("[A/m]"));
        else
            d->gr2->setText(QStringLiteral("B=") + x + QStringLiteral("[mT]"));
        d->gr3->setText(QStringLiteral("µa=") + y);
        d->b->setText(x);
        calculateClick();
        break;
    case MatTabIndex::ComplexMu:
        d->gr2->setText(QStringLiteral("f=") + x + QStringLiteral("[kHz]"));
        d->f->setText(x);
        d->gr3->setText(y);
        ResetTabFields();
        d->tErg->setText(y);
        SetMuCaptionDependingOnOption();
        calculateClick();
        break;
    }
    d->app.log.append(S(d->gr2->text()), S(d->gr3->text()), d->gr1->text() != previousCurve);
}

} // namespace tolvik::material
