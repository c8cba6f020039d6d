#pragma once
/// Controls and state of the Core calculation window shared by its source files.

#include "page_widgets.h"
#include "tolvik/core/core_form.h"

#include <QString>

#include <array>
#include <optional>
#include <string>

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

/// Values read from the data file for a selection, kept until the selection or the data
/// file changes.
template <class Values, class Key> class ReadOnce {
public:
    template <class Read> const Values& get(const Key& key, const data::Database* db, Read&& read) {
        if (!db) throw data::DataError("no data file");
        if (!values_ || of_ != key || from_ != db) {
            values_ = read();
            of_ = key;
            from_ = db;
        }
        return *values_;
    }

private:
    std::optional<Values> values_;
    Key of_{};
    const data::Database* from_ = nullptr;
};

struct CoreForm::Private {
    // The selection model: the geometry of the selected core and the values of the
    // selected material
    mutable ReadOnce<data::CoreGeometry, data::CoreSelection> geometry;
    mutable ReadOnce<data::MaterialValues, std::string> material;

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
