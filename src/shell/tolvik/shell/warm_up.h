#pragma once

namespace tolvik::shell {

/// Once per process, after the main window's first paint: draws the program's text and a
/// sample graph off screen, so that the fonts, their shaping and the chart library are ready
/// when the first working window opens. Runs in short passes of the event loop (the longest,
/// the graph, about one frame); the window is shown before any of them.
void WarmUpDrawing();

} // namespace tolvik::shell
