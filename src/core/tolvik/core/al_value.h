#pragma once
/// The calculations of the "Al value" tab: three panels relating the inductance factor Al of
/// a gapped core to its air gap s (without and with fringe flux) and to the turns N and
/// inductance L of a winding. No Qt: the tab reads its fields into numbers, hands them in
/// with its option states and the looked-up core and material values, and gets back for
/// each field whether it is cleared, replaced or computed (as a number), the messages to
/// show (in order) and the colour of the notes.
///
/// References: gapped-core relation 1/µe = 1/µi + s/le, Al = µ0·µe·Ae/le, L = N²·Al (any
/// ferrite handbook); fringe flux of E-cores by the empirical fit Al = K1·s^K2 per core type.

#include "tolvik/data/records.h"
#include "tolvik/numerics/value.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tolvik::core {

/// Limits of the inputs; a value equal to a limit is accepted.
inline constexpr double kAlMin_nH = 0.001;
inline constexpr double kAlMax_nH = 30000;
inline constexpr double kGapMax_mm = 100; ///< panel 1, s as input
inline constexpr double kLMin_mH = 1E-6;
inline constexpr double kLMax_mH = 100000;
inline constexpr double kTurnsMin = 0.5;
inline constexpr double kTurnsMax = 10000;
inline constexpr double kFringeGapMin_mm = 0.1; ///< validity of the K-factor fit
inline constexpr double kFringeGapMax_mm = 3.5;

/// Values written into a field in place of an input out of range.
inline constexpr double kAlReplacement = 100;
inline constexpr double kGapReplacement = 1;
inline constexpr double kFringeGapReplacement = 100; ///< computed s out of the fit's range
inline constexpr double kLReplacement = 1;
inline constexpr double kTurnsReplacement = 100;

inline constexpr const char* kAppTitle = "Tolvik";
inline constexpr const char* kNoCoreKFactorsText = "No k-factors available for this core!";
inline constexpr const char* kKFactorMaterialText = "k-factor calculation only valid for R41, R52 or R63!";

/// Which quantity each panel takes as its input.
struct AlTabOptions {
    bool alToGap = true;       ///< panel 1: Al in, s out (Al_s_opt1); else s in (s_Al_opt1)
    bool alToL = true;         ///< panel 2: Al, N in, L out (Al_L_opt); else L, N in (L_Al_opt)
    bool alToGapFringe = true; ///< panel 3: Al in, s out (Al_s_ff_opt); else s in (s_Al_ff_opt)
};

/// The panels' inputs (none: no input) and everything else the calculation reads. Of each
/// panel only the input its option names is read.
struct AlValueRequest {
    AlTabOptions options;
    std::optional<double> al1_nH;      ///< panel 1: Al
    std::optional<double> s1_mm;       ///< panel 1: s
    std::optional<double> al3_nH;      ///< panel 2: Al
    std::optional<double> l_mH;        ///< panel 2: L
    std::optional<double> turns;       ///< panel 2: N; none: filled in without a message
    std::optional<double> alFringe_nH; ///< panel 3: Al
    std::optional<double> sFringe_mm;  ///< panel 3: s
    std::string coreType;              ///< the selected core type; "" when none
    std::string material;              ///< the selected material; "" when none
    double ae_mm2 = 0;                 ///< effective area Ae of the core
    double le_mm = 0;                  ///< effective path length le of the core
    double mui = 0;                    ///< µi of the selected material
    double k1 = 0;                     ///< K1 of the core record (core type, low profile, hole)
    double k2 = 0;                     ///< K2 of the core record
    /// The core type's fit of Al over the air gap with fringe flux (K1, K2 of its first row).
    data::KFactorPair typeKFactors;
};

/// What the calculation does to one field.
struct AlFieldResult {
    enum class Change { None, Cleared, Replaced, Computed };
    Change change = Change::None;
    double value = 0; ///< Replaced: the value put in place of the input; Computed: the result

    bool operator==(const AlFieldResult&) const = default;
};

/// The tab's ten number fields.
enum class AlField { Al1, S1, Mue1, Al3, L3, N3, Mue3, AlFringe, SFringe, MueFringe };
inline constexpr int kAlFieldCount = 10;

/// A message to show: either the shared out-of-range message or an information box.
struct AlMessage {
    enum class Kind { OutOfRange, Information };
    Kind kind = Kind::Information;
    std::string text;  ///< "" for OutOfRange (its text is the shared one)
    std::string title; ///< "" for OutOfRange

    bool operator==(const AlMessage&) const = default;
};

/// Back colour of the two notes of panel 3.
enum class NoteColour { Unchanged, Red, LightGray };

struct AlValueResult {
    std::array<AlFieldResult, kAlFieldCount> fields; ///< by AlField
    std::vector<AlMessage> messages;                 ///< in the order they arise
    NoteColour notes = NoteColour::Unchanged;
    bool calculated = false;        ///< false: no core type or no material selected
    bool fringeFluxAccepted = true; ///< false: K-factors missing or material refused

    const AlFieldResult& operator[](AlField f) const { return fields[static_cast<std::size_t>(f)]; }
};

/// Calculate on the tab: panels 1, 3, 2 with range checks and replacement values.
AlValueResult CalculateAlValue(const AlValueRequest& in);

} // namespace tolvik::core
