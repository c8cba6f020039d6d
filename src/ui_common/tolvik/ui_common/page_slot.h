#pragma once
/// A place on a tab page that receives a control moved there when the tab is entered
/// (the Calculate button, an arrow picture).

#include <QHBoxLayout>
#include <QWidget>

namespace tolvik::ui::page {

/// A holder widget of at least the given size with a layout of its own; returns that
/// layout and the holder through holderOut, for callers that put it into a grid or box.
inline QBoxLayout* NewSlotWidget(QWidget** holderOut, int minWidth, int minHeight,
                                 Qt::Alignment align = Qt::AlignCenter) {
    auto* holder = new QWidget;
    holder->setMinimumSize(minWidth, minHeight);
    auto* l = new QHBoxLayout(holder);
    l->setContentsMargins(0, 0, 0, 0);
    l->setAlignment(align);
    *holderOut = holder;
    return l;
}

} // namespace tolvik::ui::page
