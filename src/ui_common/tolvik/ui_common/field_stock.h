#pragma once
/// The text fields of the working windows' pages, and a stock of them built ahead.
///
/// A line edit wires itself up through a dozen connections named by text, looked up by name
/// at each construction: the fields made up a fifth of opening the core window. The stock
/// builds them while the program waits for the user (after the main window is shown, after a
/// working window closed), a few per pass of the event loop; a page takes one from the stock,
/// or builds its own when it is empty.

#include <QLineEdit>
#include <QSize>

class QWidget;

namespace tolvik::ui {

/// A line edit that, while its size is fixed, gives that size as its size hints: a layout
/// bounds a fixed widget's hints to its size anyway, and a line edit measures its font for
/// them at every layout of a page (a window's fields are nearly all of a fixed size).
class Field : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    QSize sizeHint() const override {
        return minimumSize() == maximumSize() ? minimumSize() : QLineEdit::sizeHint();
    }
    QSize minimumSizeHint() const override {
        return minimumSize() == maximumSize() ? minimumSize() : QLineEdit::minimumSizeHint();
    }
};

namespace field_stock {

/// Enough for one core window (92 fields) and one material window (13) open at once.
inline constexpr int kTarget = 120;

/// Tops the stock up to kTarget, a few fields per pass of the event loop, starting a few
/// hundredths of a second later. The fields in stock are hidden and have no parent; they go
/// with `keeper` (the main window). A stock kept for another keeper is given up.
void Refill(QWidget* keeper);

/// An empty field of the stock (a new one when the stock is empty), placed in `parent`.
Field* Take(QWidget* parent = nullptr);

/// Fields in stock now.
int Count();

/// Fields built by Take() because the stock was empty, since the process started.
int Shortfall();

} // namespace field_stock
} // namespace tolvik::ui
