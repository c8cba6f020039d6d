#include "tolvik/core/al_value.h"

#include "tolvik/numerics/numerics.h"
#include "tolvik/ui_common/numtext.h"

#include <cmath>
#include <optional>

namespace tolvik::core {

namespace {

/// Display text of a result; a value that is not finite is shown as no value.
std::string Show(double x, const char* pattern) {
    if (!std::isfinite(x)) return {};
    return text::FormatPattern(x, pattern);
}

/// Air gaps are shown with three significant digits (".461", "1.23", "12.3"), as the
/// DC-bias reader shows currents; a gap with fifteen digits helps nobody at the bench.
std::string ShowGap(double s_mm) {
    if (!std::isfinite(s_mm)) return {};
    return text::FormatSignificant(s_mm, 3, 999);
}

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

/// Panel 1: Al and air gap without fringe flux.
void AirGapPanel(const AlTabInput& in, AlTabFields& f, std::vector<AlMessage>& messages) {
    if (in.options.alToGap) {
        if (IsEmptyInput(f.t4Al1)) {
            f.t4s1.clear();
            return;
        }
        if (Outside(ReadField(f.t4Al1), kAlMin_nH, kAlMax_nH)) {
            messages.push_back(OutOfRange());
            f.t4Al1 = kAlReplacement;
        }
    } else {
        if (IsEmptyInput(f.t4s1)) {
            f.t4Al1.clear();
            return;
        }
        if (ReadField(f.t4s1) > kGapMax_mm) {
            messages.push_back(OutOfRange());
            f.t4s1 = kGapReplacement;
        }
        if (ReadField(f.t4s1) < 0) {
            messages.push_back(OutOfRange());
            f.t4s1 = kGapReplacement;
        }
    }
    CalculateAirGap(in, f);
}

/// Panel 3: Al and air gap with fringe flux (E-cores). Returns false when the K-factor
/// calculation was refused.
bool FringeFluxPanel(const AlTabInput& in, AlTabFields& f, std::vector<AlMessage>& messages,
                     NoteColour& notes) {
    const auto gapOutsideFit = [&f] {
        return Outside(ReadField(f.tsFringeFlux), kFringeGapMin_mm, kFringeGapMax_mm);
    };
    if (in.options.alToGapFringe) {
        if (IsEmptyInput(f.tAlFringeFlux, true)) {
            f.tsFringeFlux.clear();
            return true;
        }
        if (!CalculateFringeFlux(in, f, messages)) {
            notes = NoteColour::Red;
            return false;
        }
        // The computed gap lies outside the range the fit was made for: warn, mark the
        // notes and show the computed gap again.
        if (gapOutsideFit()) {
            messages.push_back(OutOfRange());
            f.tsFringeFlux = kFringeGapReplacement;
        }
        notes = gapOutsideFit() ? NoteColour::Red : NoteColour::LightGray;
    } else {
        if (IsEmptyInput(f.tsFringeFlux)) {
            f.tAlFringeFlux.clear();
            return true;
        }
        if (!CalculateFringeFlux(in, f, messages)) {
            notes = NoteColour::Red;
            return false;
        }
        if (gapOutsideFit()) {
            messages.push_back(OutOfRange());
            f.tsFringeFlux = kGapReplacement;
        }
        notes = gapOutsideFit() ? NoteColour::Red : NoteColour::LightGray;
        const double s = ReadField(f.tsFringeFlux);
        if (s > kGapMax_mm) {
            messages.push_back(OutOfRange());
            f.tsFringeFlux = kGapReplacement;
        }
        if (s < kFringeGapFloor_mm) {
            messages.push_back(OutOfRange());
            f.tsFringeFlux = kGapReplacement;
        }
    }
    CalculateFringeFlux(in, f, messages);
    return true;
}

/// Panel 2: Al, L and turns.
void InductancePanel(const AlTabInput& in, AlTabFields& f, std::vector<AlMessage>& messages) {
    if (!in.options.alToL) {
        if (IsEmptyInput(f.t4L1)) {
            f.t4Al3.clear();
            return;
        }
        if (Outside(ReadField(f.t4L1), kLMin_mH, kLMax_mH)) {
            messages.push_back(OutOfRange());
            f.t4L1 = kLReplacement;
        }
        CalculateLAl(in, f);
    } else {
        if (IsEmptyInput(f.t4Al3)) {
            f.t4L1.clear();
            return;
        }
        if (Outside(ReadField(f.t4Al3), kAlMin_nH, kAlMax_nH)) {
            messages.push_back(OutOfRange());
            f.t4Al3 = kAlReplacement;
        }
    }
    if (f.t4N1.empty()) f.t4N1 = kTurnsReplacement;
    if (Outside(ReadField(f.t4N1), kTurnsMin, kTurnsMax)) {
        messages.push_back(OutOfRange());
        f.t4N1 = kTurnsReplacement;
    }
    CalculateLAl(in, f);
}

} // namespace

double ReadField(const std::string& text) {
    return text::ReadNumber(text);
}

bool IsEmptyInput(const std::string& text, bool commaIsEmpty) {
    return text.empty() || text == "." || text == "0." || (commaIsEmpty && text == ",");
}

void CalculateAirGap(const AlTabInput& in, AlTabFields& f) {
    if (in.material.empty()) return;
    const double ae = ReadField(in.ae_mm2);
    const double le = ReadField(in.le_mm);
    // A calculation that cannot be made (no µi, no core data) leaves its result empty;
    // a failed gap is no gap of 0, and µe is then not µi.
    std::optional<double> s;
    if (in.options.alToGap) {
        s = num::TryGapFromAl(le, ae, ReadField(f.t4Al1), in.mui);
        f.t4s1 = s ? ShowGap(*s) : std::string();
    } else {
        s = ReadField(f.t4s1);
        const std::optional<double> al = num::TryAlFromGap(le, ae, *s, in.mui);
        f.t4Al1 = al ? Show(*al, "#.#") : std::string();
    }
    const std::optional<double> mue = s ? num::TryMueFromGap(in.mui, *s, le) : std::nullopt;
    f.t4mue1 = mue ? Show(*mue, "#") : std::string();
}

void CalculateLAl(const AlTabInput& in, AlTabFields& f) {
    const double n = ReadField(f.t4N1);
    if (!(n > 0)) return;
    if (!in.options.alToL) {
        const double l_mH = ReadField(f.t4L1);
        f.t4Al3 = Show(l_mH / (n * n) * 1E6, "#");
    } else {
        f.t4L1 = Show(num::InductanceFromAl(ReadField(f.t4Al3), n), "#.###");
    }
    // µe from the Al as now displayed (after L, N: the rounded Al).
    const double mue = num::MueFromAl(ReadField(f.t4Al3), ReadField(in.le_mm), ReadField(in.ae_mm2));
    f.t4mue3 = Show(mue, "#");
}

bool CalculateFringeFlux(const AlTabInput& in, AlTabFields& f, std::vector<AlMessage>& messages) {
    if (in.coreType.empty() || in.material.empty()) return true;
    const double ae = ReadField(in.ae_mm2);
    const double le = ReadField(in.le_mm);
    if (in.k1 == 0 || in.k2 == 0) {
        messages.push_back(Information(kNoCoreKFactorsText));
        return false;
    }
    if (!IsKFactorMaterial(in.material)) {
        messages.push_back(Information(kKFactorMaterialText));
        return false;
    }
    double al = 0;
    double s = 0;
    if (in.options.alToGapFringe) {
        if (f.tAlFringeFlux.empty()) return true;
        al = ReadField(f.tAlFringeFlux);
        const data::KFactorGapResult gap =
            in.kFactorGap ? in.kFactorGap(al) : data::KFactorGapResult{Value::integer(0), true};
        if (gap.noKFactors) {
            messages.push_back(Information(data::kNoKFactorsText, data::kNoKFactorsTitle));
            f.tmueFringeFlux.clear();
            f.tAlFringeFlux.clear();
            f.tsFringeFlux.clear();
        }
        s = gap.s.toDouble();
        if (!std::isfinite(s)) s = 0; // no real root (a negative Al)
        f.tsFringeFlux = ShowGap(s);
    } else {
        if (f.tsFringeFlux.empty()) return true;
        s = ReadField(f.tsFringeFlux);
        const Value alValue = in.kFactorAl ? in.kFactorAl(s) : Value::empty();
        al = alValue.toDouble();
        if (!std::isfinite(al)) al = 0;
        f.tAlFringeFlux = alValue.isEmpty() ? std::string() : Show(al, "#.#");
    }
    if (s == 0) return true;
    // µe = le·Al / (µ0·Ae) in SI units
    const double divisor = num::kMu0 * ae / 1E6;
    if (divisor == 0) {
        f.tmueFringeFlux.clear();
    } else {
        f.tmueFringeFlux = Show((le / 1000 * al / 1E9) / divisor, "#");
    }
    return true;
}

AlTabResult CalculateAlTab(const AlTabInput& in) {
    AlTabResult r;
    r.fields = in.fields;
    if (in.coreType.empty() || in.material.empty()) return r;
    r.calculated = true;
    AirGapPanel(in, r.fields, r.messages);
    r.fringeFluxAccepted = FringeFluxPanel(in, r.fields, r.messages, r.notes);
    InductancePanel(in, r.fields, r.messages);
    return r;
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
