#include "tolvik/shell/placement.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tolvik::shell {

std::int16_t RoundToInt16(double x) {
    if (std::isnan(x)) return 0;
    constexpr double lo = std::numeric_limits<std::int16_t>::min();
    constexpr double hi = std::numeric_limits<std::int16_t>::max();
    // Halves go to the even neighbour: 2.5 -> 2, 3.5 -> 4.
    const double r = x - std::floor(x) == 0.5 ? 2.0 * std::round(x / 2.0) : std::round(x);
    return static_cast<std::int16_t>(std::clamp(r, lo, hi));
}

MainWindowPosition MainWindowPlacement(double screenWidth, double screenHeight, double windowWidth,
                                       double windowHeight) {
    MainWindowPosition p;
    p.left = static_cast<float>(screenWidth / 2 - windowWidth / 2);
    if (screenHeight == kSmallScreenHeightTwips)
        p.top = 0;
    else
        p.top = RoundToInt16(screenHeight / 2 - windowHeight / 2);
    return p;
}

WindowPosition CenterPosition(const ScreenRect& screen, int width, int height) {
    const int halfWidth = RoundToInt16(screen.width / 2.0);
    const int halfHeight = RoundToInt16(screen.height / 2.0);
    int left = std::max(0, halfWidth - width / 2);
    int top = std::max(0, halfHeight - height / 2);
    if (left + width > screen.width) left = screen.width - width;
    if (top + height > screen.height) top = screen.height - height;
    // A window larger than the screen keeps its title bar reachable.
    left = std::max(0, left);
    top = std::max(0, top);
    return {screen.left + left, screen.top + top};
}

WindowPosition ChildWindowPosition() {
    return {kChildLeftTwips / kTwipsPerPixel, kChildTopTwips / kTwipsPerPixel};
}

} // namespace tolvik::shell
