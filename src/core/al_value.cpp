#include "tolvik/core/al_value.h"

#include "tolvik/numerics/numerics.h"
#include "tolvik/ui_common/numtext.h"

#include <cmath>
#include <optional>

namespace tolvik::core {

namespace {

bool Outside(double x, double lo, double hi) {
    return x < lo || x > hi;
}

AlMessage OutOfRange() {
    return {AlMessage::Kind::OutOfRange, {}, {}};
}

AlMessage Information(const char* text, const char* title = kAppTitle) {
    return {AlMessage::Kind::Information, text, title};
}

bool IsKFactorMaterial(const std::string& name) {
    return name == "R41" || name == "R52" || name == "R63";
}

bool IsGap(AlField f) {
    return f == AlField::S1 || f == AlField::SFringe;
}

const char* Pattern(AlField f) {
    switch (f) {
    case AlField::Al1:
    case AlField::AlFringe:
        return "#.#";
    case AlField::L3:
        return "#.###";
    default:
        return "#";
    }
}

/// The number a field reads as once it shows r: later steps of the tab went on with the
/// field's rounded text, so they go on with the value rounded as the display rounds.
double ReadAsShown(AlField f, const AlFieldResult& r) {
    switch (r.change) {
    case AlFieldResult::Change::Replaced:
        return r.value;
    case AlFieldResult::Change::Computed:
        return IsGap(f) ? text::RoundedSignificant(r.value, 3, 999)
                        : text::RoundedAsShown(r.value, Pattern(f));
    case AlFieldResult::Change::None:
    case AlFieldResult::Change::Cleared:
        break;
    }
    return 0;
}

/// The three panels on one request; the inputs as read are updated where a field is
/// replaced, as the next step reads the field again.
class Panels {
public:
    Panels(const AlValueRequest& in, AlValueResult& r) : in_(in), r_(r) {}

    /// Panel 1: Al and air gap without fringe flux.
    void airGap() {
        double s = 0;
        std::optional<double> gap;
        if (in_.options.alToGap) {
            if (!in_.al1_nH) return clear(AlField::S1);
            double al = *in_.al1_nH;
            if (Outside(al, kAlMin_nH, kAlMax_nH)) al = replace(AlField::Al1, kAlReplacement);
            gap = num::TryGapFromAl(in_.le_mm, in_.ae_mm2, al, in_.mui);
            if (gap)
                computed(AlField::S1, *gap);
            else
                clear(AlField::S1);
        } else {
            if (!in_.s1_mm) return clear(AlField::Al1);
            s = *in_.s1_mm;
            if (s > kGapMax_mm) s = replace(AlField::S1, kGapReplacement);
            if (s < 0) s = replace(AlField::S1, kGapReplacement);
            gap = s;
            const std::optional<double> al = num::TryAlFromGap(in_.le_mm, in_.ae_mm2, s, in_.mui);
            if (al)
                computed(AlField::Al1, *al);
            else
                clear(AlField::Al1);
        }
        // A calculation that cannot be made (no µi, no core data) leaves its result empty;
        // a failed gap is no gap of 0, and µe is then not µi.
        const std::optional<double> mue = gap ? num::TryMueFromGap(in_.mui, *gap, in_.le_mm) : std::nullopt;
        if (mue)
            computed(AlField::Mue1, *mue);
        else
            clear(AlField::Mue1);
    }

    /// Panel 3: Al and air gap with fringe flux (E-cores). False when the K-factor
    /// calculation was refused.
    bool fringeFlux() {
        if (in_.options.alToGapFringe) {
            if (!in_.alFringe_nH) {
                clear(AlField::SFringe);
                return true;
            }
            alFringe_ = *in_.alFringe_nH;
            if (!fringeFluxOnce()) return refused();
            // The computed gap lies outside the range the fit was made for: warn, mark the
            // notes; the second calculation shows the computed gap again.
            if (Outside(shown(AlField::SFringe), kFringeGapMin_mm, kFringeGapMax_mm))
                replace(AlField::SFringe, kFringeGapReplacement);
            noteFit(shown(AlField::SFringe));
        } else {
            if (!in_.sFringe_mm) {
                clear(AlField::AlFringe);
                return true;
            }
            sFringe_ = *in_.sFringe_mm;
            if (!fringeFluxOnce()) return refused();
            // Within the fit's range the gap also lies within 0 .. kGapMax_mm.
            if (Outside(sFringe_, kFringeGapMin_mm, kFringeGapMax_mm))
                sFringe_ = replace(AlField::SFringe, kGapReplacement);
            noteFit(sFringe_);
        }
        fringeFluxOnce();
        return true;
    }

