#pragma once
/// Window placement arithmetic of the main window and the free windows, without Qt.
/// Twips: 15 twips are one pixel.

#include <cstdint>

namespace tolvik::shell {

inline constexpr int kTwipsPerPixel = 15;
/// Width of the main window after start-up.
inline constexpr int kMainWindowWidthTwips = 12000;
/// Design client area of the main window.
inline constexpr int kMainWindowClientWidthTwips = 11880;
inline constexpr int kMainWindowClientHeightTwips = 8310;
/// Screen height at which the main window sits at the top edge (600 pixels).
inline constexpr int kSmallScreenHeightTwips = 9000;
/// Working windows sit at top 20, left 0 inside the main window.
inline constexpr int kChildTopTwips = 20;
inline constexpr int kChildLeftTwips = 0;

/// Rounds to the nearest integer, halves to the even neighbour, kept within 16 bits.
std::int16_t RoundToInt16(double x);

struct MainWindowPosition {
    float left = 0;       ///< twips, not rounded
    std::int16_t top = 0; ///< twips
};

/// Start-up placement of the main window (all in twips): horizontally centred, at the top
/// of a 9000-twip-high screen, vertically centred on any other.
MainWindowPosition MainWindowPlacement(double screenWidth, double screenHeight, double windowWidth,
                                       double windowHeight);

struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct WindowPosition {
    int left = 0;
    int top = 0;
    bool operator==(const WindowPosition&) const = default;
};

/// Centres a window of the given size on the screen: never left of or above the screen,
/// pushed back when it would reach past the right or bottom edge; a window larger than
/// the screen keeps its top-left corner on the screen.
WindowPosition CenterPosition(const ScreenRect& screen, int width, int height);

/// Position of a working window inside the main window, in pixels.
WindowPosition ChildWindowPosition();

} // namespace tolvik::shell
