#include "tolvik/core/al_value.h"

#include "tolvik/core/al_value_display.h"

#include "tolvik/numerics/numerics.h"

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
    double shown(AlField f) { return AlFieldAsShown(f, at(f)); }
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
            const data::KFactorPair& k = in_.typeKFactors;
            if (k.k1 == 0 || k.k2 == 0) {
                r_.messages.push_back(Information(data::kNoKFactorsText, data::kNoKFactorsTitle));
                clear(AlField::MueFringe);
                clear(AlField::AlFringe);
                clear(AlField::SFringe);
            }
            s = num::KFactorGap(k.k1, k.k2, al).toDouble();
            if (!std::isfinite(s)) s = 0; // no real root (a negative Al)
            computed(AlField::SFringe, s);
        } else {
            s = sFringe_;
            const Value alValue = num::KFactorAl(in_.typeKFactors.k1, in_.typeKFactors.k2, s);
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

} // namespace tolvik::core
