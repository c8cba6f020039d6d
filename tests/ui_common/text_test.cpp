// Number text and the reading log.

#include "tolvik/numerics/value.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/reading_log.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

using namespace tolvik::text;
using tolvik::ReadingLog;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

/// Pins the display separator for one test and restores "." afterwards.
class SeparatorTest : public ::testing::TestWithParam<char> {
protected:
    void SetUp() override { SetDecimalSeparator(GetParam()); }
    void TearDown() override { SetDecimalSeparator('.'); }
    /// The expected text written with "." and shown with the pinned separator.
    static std::string Sep(std::string s) {
        for (char& c : s)
            if (c == '.') c = GetParam();
        return s;
    }
};

std::string Line(int i) {
    return ReadingLog::formatLine("T=" + std::to_string(i) + "[°C]", "µe=2000");
}

void Read(ReadingLog& log, int i, bool newCurve) {
    log.append("T=" + std::to_string(i) + "[°C]", "µe=2000", newCurve);
}

} // namespace

TEST(ReadNumber, EitherSeparatorAndLenientReading) {
    const std::pair<const char*, double> cases[] = {
        {"1,5", 1.5}, {"1.5", 1.5}, {"1,5,5", 1.5},   {"12abc", 12},   {"1 2", 12},
        {"", 0},      {"abc", 0},   {"-0,25", -0.25}, {"2,5e3", 2500}, {"\t7\n", 7}};
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(ReadNumber(text), value) << text;
    EXPECT_EQ(CommaToPoint("1,5,5"), "1.5,5"); // only the first comma
    EXPECT_EQ(IntToText(0), "");               // zero shows as nothing
    EXPECT_EQ(IntToText(1234), "1234");
}

TEST_P(SeparatorTest, FormatPatternExamples) {
    // Hand-rounded, half away from zero; -0.001 rounds to zero and shows no sign.
    // clang-format off
    // x, pattern, expected (with "." as separator)
    const std::tuple<double, const char*, const char*> cases[] = {
        {0, "#", ""},            {12.4, "#", "12"},           {12, "#.##", "12."},          {0.456, "#.##", ".46"},
        {0.5, "0.#", "0.5"},     {3, "0.#", "3."},            {12.5, "#", "13"},            {-12.5, "#", "-13"},
        {0.4, "#", ""},          {0.6, "#", "1"},             {0, "0", "0"},                {7.49, "0", "7"},
        {0.2, "0.", "0."},       {2.7, "0.", "3."},           {0.044, "0.#", "0."},         {0.125, "0.##", "0.13"},
        {-0.125, "0.##", "-0.13"}, {0, "#.#", "."},           {99.96, "#.#", "100."},       {1.005, "#.##", "1.01"},
        {2.675, "#.##", "2.68"}, {1.23456, "#.###", "1.235"}, {-1.23456, "#.####", "-1.2346"},
        {1234567.5, "#", "1234568"}, {1e20, "#", "100000000000000000000"},
        {1.2345, "#.#################", "1.2345"}, {0.1, "#.#################", ".1"},
        {1e-20, "#.##", "."},    {-0.001, "#.##", "."},       {NAN, "#.##", ""},            {kInf, "0", ""},
        {-kInf, "#", ""}};
    // clang-format on
    for (const auto& [x, pattern, expected] : cases)
        EXPECT_EQ(FormatPattern(x, pattern), Sep(expected)) << x << " " << pattern;
}

TEST_P(SeparatorTest, FormatSignificantThreeDigits) {
    // x, digits, decimals, expected (with "." as separator)
    const std::tuple<double, double, double, const char*> cases[] = {
        {1.2345, 3, 999, "1.23"},   {12.345, 3, 999, "12.3"},
        {123.45, 3, 999, "123"},    {0.12345, 3, 999, ".123"},
        {-1.2345, 3, 999, "-1.23"}, {12, 3, 999, "12."}, // whole number: pattern output with its separator
        {1234.5, 3, 999, "1235"},                        // more integer digits than wanted: "#"
        {1.2345, 3, 0, "1"},                             // decimals 0: "#"
        {1.5, 5, 999, "1.5"},                            // short enough already (length + 1 <= digits)
        {1.23456, 3, 1, "1.23"},                         // decimals below k: k places
        {1.23456, 3, 4, "1.2346"},                       // decimals above k: that many places
        {NAN, 3, 999, ""}};
    for (const auto& [x, digits, decimals, expected] : cases)
        EXPECT_EQ(FormatSignificant(x, digits, decimals), Sep(expected)) << x << " " << digits;
}

INSTANTIATE_TEST_SUITE_P(PointAndComma, SeparatorTest, ::testing::Values('.', ','));

