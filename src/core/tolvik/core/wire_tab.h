#pragma once
/// The " Wire calculation" tab of the core calculation window: the wire for a winding on
/// the selected core's bobbin, its DC resistance, the skin depth, the AC resistance at
/// one frequency and the Rac/Rdc curves over frequency (one per calculation, legend =
/// number of layers). It reads the window's Kern, LP and ML by objectName.

#include <QWidget>

#include <array>
#include <functional>

class QBoxLayout;
class QLineEdit;

namespace tolvik {
struct AppContext;
namespace chart {
class Graph;
}
} // namespace tolvik

namespace tolvik::core {

class WireTab : public QWidget {
    Q_OBJECT
public:
    /// form: the window holding the core selection; recalculate: the window's
    /// RecalculateCurrentTab (Enter in t2f or t2layer).
    WireTab(AppContext& app, QWidget* form, std::function<void()> recalculate, QWidget* parent = nullptr);
    ~WireTab() override;

    /// Graph1(6), "Rac/Rdc vs. frequency".
    chart::Graph* graph() const;
    QBoxLayout* calculateSlot() const;
    /// 0 beside Rac, 1 between the inputs and the outputs; null for other indexes.
    QBoxLayout* arrowSlot(int index) const;

    /// Clears t2draht_d, t2rdc, t2d, t2Rac, t2fw.
    void ResetTabFields();
    /// The recalculation of the tab: wire search without messages; if it succeeds, the DC
    /// resistance and one Rac/Rdc curve.
    void recalculate();
    /// Calculate: defaults for empty layers (1) and frequency (10 kHz); with a core, the wire
    /// search with its messages, the DC resistance, one curve and the AC resistance.
    void calculate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool searchWire(bool showMessages);
    void dcResistance();
    void curve();
    void acResistance();
    /// A fault of the ratio: its description, then the outputs cleared.
    void reportFault(const std::string& message);
    QLineEdit* field(const char* name) const;
    QString selectedCore() const;
    bool checked(const char* name) const;
    template <class F> void guarded(F&& step);

    AppContext& app_;
    QWidget* form_;
    std::function<void()> recalculate_;
    chart::Graph* graph_ = nullptr;
    QBoxLayout* calculateSlot_ = nullptr;
    std::array<QBoxLayout*, 2> arrowSlots_{};
};

} // namespace tolvik::core
