#include "tolvik/ui_common/program_style.h"

#include "tolvik/ui_common/text_label.h"

#include <QApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

#include <cmath>

namespace tolvik::ui {

ProgramStyle::ProgramStyle(QStyle* base) : QProxyStyle(base) {
    fusion_ = baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0;
}

QPixmap ProgramStyle::picture(PrimitiveElement element, const QStyleOption& option, const QPainter& painter,
                              const QWidget* widget) const {
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(&option);
    if (!fusion_ || !frame || option.rect.isEmpty() || option.rect.width() > 2000 ||
        option.rect.height() > 1000)
        return {};
    // Laid down as drawn: moved by whole pixels only, opaque, over what is there.
    const QTransform& t = painter.worldTransform();
    if (t.type() > QTransform::TxTranslate || t.dx() != std::round(t.dx()) || t.dy() != std::round(t.dy()) ||
        painter.opacity() != 1.0 || painter.compositionMode() != QPainter::CompositionMode_SourceOver)
        return {};
    // The panel is filled with the base brush and outlined in colours made from the palette.
    const QPalette& pal = option.palette;
    if (pal.base().style() != Qt::SolidPattern) return {};
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;

    QByteArray key;
    key.reserve(160);
    const auto add = [&key](qint64 n) { key.append(reinterpret_cast<const char*>(&n), sizeof n); };
    add(element);
    add(qint64(painter.renderHints().toInt()));
    if (element == PE_FrameGroupBox) {
        // The frame leaves room above it for the title, by the title's font and whether the
        // group box has a title and a check box.
        const auto* box = qobject_cast<const QGroupBox*>(widget);
        add(box ? 1 + (box->isCheckable() ? 2 : 0) + (box->title().isEmpty() ? 4 : 0) : 0);
        add(option.fontMetrics.height());
        add(pixelMetric(PM_ExclusiveIndicatorHeight, &option, widget));
    }
    add(option.rect.width());
    add(option.rect.height());
    add(qint64(option.state));
    add(qint64(option.direction));
    add(frame->lineWidth);
    add(frame->midLineWidth);
    add(qint64(frame->features));
    add(qint64(frame->frameShape));
    add(qRound64(ratio * 1000));
    // Every colour a panel may be drawn in (of the palette's current group, as the style
    // takes them).
    for (const QPalette::ColorRole role :
         {QPalette::Base, QPalette::Window, QPalette::Highlight, QPalette::Shadow, QPalette::Light,
          QPalette::Dark, QPalette::Mid, QPalette::Button, QPalette::Text})
        add(qint64(pal.color(role).rgba64()));
    if (const auto found = panels_.constFind(key); found != panels_.cend()) return *found;

    QPixmap made(option.rect.size() * ratio);
    made.setDevicePixelRatio(ratio);
    made.fill(Qt::transparent);
    {
        QPainter p(&made);
        p.setRenderHints(painter.renderHints());
        QStyleOptionFrame at = *frame;
        at.rect = QRect(QPoint(0, 0), option.rect.size());
        QProxyStyle::drawPrimitive(element, &at, &p, widget);
    }
    // A window's fields and frames come in a few dozen sizes: a few megabytes of pictures.
    const qint64 bytes = qint64(made.width()) * made.height() * 4;
    if (panels_.size() > 256 || keptBytes_ + bytes > kKeptBytes) {
        panels_.clear();
        keptBytes_ = 0;
    }
    panels_.insert(key, made);
    keptBytes_ += bytes;
    return made;
}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
    if ((element == PE_PanelLineEdit || element == PE_FrameGroupBox) && option && painter) {
        if (const QPixmap kept = picture(element, *option, *painter, widget); !kept.isNull()) {
            painter->drawPixmap(option->rect.topLeft(), kept);
            return;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void ProgramStyle::drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& pal,
                                bool enabled, const QString& text, QPalette::ColorRole textRole) const {
    if (fusion_ && painter && !text.isEmpty()) {
        // As the Fusion style draws it: in the role's colour, grayed or not.
        const QPen saved = painter->pen();
        if (textRole != QPalette::NoRole) painter->setPen(QPen(pal.brush(textRole), saved.widthF()));
        const bool drawn = DrawLine(*painter, rect, flags, text);
        painter->setPen(saved);
        if (drawn) return;
    }
    QProxyStyle::drawItemText(painter, rect, flags, pal, enabled, text, textRole);
}

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                 const QWidget* widget) const {
    if (option) return QProxyStyle::standardIcon(icon, option, widget);
    // The style turns an icon by the direction of the application, not of the widget.
    const int key = int(icon) * 2 + (QGuiApplication::isRightToLeft() ? 1 : 0);
    if (const auto found = icons_.constFind(key); found != icons_.cend()) return *found;
    return *icons_.insert(key, QProxyStyle::standardIcon(icon, option, widget));
}

void InstallProgramStyle() {
    if (dynamic_cast<ProgramStyle*>(QApplication::style())) return;
    // Over a style of the kind the application has (the user's choice too). One that cannot
    // be made again by its name is left as it is.
    if (QStyle* base = QStyleFactory::create(QApplication::style()->name()))
        QApplication::setStyle(new ProgramStyle(base));
}

} // namespace tolvik::ui
