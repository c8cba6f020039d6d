#include "tolvik/ui_common/program_style.h"

#include "tolvik/ui_common/text_label.h"

#include <QApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTabBar>

#include <cmath>

namespace tolvik::ui {

ProgramStyle::ProgramStyle(QStyle* base) : QProxyStyle(base) {
    fusion_ = baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0;
}

namespace {

/// Room around a kept picture for what the style draws beyond the option's rectangle (a tab
/// overlaps the next one).
constexpr int kPictureMargin = 4;
/// Control elements are numbered apart from primitive elements in the pictures' keys.
constexpr int kControl = 0x10000;

/// A picture can stand for the drawing: the painter moves by whole pixels only and lays it
/// down opaque, over what is there; the size is that of a widget's part.
bool Keepable(const QStyleOption& option, const QPainter& painter) {
    if (option.rect.isEmpty() || option.rect.width() > 2000 || option.rect.height() > 1000) return false;
    const QTransform& t = painter.worldTransform();
    return t.type() <= QTransform::TxTranslate && t.dx() == std::round(t.dx()) &&
           t.dy() == std::round(t.dy()) && painter.opacity() == 1.0 &&
           painter.compositionMode() == QPainter::CompositionMode_SourceOver;
}

struct Key {
    QByteArray bytes;
    void add(qint64 n) { bytes.append(reinterpret_cast<const char*>(&n), sizeof n); }
};

/// What every kept picture is drawn by: the element, the painter's hints and the device's
/// pixel ratio, the size, state and direction, and every colour of the palette's current
/// group (as the style takes them).
Key CommonKey(int element, const QStyleOption& option, const QPainter& painter) {
    Key key;
    key.bytes.reserve(200);
    key.add(element);
    key.add(qint64(painter.renderHints().toInt()));
    key.add(qRound64((painter.device() ? painter.device()->devicePixelRatioF() : 1.0) * 1000));
    key.add(option.rect.width());
    key.add(option.rect.height());
    key.add(qint64(option.state));
    key.add(qint64(option.direction));
    for (const QPalette::ColorRole role :
         {QPalette::Base, QPalette::Window, QPalette::Highlight, QPalette::Shadow, QPalette::Light,
          QPalette::Dark, QPalette::Mid, QPalette::Midlight, QPalette::Button, QPalette::Text,
          QPalette::WindowText, QPalette::ButtonText})
        key.add(qint64(option.palette.color(role).rgba64()));
    return key;
}

} // namespace

template <class Option, class Draw>
void ProgramStyle::drawKept(const QByteArray& key, const Option& option, QPainter& painter, int margin,
                            Draw draw) const {
    auto found = kept_.constFind(key);
    if (found == kept_.cend()) {
        const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
        const QSize size = option.rect.size() + QSize(2 * margin, 2 * margin);
        QPixmap made(size * ratio);
        made.setDevicePixelRatio(ratio);
        made.fill(Qt::transparent);
        {
            QPainter p(&made);
            p.setRenderHints(painter.renderHints());
            Option at = option;
            at.rect = QRect(QPoint(margin, margin), option.rect.size());
            draw(at, p);
        }
        // A window's fields, frames and tabs come in a few dozen sizes: a few megabytes.
        const qint64 bytes = qint64(made.width()) * made.height() * 4;
        if (kept_.size() > 256 || keptBytes_ + bytes > kKeptBytes) {
            kept_.clear();
            keptBytes_ = 0;
        }
        keptBytes_ += bytes;
        found = kept_.insert(key, made);
    }
    painter.drawPixmap(option.rect.topLeft() - QPoint(margin, margin), *found);
}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    // A field's panel is filled with the base brush and outlined in colours made from the
    // palette; a group box's frame is a picture of the style's, laid around its contents.
    if (fusion_ && frame && painter && (element == PE_PanelLineEdit || element == PE_FrameGroupBox) &&
        Keepable(*option, *painter) && option->palette.base().style() == Qt::SolidPattern) {
        Key key = CommonKey(element, *option, *painter);
        key.add(frame->lineWidth);
        key.add(frame->midLineWidth);
        key.add(qint64(frame->features));
        key.add(qint64(frame->frameShape));
        if (element == PE_FrameGroupBox) {
            // The frame leaves room above it for the title, by the title's font and whether
            // the group box has a title and a check box.
            const auto* box = qobject_cast<const QGroupBox*>(widget);
            key.add(box ? 1 + (box->isCheckable() ? 2 : 0) + (box->title().isEmpty() ? 4 : 0) : 0);
            key.add(option->fontMetrics.height());
            key.add(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget));
        }
        drawKept(key.bytes, *frame, *painter, 0, [&](const QStyleOptionFrame& at, QPainter& p) {
            QProxyStyle::drawPrimitive(element, &at, &p, widget);
        });
        return;
    }
    // A radio button's or check box's indicator: a small shaded circle or box, by its state.
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    if (fusion_ && button && painter &&
        (element == PE_IndicatorRadioButton || element == PE_IndicatorCheckBox) &&
        Keepable(*option, *painter)) {
        Key key = CommonKey(element, *option, *painter);
        key.add(qint64(button->features));
        drawKept(key.bytes, *button, *painter, kPictureMargin,
                 [&](const QStyleOptionButton& at, QPainter& p) {
                     QProxyStyle::drawPrimitive(element, &at, &p, widget);
                 });
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void ProgramStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const {
    const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option);
    // A tab's shape on top of its page: outlined, rounded and shaded by its place in the row
    // and its state. (The style turns the painter for tabs on the other sides.)
    if (fusion_ && tab && painter && element == CE_TabBarTabShape && tab->shape == QTabBar::RoundedNorth &&
        Keepable(*option, *painter)) {
        Key key = CommonKey(kControl + element, *option, *painter);
        key.add(tab->shape);
        key.add(tab->row);
        key.add(tab->position);
        key.add(tab->selectedPosition);
        key.add(qint64(tab->cornerWidgets));
        key.add(tab->documentMode ? 1 : 0);
        key.add(qint64(tab->features));
        key.add(tab->iconSize.width() * 65536 + tab->iconSize.height());
        key.add(tab->leftButtonSize.width() * 65536 + tab->leftButtonSize.height());
        key.add(tab->rightButtonSize.width() * 65536 + tab->rightButtonSize.height());
        key.add(pixelMetric(PM_TabBarTabOverlap, option, widget));
        drawKept(key.bytes, *tab, *painter, kPictureMargin, [&](const QStyleOptionTab& at, QPainter& p) {
            QProxyStyle::drawControl(element, &at, &p, widget);
        });
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

QRect ProgramStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                                   const QWidget* widget) const {
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    // Measured by the widget's font: the option's font metrics do not tell the font.
    if (!fusion_ || control != CC_GroupBox || !box || !widget || option->fontMetrics != widget->fontMetrics())
        return QProxyStyle::subControlRect(control, option, part, widget);
    Key key;
    key.add(part);
    key.add(box->rect.x());
    key.add(box->rect.y());
    key.add(box->rect.width());
    key.add(box->rect.height());
    key.add(qint64(box->state));
    key.add(qint64(box->direction));
    key.add(qint64(box->subControls));
    key.add(qint64(box->features));
    key.add(qint64(box->textAlignment));
    key.add(box->lineWidth);
    key.add(box->midLineWidth);
    key.bytes += widget->font().key().toUtf8();
    key.bytes += '\x1f';
    key.bytes += box->text.toUtf8();
    if (const auto found = groupBoxParts_.constFind(key.bytes); found != groupBoxParts_.cend()) return *found;
    if (groupBoxParts_.size() > 4096) groupBoxParts_.clear();
    return *groupBoxParts_.insert(key.bytes, QProxyStyle::subControlRect(control, option, part, widget));
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
