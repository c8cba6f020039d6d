#pragma once
/// The Material properties window ("Material data"): one material list above a tab
/// control SSTab1 with five tabs (hysteresis loop, µi vs. T, power loss, µa vs. B,
/// complex permeability), each a page with its own graph Graph1(tab), and the graph reader.
/// The window keeps the selection and routes the events to the page of the current tab.

#include "tolvik/material/mat_page.h"
#include "tolvik/ui_common/working_window.h"

#include <memory>

class QComboBox;

namespace tolvik::material {

/// Tab indices of SSTab1; the graph of a tab is Graph1(index).
enum class MatTabIndex : int { Hysteresis = 0, MuiT = 1, PowerLoss = 2, Amplitude = 3, ComplexMu = 4 };

class MatTab : public ui::WorkingWindow, private MatWindow {
    Q_OBJECT
public:
    /// objectName "MatTab". Fills the material list on construction.
    explicit MatTab(AppContext& app, QWidget* parent = nullptr);
    ~MatTab() override;

    /// Sets the window up for tab `tab` and draws its curve for the selected material. A tab
    /// other than the current one is made current first.
    void ChangeTab(double tab);
    /// Clears the result fields of the current tab.
    void ResetTabFields();
    /// Lets pending window events run.
    void errors();
    /// labErg takes the caption of the selected complex-permeability option.
    void SetMuCaptionDependingOnOption();
    /// The graph reader: reads point `point` of set `set` of the current tab's graph.
    void ReadDataPoint(int set, int point);

    /// The compact size of the layout, which fits the main window's working area.
    QSize sizeHint() const override;

    /// The curve of the current tab that Copy takes, for the material shown in the list.
    ui::CopyRequest copyRequest() const override;

private:
    struct Private;
    std::unique_ptr<Private> d;

    void buildWindow() override;
    void connectSignals() override;
    /// The page of tab `tab`. Every tab has its page from the window's construction on, and
    /// the tab model only ever asks for one of them.
    MatPage* page(int tab) const;
    void tabChanged(int previousTab) override;
    void ShowSelectedCurve();
    void calculateClicked() override;
    void listEntered(QComboBox* list) override;
    void controlLeft(QObject* materialText) override;
    void materialActivated();
    void materialEnter();
    void materialLeft();
    void temperatureSelected(bool t25);

    // MatWindow: what the pages ask of the window
    QString selectedMaterial() const override;
    bool at25C() const override;
    void calculate() override;
    void showMui(const QString& text) override;
};

} // namespace tolvik::material
