#include "tolvik/ui_common/field_edits.h"

#include <QLineEdit>

#include <vector>

namespace tolvik::ui {

void ClearOnUserEdit(QLineEdit* field, std::function<void()> clear) {
    if (!field || !clear) return;
    QObject::connect(field, &QLineEdit::textEdited, field, [clear = std::move(clear)] { clear(); });
}

void ClearOnUserEdit(QLineEdit* field, std::initializer_list<QLineEdit*> dependents) {
    ClearOnUserEdit(field, [list = std::vector<QLineEdit*>(dependents)] {
        for (QLineEdit* f : list)
            if (f) f->clear();
    });
}

} // namespace tolvik::ui
