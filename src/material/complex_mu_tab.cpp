// µ'-µ'' vs. f tab: one curve of the chosen quantity per material and option (options
// add curves without a reset) and the quantity at one frequency.

#include "tolvik/material/complex_mu_tab.h"

#include "mat_page_widgets.h"
#include "tolvik/data/records.h"
#include "tolvik/material/complex_mu.h"
#include "tolvik/numerics/numerics.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/lists.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/working_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace tolvik::material {

namespace {

/// The quantity of each option, in the order of the options.
constexpr ComplexQuantity kQuantities[kMuOptionCount] = {
    ComplexQuantity::MuS1, ComplexQuantity::MuS2, ComplexQuantity::MuP1,     ComplexQuantity::MuP2,
    ComplexQuantity::Gp,   ComplexQuantity::Zn,   ComplexQuantity::TanDelta,
};

ComplexQuantity SelectedQuantity(const std::array<QRadioButton*, kMuOptionCount>& options) {
    for (int k = 0; k < kMuOptionCount; ++k) {
        if (options[k]->isChecked()) return kQuantities[k];
    }
    return ComplexQuantity::MuS1;
}

} // namespace

ComplexMuTab::ComplexMuTab(AppContext& app, MatWindow& window, QWidget* parent)
    : QWidget(parent), app_(app), window_(window) {
    graph_ = NewGraph(4, "complex permeability", "f[kHz]", "µ'");
    // Frequency on a logarithmic axis, as the permeability spectra are shown in data books.
    graph_->model().setAxisScale(static_cast<int>(chart::AxisScale::LogXLogY));
    buildPage();

    ClearsOnEdit(this, f_, {tErg_});
    for (int k = 0; k < kMuOptionCount; ++k) {
        connect(optMu_[k], &QRadioButton::toggled, this, [this, k](bool on) {
            if (on) optionSelected(k);
        });
    }
}

ComplexMuTab::~ComplexMuTab() = default;

std::optional<ui::CopyColumn> ComplexMuTab::copyColumn(const std::string& material) const {
    if (optMu_[0]->isChecked()) return ui::CopyColumn{"mu_mu__f", "mu_" + material};
    if (optMu_[1]->isChecked()) return ui::CopyColumn{"mu_mu__f", "mu__" + material};
    return ui::CopyColumn{"mu_mu__f", material};
}

void ComplexMuTab::enter() {
    for (QRadioButton* o : optMu_)
        o->show();
    if (!optMu_[0]->isChecked()) {
        ui::SetTag(optMu_[0], ui::kNoAction);
        optMu_[0]->setChecked(true);
    }
    SetMuCaptionDependingOnOption();
    graph_->model().setLeftTitle(AxisTitle(ComplexQuantity::MuS1));
}

void ComplexMuTab::hideOwnControls() {
    for (QRadioButton* o : optMu_)
        o->hide();
}

void ComplexMuTab::clearResults() {
    tErg_->clear();
}

void ComplexMuTab::calculate() {
    if (IsIncomplete(f_->text())) return;
    if (app_.database) ui::Guarded([&] { CalcComplexPermeability(); }, this);
}

std::optional<ui::ReaderLines> ComplexMuTab::pointPicked(const ui::PickedPoint& p) {
    f_->setText(p.xText);
    clearResults();
    tErg_->setText(p.yText);
    SetMuCaptionDependingOnOption();
    window_.calculate();
    return ui::ReaderLines{QStringLiteral("f=") + p.xText + QStringLiteral("[kHz]"), p.yText};
}

void ComplexMuTab::SetMuCaptionDependingOnOption() {
    for (QRadioButton* o : optMu_) {
        if (o->isChecked()) {
            labErg_->setText(o->text());
            return;
        }
    }
}

void ComplexMuTab::optionSelected(int option) {
    if (option == 0 && ui::Tag(optMu_[0]) == ui::kNoAction) {
        ui::SetTag(optMu_[0], QString());
        return;
    }
    SetMuCaptionDependingOnOption();
    graph_->model().setLeftTitle(AxisTitle(kQuantities[option]));
    if (app_.database) ui::Guarded([&] { DrawComplexPermeability(); }, this);
}

void ComplexMuTab::DrawComplexPermeability() {
    const std::string m = S(window_.selectedMaterial());
    if (m.empty()) return;
    const Value mui = data::GetMaterialMui(app_.db(), m);
    const MatCurve curve =
        ComplexCurve(m, SelectedQuantity(optMu_), mui, data::ReadComplexMuCurve(app_.db(), m));
    if (!curve.valid) {
        ShowIfMessage(curve.message);
        return;
    }
    CalcComplexPermeability();
    chart::ChartModel& g = graph_->model();
    const int set = g.numSets();
    DrawCurveIntoSet(g, set, curve);
    g.setNumSets(set + 1);
}

void ComplexMuTab::CalcComplexPermeability() {
    const double f = text::ReadNumber(S(f_->text()));
    if (f == 0) return;
    const std::string m = S(window_.selectedMaterial());
    if (m.empty()) return;
    const ComplexQuantity q = SelectedQuantity(optMu_);
    const data::ComplexMuLookup at = data::ComplexMuAtF(app_.db(), m, f);
    const Value mui = q == ComplexQuantity::TanDelta ? data::GetMaterialMui(app_.db(), m) : Value();
    const ComplexReading r = ComplexAt(q, f, at, mui);
    if (!r.muiText.empty()) window_.showMui(Q(r.muiText));
    ShowIfMessage(r.value.message);
    tErg_->setText(r.value.valid ? Q(text::FormatPattern(r.value.value, "#.#")) : QString());
    SetMuCaptionDependingOnOption();
}

} // namespace tolvik::material
