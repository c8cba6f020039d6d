#pragma once
/// Controls and state of the Material properties window shared by its source files.

#include "tolvik/chart/graph.h"
#include "tolvik/material/mat_curve.h"
#include "tolvik/material/mat_tab.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/services.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QTabWidget>

#include <array>
#include <cstdint>
#include <string>

namespace tolvik::material {

inline constexpr int kMatTabCount = 5;
/// The complex-permeability options in the order SetMuCaptionDependingOnOption tests them.
inline constexpr int kMuOptionCount = 7;

struct MatTab::Private {
    explicit Private(AppContext& a) : app(a) {}

    AppContext& app;

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

    // Graph reader
    QGroupBox* ssFrame5 = nullptr;
    QLabel* gr1 = nullptr;
    QLabel* gr2 = nullptr;
    QLabel* gr3 = nullptr;

    std::array<chart::Graph*, kMatTabCount> graph{};

    // Hysteresis
    QLineEdit* hHysteresis = nullptr;
    QLineEdit* bHysteresis = nullptr;
    std::array<QPushButton*, 2> cmdMinMax{};
    std::int16_t hystHMax = 0, hystBMax = 0, hystHMin = 0, hystBMin = 0;

    // µi vs. T
    QLineEdit* t = nullptr;
    QLineEdit* mui = nullptr;

    // Power loss
    QRadioButton* optxB = nullptr;
    QRadioButton* optxf = nullptr;
    QRadioButton* optxT = nullptr;
    QRadioButton* optyPer = nullptr;
    QRadioButton* optyPvm = nullptr;
    QRadioButton* optyPvV = nullptr;
    QListWidget* list1 = nullptr;
    QListWidget* list2 = nullptr;
    QLabel* pvLab1 = nullptr;
    QLabel* pvLab2 = nullptr;
    QLabel* bLabel = nullptr;
    QLabel* pvLabel = nullptr;
    QLineEdit* pt = nullptr;
    QLineEdit* pf = nullptr;
    QLineEdit* pb = nullptr;
    QLineEdit* pvg = nullptr;
    std::int16_t pvXAxis = 1;
    std::int16_t pvYAxis = 2;

    // µa vs. B
    QRadioButton* optmuaH = nullptr;
    QRadioButton* optmuaB = nullptr;
    QLineEdit* b = nullptr;
    QLineEdit* t3mua = nullptr;
    QLineEdit* t3H = nullptr;
    QLabel* muaBLabel = nullptr;
    QLabel* label2 = nullptr;

    // Complex permeability
    QLineEdit* f = nullptr;
    QLineEdit* tErg = nullptr;
    QLabel* labErg = nullptr;
    std::array<QRadioButton*, kMuOptionCount>
        optMu{}; ///< Optmu_, Optmu__, Optmu_p, Optmu__p, Optgp, Optzn, OptTand

    bool copyButtonFound = false;
    bool copyEnabled = false; ///< what the current tab wants of the main window's Copy button

    chart::ChartModel& model(MatTabIndex tab) { return graph[static_cast<int>(tab)]->model(); }
};

inline QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
inline std::string S(const QString& s) {
    return s.toStdString();
}

/// Writes the points of a curve into the current set of a chart.
inline void WritePoints(chart::ChartModel& m, const std::vector<CurvePoint>& points) {
    for (const CurvePoint& p : points) {
        m.setThisPoint(p.index);
        m.setYValue(p.y);
        m.setXValue(p.x);
    }
}

/// Shows a calculation's message, if it has one.
inline void ShowIfMessage(const std::string& message) {
    if (!message.empty()) ui::ShowMessage(Q(message));
}

} // namespace tolvik::material
