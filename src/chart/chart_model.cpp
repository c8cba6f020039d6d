#include "tolvik/chart/chart_model.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tolvik::chart {

namespace {

const Point kNoPoint{};

bool isLogCode(int code, bool xAxis) {
    switch (code) {
    case static_cast<int>(AxisScale::LinXLogY):
        return !xAxis;
    case static_cast<int>(AxisScale::LogXLogY):
        return true;
    case static_cast<int>(AxisScale::LogXLinY):
        return xAxis;
    default:
        return false;
    }
}

} // namespace

ChartModel::ChartModel() {
    sets_.resize(1);
    sets_[0].points.resize(static_cast<size_t>(numPoints_));
}

// --- sets and points ---

int ChartModel::numSets() const {
    return static_cast<int>(sets_.size());
}

void ChartModel::setNumSets(int n) {
    n = std::max(n, 1);
    sets_.resize(static_cast<size_t>(n));
    for (auto& s : sets_)
        s.points.resize(static_cast<size_t>(numPoints_));
}

int ChartModel::numPoints() const {
    return numPoints_;
}

void ChartModel::setNumPoints(int n) {
    numPoints_ = std::max(n, 0);
    for (auto& s : sets_)
        s.points.resize(static_cast<size_t>(numPoints_));
}

int ChartModel::thisSet() const {
    return thisSet_;
}

void ChartModel::setThisSet(int set) {
    if (set < 1) return;
    thisSet_ = set;
    if (set > numSets()) setNumSets(set);
}

int ChartModel::thisPoint() const {
    return thisPoint_;
}

void ChartModel::setThisPoint(int point) {
    if (point < 1) return;
    thisPoint_ = point;
    if (point > numPoints_) setNumPoints(point);
}

double ChartModel::xValue() const {
    const Point& p = point(thisSet_, thisPoint_);
    return p.xWritten ? p.x : 0.0;
}

double ChartModel::yValue() const {
    const Point& p = point(thisSet_, thisPoint_);
    return p.yWritten ? p.y : 0.0;
}

void ChartModel::setXValue(double x) {
    // Writing to a point that no longer exists (numPoints lowered) brings it back.
    setThisSet(thisSet_);
    setThisPoint(thisPoint_);
    Point& p = currentSet().points[static_cast<size_t>(thisPoint_ - 1)];
    p.xWritten = std::isfinite(x);
    p.x = p.xWritten ? x : 0.0;
}

void ChartModel::setYValue(double y) {
    setThisSet(thisSet_);
    setThisPoint(thisPoint_);
    Point& p = currentSet().points[static_cast<size_t>(thisPoint_ - 1)];
    p.yWritten = std::isfinite(y);
    p.y = p.yWritten ? y : 0.0;
}

std::string ChartModel::legendText() const {
    return legendOf(thisSet_);
}

void ChartModel::setLegendText(const std::string& text) {
    setThisSet(thisSet_);
    currentSet().legend = text;
}

ChartModel::Set& ChartModel::currentSet() {
    Set& s = sets_[static_cast<size_t>(thisSet_ - 1)];
    s.drawn = false;
    return s;
}

void ChartModel::recordQuantities() {
    for (Set& s : sets_) {
        if (s.drawn) continue;
        s.xQuantity = bottomTitle_;
        s.yQuantity = leftTitle_;
        s.drawn = true;
    }
}

std::string ChartModel::xQuantityOf(int set) const {
    if (set < 1 || set > numSets()) return bottomTitle_;
    const Set& s = sets_[static_cast<size_t>(set - 1)];
    return s.drawn ? s.xQuantity : bottomTitle_;
}

std::string ChartModel::yQuantityOf(int set) const {
    if (set < 1 || set > numSets()) return leftTitle_;
    const Set& s = sets_[static_cast<size_t>(set - 1)];
    return s.drawn ? s.yQuantity : leftTitle_;
}

std::string ChartModel::legendOf(int set) const {
    if (set < 1 || set > numSets()) return {};
    return sets_[static_cast<size_t>(set - 1)].legend;
}

const Point& ChartModel::point(int set, int pt) const {
    if (set < 1 || set > numSets()) return kNoPoint;
    const auto& pts = sets_[static_cast<size_t>(set - 1)].points;
    if (pt < 1 || pt > static_cast<int>(pts.size())) return kNoPoint;
    return pts[static_cast<size_t>(pt - 1)];
}

// --- titles ---

