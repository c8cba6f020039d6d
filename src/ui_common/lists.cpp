#include "tolvik/ui_common/lists.h"

#include "tolvik/ui_common/services.h"

#include <QAbstractListModel>
#include <QComboBox>
#include <QListView>
#include <QSignalBlocker>
#include <QVariant>

#include <algorithm>
#include <string>
#include <vector>

namespace tolvik::ui {

namespace {

const char* const kTagProperty = "tag";

/// The entries of one list: the entry field of the rows of a table whose flag is true, in
/// stored order, kept as the data file gives them and turned into text only for the rows
/// a list shows. Read-only, as the data file is.
class EntryListModel : public QAbstractListModel {
public:
    EntryListModel(std::vector<std::string> entries, QObject* parent)
        : QAbstractListModel(parent), entries_(std::move(entries)) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(entries_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= static_cast<int>(entries_.size())) return {};
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return QString::fromStdString(entries_[static_cast<size_t>(index.row())]);
        return {};
    }
    /// Index of the first entry equal to text, or -1.
    int find(const QString& text) const {
        const std::string wanted = text.toStdString();
        const auto it = std::find(entries_.begin(), entries_.end(), wanted);
        return it == entries_.end() ? -1 : static_cast<int>(it - entries_.begin());
    }

private:
    std::vector<std::string> entries_;
};

/// The models a list has been filled from, kept beside it (a combo box deletes a model it
/// owns when it gets another) and named by their source.
QObject* ModelShelf(QComboBox* list) {
    static const QString kShelf = QStringLiteral("tolvikListModels");
    if (auto* shelf = list->findChild<QObject*>(kShelf, Qt::FindDirectChildrenOnly)) return shelf;
    auto* shelf = new QObject(list);
    shelf->setObjectName(kShelf);
    return shelf;
}

const EntryListModel* EntriesOf(const QComboBox* list) {
    return list ? dynamic_cast<const EntryListModel*>(list->model()) : nullptr;
}

/// Refills the list with the entry field of every row of the table whose flag is true,
/// then selects the entry that was shown before, if the new list still holds it.
/// The data file is only read, so the entries of a table and flag of the same file are
/// read once per list and shown again from then on without a query.
void FillFromTable(data::Database& db, QComboBox* list, const char* table, const char* flagField,
                   const char* entryField) {
    if (!list) return;
    const QString source =
        QStringLiteral("%1|%2|%3|%4")
            .arg(QString::number(reinterpret_cast<quintptr>(&db)), QString::fromStdString(db.path()),
                 QLatin1String(table), QLatin1String(flagField));
    const auto* shown = EntriesOf(list);
    if (shown && shown->objectName() == source) return;
    const QString remembered = list->currentText();
    {
        // Filling is not a selection: no handler may see the intermediate states.
        const QSignalBlocker blocker(list);
        QObject* shelf = ModelShelf(list);
        auto* model = shelf->findChild<EntryListModel*>(source, Qt::FindDirectChildrenOnly);
        if (!model) {
            // Only the two fields the list needs, in stored order.
            auto rs = db.openQuery(data::sql::ListEntries(table, flagField, entryField));
            std::vector<std::string> entries;
            entries.reserve(static_cast<size_t>(std::max(0L, rs->recordCount())));
            rs->moveFirst();
            while (!rs->eof()) {
                if (rs->field(flagField).toBool()) entries.push_back(rs->field(entryField).toText());
                rs->moveNext();
            }
            rs->close();
            model = new EntryListModel(std::move(entries), shelf);
            model->setObjectName(source);
        }
        // The list takes its width from its layout, not from measuring every entry; the
        // popup's rows are all of one height.
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        if (auto* view = qobject_cast<QListView*>(list->view())) view->setUniformItemSizes(true);
        list->setModel(model);
        list->setCurrentIndex(-1);
        if (list->isEditable()) list->setEditText(QString());
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
    if (const EntryListModel* entries = EntriesOf(list)) return entries->find(text);
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
    if (const int i = FindListIndex(t, list); i > -1) {
        // As for a choice of the user: the selection changes and the list is activated.
        list->setCurrentIndex(i);
        emit list->activated(i);
        return true;
    }
    ShowMessage(QStringLiteral("No valid selection for ") + label + QStringLiteral("!"), kTitle,
                list->window());
    return false;
}

} // namespace tolvik::ui
