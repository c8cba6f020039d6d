#pragma once
/// The building blocks of the working windows' pages: compact fields, lists, captions,
/// frames and options, each carrying its objectName, and the slots that receive the
/// Calculate button and the arrow pictures.

#include "tolvik/ui_common/field_stock.h"
#include "tolvik/ui_common/lists.h"
#include "tolvik/ui_common/page_slot.h"
#include "tolvik/ui_common/text_label.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QRadioButton>
#include <QString>

namespace tolvik::ui::page {

/// Light gray of output fields and reader labels (&HC0C0C0). Gray result fields keep black
/// text, so they stay readable under a dark colour scheme.
inline const QString kGrayStyle = QStringLiteral("background-color: #c0c0c0; color: black;");

/// Gives a field or a label the look of kGrayStyle through its palette: a style sheet of its
/// own makes each widget a style object of its own, set up again whenever it is moved into
/// a frame, which made up a tenth of opening a window.
inline void SetGray(QWidget* w) {
    QPalette p = w->palette();
    for (const auto role : {QPalette::Base, QPalette::Window})
        p.setColor(role, QColor(0xc0, 0xc0, 0xc0));
    for (const auto role : {QPalette::Text, QPalette::WindowText})
        p.setColor(role, Qt::black);
    w->setPalette(p);
    // A field paints its own panel in Base; a label's background must be filled.
    if (!qobject_cast<QLineEdit*>(w)) w->setAutoFillBackground(true);
}

// The window fits the working area of the main window: compact margins and spacings,
// fields one text line high.
inline constexpr int kFieldWidth = 64;
inline constexpr int kFieldHeight = 20;
inline constexpr int kListHeight = 22;
inline constexpr int kMargin = 4;  ///< around the window and the pages, between frames
inline constexpr int kSpacing = 2; ///< between the rows of a frame
inline constexpr int kArrowSlotSize = 36;

inline QString ArrayName(const char* name, int index) {
    return QString::fromLatin1(name) + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

/// Margins and spacing of a page or a plain arrangement of frames.
template <class L> inline L* Outer(L* l) {
    l->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    l->setSpacing(kMargin);
    return l;
}

/// Margins and spacing inside a frame; a grid keeps some room between caption and field.
template <class L> inline L* Inner(L* l) {
    l->setContentsMargins(6, 3, 6, 4);
    l->setSpacing(kSpacing);
    if (auto* grid = qobject_cast<QGridLayout*>(l)) grid->setHorizontalSpacing(6);
    return l;
}

/// A text field; an output field is read-only and light gray.
inline QLineEdit* NewField(const QString& name, bool output = false, const QString& text = QString(),
                           int width = kFieldWidth) {
    Field* f = field_stock::Take();
    if (!text.isEmpty()) f->setText(text);
    f->setObjectName(name);
    f->setFixedSize(width, kFieldHeight);
    if (output) {
        f->setReadOnly(true);
        f->setFocusPolicy(Qt::NoFocus);
        SetGray(f);
    }
    return f;
}

inline QComboBox* NewList(const QString& name, int width = 0) {
    auto* list = new SelectionList;
    list->setObjectName(name);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setFixedHeight(kListHeight);
    if (width > 0) list->setFixedWidth(width);
    return list;
}

inline QLabel* NewLabel(const QString& text, const QString& name = QString()) {
    auto* l = new TextLabel(text);
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
inline void AddRow(QGridLayout* g, const QString& caption, QWidget* field,
                   const QString& labelName = QString(), int row = -1, int column = 0) {
    if (row < 0) row = g->rowCount();
    g->addWidget(NewLabel(caption, labelName), row, column);
    g->addWidget(field, row, column + 1);
}

} // namespace tolvik::ui::page
