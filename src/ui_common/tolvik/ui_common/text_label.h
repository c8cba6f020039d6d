#pragma once
/// A caption of one line of plain text that measures its text once for both of its size
/// hints. A QLabel measures its text three times (for its size, its height on one line and
/// its narrowest width), which for one line of plain text give the same size; a window's
/// captions were a sixth of its opening.

#include <QFont>
#include <QLabel>
#include <QMargins>
#include <QSize>
#include <QString>

class QPainter;
class QRect;

namespace tolvik::ui {

/// Draws one line of plain text into `room` as QPainter::drawText(room, alignment, text) draws
/// it, in the painter's font and pen, from a layout made once per font and text; false, with
/// nothing drawn, for what it does not draw alike (several lines, tabs, a shortcut mark, text
/// from right to left, a turned or scaled painter, any flag but the alignment).
bool DrawLine(QPainter& painter, const QRect& room, int alignment, const QString& text);

class TextLabel : public QLabel {
public:
    using QLabel::QLabel;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    int heightForWidth(int width) const override;

protected:
    /// Draws the line as QLabel does, from a layout made once for its font and text.
    void paintEvent(QPaintEvent* e) override;

private:
    /// One line of plain text, no picture, no wrapping, no shortcut, not selectable: what
    /// this class measures; anything else QLabel measures.
    bool plainLine() const;
    QSize measured() const;
    /// Wrapped plain text, measured by QLabel: the key of its sizes in the table of the
    /// sizes QLabel gave (empty for anything else).
    QString wrappedKey() const;

    // What the measured size was measured for.
    mutable QString text_;
    mutable QFont font_;
    mutable int alignment_ = 0;
    mutable int indent_ = 0;
    mutable int margin_ = 0;
    mutable int frameWidth_ = 0;
    mutable QMargins contents_;
    mutable QSize minimum_;
    mutable QSize size_;
};

} // namespace tolvik::ui
