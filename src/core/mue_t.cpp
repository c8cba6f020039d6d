#include "tolvik/core/mue_t.h"

#include "tolvik/core/al_value.h"

#include "tolvik/numerics/numerics.h"
#include "tolvik/numerics/value.h"

#include <cmath>

namespace tolvik::core {

namespace {

constexpr const char* kMuiTable = "MuiT";

/// µe of the gapped core at temperature t from the material's µi(t); no value when µi(t)
/// does not exist (t outside the table) or the core has no path length.
std::optional<double> MueAt(data::Database& db, const MueTInput& in, double t_C) {
    const double mui = data::MuiAtT(db, in.material, t_C).toDouble();
    return num::TryMueFromGap(mui, in.s_mm.value_or(0.0), in.le_mm.value_or(0.0));
}

/// The readers need every input of the tab; a material without data reads as "not computed".
bool ReaderInputsComplete(data::Database& db, const MueTInput& in, std::optional<double> t_C) {
    return t_C.has_value() && !in.material.empty() && in.s_mm.has_value() && in.le_mm.has_value() &&
           std::isfinite(*t_C) && !GapOutOfRange(in.s_mm) && HasMuiColumn(db, in.material);
}

} // namespace

bool HasMuiColumn(data::Database& db, const std::string& material) {
    return !material.empty() && db.hasTable(kMuiTable) && db.hasField(kMuiTable, material);
}

std::string NoMuiDataMessage(const std::string& material) {
    return "No data of µi vs. T available for material " + material + "!";
}

Value CorePathLength(data::Database& db, const data::CoreSelection& core) {
    // The integer 0 says that there is no core record: no path length, not one of 0.
    const Value le = data::GetCoreValue(db, core, static_cast<int>(data::CoreField::le));
    return le.isInt() ? Value::empty() : le;
}

bool GapOutOfRange(std::optional<double> s_mm) {
    return s_mm && (!std::isfinite(*s_mm) || *s_mm < 0.0 || *s_mm > kGapMax_mm);
}

double RelativeChangePercent(double mueT, double mueT1) {
    if (mueT == 0.0) return 0.0;
    const double change = (mueT - mueT1) / mueT * 100.0;
    if (!std::isfinite(change) || change < kRelativeLowerLimit) return 0.0;
    return change;
}

MueTCurve MueTCurvePoints(data::Database& db, const MueTInput& in, MueTCurveKind kind) {
    MueTCurve curve;
    const bool relative = kind == MueTCurveKind::Relative;
    if (in.material.empty() || in.coreType.empty()) return curve;
    if (!HasMuiColumn(db, in.material)) {
        curve.message = NoMuiDataMessage(in.material);
        return curve;
    }
    const double s = in.s_mm.value_or(0.0);
    const double le = in.le_mm.value_or(0.0);
    // A gap outside its limits or in a core without a path length gives no curve, and no
    // relative curve is drawn where its reference µe(T1) does not exist.
    if (GapOutOfRange(in.s_mm) || (s != 0.0 && !(le > 0.0))) return curve;
    const std::optional<double> mueT1 = relative ? MueAt(db, in, in.t1_C) : std::optional<double>(0.0);
    if (!mueT1) return curve;

    auto rs = db.openTable(kMuiTable);
    const int n = static_cast<int>(data::CountCurveRows(*rs, in.material).toDouble());
    curve.rowCount = n;

    // Points 1 .. n−2: the loop ends when the point index reaches n − 1, so the last usable
    // record is not plotted. With no usable record (n = 1) nothing is plotted.
    rs->moveFirst();
    for (int i = 1; !rs->eof() && i < n - 1; ++i) {
        const double mui = rs->number(in.material).toDouble();
        const double mue = num::TryMueFromGap(mui, s, le).value_or(0.0);
        const double y = relative ? RelativeChangePercent(mue, *mueT1) : mue;
        curve.points.push_back({i, rs->number("T").toDouble(), y});
        rs->moveNext();
    }
    rs->close();
    curve.valid = true;
    return curve;
}

MueTReading MueAtTemperature(data::Database& db, const MueTInput& in, std::optional<double> t_C) {
    MueTReading r;
    if (!ReaderInputsComplete(db, in, t_C)) return r;
    const std::optional<double> mue = MueAt(db, in, *t_C);
    if (!mue) return r;
    r.value = *mue;
    r.valid = true;
    return r;
}

MueTReading MueAt25(data::Database& db, const MueTInput& in) {
    return MueAtTemperature(db, in, 25.0);
}

MueTReading RelativeChangeAt(data::Database& db, const MueTInput& in, std::optional<double> t_C) {
    MueTReading r;
    if (!ReaderInputsComplete(db, in, t_C)) return r;
    // Without µe(T1) or µe(t) there is no relative change to show.
    const std::optional<double> mueT1 = MueAt(db, in, in.t1_C);
    const std::optional<double> mueT = MueAt(db, in, *t_C);
    if (!mueT1 || !mueT || *mueT1 == 0.0) return r;
    r.value = RelativeChangePercent(*mueT, *mueT1);
    r.valid = true;
    return r;
}

} // namespace tolvik::core
