#pragma once
/// The graph commands of the main window: Print, Clear, Copy and Graph act on the graph
/// Graph1(t) of the working window in front, t being the current tab of its SSTab1.

#include "tolvik/ui_common/graph_helpers.h"

class QWidget;

namespace tolvik {
struct AppContext;
}

namespace tolvik::shell {

/// "Error occured: no graph selected or printer error"
inline constexpr const char* kPrintErrorText = "Error occured: no graph selected or printer error";
/// Shown by Graph when there is no graph to set up.
using ui::kNoGraphText;

/// Prints the graph of the current tab of `window` (MatTab or CoreForm; nullptr when no
/// working window is in front) on a landscape page: the date line, the header with the
/// window caption, the picked curve and the reading log, and the graph in its frame; the
/// reading log's overflow on a second page. The user chooses the printer first (the
/// printing service); a cancelled choice prints nothing. matTabTab: the current tab of
/// the Material properties window (0 when it is not open). Every failure shows the
/// print error message. Returns true when pages were printed.
bool PrintGraph(QWidget* window, AppContext& app, int matTabTab, QWidget* parent = nullptr);

/// Resets the graph of the current tab (and so the reading log) and shows the window.
void ClearGraph(QWidget* window, AppContext& app);

/// Material properties only: puts the data column of the shown curve on the clipboard as
/// text (each value followed by a tab). With no material selected it shows "No material
/// selected"; on a tab without a copyable column it disables copyButton and empties the
/// clipboard. Data faults are skipped silently.
void CopyGraph(QWidget* window, AppContext& app, QWidget* copyButton, QWidget* parent = nullptr);

/// Opens the chart settings of the current tab's graph, or shows the no-graph message.
void GraphSettings(QWidget* window, QWidget* parent = nullptr);

} // namespace tolvik::shell
