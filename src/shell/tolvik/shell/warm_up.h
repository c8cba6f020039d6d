#pragma once

namespace tolvik::shell {

/// Once per process, in idle time after the main window's first paint: draws a sample graph
/// and the program's text off screen, so that the fonts, their shaping and the chart library
/// are ready when the first working window opens. Costs the user no wait at start-up.
void WarmUpDrawing();

} // namespace tolvik::shell
