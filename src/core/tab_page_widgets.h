#pragma once
/// Small builders of the controls on the pages of the core calculation window's tabs:
/// compact fields one text line high, frames, options and caption/field rows.

#include "page_slot.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QString>

namespace tolvik::core::page {

inline constexpr int kFieldWidth = 64;
inline constexpr int kFieldHeight = 20;
inline constexpr int kMargin = 4;  ///< around a page, between frames
inline constexpr int kSpacing = 2; ///< between the rows of a frame
inline constexpr int kArrowSlotSize = 36;

/// Light gray of output fields and reader labels (&HC0C0C0).
inline QString OutputStyle() {
    return QStringLiteral("background-color: #c0c0c0;");
}

/// "name(index)", the objectName of an element of a control array.
inline QString ArrayName(const char* name, int index) {
    return QString::fromLatin1(name) + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

template <class L> L* Outer(L* l) {
    l->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    l->setSpacing(kMargin);
    return l;
}

template <class L> L* Inner(L* l) {
    l->setContentsMargins(6, 3, 6, 4);
    l->setSpacing(kSpacing);
    if (auto* grid = qobject_cast<QGridLayout*>(l)) grid->setHorizontalSpacing(6);
    return l;
}

/// A text field; an output field is read-only and light gray.
inline QLineEdit* NewField(const QString& name, bool output = false, const QString& text = QString(),
                           int width = kFieldWidth) {
    auto* f = new QLineEdit(text);
    f->setObjectName(name);
    f->setFixedSize(width, kFieldHeight);
    if (output) {
        f->setReadOnly(true);
        f->setFocusPolicy(Qt::NoFocus);
        f->setStyleSheet(OutputStyle());
    }
    return f;
}

inline QLabel* NewLabel(const QString& text, const QString& name = QString()) {
    auto* l = new QLabel(text);
    if (!name.isEmpty()) l->setObjectName(name);
    return l;
}

inline QGroupBox* NewGroup(const QString& title, const QString& name = QString()) {
    auto* g = new QGroupBox(title);
    if (!name.isEmpty()) g->setObjectName(name);
    return g;
}

inline QRadioButton* NewOption(const QString& text, const QString& name, bool checked = false) {
    auto* o = new QRadioButton(text);
    o->setObjectName(name);
    o->setChecked(checked);
    return o;
}

/// A place in a box layout that receives a moved control; returns the place's own layout.
inline QBoxLayout* NewSlot(QBoxLayout* into, int minWidth = kArrowSlotSize, int minHeight = kArrowSlotSize,
                           Qt::Alignment align = Qt::AlignCenter) {
    QWidget* holder = nullptr;
    QBoxLayout* l = NewSlotWidget(&holder, minWidth, minHeight, align);
    into->addWidget(holder, 0, align);
    return l;
}

/// Adds "caption field" as a row of a grid, in the column pair starting at column.
inline void AddRow(QGridLayout* g, const QString& caption, QWidget* field, int row = -1, int column = 0) {
    if (row < 0) row = g->rowCount();
    g->addWidget(NewLabel(caption), row, column);
    g->addWidget(field, row, column + 1);
}

} // namespace tolvik::core::page