void ChartModel::setGraphTitle(const std::string& t) {
    graphTitle_ = t;
}
void ChartModel::setBottomTitle(const std::string& t) {
    bottomTitle_ = t;
}
void ChartModel::setLeftTitle(const std::string& t) {
    leftTitle_ = t;
}
const std::string& ChartModel::graphTitle() const {
    return graphTitle_;
}
const std::string& ChartModel::bottomTitle() const {
    return bottomTitle_;
}
const std::string& ChartModel::leftTitle() const {
    return leftTitle_;
}

// --- codes ---

void ChartModel::setDataReset(int code) {
    dataReset_ = code;
    sets_.assign(1, Set{});
    numPoints_ = 2;
    sets_[0].points.resize(2);
    thisSet_ = 1;
    thisPoint_ = 1;
    if (onDataReset) onDataReset();
    if (onRedraw) onRedraw();
}

int ChartModel::dataReset() const {
    return dataReset_;
}
void ChartModel::setGraphStyle(int code) {
    graphStyle_ = code;
}
int ChartModel::graphStyle() const {
    return graphStyle_;
}
void ChartModel::setRandomData(int code) {
    randomData_ = code;
}
int ChartModel::randomData() const {
    return randomData_;
}

void ChartModel::setDrawMode(int mode) {
    drawMode_ = mode;
    if (mode == 2 || mode == 3) {
        recordQuantities();
        if (onRedraw) onRedraw();
    } else if (mode == 5) {
        if (onPrint) onPrint();
    }
}

int ChartModel::drawMode() const {
    return drawMode_;
}

void ChartModel::setAxisScale(int code) {
    axisScale_ = code;
}

AxisScale ChartModel::axisScale() const {
    switch (axisScale_) {
    case static_cast<int>(AxisScale::Hysteresis):
    case static_cast<int>(AxisScale::LinXLogY):
    case static_cast<int>(AxisScale::LogXLogY):
    case static_cast<int>(AxisScale::LogXLinY):
        return static_cast<AxisScale>(axisScale_);
    default:
        return AxisScale::Linear;
    }
}

int ChartModel::axisScaleCode() const {
    return axisScale_;
}
bool ChartModel::xLogarithmic() const {
    return isLogCode(axisScale_, true);
}
bool ChartModel::yLogarithmic() const {
    return isLogCode(axisScale_, false);
}
bool ChartModel::fixedLimits() const {
    return axisScale() == AxisScale::Hysteresis;
}

void ChartModel::setXMin(double v) {
    if (std::isfinite(v)) xMin_ = v;
}
void ChartModel::setXMax(double v) {
    if (std::isfinite(v)) xMax_ = v;
}
void ChartModel::setYMin(double v) {
    if (std::isfinite(v)) yMin_ = v;
}
void ChartModel::setYMax(double v) {
    if (std::isfinite(v)) yMax_ = v;
}
double ChartModel::xMin() const {
    return xMin_;
}
double ChartModel::xMax() const {
    return xMax_;
}
double ChartModel::yMin() const {
    return yMin_;
}
double ChartModel::yMax() const {
    return yMax_;
}

void ChartModel::setStyle(const std::string& name, int value) {
    styles_[name] = value;
}

std::optional<int> ChartModel::style(const std::string& name) const {
    auto it = styles_.find(name);
    if (it == styles_.end()) return std::nullopt;
    return it->second;
}

void ChartModel::setPrintInfo(int index, double value) {
    if (std::isfinite(value)) printInfo_[index] = value;
}

double ChartModel::printInfo(int index) const {
    auto it = printInfo_.find(index);
    return it == printInfo_.end() ? 0.0 : it->second;
}

std::optional<ChartModel::Frame> ChartModel::printFrame() const {
    Frame f{printInfo(2), printInfo(3), printInfo(4), printInfo(5)};
    f.left = std::max(f.left, 0.0);
    f.top = std::max(f.top, 0.0);
    const double pageW = printInfo(6), pageH = printInfo(7);
    if (pageW > 0) f.width = std::min(f.width, pageW - f.left);
    if (pageH > 0) f.height = std::min(f.height, pageH - f.top);
    if (f.width <= 0 || f.height <= 0) return std::nullopt;
    return f;
}

// --- drawing data ---

std::vector<std::pair<double, double>> ChartModel::writtenPoints(int set) const {
    std::vector<std::pair<double, double>> out;
    if (set < 1 || set > numSets()) return out;
    for (const Point& p : sets_[static_cast<size_t>(set - 1)].points)
        if (p.written()) out.emplace_back(p.x, p.y);
    return out;
}

