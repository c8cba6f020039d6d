#pragma once
/// Selection lists filled from the material database, with the "noaction" tag that
/// tells a list's click handler the program, not the user, changed the selection.

#include "tolvik/data/database.h"

#include <QComboBox>
#include <QString>

class QObject;

namespace tolvik::ui {

/// An editable selection list. Its popup is made when it first opens (a list made editable
/// with setEditable makes it at once, and most lists are never opened) and lays out its
/// rows as rows of one height, so that a list of thousands of entries opens at once.
class SelectionList : public QComboBox {
public:
    explicit SelectionList(QWidget* parent = nullptr);
    void showPopup() override;
    /// The size of a list whose width is not that of its entries (as with the policy
    /// AdjustToMinimumContentsLengthWithIcon), unless another policy is set.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void focusInEvent(QFocusEvent* e) override;

private:
    /// Gives the completion the list's entries if it has none yet.
    void readyCompletion();
    QSize sizeWithoutEntries() const;
};

inline const QString kNoAction = QStringLiteral("noaction");

/// The text tag of a control (dynamic property "tag").
QString Tag(const QObject* o);
void SetTag(QObject* o, const QString& tag);

/// Each refills the list from its table and flag, keeping the shown entry selected
/// when the new list still holds it (tag "noaction" set before selecting it).
void FillCoreList(data::Database& db, QComboBox* list);
void FillRthCoreList(data::Database& db, QComboBox* list);
void FillPowerMaterialList(data::Database& db, QComboBox* list);
void FillMuaMaterialList(data::Database& db, QComboBox* list);
void FillMaterialList(data::Database& db, QComboBox* list);
/// Fills a list with the distinct values of a column of a table, in order, and shows
/// `initial` in it ("FirstValue": the first entry); an empty result keeps the typed text.
void FillColumnList(data::Database& db, QComboBox* list, const QString& table, const QString& field,
                    const QString& initial);
/// Fills a list with "field1 (field2)" entries of the distinct rows of two columns (numbers
/// with the system's separator) and shows `initial` in it ("FirstValue": the first entry).
void FillColumnPairList(data::Database& db, QComboBox* list, const QString& table, const QString& field1,
                        const QString& field2, const QString& initial);
/// Index of the first entry equal to text (case-sensitive), or -1.
int FindListIndex(const QString& text, const QComboBox* list);
/// Selects the typed entry (in upper case) or shows "No valid selection for <label>!".
/// Returns true when it selected an entry and so ran the list's click handler (activated):
/// the caller's own step after Enter must then not recalculate a second time.
bool CheckListEntry(QComboBox* list, const QString& label);

} // namespace tolvik::ui
