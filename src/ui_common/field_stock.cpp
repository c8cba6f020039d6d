#include "tolvik/ui_common/field_stock.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace tolvik::ui::field_stock {

namespace {

/// About half a millisecond of work per pass: a click meanwhile hardly waits.
constexpr int kPerPass = 24;
/// The building starts this long after it was asked for, when what the program did then (its
/// window's first paint and what follows it, a window closed) is over.
constexpr int kDelayMs = 40;

// The fields in stock have no parent, as a field built by a page had until its layout placed
// it: moved out of a parent, a widget leaves that parent's window's chain of focus, which Qt
// walks whole, field by field.
struct Stock {
    QPointer<QWidget> keeper;
    std::vector<QPointer<Field>> fields; ///< a field deleted by others reads null
    QMetaObject::Connection keeperGone;
    bool filling = false;
    int shortfall = 0;

    void clear() {
        for (const QPointer<Field>& f : fields)
            delete f.data();
        fields.clear();
        filling = false;
    }
};

Stock& TheStock() {
    static Stock stock;
    return stock;
}

void FillPass() {
    Stock& s = TheStock();
    if (!s.keeper) return s.clear();
    for (int i = 0; i < kPerPass && static_cast<int>(s.fields.size()) < kTarget; ++i)
        s.fields.emplace_back(new Field);
    s.filling = static_cast<int>(s.fields.size()) < kTarget;
    if (s.filling) QTimer::singleShot(0, s.keeper, FillPass);
}

/// Starts the passes, once the keeper has finished what it is doing (being built, or
/// letting a window go).
void StartFilling(QWidget* keeper) {
    Stock& s = TheStock();
    if (s.keeper != keeper) {
        s.clear(); // the fields of another keeper
        QObject::disconnect(s.keeperGone);
        s.keeper = keeper;
        s.keeperGone = QObject::connect(keeper, &QObject::destroyed, [] { TheStock().clear(); });
    }
    std::erase_if(s.fields, [](const QPointer<Field>& f) { return f.isNull(); });
    if (s.filling || static_cast<int>(s.fields.size()) >= kTarget) return;
    s.filling = true;
    QTimer::singleShot(0, keeper, FillPass);
}

} // namespace

void Refill(QWidget* keeper) {
    if (keeper) QTimer::singleShot(kDelayMs, keeper, [keeper] { StartFilling(keeper); });
}

Field* Take(QWidget* parent) {
    Stock& s = TheStock();
    while (!s.fields.empty()) {
        Field* f = s.fields.back().data();
        s.fields.pop_back();
        if (!f) continue;
        if (parent) f->setParent(parent);
        return f;
    }
    ++s.shortfall;
    return new Field(parent);
}

int Count() {
    const auto& fields = TheStock().fields;
    return static_cast<int>(
        std::count_if(fields.begin(), fields.end(), [](const auto& f) { return !f.isNull(); }));
}

int Shortfall() {
    return TheStock().shortfall;
}

} // namespace tolvik::ui::field_stock
