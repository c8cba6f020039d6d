#include "tolvik/material/mat_curve.h"

#include <cmath>

namespace tolvik::material {

bool HasColumn(data::Database& db, std::string_view table, std::string_view column) {
    return !column.empty() && db.hasTable(table) && db.hasField(table, column);
}

MatValue Finite(double x) {
    MatValue v;
    if (std::isfinite(x)) {
        v.valid = true;
        v.value = x;
    }
    return v;
}

} // namespace tolvik::material
