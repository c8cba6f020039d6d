#pragma once
/// Controls and state of the Core calculation window shared by its source files.

#include "page_widgets.h"
#include "tolvik/core/core_form.h"

#include <QString>

#include <array>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tolvik::core {

class DcBiasTab;
class HarmonicTab;
class OverviewTab;
class PTransTab;
class WireTab;

inline constexpr int kTabCount = 7;
inline constexpr int kPTransTab = 3;
inline constexpr int kDcBiasTab = 4;
inline constexpr int kArrowCount = 3;

struct CoreForm::Private {
    // The geometry of the selected core, and the selection and data file it was read for
    mutable std::optional<data::CoreGeometry> geometry;
    mutable data::CoreSelection geometryOf;
    mutable const data::Database* geometryFrom = nullptr;

    int lastReadSet = -1; ///< data set read last by the graph reader (-1: none yet)

    // The arrow pictures, moved onto the current tab with the Calculate button
    std::array<QLabel*, kArrowCount> picArrow{};
    std::array<QString, kArrowCount> arrowColour{};

    // The pages, in tab order
    std::array<CorePage*, kTabCount> pages{};
    // … and those the window speaks to
    OverviewTab* overviewTab = nullptr;
    PTransTab* pTransTab = nullptr;
    DcBiasTab* dcBiasTab = nullptr;
    HarmonicTab* harmonicTab = nullptr;
    WireTab* wireTab = nullptr;

    // Harmonic distortion: emptied on a change of material, so that it is refilled
    QComboBox* listTemp = nullptr;
};

} // namespace tolvik::core
