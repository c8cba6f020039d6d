#pragma once
/// The "µe vs. T" tab of the core calculation window: the effective permeability of the
/// gapped core over temperature (absolute or relative to T1), read at one temperature.

#include "tolvik/core/core_page.h"
#include "tolvik/core/mue_t.h"

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace tolvik {
struct AppContext;
}

namespace tolvik::core {

class MueTTab : public QWidget, public CorePage {
    Q_OBJECT
public:
    MueTTab(AppContext& app, CoreWindow& window, QWidget* parent = nullptr);
    ~MueTTab() override;

    void clearResults() override;
    /// The air gap checked, le loaded, the reading at MueT and the curve of the option.
    void recalculate() override;
    /// An empty air gap counts as 0; with a reading temperature, the recalculation and
    /// µe at 25 °C.
    void calculate() override;
    chart::Graph* graph() const override { return graph_; }
    std::optional<ui::ReaderLines> pointPicked(const ui::PickedPoint& point) override;
    QBoxLayout* calculateSlot() const override { return calculateSlot_; }
    /// 0 in the air gap selection, 1 in the data point reader; the window has no other
    /// arrow for this tab.
    QBoxLayout* arrowSlot(int index) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// The graph and the column of frames beside it (mue_t_pages.cpp).
    void buildPage();
    MueTInput input() const;
    void setUp();
    void pointReader();
    void relativePointReader(double t);
    void curve(bool relative);
    void mueAt25();
    void optionClicked(bool relative);

    AppContext& app_;
    CoreWindow& window_;
    chart::Graph* graph_ = nullptr;
    QLineEdit* s_ = nullptr;
    QLineEdit* mue25_ = nullptr;
    QLineEdit* le_ = nullptr;
    QLineEdit* t1_ = nullptr;
    QLineEdit* mueT_ = nullptr;
    QLineEdit* mue_ = nullptr;
    QRadioButton* mue1opt_ = nullptr;
    QRadioButton* mue2opt_ = nullptr;
    QLabel* label13_ = nullptr;
    QBoxLayout* calculateSlot_ = nullptr;
    std::array<QBoxLayout*, 2> arrowSlots_{};
    /// The field (s or T1) that received the latest press of Enter; its release recalculates
    /// only there, so the release of an Enter that closed a message box does not.
    QObject* enterPressedIn_ = nullptr;
};

} // namespace tolvik::core
