#include "tolvik/material/hysteresis.h"

#include <cmath>
#include <limits>

namespace tolvik::material {

namespace {
constexpr const char* kTable = "Hysterese";
}

std::int16_t RoundHalfEven(double x) {
    if (std::isnan(x)) return 0;
    constexpr double lo = std::numeric_limits<std::int16_t>::min();
    constexpr double hi = std::numeric_limits<std::int16_t>::max();
    // nearbyint rounds halves to the even neighbour in the default rounding mode.
    return static_cast<std::int16_t>(std::fmin(std::fmax(std::nearbyint(x), lo), hi));
}

HysteresisLoop ReadHysteresisLoop(data::Database& db, const std::string& material, bool t25) {
    HysteresisLoop loop;
    if (material.empty()) return loop;
    const std::string tag = t25 ? "T25" : "T100";
    const std::string cH = "H" + material + tag, cB = "B" + material + tag;
    if (!HasColumn(db, kTable, cH) || !HasColumn(db, kTable, cB)) {
        loop.message = kNoDataText;
        return loop;
    }
    auto rs = db.openTable(kTable);
    rs->moveFirst();
    double h = 0, b = 0;
    if (!rs->eof()) {
        h = rs->field(cH).toDouble();
        b = rs->field(cB).toDouble();
    }
    loop.hMax = loop.hMin = RoundHalfEven(h);
    loop.bMax = loop.bMin = RoundHalfEven(b);
    // The loop ends at its closing row (H = B = 0) or, when that row is missing, with the table.
    int i = 1;
    while (!rs->eof() && !(h == 0 && b == 0) && i <= kLoopPoints) {
        if (h > loop.hMax) loop.hMax = RoundHalfEven(h);
        if (b > loop.bMax) loop.bMax = RoundHalfEven(b);
        if (h < loop.hMin) loop.hMin = RoundHalfEven(h);
        if (b < loop.bMin) loop.bMin = RoundHalfEven(b);
        loop.points.push_back({i++, h, b});
        rs->moveNext();
        if (rs->eof()) break;
        h = rs->field(cH).toDouble();
        b = rs->field(cB).toDouble();
    }
    rs->close();
    loop.valid = true;
    return loop;
}

ZoomStep ZoomIn(double xMax, double xMin) {
    const std::int16_t a = RoundHalfEven(xMax), b = RoundHalfEven(xMin);
    if (a < 40) return {false, xMax, xMin};
    return {true, static_cast<double>(RoundHalfEven(a / 2.0)), static_cast<double>(RoundHalfEven(b / 2.0))};
}

ZoomStep ZoomOut(double xMax, double xMin) {
    if (xMax > 2000) return {false, xMax, xMin};
    return {true, static_cast<double>(static_cast<float>(std::floor(2 * xMax))),
            static_cast<double>(static_cast<float>(std::floor(2 * xMin)))};
}

} // namespace tolvik::material
