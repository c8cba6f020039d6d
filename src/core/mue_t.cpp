#include "tolvik/core/mue_t.h"

#include "tolvik/core/al_value.h"

#include "tolvik/numerics/numerics.h"
#include "tolvik/numerics/value.h"

#include <cmath>

namespace tolvik::core {

namespace {

/// µe of the gapped core from µi at some temperature; no value when µi does not exist (the
/// temperature outside the table) or the core has no path length.
std::optional<double> MueFrom(const MueTInput& in, double mui) {
    return num::TryMueFromGap(mui, in.s_mm.value_or(0.0), in.le_mm.value_or(0.0));
}

} // namespace

std::string NoMuiDataMessage(const std::string& material) {
    return "No data of µi vs. T available for material " + material + "!";
}

Value CorePathLength(const Value& stored) {
    // The integer 0 says that there is no core record: no path length, not one of 0.
    return stored.isInt() ? Value::empty() : stored;
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

bool ReaderInputsComplete(const MueTInput& in, std::optional<double> t_C) {
    return t_C.has_value() && !in.material.empty() && in.s_mm.has_value() && in.le_mm.has_value() &&
           std::isfinite(*t_C) && !GapOutOfRange(in.s_mm);
}

MueTCurve MueTCurvePoints(const MueTInput& in, MueTCurveKind kind,
                          const std::optional<data::CurveRows>& records, std::optional<double> muiT1) {
    MueTCurve curve;
    const bool relative = kind == MueTCurveKind::Relative;
    if (in.material.empty() || in.coreType.empty()) return curve;
    if (!records) {
        curve.message = NoMuiDataMessage(in.material);
        return curve;
    }
    const double s = in.s_mm.value_or(0.0);
    const double le = in.le_mm.value_or(0.0);
    // A gap outside its limits or in a core without a path length gives no curve, and no
    // relative curve is drawn where its reference µe(T1) does not exist.
    if (GapOutOfRange(in.s_mm) || (s != 0.0 && !(le > 0.0))) return curve;
    const std::optional<double> mueT1 = !relative ? std::optional<double>(0.0)
                                        : muiT1   ? MueFrom(in, *muiT1)
                                                  : std::nullopt;
    if (!mueT1) return curve;

    curve.rowCount = records->rowCount;
    int i = 1;
    for (const data::CurveXY& p : records->points) {
        const double mue = num::TryMueFromGap(p.y, s, le).value_or(0.0);
        const double y = relative ? RelativeChangePercent(mue, *mueT1) : mue;
        curve.points.push_back({i++, p.x, y});
    }
    curve.valid = true;
    return curve;
}

MueTReading MueAtTemperature(const MueTInput& in, std::optional<double> t_C, std::optional<double> muiT) {
    MueTReading r;
    // A material without data reads as "not computed".
    if (!ReaderInputsComplete(in, t_C) || !muiT) return r;
    const std::optional<double> mue = MueFrom(in, *muiT);
    if (!mue) return r;
    r.value = *mue;
    r.valid = true;
    return r;
}

MueTReading RelativeChangeAt(const MueTInput& in, std::optional<double> t_C, std::optional<double> muiT1,
                             std::optional<double> muiT) {
    MueTReading r;
    if (!ReaderInputsComplete(in, t_C) || !muiT1 || !muiT) return r;
    // Without µe(T1) or µe(t) there is no relative change to show.
    const std::optional<double> mueT1 = MueFrom(in, *muiT1);
    const std::optional<double> mueT = MueFrom(in, *muiT);
    if (!mueT1 || !mueT || *mueT1 == 0.0) return r;
    r.value = RelativeChangePercent(*mueT, *mueT1);
    r.valid = true;
    return r;
}

} // namespace tolvik::core
