#pragma once
/// What a part of a working window shows, as part of a design: its selection lists,
/// options, fields and graphs, read from the part's own controls by their names, and
/// written back. A window is made of parts (its own row of controls, each tab page); each
/// part is read within its own widgets.

#include "tolvik/design/design_file.h"

#include <QString>
#include <QStringList>

#include <vector>

class QWidget;

namespace tolvik::ui {

/// A part of a window: the controls below `root`, without those below `skip` (a part held
/// by the root that is read on its own).
struct WindowPart {
    const QWidget* root = nullptr;
    const QWidget* skip = nullptr;
};

/// Appends the named controls of `parts` to `state`, kind by kind (lists, options, fields
/// and labels, graphs), each kind part by part and within a part in the order of the names.
void CaptureParts(const std::vector<WindowPart>& parts, design::WindowState& state);

/// Writes a saved state back into the parts of a window that has been set up on the saved
/// tab: the lists first (as if the user chose the entries, so that what depends on them
/// follows), then the options, then the field texts and the graphs exactly as saved, without
/// a recalculation. A control the state names that no part has (a design of another
/// version) is passed over. Returns a line for each saved core or material that the current
/// data file does not have.
QStringList RestoreParts(const std::vector<WindowPart>& parts, const design::WindowState& state);

/// An input or result field as a page shows it: the label left of it on its row, its text,
/// and a unit label ("[mm]") right after it.
struct ShownField {
    QString caption, text, unit;
};
/// The named, visible text fields of a page, row by row, left to right.
std::vector<ShownField> ShownFields(const QWidget* page);

} // namespace tolvik::ui
