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

class ComplexMuTab;
class MuiTTab;

inline constexpr int kMatTabCount = 5;

struct MatTab::Private {
    int setUpTab = -1;          ///< the tab ChangeTab set up last (-1: none yet)
    bool checkingEntry = false; ///< a typed entry is being checked: its selection draws nothing by itself

    QLabel* picArrow = nullptr;
    QString arrowColour = QStringLiteral("gray");

    // The pages, in tab order
    std::array<MatPage*, kMatTabCount> pages{};
    // … and those the window speaks to
    MuiTTab* muiTTab = nullptr;
    ComplexMuTab* complexMuTab = nullptr;
};

} // namespace tolvik::material
