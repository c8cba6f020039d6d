#pragma once
/// The "Al value" tab of the core calculation window: three panels relating Al, air gap,
/// turns and inductance (without fringe flux, L - Al, with fringe flux for E-cores).
/// It takes the selection, the core's geometry, the material's µi and the overview's core
/// dimensions from its window and the K-factor fits from the data file; the notes labNoteIn
/// and labNoteOut are its own.

#include "tolvik/core/al_value.h"
#include "tolvik/core/al_value_display.h"
#include "tolvik/core/core_page.h"
#include "tolvik/data/records.h"
#include "tolvik/numerics/value.h"

#include <QWidget>

#include <array>
#include <string>

class QBoxLayout;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tolvik {
struct AppContext;
}

namespace tolvik::core {

class AlValueTab : public QWidget, public CorePage {
    Q_OBJECT
public:
    AlValueTab(AppContext& app, CoreWindow& window, QWidget* parent = nullptr);
    ~AlValueTab() override;

    /// Entering the tab: notes light gray.
    void enterTab();
    /// Clears the result field of each panel under its current option and the µe fields.
    void ResetTabFields();
    /// Loads the core's dimensions into the overview's t9Ae, t9le, t9ln, t9An (plain text).
    void InitAlTab();
    /// Calculate: panels 1, 3, 2 with range checks and replacement values.
    void InitAlCalculation();

    /// µi of the material selected in the window's Material list (0 when none).
    double GetSelectedMaterialMui();

    /// Where the window puts its Calculate button on this tab: the bottom right.
    QBoxLayout* calculateSlot() const override;
    /// Where the window puts its arrow pictures on this tab: 0 in the L - Al panel, 2 in
    /// the air gap panel and 1 in the fringe flux panel, each between the input and the
    /// result field. Null for other indexes.
    QBoxLayout* arrowSlot(int index) const override;

    // The page: enterTab, ResetTabFields, InitAlTab and InitAlCalculation.
    void enter() override;
    void clearResults() override;
    void recalculate() override;
    void calculate() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Panel {
        QGridLayout* grid = nullptr;
        QRadioButton* firstOption = nullptr; ///< the option that makes the first field the input
        QLineEdit* first = nullptr;          ///< Al in every panel
        QLineEdit* second = nullptr;         ///< s, or L in panel 2
        QLabel* inputLabel = nullptr;
        QLabel* resultLabel = nullptr;
        const char* firstCaption = "";
        const char* secondCaption = "";
    };

    /// Object names and captions of one panel's controls; arrow: index of its arrow picture.
    struct PanelNames {
        const char* frame;
        const char* title;
        const char* firstOption;
        const char* firstOptionCaption;
        const char* otherOption;
        const char* otherOptionCaption;
        const char* first;
        const char* second;
        const char* inputLabel;
        const char* resultLabel;
        const char* firstCaption;
        const char* secondCaption;
        const char* mue;
        int arrow;
    };
    /// The panels, the notes and the slots (al_value_pages.cpp).
    void buildPage();
    QGroupBox* buildPanel(Panel& panel, const PanelNames& names);
    QWidget* buildAirGapPanel();
    QWidget* buildInductancePanel();
    QWidget* buildFringeFluxPanel();
    /// The options, the input caption and the result caption of a panel.
    void addCommonRows(Panel& panel, QRadioButton* otherOption);
    /// A place for an arrow between the panel's input and result field.
    QBoxLayout* addArrowSlot(Panel& panel);
    /// The input in the panel's input cell, the result in its result cell, the input first
    /// in the tab order.
    void placeFields(Panel& panel, QLineEdit* input, QLineEdit* result);
    /// Input field unlocked on the window background, result field locked light gray, the
    /// input in the input cell, captions of the new input and result.
    void applyOption(Panel& panel);
    void setNoteColour(NoteColour colour);

    AlTabOptions options() const;
    AlFieldTexts readFields() const;
    void writeFields(const AlFieldTexts& fields);
    QLineEdit* field(const std::string& name) const;

    AppContext& app_;
    CoreWindow& window_;
    Panel airGap_;
    Panel inductance_;
    Panel fringeFlux_;
    QLabel* noteIn_ = nullptr;
    QLabel* noteOut_ = nullptr;
    QBoxLayout* calculateSlot_ = nullptr;
    std::array<QBoxLayout*, 3> arrowSlots_{};
};

} // namespace tolvik::core
