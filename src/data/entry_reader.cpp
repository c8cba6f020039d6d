#include "tolvik/data/entry_reader.h"

#include <utility>

namespace tolvik::data {

namespace {
/// The page's rows after a row id, in stored order; the row id comes last, under a name
/// no field of the program's tables has.
Query EntryPage(const std::string& table, const std::string& flag, const std::string& entry, double after,
                std::size_t rows) {
    return Query{"SELECT " + QuoteIdentifier(entry) + ", " + QuoteIdentifier(flag) +
                     ", rowid AS tolvik_row_id FROM " + QuoteIdentifier(table) +
                     " WHERE rowid > ? ORDER BY rowid LIMIT ?",
                 {Value(after), Value(static_cast<double>(rows))}};
}
} // namespace

EntryReader::EntryReader(std::string table, std::string flagField, std::string entryField)
    : table_(std::move(table)), flag_(std::move(flagField)), entry_(std::move(entryField)) {}

EntryReader::~EntryReader() = default;

bool EntryReader::atEnd() const {
    return atEnd_;
}

std::vector<std::string> EntryReader::page(Database& db, std::size_t rows) {
    auto rs = db.openQuery(EntryPage(table_, flag_, entry_, lastRow_, rows));
    std::vector<std::string> entries;
    std::size_t read = 0;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext(), ++read) {
        if (rs->field(flag_).toBool()) entries.push_back(rs->field(entry_).toText());
        lastRow_ = rs->field("tolvik_row_id").toDouble();
    }
    atEnd_ = read < rows;
    return entries;
}

std::vector<std::string> EntryReader::first(Database& db, std::size_t rows) {
    path_ = db.path();
    lastRow_ = 0;
    // A field named rowid would hide the row ids.
    if (db.hasTable(table_) && !db.hasField(table_, "rowid")) {
        try {
            return page(db, rows);
        } catch (const DataError&) {
            // A table without row ids (or a view) is read whole, as below.
        }
    }
    // At once, as the list always was: also where the query reports a missing table or field.
    auto rs = db.openQuery(sql::ListEntries(table_, flag_, entry_));
    std::vector<std::string> entries;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext())
        if (rs->field(flag_).toBool()) entries.push_back(rs->field(entry_).toText());
    atEnd_ = true;
    return entries;
}

std::vector<std::string> EntryReader::next(std::size_t rows) {
    if (atEnd_) return {};
    if (!own_) own_ = Database::open(path_);
    return page(*own_, rows);
}

} // namespace tolvik::data
