#pragma once
/// The entries of a selection list read from the data file a page at a time, as a list
/// shows or searches them, so that a table of a hundred thousand rows costs nothing
/// until its rows are needed.

#include "tolvik/data/database.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace tolvik::data {

/// The entry field of the rows of a table whose flag is true, in stored order.
class EntryReader {
public:
    EntryReader(std::string table, std::string flagField, std::string entryField);
    ~EntryReader();
    EntryReader(const EntryReader&) = delete;
    EntryReader& operator=(const EntryReader&) = delete;

    /// The entries among the first `rows` rows of the table, read from db; throws
    /// DataError naming a missing table or field. Later pages are read through a
    /// database of the reader's own on the same file, so db need not outlive the reader.
    std::vector<std::string> first(Database& db, std::size_t rows);
    /// The entries among the next `rows` rows; none once atEnd().
    std::vector<std::string> next(std::size_t rows);
    /// Every row has been read.
    bool atEnd() const;

private:
    std::vector<std::string> page(Database& db, std::size_t rows);
    std::string table_, flag_, entry_, path_;
    double lastRow_ = 0; ///< row id of the last row read
    bool atEnd_ = false;
    std::unique_ptr<Database> own_;
};

} // namespace tolvik::data