    /// Panel 2: Al, L and turns.
    void inductance() {
        double l = 0, al = 0;
        if (!in_.options.alToL) {
            if (!in_.l_mH) return clear(AlField::Al3);
            l = *in_.l_mH;
            if (Outside(l, kLMin_mH, kLMax_mH)) l = replace(AlField::L3, kLReplacement);
        } else {
            if (!in_.al3_nH) return clear(AlField::L3);
            al = *in_.al3_nH;
            if (Outside(al, kAlMin_nH, kAlMax_nH)) al = replace(AlField::Al3, kAlReplacement);
        }
        double n = kTurnsReplacement;
        if (in_.turns)
            n = *in_.turns;
        else
            at(AlField::N3) = {AlFieldResult::Change::Replaced, kTurnsReplacement}; // no message
        if (Outside(n, kTurnsMin, kTurnsMax)) n = replace(AlField::N3, kTurnsReplacement);
        if (!(n > 0)) return;
        if (!in_.options.alToL) {
            computed(AlField::Al3, l / (n * n) * 1E6);
            al = shown(AlField::Al3); // µe from the Al as displayed
        } else {
            computed(AlField::L3, num::InductanceFromAl(al, n));
        }
        computed(AlField::Mue3, num::MueFromAl(al, in_.le_mm, in_.ae_mm2));
    }

private:
    AlFieldResult& at(AlField f) { return r_.fields[static_cast<std::size_t>(f)]; }
    double shown(AlField f) { return ReadAsShown(f, at(f)); }
    void clear(AlField f) { at(f) = {AlFieldResult::Change::Cleared, 0}; }
    /// A result that is not finite is shown as no value.
    void computed(AlField f, double x) {
        if (std::isfinite(x))
            at(f) = {AlFieldResult::Change::Computed, x};
        else
            clear(f);
    }
    /// An input out of range: the message, and the value written in its place.
    double replace(AlField f, double value) {
        r_.messages.push_back(OutOfRange());
        at(f) = {AlFieldResult::Change::Replaced, value};
        return value;
    }
    bool refused() {
        r_.notes = NoteColour::Red;
        return false;
    }
    void noteFit(double s_mm) {
        r_.notes =
            Outside(s_mm, kFringeGapMin_mm, kFringeGapMax_mm) ? NoteColour::Red : NoteColour::LightGray;
    }

    /// One calculation of panel 3 on its input as it stands. False when a K-factor message
    /// was shown (no K-factors, material not R41/R52/R63).
    bool fringeFluxOnce() {
        if (in_.k1 == 0 || in_.k2 == 0) {
            r_.messages.push_back(Information(kNoCoreKFactorsText));
            return false;
        }
        if (!IsKFactorMaterial(in_.material)) {
            r_.messages.push_back(Information(kKFactorMaterialText));
            return false;
        }
        double al = 0;
        double s = 0;
        if (in_.options.alToGapFringe) {
            if (at(AlField::AlFringe).change == AlFieldResult::Change::Cleared) return true;
            al = alFringe_;
            const data::KFactorGapResult gap =
                in_.kFactorGap ? in_.kFactorGap(al) : data::KFactorGapResult{Value::integer(0), true};
            if (gap.noKFactors) {
                r_.messages.push_back(Information(data::kNoKFactorsText, data::kNoKFactorsTitle));
                clear(AlField::MueFringe);
                clear(AlField::AlFringe);
                clear(AlField::SFringe);
            }
            s = gap.s.toDouble();
            if (!std::isfinite(s)) s = 0; // no real root (a negative Al)
            computed(AlField::SFringe, s);
        } else {
            s = sFringe_;
            const Value alValue = in_.kFactorAl ? in_.kFactorAl(s) : Value::empty();
            al = alValue.toDouble();
            if (!std::isfinite(al)) al = 0;
            if (alValue.isEmpty())
                clear(AlField::AlFringe);
            else
                computed(AlField::AlFringe, al);
        }
        if (s == 0) return true;
        // µe = le·Al / (µ0·Ae) in SI units
        const double divisor = num::kMu0 * in_.ae_mm2 / 1E6;
        if (divisor == 0)
            clear(AlField::MueFringe);
        else
            computed(AlField::MueFringe, (in_.le_mm / 1000 * al / 1E9) / divisor);
        return true;
    }

