#pragma once
/// The " Wire calculation" tab of the core calculation window: the wire for a winding on
/// the selected core's bobbin, its DC resistance, the skin depth, the AC resistance at
/// one frequency and the Rac/Rdc curves over frequency (one per calculation, legend =
/// number of layers). The selected core comes from its window.

#include "tolvik/core/core_page.h"

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

class WireTab : public QWidget, public CorePage {
    Q_OBJECT
public:
    /// Enter in t2f or t2layer recalculates through the window.
    WireTab(AppContext& app, CoreWindow& window, QWidget* parent = nullptr);
    ~WireTab() override;

    /// Graph1(6), "Rac/Rdc vs. frequency".
    chart::Graph* graph() const override;
    QBoxLayout* calculateSlot() const override;
    /// 0 beside Rac, 1 between the inputs and the outputs; the window has no other arrow
    /// for this tab.
    QBoxLayout* arrowSlot(int index) const override;
    SelectionLists selectionLists() const override { return SelectionLists::CoresOnly; }
    /// Entering the tab shows the graph and the wire frame.
    void enter() override;
    void clearResults() override { ResetTabFields(); }
    std::optional<ui::ReaderLines> pointPicked(const ui::PickedPoint& point) override;
    /// t2rdc and t2Rac as they stand (the P trans tab takes their ratio).
    WireResistanceTexts resistances() const;

    /// Clears t2draht_d, t2rdc, t2d, t2Rac, t2fw.
    void ResetTabFields();
    /// The recalculation of the tab: wire search without messages; if it succeeds, the DC
    /// resistance and one Rac/Rdc curve.
    void recalculate() override;
    /// Calculate: defaults for empty layers (1) and frequency (10 kHz); with a core, the wire
    /// search with its messages, the DC resistance, one curve and the AC resistance.
    void calculate() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// The graph and the column of fields beside it (wire_pages.cpp).
    void buildPage();
    bool searchWire(bool showMessages);
    void dcResistance();
    void curve();
    void acResistance();
    /// A fault of the ratio: its description, then the outputs cleared.
    void reportFault(const std::string& message);
    QLineEdit* field(const char* name) const;
    QString selectedCore() const;
    template <class F> void guarded(F&& step);

    AppContext& app_;
    CoreWindow& window_;
    chart::Graph* graph_ = nullptr;
    QBoxLayout* calculateSlot_ = nullptr;
    std::array<QBoxLayout*, 2> arrowSlots_{};
};

} // namespace tolvik::core
