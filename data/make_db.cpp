// Builds the sample database file from its SQL text.
//
//   tolvik_make_db <input.sql> <output.mdb>
//
// The output is written to a temporary file next to it and renamed when the
// whole script has run, so an interrupted build never leaves a half-filled
// database behind.

#include <sqlite3.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

bool readFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // The numbers of the SQL text are read by the database engine, which ignores the C
    // library's locale; the tool pins the "C" locale anyway, so that nothing done here
    // ever reads or writes a number by the environment's decimal separator.
    std::setlocale(LC_ALL, "C");
    if (argc != 3) {
        std::cerr << "usage: tolvik_make_db <input.sql> <output.mdb>\n";
        return 2;
    }
    const std::string input = argv[1];
    const std::filesystem::path output = argv[2];
    const std::filesystem::path temp = output.string() + ".tmp";

    std::string script;
    if (!readFile(input, script)) {
        std::cerr << "tolvik_make_db: cannot read " << input << "\n";
        return 1;
    }

    std::error_code ec;
    std::filesystem::remove(temp, ec);
    if (output.has_parent_path()) std::filesystem::create_directories(output.parent_path(), ec);

    sqlite3* db = nullptr;
    if (sqlite3_open_v2(temp.string().c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        std::cerr << "tolvik_make_db: cannot create " << temp << ": "
                  << (db ? sqlite3_errmsg(db) : "out of memory") << "\n";
        sqlite3_close(db);
        return 1;
    }

    char* error = nullptr;
    const int rc = sqlite3_exec(db, script.c_str(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        std::cerr << "tolvik_make_db: " << input << ": " << (error ? error : "error") << "\n";
        sqlite3_free(error);
        sqlite3_close(db);
        std::filesystem::remove(temp, ec);
        return 1;
    }
    if (sqlite3_close(db) != SQLITE_OK) {
        std::cerr << "tolvik_make_db: cannot close " << temp << "\n";
        return 1;
    }

    std::filesystem::rename(temp, output, ec);
    if (ec) {
        std::cerr << "tolvik_make_db: cannot rename to " << output << ": " << ec.message() << "\n";
        return 1;
    }
    return 0;
}
