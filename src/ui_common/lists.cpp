#include "tolvik/ui_common/lists.h"

#include "tolvik/data/entry_reader.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/services.h"

#include <QAbstractListModel>
#include <QComboBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QListView>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QVariant>
#include <QtMath>

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string>
#include <vector>

namespace tolvik::ui {

namespace {

const char* const kTagProperty = "tag";
const char* const kCompletionReader = "tolvikCompletionReader";

QVariant EntryText(const std::vector<std::string>& entries, const QModelIndex& index, int role) {
    if (!index.isValid() || index.row() >= static_cast<int>(entries.size())) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return QString::fromStdString(entries[static_cast<size_t>(index.row())]);
    return {};
}

/// The entries read so far, for a list's completion: it would otherwise read every entry
/// as soon as it is given the list. The typed text makes the list read on until it has a
/// completion (EntryListModel::readToCompletionOf), which is the one the whole list gives.
/// The list's model tells it of each page read.
class EntriesReadSoFar : public QAbstractListModel {
public:
    EntriesReadSoFar(const std::vector<std::string>& entries, QObject* parent)
        : QAbstractListModel(parent), entries_(entries) {}
    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(entries_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        return EntryText(entries_, index, role);
    }
    void beginAdding(int first, int last) { beginInsertRows(QModelIndex(), first, last); }
    void endAdding() { endInsertRows(); }

private:
    const std::vector<std::string>& entries_;
};

/// Rows of the table read when a list is filled, and at each further step.
constexpr std::size_t kFirstRows = 100;
constexpr std::size_t kMoreRows = 4000;

/// The entries of one list: the entry field of the rows of a table whose flag is true, in
/// stored order, kept as the data file gives them and turned into text only for the rows
/// a list shows. They are read a page at a time: the first page when the list is filled,
/// the next ones as the list's popup scrolls, as a search goes past the entries read, or
/// as a typed text has no completion among them. Read-only, as the data file is.
class EntryListModel : public QAbstractListModel {
public:
    EntryListModel(data::Database& db, const char* table, const char* flagField, const char* entryField,
                   QObject* parent)
        : QAbstractListModel(parent), reader_(table, flagField, entryField),
          readSoFar_(new EntriesReadSoFar(entries_, this)) {
        entries_ = reader_.first(db, kFirstRows);
        while (entries_.empty() && !reader_.atEnd())
            entries_ = reader_.next(kMoreRows);
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(entries_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        return EntryText(entries_, index, role);
    }
    bool canFetchMore(const QModelIndex& parent) const override { return !parent.isValid() && !atEnd(); }
    void fetchMore(const QModelIndex& parent) override {
        if (!parent.isValid()) readMore(kMoreRows);
    }
    /// A search of the list's own (findText and the like) searches every entry.
    QModelIndexList match(const QModelIndex& start, int role, const QVariant& value, int hits,
                          Qt::MatchFlags flags) const override {
        auto* self = const_cast<EntryListModel*>(this);
        while (!atEnd())
            self->readMore(kMoreRows);
        return QAbstractListModel::match(start, role, value, hits, flags);
    }
    /// While held, the list reads nothing more.
    void holdReading(bool hold) { held_ = hold; }
    /// The entries read so far, for the list's completion.
    QAbstractItemModel* readSoFar() const { return readSoFar_; }
    /// Index of the first entry equal to text, or -1.
    int find(const QString& text) {
        const std::string wanted = text.toStdString();
        std::size_t from = 0;
        for (;;) {
            const auto it =
                std::find(entries_.begin() + static_cast<std::ptrdiff_t>(from), entries_.end(), wanted);
            if (it != entries_.end()) return static_cast<int>(it - entries_.begin());
            if (atEnd()) return -1;
            from = entries_.size();
            readMore(kMoreRows);
        }
    }
    /// Reads on until an entry starts with the text (without regard to case, as the
    /// list's completion matches) or every entry is read, so that the completion of a
    /// typed text is the one the whole list gives.
    void readToCompletionOf(const QString& text) {
        if (text.isEmpty()) return;
        std::size_t from = 0;
        for (;;) {
            for (std::size_t i = from; i < entries_.size(); ++i)
                if (QString::fromStdString(entries_[i]).startsWith(text, Qt::CaseInsensitive)) return;
            if (atEnd()) return;
            from = entries_.size();
            readMore(kMoreRows);
        }
    }

private:
    bool atEnd() const { return held_ || reading_ || failed_ || reader_.atEnd(); }
    /// Reads the entries of the next rows, if the data file can still be read (the list
    /// then keeps the entries it has).
    void readMore(std::size_t rows) {
        // A view told of the rows added may ask for more at once: that waits for this page.
        if (reading_) return;
        reading_ = true;
        const auto done = qScopeGuard([this] { reading_ = false; });
        std::vector<std::string> more;
        try {
            more = reader_.next(rows);
        } catch (const data::DataError& e) {
            failed_ = true;
            ShowMessage(QString::fromStdString(e.what()), kTitle, nullptr);
            return;
        }
        if (more.empty()) return;
        const int first = static_cast<int>(entries_.size());
        const int last = first + static_cast<int>(more.size()) - 1;
        readSoFar_->beginAdding(first, last);
        beginInsertRows(QModelIndex(), first, last);
        entries_.insert(entries_.end(), std::make_move_iterator(more.begin()),
                        std::make_move_iterator(more.end()));
        endInsertRows();
        readSoFar_->endAdding();
    }

    data::EntryReader reader_;
    std::vector<std::string> entries_;
    EntriesReadSoFar* readSoFar_;
    bool failed_ = false;
    bool held_ = false;
    bool reading_ = false;
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

EntryListModel* EntriesOf(const QComboBox* list) {
    return list ? dynamic_cast<EntryListModel*>(list->model()) : nullptr;
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
            model = new EntryListModel(db, table, flagField, entryField, shelf);
            model->setObjectName(source);
        }
        // The list takes its width from its layout, not from measuring every entry; the
        // popup's rows are all of one height (a SelectionList sees to that as it opens).
        // (A selection list sizes itself so; setting the policy would make its popup now.)
        if (!dynamic_cast<SelectionList*>(list) &&
            list->sizeAdjustPolicy() != QComboBox::AdjustToMinimumContentsLengthWithIcon)
            list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        if (!dynamic_cast<SelectionList*>(list))
            if (auto* view = qobject_cast<QListView*>(list->view())) view->setUniformItemSizes(true);
        // The completion gets the entries read so far; given the list itself (as the list
        // gives it its model) it would read them all.
        model->holdReading(true);
        // Off the list while it gets its model, the completion is set up once, on its own.
        QCompleter* completion = list->completer();
        if (completion) {
            completion->setParent(list); // an edit deletes the completion of its own it loses
            list->lineEdit()->setCompleter(nullptr);
        }
        list->setModel(model);
        if (completion) {
            // A selection list gives its completion the entries when they are first typed
            // in or it gets the focus; any other list gives them now.
            if (!dynamic_cast<SelectionList*>(list))
                completion->setModel(model->readSoFar());
            else if (completion->model())
                completion->setModel(nullptr);
            QObject::disconnect(completion, nullptr, list, nullptr); // hooked to the list again
            list->setCompleter(completion);
        }
        model->holdReading(false);
        list->setCurrentIndex(-1);
        if (list->isEditable()) {
            list->setEditText(QString());
            // The typed text is edited before the list completes it.
            if (!list->property(kCompletionReader).toBool()) {
                list->setProperty(kCompletionReader, true);
                QObject::connect(list->lineEdit(), &QLineEdit::textEdited, list, [list](const QString& text) {
                    if (auto* entries = EntriesOf(list)) entries->readToCompletionOf(text);
                });
            }
        }
    }
    // Nothing shown is nothing to keep (not a blank entry somewhere down the list).
    const int i = remembered.isEmpty() ? -1 : FindListIndex(remembered, list);
    if (i > -1) {
        SetTag(list, kNoAction);
        if (list->isEditable()) list->setEditText(remembered);
        list->setCurrentIndex(i);
    }
}

} // namespace

SelectionList::SelectionList(QWidget* parent) : QComboBox(parent) {
    auto* edit = new QLineEdit(this);
    edit->setPalette(palette());
    // The completion is made when the list first gets the focus or a typed text: a
    // completion costs as much to make as a line edit, and most lists are never typed in.
    // An edit without one would get the list's default completion, so it holds a stand-in,
    // shared by all lists, while it becomes the list's edit.
    static QCompleter* const standIn = new QCompleter(QCoreApplication::instance());
    edit->setCompleter(standIn);
    setLineEdit(edit);
    QObject::disconnect(standIn, nullptr, this, nullptr);
    edit->setCompleter(nullptr);
    // A typed text is edited before it is completed.
    connect(edit, &QLineEdit::textEdited, this, [this] { readyCompletion(); });
    adjustSize();
}

void SelectionList::readyCompletion() {
    QCompleter* c = completer();
    if (!c) {
        c = new QCompleter(this);
        c->setCaseSensitivity(Qt::CaseInsensitive);
        c->setCompletionMode(QCompleter::InlineCompletion);
        setCompleter(c);
    }
    if (!c->model()) {
        // Filled from a table, the entries read so far; given the list's own model, the
        // completion would read them all.
        const EntryListModel* entries = EntriesOf(this);
        c->setModel(entries ? entries->readSoFar() : model());
    }
}

void SelectionList::focusInEvent(QFocusEvent* e) {
    readyCompletion();
    QComboBox::focusInEvent(e);
}

QSize SelectionList::sizeHint() const {
    return sizeAdjustPolicy() == AdjustToContentsOnFirstShow ? sizeWithoutEntries() : QComboBox::sizeHint();
}

QSize SelectionList::minimumSizeHint() const {
    return sizeAdjustPolicy() == AdjustToContentsOnFirstShow ? sizeWithoutEntries()
                                                             : QComboBox::minimumSizeHint();
}

QSize SelectionList::sizeWithoutEntries() const {
    // No width of its own (that of the frame and the arrow around it), the height of a line
    // of text or of an icon.
    QSize contents;
    const int line = std::max(qCeil(QFontMetricsF(fontMetrics()).height()), 14) + 2;
    contents.setHeight(std::max(line, iconSize().height() + 2));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, this);
}

