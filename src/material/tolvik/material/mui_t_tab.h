#pragma once
/// The "µi vs. T" tab of the material window: the µi curves of the chosen materials and µi
/// at one temperature.

#include "tolvik/material/mat_page.h"

#include <QWidget>

class QLineEdit;

namespace tolvik {
struct AppContext;
}

namespace tolvik::material {

class MuiTTab : public QWidget, public MatPage {
    Q_OBJECT
public:
    MuiTTab(AppContext& app, MatWindow& window, QWidget* parent = nullptr);
    ~MuiTTab() override;

    bool offersCopy() const override { return true; }
    std::optional<ui::CopyColumn> copyColumn(const std::string& material) const override;
    void clearResults() override;
    void recalculate() override { DrawInitialPermeability(); }
    /// µi at the temperature T (nothing while T is still being typed).
    void calculate() override;
    chart::Graph* graph() const override { return graph_; }
    std::optional<ui::ReaderLines> pointPicked(const ui::PickedPoint& point) override;
    /// Shows µi as another tab read it.
    void showMui(const QString& text);

    void DrawInitialPermeability();
    void CalcInitialPermeability();

private:
    /// The controls beside the graph (mui_t_pages.cpp).
    void buildPage();
    AppContext& app_;
    MatWindow& window_;
    chart::Graph* graph_ = nullptr;
    QLineEdit* t_ = nullptr;
    QLineEdit* mui_ = nullptr;
};

} // namespace tolvik::material
