#pragma once
/// The "µ'-µ'' vs. f" tab of the material window: one curve of the chosen quantity per
/// material and option (options add curves without a reset) and the quantity at one
/// frequency.

#include "tolvik/material/mat_page.h"

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace tolvik {
struct AppContext;
}

namespace tolvik::material {

/// The complex-permeability options in the order SetMuCaptionDependingOnOption tests them.
inline constexpr int kMuOptionCount = 7;

class ComplexMuTab : public QWidget, public MatPage {
    Q_OBJECT
public:
    ComplexMuTab(AppContext& app, MatWindow& window, QWidget* parent = nullptr);
    ~ComplexMuTab() override;

    bool offersCopy() const override { return true; }
    std::optional<ui::CopyColumn> copyColumn(const std::string& material) const override;
    /// The options are shown, µs' chosen when none is, the caption and axis of the option.
    void enter() override;
    void hideOwnControls() override;
    void clearResults() override;
    void recalculate() override { DrawComplexPermeability(); }
    /// The quantity at the frequency f (nothing while f is still being typed).
    void calculate() override;
    chart::Graph* graph() const override { return graph_; }
    std::optional<ui::ReaderLines> pointPicked(const ui::PickedPoint& point) override;

    /// labErg takes the caption of the selected option.
    void SetMuCaptionDependingOnOption();
    void DrawComplexPermeability();
    void CalcComplexPermeability();

private:
    /// The controls beside the graph (complex_mu_pages.cpp).
    void buildPage();
    void optionSelected(int option);

    AppContext& app_;
    MatWindow& window_;
    chart::Graph* graph_ = nullptr;
    QLineEdit* f_ = nullptr;
    QLineEdit* tErg_ = nullptr;
    QLabel* labErg_ = nullptr;
    std::array<QRadioButton*, kMuOptionCount>
        optMu_{}; ///< Optmu_, Optmu__, Optmu_p, Optmu__p, Optgp, Optzn, OptTand
};

} // namespace tolvik::material
