// Placement arithmetic of the main window and the free windows.

#include "tolvik/shell/placement.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace tolvik::shell;

class PlacementTest : public QObject {
    Q_OBJECT

private slots:
    void roundsHalfToEven() {
        QCOMPARE(RoundToInt16(2.5), std::int16_t(2));
        QCOMPARE(RoundToInt16(3.5), std::int16_t(4));
        QCOMPARE(RoundToInt16(-2.5), std::int16_t(-2));
        QCOMPARE(RoundToInt16(-3.5), std::int16_t(-4));
        QCOMPARE(RoundToInt16(1260.4), std::int16_t(1260));
        QCOMPARE(RoundToInt16(1260.6), std::int16_t(1261));
    }

    void roundingStaysWithin16Bits() {
        QCOMPARE(RoundToInt16(1e9), std::int16_t(32767));
        QCOMPARE(RoundToInt16(-1e9), std::int16_t(-32768));
        QCOMPARE(RoundToInt16(std::numeric_limits<double>::quiet_NaN()), std::int16_t(0));
        QCOMPARE(RoundToInt16(std::numeric_limits<double>::infinity()), std::int16_t(32767));
    }

    void mainWindowAtTopOfA600PixelScreen() {
        const auto p = MainWindowPlacement(800 * 15, 600 * 15, 12000, 8310);
        QCOMPARE(p.top, std::int16_t(0));
        QCOMPARE(p.left, 0.0f);
        const auto wide = MainWindowPlacement(1024 * 15, 9000, 12000, 8310);
        QCOMPARE(wide.top, std::int16_t(0));
        QCOMPARE(wide.left, 1680.0f);
    }

    void mainWindowCentredOnOtherScreens() {
        const auto p = MainWindowPlacement(1024 * 15, 768 * 15, 12000, 9000);
        QCOMPARE(p.left, 1680.0f);
        QCOMPARE(p.top, std::int16_t(1260));
        // One twip away from the small screen: centred, not at the top.
        QCOMPARE(MainWindowPlacement(12000, 9001, 12000, 8310).top, std::int16_t(346));
    }

    void mainWindowTopRoundsHalfToEven() {
        QCOMPARE(MainWindowPlacement(12000, 11521, 12000, 9000).top, std::int16_t(1260)); // 1260.5
        QCOMPARE(MainWindowPlacement(12000, 11523, 12000, 9000).top, std::int16_t(1262)); // 1261.5
    }

    void mainWindowLeftIsNotRounded() { QCOMPARE(MainWindowPlacement(12001, 12000, 12000, 9000).left, 0.5f); }

    void centreOnScreen() {
        QCOMPARE(CenterPosition({0, 0, 1280, 1024}, 400, 300), (WindowPosition{440, 362}));
        // Half a screen rounds to even: 1281 / 2 = 640.5 -> 640.
        QCOMPARE(CenterPosition({0, 0, 1281, 1024}, 101, 300), (WindowPosition{590, 362}));
    }

    void centreOnSecondScreen() {
        QCOMPARE(CenterPosition({1280, 0, 1920, 1080}, 100, 100), (WindowPosition{1280 + 910, 490}));
    }

    void centreClampsToScreen() {
        // Exactly as large as the screen: top-left corner.
        QCOMPARE(CenterPosition({0, 0, 800, 600}, 800, 600), (WindowPosition{0, 0}));
        // Larger than the screen: the title bar stays reachable.
        QCOMPARE(CenterPosition({0, 0, 800, 600}, 1000, 700), (WindowPosition{0, 0}));
        QCOMPARE(CenterPosition({100, 50, 800, 600}, 1000, 700), (WindowPosition{100, 50}));
        // Wider only: centred vertically still.
        QCOMPARE(CenterPosition({0, 0, 800, 600}, 900, 200), (WindowPosition{0, 200}));
    }

    void childWindowAtTop20Twips() { QCOMPARE(ChildWindowPosition(), (WindowPosition{0, 1})); }
};

QTEST_APPLESS_MAIN(PlacementTest)
#include "placement_test.moc"
