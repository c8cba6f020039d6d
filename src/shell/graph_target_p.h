#pragma once
// The graph the graph commands act on: the graph of the current tab of the working window.

#include "tolvik/chart/graph.h"
#include "tolvik/ui_common/tab_page.h"

#include <QWidget>

namespace tolvik::shell::detail {

/// The working window behind a widget, or nullptr when it is none.
inline const ui::GraphWindow* AsGraphWindow(const QWidget* window) {
    return dynamic_cast<const ui::GraphWindow*>(window);
}

/// The graph of the window's current tab, or nullptr when it has none.
inline chart::Graph* CurrentGraph(const QWidget* window) {
    const ui::GraphWindow* w = AsGraphWindow(window);
    return w ? w->currentGraph() : nullptr;
}

} // namespace tolvik::shell::detail