    const AlValueRequest& in_;
    AlValueResult& r_;
    double alFringe_ = 0; ///< panel 3's Al as read
    double sFringe_ = 0;  ///< panel 3's s as read or replaced
};

} // namespace

AlValueResult CalculateAlValue(const AlValueRequest& in) {
    AlValueResult r;
    if (in.coreType.empty() || in.material.empty()) return r;
    r.calculated = true;
    Panels panels(in, r);
    panels.airGap();
    r.fringeFluxAccepted = panels.fringeFlux();
    panels.inductance();
    return r;
}

std::string ShowAlField(AlField field, const AlFieldResult& r) {
    switch (r.change) {
    case AlFieldResult::Change::Replaced:
        return text::FormatPattern(r.value, "#");
    case AlFieldResult::Change::Computed:
        // Air gaps are shown with three significant digits (".461", "1.23", "12.3"), as the
        // DC-bias reader shows currents; a gap with fifteen digits helps nobody at the bench.
        return IsGap(field) ? text::FormatSignificant(r.value, 3, 999)
                            : text::FormatPattern(r.value, Pattern(field));
    case AlFieldResult::Change::None:
    case AlFieldResult::Change::Cleared:
        break;
    }
    return {};
}

namespace {

/// The fields' texts in the order of AlField.
std::array<std::string AlTabFields::*, kAlFieldCount> FieldMembers() {
    return {&AlTabFields::t4Al1,         &AlTabFields::t4s1,          &AlTabFields::t4mue1,
            &AlTabFields::t4Al3,         &AlTabFields::t4L1,          &AlTabFields::t4N1,
            &AlTabFields::t4mue3,        &AlTabFields::tAlFringeFlux, &AlTabFields::tsFringeFlux,
            &AlTabFields::tmueFringeFlux};
}

std::optional<double> ReadInput(const std::string& text, bool commaIsEmpty = false) {
    if (IsEmptyInput(text, commaIsEmpty)) return std::nullopt;
    return ReadField(text);
}

} // namespace

double ReadField(const std::string& text) {
    return text::ReadNumber(text);
}

bool IsEmptyInput(const std::string& text, bool commaIsEmpty) {
    return text.empty() || text == "." || text == "0." || (commaIsEmpty && text == ",");
}

void ReadAlInputs(const AlTabFields& f, AlValueRequest& in) {
    in.al1_nH = ReadInput(f.t4Al1);
    in.s1_mm = ReadInput(f.t4s1);
    in.al3_nH = ReadInput(f.t4Al3);
    in.l_mH = ReadInput(f.t4L1);
    // Empty turns are filled in; ".", "0." read as 0 and are out of range.
    in.turns = f.t4N1.empty() ? std::nullopt : std::optional(ReadField(f.t4N1));
    in.alFringe_nH = ReadInput(f.tAlFringeFlux, true);
    in.sFringe_mm = ReadInput(f.tsFringeFlux);
}

AlTabFields ShowAlResult(const AlTabFields& typed, const AlValueResult& r) {
    AlTabFields out = typed;
    const auto members = FieldMembers();
    for (std::size_t i = 0; i < members.size(); ++i) {
        if (r.fields[i].change != AlFieldResult::Change::None)
            out.*members[i] = ShowAlField(static_cast<AlField>(i), r.fields[i]);
    }
    return out;
}

std::vector<std::string> DependentFields(const std::string& field, const AlTabOptions& options) {
    if (field == "t4Al1") return {"t4mue1", "t4s1"};
    if (field == "t4s1") return {"t4mue1", "t4Al1"};
    if (field == "t4Al3") return {"t4mue3", "t4L1"};
    if (field == "t4L1") return {"t4mue3", "t4Al3"};
    if (field == "t4N1") return {"t4mue3", options.alToL ? "t4L1" : "t4Al3"};
    if (field == "tAlFringeFlux") return {"tmueFringeFlux", "tsFringeFlux"};
    if (field == "tsFringeFlux") return {"tmueFringeFlux", "tAlFringeFlux"};
    return {};
}

std::vector<std::string> ResultFields(const AlTabOptions& options) {
    return {options.alToGap ? "t4s1" : "t4Al1",
            options.alToL ? "t4L1" : "t4Al3",
            options.alToGapFringe ? "tsFringeFlux" : "tAlFringeFlux",
            "t4mue1",
            "t4mue3",
            "tmueFringeFlux"};
}

} // namespace tolvik::core
