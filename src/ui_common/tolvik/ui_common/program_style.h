#pragma once
/// The program's style: the platform's style, with the panels of the Fusion style's line edits,
/// the frames of its group boxes and its tabs drawn from a picture kept for each size and look, lines of
/// text drawn from a layout kept for each font and text, and its standard icons kept once made.
/// A window shows dozens of fields of a few sizes, and the Fusion style strokes each field's
/// rounded outline anew (antialiased) at every paint: a tenth of a window's opening and of a
/// tab change. A group box's frame it draws from nine pieces of a picture it reads anew, a
/// twelfth of a tab change. Each working window's frame asks for four icons, which the style
/// reads or draws anew each time.

#include <QHash>
#include <QIcon>
#include <QPixmap>
#include <QProxyStyle>

namespace tolvik::ui {

class ProgramStyle : public QProxyStyle {
public:
    /// Over the style `base` (the platform's style for nullptr); takes it over.
    explicit ProgramStyle(QStyle* base = nullptr);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    /// A group box's parts, measured once per size, title, font and look (the style measures
    /// the title anew for each part at every paint).
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget = nullptr) const override;
    /// A line of plain text from a layout made once per font and text (ui::DrawLine).
    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& pal, bool enabled,
                      const QString& text, QPalette::ColorRole textRole = QPalette::NoRole) const override;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;

private:
    /// Lays down the picture kept under `key`, made first by `draw` with the option moved into
    /// it (with `margin` pixels of room around).
    template <class Option, class Draw>
    void drawKept(const QByteArray& key, const Option& option, QPainter& painter, int margin,
                  Draw draw) const;

    bool fusion_ = false;
    static constexpr qint64 kKeptBytes = 8 << 20;
    mutable QHash<QByteArray, QPixmap> kept_; // by element and look
    mutable qint64 keptBytes_ = 0;
    mutable QHash<int, QIcon> icons_; // by icon and the application's direction
    mutable QHash<QByteArray, QRect> groupBoxParts_;
};

/// Makes the program's style the application's, over the style it has (once per process).
void InstallProgramStyle();

} // namespace tolvik::ui
