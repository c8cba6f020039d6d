#pragma once
/// Controls and state of the Core calculation window shared by its source files.

#include "page_widgets.h"
#include "tolvik/core/core_form.h"

#include <QString>

#include <array>

class QBoxLayout;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tolvik::chart {
class Graph;
}

namespace tolvik::core {

class AlValueTab;
class DcBiasTab;
class WireTab;
class HarmonicTab;
class PTransTab;

inline constexpr int kTabCount = 7;
inline constexpr int kArrowCount = 3;

struct CoreForm::Private {
    explicit Private(AppContext& a) : app(a) {}

    AppContext& app;

    QTabWidget* tabs = nullptr;
    int lastTab = 0; ///< the tab shown before the latest tab change

    // Selection panel
    QGroupBox* frame3D1 = nullptr;
    QComboBox* kern = nullptr;
    QComboBox* material = nullptr;
    QCheckBox* lp = nullptr;
    QCheckBox* ml = nullptr;
    QRadioButton* t25 = nullptr;
    QRadioButton* t100 = nullptr;

    // Graph reader
    QGroupBox* ssFrame5 = nullptr;
    QLabel* gr1 = nullptr;
    QLabel* gr2 = nullptr;
    QLabel* gr3 = nullptr;
    int lastReadSet = -1; ///< data set read last (-1: none yet)

    // The Calculate button and the arrow pictures, moved onto the current tab
    QPushButton* cmdCalculate = nullptr;
    std::array<QLabel*, kArrowCount> picArrow{};
    std::array<QString, kArrowCount> arrowColour{};
    /// Per tab: where the Calculate button and each arrow sit (null: placed by position).
    std::array<QBoxLayout*, kTabCount> calcSlot{};
    std::array<std::array<QBoxLayout*, kArrowCount>, kTabCount> arrowSlot{};

    AlValueTab* alTab = nullptr;
    DcBiasTab* dcBiasTab = nullptr;
    WireTab* wireTab = nullptr;
    PTransTab* pTransTab = nullptr;
    HarmonicTab* harmonicTab = nullptr;
    std::array<chart::Graph*, kTabCount> graph{};

    // Data overview
    QLabel* t9Label20 = nullptr;

    // µe vs. T
    QLineEdit* s = nullptr;
    QLineEdit* mue25 = nullptr;
    QLineEdit* le = nullptr;
    QLineEdit* t1 = nullptr;
    QLineEdit* mueT = nullptr;
    QLineEdit* mue = nullptr;
    QRadioButton* mue1opt = nullptr;
    QRadioButton* mue2opt = nullptr;
    QLabel* label13 = nullptr;
    /// The field (s or T1) that received the latest press of Enter; its release recalculates
    /// only there, so the release of an Enter that closed a message box does not.
    QObject* enterPressedIn = nullptr;

    // Harmonic distortion
    QComboBox* listTemp = nullptr;

    bool copyButtonDone = false;
};

} // namespace tolvik::core
