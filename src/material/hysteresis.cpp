#include "tolvik/material/hysteresis.h"

#include <cmath>
#include <limits>

namespace tolvik::material {

std::int16_t RoundHalfEven(double x) {
    if (std::isnan(x)) return 0;
    constexpr double lo = std::numeric_limits<std::int16_t>::min();
    constexpr double hi = std::numeric_limits<std::int16_t>::max();
    // nearbyint rounds halves to the even neighbour in the default rounding mode.
    return static_cast<std::int16_t>(std::fmin(std::fmax(std::nearbyint(x), lo), hi));
}

HysteresisLoop LoopFromRows(const std::optional<std::vector<data::CurveXY>>& rows) {
    HysteresisLoop loop;
    if (!rows) {
        loop.message = kNoDataText;
        return loop;
    }
    const data::CurveXY first = rows->empty() ? data::CurveXY{} : rows->front();
    loop.hMax = loop.hMin = RoundHalfEven(first.x);
    loop.bMax = loop.bMin = RoundHalfEven(first.y);
    int i = 1;
    for (const auto& [h, b] : *rows) {
        if (i > kLoopPoints) break;
        if (h > loop.hMax) loop.hMax = RoundHalfEven(h);
        if (b > loop.bMax) loop.bMax = RoundHalfEven(b);
        if (h < loop.hMin) loop.hMin = RoundHalfEven(h);
        if (b < loop.bMin) loop.bMin = RoundHalfEven(b);
        loop.points.push_back({i++, h, b});
    }
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
