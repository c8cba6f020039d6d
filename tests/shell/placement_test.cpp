// Placement arithmetic of the main window and the free windows (twips: 15 per pixel).

#include "tolvik/shell/placement.h"

#include <QtTest>

#include <limits>

using namespace tolvik::shell;

class PlacementTest : public QObject {
    Q_OBJECT

private slots:
    void roundsHalfToEvenWithin16Bits() {
        const struct {
            double x;
            std::int16_t expected;
        } cases[] = {{2.5, 2},
                     {3.5, 4},
                     {-2.5, -2},
                     {-3.5, -4},
                     {1260.4, 1260},
                     {1260.6, 1261},
                     {1e9, 32767},
                     {-1e9, -32768},
                     {std::numeric_limits<double>::quiet_NaN(), 0},
                     {std::numeric_limits<double>::infinity(), 32767}};
        for (const auto& c : cases)
            QVERIFY2(RoundToInt16(c.x) == c.expected, qPrintable(QString::number(c.x)));
    }

    void mainWindowPlacement() {
        const struct {
            double screenW, screenH, windowW, windowH;
            float left;
            std::int16_t top;
            const char* source;
        } cases[] = {
            {12000, 9000, 12000, 8310, 0, 0, "600-pixel screen: at the top"},
            {15360, 9000, 12000, 8310, 1680, 0, "wide 600-pixel screen: centred, at the top"},
            {15360, 11520, 12000, 9000, 1680, 1260, "other screens: centred"},
            {12000, 9001, 12000, 8310, 0, 346, "one twip more than 600 pixels: centred"},
            {12000, 11521, 12000, 9000, 0, 1260, "top 1260.5 rounds to even"},
            {12000, 11523, 12000, 9000, 0, 1262, "top 1261.5 rounds to even"},
            {12001, 12000, 12000, 9000, 0.5f, 1500, "left is not rounded"},
        };
        for (const auto& c : cases) {
            const auto p = MainWindowPlacement(c.screenW, c.screenH, c.windowW, c.windowH);
            QVERIFY2(p.left == c.left && p.top == c.top, c.source);
        }
    }

    void centreOnScreen() {
        const struct {
            ScreenRect screen;
            int w, h;
            WindowPosition expected;
            const char* source;
        } cases[] = {
            {{0, 0, 1280, 1024}, 400, 300, {440, 362}, "centred"},
            {{0, 0, 1281, 1024}, 101, 300, {590, 362}, "half a screen 640.5 rounds to even"},
            {{1280, 0, 1920, 1080}, 100, 100, {1280 + 910, 490}, "second screen"},
            {{0, 0, 800, 600}, 800, 600, {0, 0}, "as large as the screen: top-left corner"},
            {{0, 0, 800, 600}, 1000, 700, {0, 0}, "larger: the title bar stays reachable"},
            {{100, 50, 800, 600}, 1000, 700, {100, 50}, "larger, on a shifted screen"},
            {{0, 0, 800, 600}, 900, 200, {0, 200}, "wider only: still centred vertically"},
        };
        for (const auto& c : cases)
            QVERIFY2(CenterPosition(c.screen, c.w, c.h) == c.expected, c.source);
        QCOMPARE(ChildWindowPosition(), (WindowPosition{0, 1})); // top 20 twips
    }
};

QTEST_APPLESS_MAIN(PlacementTest)
#include "placement_test.moc"
