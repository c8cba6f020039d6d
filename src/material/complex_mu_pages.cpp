// The µ'-µ'' vs. f tab page's widgets and layout: the graph with the quantity options and the
// data point reader beside it.

#include "tolvik/material/complex_mu_tab.h"

#include "mat_page_widgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace tolvik::material {

void ComplexMuTab::buildPage() {
    auto* v = NewPage(this, graph_);
    auto* options = new QGridLayout;
    options->setContentsMargins(6, 0, 6, 0);
    options->setSpacing(2);
    struct Opt {
        const char* name;
        const char* text;
    };
    // In the order SetMuCaptionDependingOnOption tests them.
    static const Opt kOptions[kMuOptionCount] = {
        {"Optmu_", "µs' "},  {"Optmu__", "µs''"},      {"Optmu_p", "µp'"},           {"Optmu__p", "µp''"},
        {"Optgp", "gp[ps]"}, {"Optzn", "Z_N[Ohm/mm]"}, {"OptTand", "tan d/µi*10^6"},
    };
    for (int k = 0; k < kMuOptionCount; ++k) {
        optMu_[k] = NewOption(QString::fromUtf8(kOptions[k].text), QString::fromLatin1(kOptions[k].name));
        optMu_[k]->hide();
        options->addWidget(optMu_[k], k < 4 ? k : k - 4, k < 4 ? 0 : 1);
    }
    v->addLayout(options);
    auto* frame = NewGroup(QStringLiteral("Data point reader:"), QStringLiteral("Frame4"));
    auto* g = Inner(new QGridLayout(frame));
    f_ = NewField(QStringLiteral("f"));
    tErg_ = NewField(QStringLiteral("tErg"), true);
    labErg_ = NewLabel(QString(), QStringLiteral("labErg"));
    g->addWidget(NewLabel(QStringLiteral("f[kHz]"), QStringLiteral("Label7")), 0, 0);
    g->addWidget(f_, 0, 1);
    g->addWidget(labErg_, 1, 0);
    g->addWidget(tErg_, 1, 1);
    g->setColumnStretch(2, 1);
    v->addWidget(frame);
    v->addStretch(1);
}

} // namespace tolvik::material