std::optional<std::pair<double, double>> ChartModel::dataExtent(bool xAxis, bool positiveOnly) const {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -lo;
    for (const Set& s : sets_) {
        for (const Point& p : s.points) {
            if (!p.written()) continue;
            const double v = xAxis ? p.x : p.y;
            if (positiveOnly && v <= 0) continue;
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    if (lo > hi) return std::nullopt;
    return std::make_pair(lo, hi);
}

std::optional<std::pair<int, int>>
ChartModel::pickPoint(double x, double y,
                      const std::function<std::pair<double, double>(double, double)>& toDisplay,
                      double maxDistance) const {
    std::optional<std::pair<int, int>> best;
    double bestDist = maxDistance;
    const bool xLog = xLogarithmic(), yLog = yLogarithmic();
    for (size_t s = 0; s < sets_.size(); ++s) {
        const auto& pts = sets_[s].points;
        for (size_t i = 0; i < pts.size(); ++i) {
            const Point& p = pts[i];
            if (!p.written()) continue;
            if ((xLog && p.x <= 0) || (yLog && p.y <= 0)) continue; // not drawn
            const auto [dx, dy] = toDisplay(p.x, p.y);
            if (!std::isfinite(dx) || !std::isfinite(dy)) continue;
            const double d = std::hypot(dx - x, dy - y);
            if (d <= bestDist) {
                if (best && d == bestDist) continue; // first of equals wins
                bestDist = d;
                best = std::make_pair(static_cast<int>(s) + 1, static_cast<int>(i) + 1);
            }
        }
    }
    return best;
}

// --- axis helpers ---

namespace {

double roundStep(double raw) {
    const double mag = std::pow(10.0, std::floor(std::log10(raw)));
    const double f = raw / mag;
    double nice = 10;
    if (f <= 1)
        nice = 1;
    else if (f <= 2)
        nice = 2;
    else if (f <= 2.5)
        nice = 2.5;
    else if (f <= 5)
        nice = 5;
    return nice * mag;
}

int decimalsFor(double step) {
    // Enough decimals that neighbouring ticks differ in their labels.
    for (int d = 0; d < 10; ++d) {
        const double scaled = step * std::pow(10.0, d);
        if (std::fabs(scaled - std::round(scaled)) < 1e-6 * scaled) return d;
    }
    return 10;
}

/// (max − min) / ticks without the overflow of max − min for a span beyond the largest
/// double (about 1.8e308), which made the axis range NaN.
double StepSpan(double min, double max, int ticks) {
    return max / ticks - min / ticks;
}

/// A tick limit that rounding pushed beyond the largest double falls back to the data limit.
double FiniteOr(double v, double fallback) {
    return std::isfinite(v) ? v : fallback;
}

void widenEmpty(double& min, double& max) {
    if (!(max > min)) {
        const double pad = min == 0 ? 1.0 : std::fabs(min) * 0.1;
        min = FiniteOr(min - pad, min);
        max = FiniteOr(max + pad, max);
        if (!(max > min)) max = std::nextafter(min, std::numeric_limits<double>::infinity());
    }
}

} // namespace

LinearTicks niceLinearTicks(double min, double max, int ticks) {
    if (!std::isfinite(min) || !std::isfinite(max)) return {};
    if (min > max) std::swap(min, max);
    widenEmpty(min, max);
    ticks = std::max(ticks, 2);
    LinearTicks t;
    t.step = roundStep(StepSpan(min, max, ticks));
    t.min = FiniteOr(std::floor(min / t.step + 1e-9) * t.step, min);
    t.max = FiniteOr(std::ceil(max / t.step - 1e-9) * t.step, max);
    t.decimals = decimalsFor(t.step);
    return t;
}

LinearTicks linearTicksWithin(double min, double max, int ticks) {
    if (!std::isfinite(min) || !std::isfinite(max)) return {};
    if (min > max) std::swap(min, max);
    widenEmpty(min, max);
    ticks = std::max(ticks, 2);
    LinearTicks t;
    t.min = min;
    t.max = max;
    t.step = roundStep(StepSpan(min, max, ticks));
    t.decimals = decimalsFor(t.step);
    return t;
}

std::pair<double, double> logDecades(double min, double max) {
    if (!(min > 0) || !(max > 0) || !std::isfinite(min) || !std::isfinite(max)) return {1.0, 10.0};
    if (min > max) std::swap(min, max);
    double lo = std::floor(std::log10(min) + 1e-9);
    double hi = std::ceil(std::log10(max) - 1e-9);
    if (hi <= lo) hi = lo + 1;
    return {std::pow(10.0, lo), std::pow(10.0, hi)};
}

} // namespace tolvik::chart
