#include "tolvik/ui_common/text_label.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QStaticText>
#include <QStyle>
#include <QStyleOption>
#include <QTextDocument>

#include <utility>
#include <vector>

namespace tolvik::ui {

namespace {

/// The key of a font, remembered for the few fonts the captions use (making it costs as
/// much as measuring a short caption).
const QString& KeyOf(const QFont& font) {
    static std::vector<std::pair<QFont, QString>> keys;
    for (const auto& [f, key] : keys)
        if (f == font) return key;
    if (keys.size() > 16) keys.clear();
    keys.emplace_back(font, font.key());
    return keys.back().second;
}

/// The box of a line of text, measured once for each font and text: the windows' captions
/// repeat (units, the same names on several pages) and are measured again each time a
/// window opens. Texts of one line are few; the table is emptied should it ever grow large.
QRect Measure(const QFont& font, int width, int flags, const QString& text) {
    static QHash<QString, QRect> measured;
    QString key = KeyOf(font);
    key += QChar(0x1f);
    key += QString::number(width);
    key += QChar(0x1f);
    key += QString::number(flags);
    key += QChar(0x1f);
    key += text;
    if (const auto found = measured.constFind(key); found != measured.cend()) return *found;
    if (measured.size() > 4096) measured.clear();
    const QRect box = QFontMetrics(font).boundingRect(0, 0, width, 2000, flags, text);
    measured.insert(key, box);
    return box;
}

/// A line of text laid out once for each font and text, drawn again without a layout; with
/// its width and height as QPainter::drawText places it by (the laid-out line's size is
/// rounded up, and its width can be a pixel more).
struct Line {
    QStaticText text;
    QSizeF size;
};
const Line& LaidOut(const QFont& font, const QString& text) {
    static QHash<QString, Line> laidOut;
    QString key = KeyOf(font);
    key += QChar(0x1f);
    key += text;
    if (const auto found = laidOut.constFind(key); found != laidOut.cend()) return *found;
    if (laidOut.size() > 4096) laidOut.clear();
    const QFontMetricsF metrics(font);
    Line line{QStaticText(text), QSizeF(metrics.horizontalAdvance(text), metrics.height())};
    line.text.setTextFormat(Qt::PlainText);
    line.text.setPerformanceHint(QStaticText::AggressiveCaching);
    line.text.prepare(QTransform(), font);
    return *laidOut.insert(key, line);
}

/// The sizes QLabel gave a wrapped text: QLabel measures it at several widths for each of its
/// size hints, for every label anew (a note of three lines took a fifth as long as all of its
/// window's other captions).
struct WrappedSizes {
    QSize hint, minimum;
    QHash<int, int> heights; // height for a width
};

/// The sizes of the wrapped text under `key`, measured by QLabel when first asked for.
WrappedSizes& SizesOf(const QLabel& label, const QString& key) {
    static QHash<QString, WrappedSizes> table;
    if (const auto found = table.find(key); found != table.end()) return *found;
    if (table.size() > 1024) table.clear();
    return *table.insert(key, {label.QLabel::sizeHint(), label.QLabel::minimumSizeHint(), {}});
}

} // namespace

QString TextLabel::wrappedKey() const {
    if (!wordWrap() || buddy() || !pixmap().isNull() || !picture().isNull() || movie()) return {};
    if (textInteractionFlags() &
        (Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard | Qt::TextEditable))
        return {};
    const QString t = text();
    if (t.isEmpty() || textFormat() == Qt::RichText || textFormat() == Qt::MarkdownText) return {};
    if (textFormat() == Qt::AutoText && Qt::mightBeRichText(t)) return {};
    ensurePolished();
    // Everything QLabel measures plain text by.
    const QMargins cm = contentsMargins();
    const int numbers[] = {int(alignment()), indent(),        margin(),      frameWidth(),
                           cm.left(),        cm.top(),        cm.right(),    cm.bottom(),
                           minimumWidth(),   minimumHeight(), maximumWidth()};
    QString key = KeyOf(font());
    for (const int n : numbers) {
        key += QChar(0x1f);
        key += QString::number(n);
    }
    key += QChar(0x1f);
    key += t;
    return key;
}

bool TextLabel::plainLine() const {
    if (wordWrap() || buddy() || !pixmap().isNull() || !picture().isNull() || movie()) return false;
    if (textInteractionFlags() &
        (Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard | Qt::TextEditable))
        return false;
    const QString t = text();
    if (t.isEmpty()) return false; // measured by QLabel as a character, or as nothing
    if (textFormat() == Qt::RichText || textFormat() == Qt::MarkdownText) return false;
    if (textFormat() == Qt::AutoText && Qt::mightBeRichText(t)) return false;
    // Without a frame, so that the indent is what was set.
    return frameWidth() == 0;
}

QSize TextLabel::measured() const {
    ensurePolished();
    const QString t = text();
    const QMargins cm = contentsMargins();
    if (size_.isValid() && t == text_ && font() == font_ && int(alignment()) == alignment_ &&
        indent() == indent_ && margin() == margin_ && frameWidth() == frameWidth_ && cm == contents_ &&
        minimumSize() == minimum_)
        return size_;
    text_ = t;
    font_ = font();
    alignment_ = int(alignment());
    indent_ = indent();
    margin_ = margin();
    frameWidth_ = frameWidth();
    contents_ = cm;
    minimum_ = minimumSize();

    // As QLabel measures a line of text: the alignment without centring (the size is all
    // that is wanted), the indent on the aligned sides, twice the margin around.
    const int align = QStyle::visualAlignment(t.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight,
                                              Qt::Alignment(alignment_));
    int hextra = 2 * margin_;
    int vextra = hextra;
    if (indent_ > 0) {
        if (align & (Qt::AlignLeft | Qt::AlignRight)) hextra += indent_;
        if (align & (Qt::AlignTop | Qt::AlignBottom)) vextra += indent_;
    }
    const int flags = align & ~(Qt::AlignVCenter | Qt::AlignHCenter);
    const int width = 2000 - hextra - (cm.left() + cm.right());
    const QRect br = Measure(font_, width, flags, t);
    size_ = (QSize(br.width() + hextra, br.height() + vextra) +
             QSize(cm.left() + cm.right(), cm.top() + cm.bottom()))
                .expandedTo(minimum_);
    return size_;
}

bool DrawLine(QPainter& painter, const QRect& room, int alignment, const QString& text) {
    // Alignment, one line and shortcut marks (without a mark in the text) are all it takes.
    constexpr int kDrawn = Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask | Qt::TextSingleLine |
                           Qt::TextShowMnemonic | Qt::TextHideMnemonic | Qt::TextForceLeftToRight;
    if ((alignment & ~kDrawn) || text.isEmpty() || text.isRightToLeft() || text.contains(QLatin1Char('\n')) ||
        text.contains(QLatin1Char('\t')) || text.contains(QLatin1Char('&')) ||
        painter.layoutDirection() == Qt::RightToLeft ||
        painter.worldTransform().type() > QTransform::TxTranslate)
        return false;
    const int align = QStyle::visualAlignment(Qt::LeftToRight, Qt::Alignment(alignment));
    const Line& line = LaidOut(painter.font(), text);
    const QSizeF size = line.size;
    qreal x = 0;
    qreal y = 0;
    if (align & Qt::AlignRight)
        x = room.width() - size.width();
    else if (align & Qt::AlignHCenter)
        x = (room.width() - size.width()) / 2;
    if (align & Qt::AlignBottom)
        y = room.height() - size.height();
    else if (align & Qt::AlignVCenter)
        y = (room.height() - size.height()) / 2;
    // A line larger than its room is cut off at the room's edges, as QPainter cuts it.
    const bool cut = size.width() > room.width() || size.height() > room.height();
    if (cut) {
        painter.save();
        painter.setClipRect(room, Qt::IntersectClip);
    }
    painter.drawStaticText(QPointF(room.x() + x, room.y() + y), line.text);
    if (cut) painter.restore();
    return true;
}

void TextLabel::paintEvent(QPaintEvent* e) {
    // A label drawn grayed is drawn as QLabel draws it.
    if (!plainLine() || !isEnabled()) {
        QLabel::paintEvent(e);
        return;
    }
    // Where QLabel places its text: inside the margin and, on the aligned sides, the indent.
    const int align = QStyle::visualAlignment(Qt::LeftToRight, alignment());
    QRect r = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    if (const int m = indent(); m > 0) {
        if (align & Qt::AlignLeft) r.setLeft(r.left() + m);
        if (align & Qt::AlignRight) r.setRight(r.right() - m);
        if (align & Qt::AlignTop) r.setTop(r.top() + m);
        if (align & Qt::AlignBottom) r.setBottom(r.bottom() - m);
    }
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    painter.setPen(QPen(option.palette.brush(foregroundRole()), painter.pen().widthF()));
    if (!DrawLine(painter, r, int(alignment()), text())) {
        painter.end();
        QLabel::paintEvent(e);
    }
}

QSize TextLabel::sizeHint() const {
    if (plainLine()) return measured();
    if (const QString key = wrappedKey(); !key.isEmpty()) return SizesOf(*this, key).hint;
    return QLabel::sizeHint();
}

QSize TextLabel::minimumSizeHint() const {
    if (plainLine()) return measured();
    if (const QString key = wrappedKey(); !key.isEmpty()) return SizesOf(*this, key).minimum;
    return QLabel::minimumSizeHint();
}

int TextLabel::heightForWidth(int width) const {
    if (const QString key = wrappedKey(); !key.isEmpty()) {
        QHash<int, int>& heights = SizesOf(*this, key).heights;
        if (const auto found = heights.constFind(width); found != heights.cend()) return *found;
        return *heights.insert(width, QLabel::heightForWidth(width));
    }
    return QLabel::heightForWidth(width);
}

} // namespace tolvik::ui
