#include "tolvik/ui_common/reading_log.h"

#include <gtest/gtest.h>

#include <string>

using tolvik::ReadingLog;

namespace {

std::string Line(int i) {
    return ReadingLog::formatLine("T=" + std::to_string(i) + "[°C]", "µe=2000");
}

void Read(ReadingLog& log, int i, bool newCurve) {
    log.append("T=" + std::to_string(i) + "[°C]", "µe=2000", newCurve);
}

} // namespace

TEST(ReadingLog, ReadingsOfOneCurveAreLinesJoinedByCarriageReturns) {
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
}

TEST(ReadingLog, The35thReadingGoesToTheOverflowUntilANewCurve) {
    ReadingLog log;
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
