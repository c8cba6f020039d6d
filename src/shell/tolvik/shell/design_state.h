#pragma once
/// What a working window shows, as a design: its tab, selection lists, options, fields and
/// graphs, read from the window's own controls by their names, and written back.

#include "tolvik/design/design_file.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace tolvik::shell {

/// The state of a working window (name "CoreForm" or "MatTab") on tab `tab`.
design::WindowState CaptureWindow(const QWidget* window, int tab);

/// Writes a saved state back into a window that has been set up on the saved tab: the
/// lists first (as if the user chose the entries, so that what depends on them follows),
/// then the options, then the field texts and the graphs exactly as saved, without a
/// recalculation. Returns a line for each saved list entry that the current data file
/// does not have.
QStringList RestoreWindow(QWidget* window, const design::WindowState& state);

} // namespace tolvik::shell