void SelectionList::showPopup() {
    if (auto* rows = qobject_cast<QListView*>(view())) rows->setUniformItemSizes(true);
    QComboBox::showPopup();
}

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
    if (EntryListModel* entries = EntriesOf(list)) return entries->find(text);
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
    int i = FindListIndex(t, list);
    // Names of a user's own data file may hold small letters ("Lab N1"): the typed text,
    // shown in capitals, still finds its entry without regard to case.
    if (i < 0) i = list->findText(t, Qt::MatchFixedString);
    if (i > -1) {
        // As for a choice of the user: the selection changes and the list is activated.
        list->setCurrentIndex(i);
        emit list->activated(i);
        return true;
    }
    ShowMessage(QStringLiteral("No valid selection for ") + label + QStringLiteral("!"), kTitle,
                list->window());
    return false;
}

namespace {

const QString kFirstValue = QStringLiteral("FirstValue");

/// Shows a text in a filled list: selects the entry that equals it, or puts it into the
/// edit part of an editable list.
void ShowListText(QComboBox* list, const QString& text) {
    const int i = list->findText(text);
    if (i >= 0)
        list->setCurrentIndex(i);
    else if (list->isEditable())
        list->setEditText(text);
}
} // namespace

void FillColumnList(data::Database& db, QComboBox* list, const QString& table, const QString& field,
                    const QString& initial) {
    const QString before = list->currentText();
    auto rs = db.openQuery(data::sql::DistinctColumn(table.toStdString(), field.toStdString()));
    {
        const QSignalBlocker blocker(list);
        list->clear();
    }
    if (rs->recordCount() == 0) {
        if (list->isEditable()) list->setEditText(before);
        rs->close();
        return;
    }
    QString first;
    {
        const QSignalBlocker blocker(list);
        rs->moveFirst();
        while (!rs->eof()) {
            const QString entry = QString::fromStdString(rs->field(field.toStdString()).toText());
            if (list->count() == 0) first = entry;
            list->addItem(entry);
            rs->moveNext();
        }
        list->setCurrentIndex(-1);
    }
    ShowListText(list, initial != kFirstValue ? initial : first);
    rs->close();
}

void FillColumnPairList(data::Database& db, QComboBox* list, const QString& table, const QString& field1,
                        const QString& field2, const QString& initial) {
    auto rs = db.openQuery(
        data::sql::DistinctRowTwoColumns(table.toStdString(), field1.toStdString(), field2.toStdString()));
    QString first;
    {
        const QSignalBlocker blocker(list);
        list->clear();
        rs->moveFirst();
        while (!rs->eof()) {
            // A number (the wire's diameter) is shown with the system's separator.
            const auto shown = [&](const QString& field) {
                const auto v = rs->field(field.toStdString());
                return QString::fromStdString(v.isNumber() ? text::WithDecimalSeparator(v.toText())
                                                           : v.toText());
            };
            const QString entry = shown(field1) + QStringLiteral(" (") + shown(field2) + ')';
            if (list->count() == 0) first = entry;
            list->addItem(entry);
            rs->moveNext();
        }
        list->setCurrentIndex(-1);
    }
    if (initial != kFirstValue || list->count() > 0)
        ShowListText(list, initial == kFirstValue ? first : initial);
    rs->close();
}

} // namespace tolvik::ui