TEST(NumericKeyFilter, DigitsPassOthersAreDiscardedSeparatorsHint) {
    SetDecimalSeparator('.');
    for (int k : {int('0'), int('5'), int('9'), 8, 13})
        EXPECT_EQ(NumericKeyFilter(k).key, k) << k;
    for (char k : {'-', '+', 'e', 'E', 'a', ' ', '/', ':'})
        EXPECT_EQ(NumericKeyFilter(k).key, 0) << k;
    const char *point = "Decimal separator is period '.'", *comma = "Decimal separator is comma ',' ";
    const std::tuple<char, char, const char*> cases[] = {
        {'.', '.', ""}, {'.', ',', point}, {',', '.', comma}, {',', ',', ""}};
    for (const auto& [separator, key, message] : cases) {
        SetDecimalSeparator(separator);
        const KeyFilterResult r = NumericKeyFilter(key);
        EXPECT_EQ(r.key, key);
        EXPECT_EQ(r.message, message) << separator << " " << key;
    }
    SetDecimalSeparator('.');
}

TEST(NumberTextUnderDecimalCommaLocale, ReadingAndWritingIgnoreTheCLocale) {
    // As Qt does from the desktop at start-up.
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") || std::localeconv()->decimal_point != std::string(","))
        GTEST_SKIP() << "locale de_DE.UTF-8 is not available: run scripts/install-deps.sh";
    SetDecimalSeparator('.');
    const std::pair<const char*, double> reads[] = {
        {"1,5", 1.5}, {"36.874", 36.874}, {"30000.5", 30000.5}, {"-2.5e-3", -0.0025}};
    for (const auto& [text, value] : reads)
        EXPECT_DOUBLE_EQ(ReadNumber(text), value) << text;
    EXPECT_DOUBLE_EQ(tolvik::Value(std::string("0.4")).toDouble(), 0.4);
    EXPECT_TRUE(tolvik::IsNumberText("0,4"));
    EXPECT_EQ(tolvik::PlainNumberText(36.874), "36.874");
    EXPECT_EQ(tolvik::PlainNumberText(2.5e15), "2.5E+15");
    EXPECT_EQ(FormatPattern(12.5, "0.#"), "12.5");
    EXPECT_EQ(FormatSignificant(0.26912, 3, 999), ".269");
    EXPECT_EQ(RoundedIntText(100.4), "100");
    std::setlocale(LC_ALL, "C");
}

TEST(RoundedIntText, HugeAndNonFiniteValuesHaveNoWholeNumber) {
    const std::pair<double, const char*> cases[] = {{0, ""},      {99.5, "100"}, {1e300, ""},
                                                    {-1e300, ""}, {kInf, ""},    {NAN, ""}};
    for (const auto& [x, text] : cases)
        EXPECT_EQ(RoundedIntText(x), text) << x;
    EXPECT_EQ(RoundedIntText(9.1e18), "9100000000000000000");
}

TEST(ReadingLog, ReadingsOfOneCurveAreLinesJoinedByCarriageReturnsUpTo34) {
    // 17 blanks, x, three blanks, y.
    EXPECT_EQ(ReadingLog::formatLine("T=25[°C]", "µe=1800"), "                 T=25[°C]   µe=1800");
    EXPECT_EQ(ReadingLog::formatLine("", ""), std::string(20, ' '));
    ReadingLog log;
    Read(log, 1, true);
    EXPECT_EQ(log.readingLog, Line(1));
    EXPECT_EQ(log.readingLogLines, 0);
    Read(log, 2, false);
    EXPECT_EQ(log.readingLog, Line(1) + "\r" + Line(2));
    EXPECT_EQ(log.readingLogLines, 1);
    log.clear();
    EXPECT_EQ(log.readingLog, "");
    EXPECT_EQ(log.readingLogLines, 0);
    Read(log, 3, false); // same curve after a clear: appended to the empty log
    EXPECT_EQ(log.readingLog, "\r" + Line(3));
    EXPECT_EQ(log.readingLogLines, 1);

    // The 35th reading goes to the overflow until a new curve.
    std::string expected = Line(1);
    Read(log, 1, true);
    for (int i = 2; i <= 34; ++i) {
        Read(log, i, false);
        expected += "\r" + Line(i);
    }
    EXPECT_EQ(log.readingLog, expected); // first line and 33 appended lines
    EXPECT_EQ(log.readingLogOverflow, "");
    Read(log, 35, false);
    Read(log, 36, false);
    EXPECT_EQ(log.readingLog, expected);
    EXPECT_EQ(log.readingLogOverflow, "\r" + Line(35) + "\r" + Line(36));
    EXPECT_EQ(log.readingLogLines, 33);

    Read(log, 99, true); // a new curve restarts both parts and the counter
    EXPECT_EQ(log.readingLog, Line(99));
    EXPECT_EQ(log.readingLogOverflow, "");
    EXPECT_EQ(log.readingLogLines, 0);
}
