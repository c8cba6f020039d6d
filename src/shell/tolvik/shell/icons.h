#pragma once
/// The pictures of the six picture buttons, drawn at run time.

#include <QIcon>

namespace tolvik::shell {

/// Picture of Picture3(index): 0 printer, 1 exit door, 2 eraser, 3 copy sheets,
/// 4 question mark, 5 chart.
QIcon PictureButtonIcon(int index);
/// The chart picture at the sizes a desktop shows a window's picture.
QIcon WindowIcon();

} // namespace tolvik::shell
