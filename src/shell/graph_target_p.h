#pragma once
// The graph the graph commands act on: Graph1(t) of the working window, t the current
// tab of its tab control SSTab1.

#include "tolvik/chart/graph.h"

#include <QTabWidget>
#include <QWidget>

namespace tolvik::shell::detail {

/// The current tab of the window's SSTab1, or -1 when it has none.
inline int CurrentTab(const QWidget* window) {
    if (!window) return -1;
    const auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    return tabs ? tabs->currentIndex() : -1;
}

/// Graph1(t) of the window, or nullptr when the current tab has no graph.
inline chart::Graph* CurrentGraph(const QWidget* window) {
    const int t = CurrentTab(window);
    if (t < 0) return nullptr;
    return window->findChild<chart::Graph*>(QStringLiteral("Graph1(%1)").arg(t));
}

} // namespace tolvik::shell::detail
