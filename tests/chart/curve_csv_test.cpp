// The curves of a chart as CSV: C-locale numbers, headings, shown points only.

#include "chart_helpers.h"
#include "tolvik/chart/curve_csv.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>

using namespace tolvik::chart;
using namespace tolvik::chart::test;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

/// Runs with a decimal-comma C locale, when the system has one, and restores "C".
struct CommaLocale {
    CommaLocale() { std::setlocale(LC_ALL, "de_DE.UTF-8"); }
    ~CommaLocale() { std::setlocale(LC_ALL, "C"); }
};

} // namespace

TEST(CurveCsv, NumbersAreShortestExactAndLocaleFree) {
    CommaLocale comma;
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.1, "0.1"},
        {1234.5, "1234.5"},
        {-2.5, "-2.5"},
        {1e-7, "1e-07"},
        {2e21, "2e+21"},
        {0.0, "0"},
        {1.0 / 3, "0.3333333333333333"},
        {kNaN, ""},
        {kInf, ""},
        {-kInf, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CsvNumber(c.value), c.text) << c.text;
}

TEST(CurveCsv, OnePairOfColumnsPerShownCurve) {
    CommaLocale comma;
    const struct {
        const char* name;
        int axisCode;
        std::string expected;
    } cases[] = {
        // Linear axes: the unwritten point and the NaN point are left out, the empty set too.
        {"linear", 0,
         "\"N87 \"\"A\"\", 25 °C, f[kHz]\",\"N87 \"\"A\"\", 25 °C, Pv[kW/m³]\","
         "\"Curve 2, f[kHz]\",\"Curve 2, Pv[kW/m³]\"\n"
         "0.5,2.25,-1,7\n"
         "10,300,,\n"
         "100,4000,,\n"},
        // Log-log: values <= 0 are not shown and not exported.
        {"log-log", 15,
         "\"N87 \"\"A\"\", 25 °C, f[kHz]\",\"N87 \"\"A\"\", 25 °C, Pv[kW/m³]\"\n"
         "0.5,2.25\n"
         "10,300\n"
         "100,4000\n"},
    };
    for (const auto& c : cases) {
        ChartModel m;
        resetGraph(m);
        m.setBottomTitle("f[kHz]");
        m.setLeftTitle("Pv[kW/m³]");
        m.setAxisScale(c.axisCode);
        addCurve(m, "N87 \"A\", 25 °C", {{0.5, 2.25}, {10, 300}, {100, 4000}});
        addCurve(m, "", {{-1, 7}, {3, kNaN}});
        m.setNumPoints(5); // points 4 and 5 of both sets stay unwritten
        m.setNumSets(3);   // an empty set
        EXPECT_EQ(CurvesCsv(m), c.expected) << c.name;
    }
}

TEST(CurveCsv, EachCurveKeepsTheQuantityItWasDrawnAs) {
    // The complex-permeability graph: µ' drawn, the option changed to µ'', µ'' drawn into
    // the same graph. The y title in force is µ'' now, but the first curve is µ'.
    ChartModel m;
    resetGraph(m);
    m.setBottomTitle("f[kHz]");
    m.setLeftTitle("µs'");
    addCurveThenGrow(m, "N30", {{1, 4300}});
    m.setLeftTitle("µs''");
    addCurveThenGrow(m, "N30", {{1, 12}});
    EXPECT_EQ(CurvesCsv(m), "\"N30, f[kHz]\",\"N30, µs'\",\"N30, f[kHz]\",\"N30, µs''\"\n1,4300,1,12\n");
}
