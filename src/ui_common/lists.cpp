#include "tolvik/ui_common/lists.h"

#include "tolvik/ui_common/services.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QVariant>

namespace tolvik::ui {

namespace {

const char* const kTagProperty = "tag";
/// The data file, table and flag a list was last filled from.
const char* const kSourceProperty = "tolvikListSource";

/// Refills the list with the entry field of every row of the table whose flag is true,
/// then selects the entry that was shown before, if the new list still holds it.
/// The data file is only read, so a list already filled from the same table and flag of
/// the same file holds what a refill would give: it is left as it is, without a query.
void FillFromTable(data::Database& db, QComboBox* list, const char* table, const char* flagField,
                   const char* entryField) {
    if (!list) return;
    const QString source =
        QStringLiteral("%1|%2|%3|%4")
            .arg(QString::number(reinterpret_cast<quintptr>(&db)), QString::fromStdString(db.path()),
                 QLatin1String(table), QLatin1String(flagField));
    if (list->property(kSourceProperty).toString() == source) return;
    const QString remembered = list->currentText();
    {
        // Filling is not a selection: no handler may see the intermediate states
        // (QComboBox selects the first entry added to an empty list by itself).
        const QSignalBlocker blocker(list);
        list->clear();
        list->setProperty(kSourceProperty, QString());
        // Only the two fields the list needs, in stored order.
        auto rs = db.openQuery(data::sql::ListEntries(table, flagField, entryField));
        // Gathered first and added at once: one insertion into the list's model instead of
        // one per row (a core table of 10,000 rows).
        QStringList entries;
        rs->moveFirst();
        while (!rs->eof()) {
            if (rs->field(flagField).toBool())
                entries << QString::fromStdString(rs->field(entryField).toText());
            rs->moveNext();
        }
        rs->close();
        list->addItems(entries);
        list->setCurrentIndex(-1);
        if (list->isEditable()) list->setEditText(QString());
        list->setProperty(kSourceProperty, source);
    }
    const int i = FindListIndex(remembered, list);
    if (i > -1) {
        SetTag(list, kNoAction);
        if (list->isEditable()) list->setEditText(remembered);
        list->setCurrentIndex(i);
    }
}

} // namespace

QString Tag(const QObject* o) {
    return o ? o->property(kTagProperty).toString() : QString();
}

void SetTag(QObject* o, const QString& tag) {
    if (o) o->setProperty(kTagProperty, tag);
}

void FillCoreList(data::Database& db, QComboBox* list) {
    FillFromTable(db, list, "Kernform", "Anzeige", "Kerntyp");
}

void FillRthCoreList(data::Database& db, QComboBox* list) {
    FillFromTable(db, list, "Kernform", "RthAnzeige", "Kerntyp");
}

void FillPowerMaterialList(data::Database& db, QComboBox* list) {
    FillFromTable(db, list, "Material", "Leistung", "Name");
}

void FillMuaMaterialList(data::Database& db, QComboBox* list) {
    FillFromTable(db, list, "Material", "mua", "Name");
}

void FillMaterialList(data::Database& db, QComboBox* list) {
    FillFromTable(db, list, "Material", "Aktuell", "Name");
}

int FindListIndex(const QString& text, const QComboBox* list) {
    if (!list) return -1;
    for (int i = 0; i < list->count(); ++i) {
        if (list->itemText(i) == text) return i;
    }
    return -1;
}

bool CheckListEntry(QComboBox* list, const QString& label) {
    if (!list || list->currentIndex() != -1) return false;
    QString t = list->currentText();
    if (t.isEmpty()) return false;
    t = t.toUpper();
    list->setEditText(t);
    for (int i = 0; i < list->count(); ++i) {
        if (list->itemText(i) == t) {
            // As for a choice of the user: the selection changes and the list is activated.
            list->setCurrentIndex(i);
            emit list->activated(i);
            return true;
        }
    }
    ShowMessage(QStringLiteral("No valid selection for ") + label + QStringLiteral("!"), kTitle,
                list->window());
    return false;
}

} // namespace tolvik::ui
