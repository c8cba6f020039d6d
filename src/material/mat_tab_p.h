#pragma once
/// Controls and state of the Material properties window shared by its source files.

#include "tolvik/material/mat_tab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QString>

#include <array>

namespace tolvik::material {

class AmplitudeTab;
class ComplexMuTab;
class HysteresisTab;
class MuiTTab;
class PowerLossTab;

inline constexpr int kMatTabCount = 5;

struct MatTab::Private {
    int lastTab = 0;   ///< the tab shown before the latest tab change
    int setUpTab = -1; ///< the tab ChangeTab set up last (-1: none yet)

    // Selection
    QGroupBox* frame3D1 = nullptr;
    QComboBox* material = nullptr;
    QComboBox* kern = nullptr;
    QCheckBox* lp = nullptr;
    QCheckBox* ml = nullptr;
    QRadioButton* t25 = nullptr;
    QRadioButton* t100 = nullptr;
    bool checkingEntry = false; ///< a typed entry is being checked: its selection draws nothing by itself

    QPushButton* cmdCalculate = nullptr;
    QLabel* picArrow = nullptr;
    QString arrowColour = QStringLiteral("gray");

    // The pages, in tab order
    HysteresisTab* hysteresisTab = nullptr;
    MuiTTab* muiTTab = nullptr;
    PowerLossTab* powerLossTab = nullptr;
    AmplitudeTab* amplitudeTab = nullptr;
    ComplexMuTab* complexMuTab = nullptr;
    std::array<MatPage*, kMatTabCount> pages{};
};

} // namespace tolvik::material
