#include "tolvik/datatool/csv.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace tolvik::datatool {

bool ParseCsv(std::string_view text, CsvText& out, std::string& error) {
    out = {};
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::vector<std::vector<std::string>> lines;
    std::vector<std::string> line;
    std::string field;
    bool quoted = false, fieldStarted = false;
    std::size_t lineNo = 1, quoteLine = 0;
    auto endField = [&] {
        line.push_back(std::move(field));
        field.clear();
        fieldStarted = false;
    };
    auto endLine = [&] {
        endField();
        lines.push_back(std::move(line));
        line.clear();
        ++lineNo;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field.push_back('"');
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n') ++lineNo;
                field.push_back(c);
            }
        } else if (c == '"' && !fieldStarted) {
            quoted = fieldStarted = true;
            quoteLine = lineNo;
        } else if (c == ',') {
            endField();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            endLine();
        } else {
            field.push_back(c);
            fieldStarted = true;
        }
    }
    if (quoted) {
        error = "line " + std::to_string(quoteLine) + ": a quoted field is not closed";
        return false;
    }
    if (fieldStarted || !line.empty()) endLine();
    // Blank lines at the end (a spreadsheet may leave some) are no rows.
    while (!lines.empty() && lines.back().size() == 1 && lines.back().front().empty())
        lines.pop_back();
    if (lines.empty()) return true;
    out.header = std::move(lines.front());
    out.rows.assign(std::make_move_iterator(lines.begin() + 1), std::make_move_iterator(lines.end()));
    return true;
}

std::string CsvField(std::string_view text) {
    const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote) return std::string(text);
    std::string r = "\"";
    for (char c : text) {
        r.push_back(c);
        if (c == '"') r.push_back('"');
    }
    r.push_back('"');
    return r;
}

std::string NumberText(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

bool ReadNumber(std::string_view text, double& value) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    double v = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), v);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

} // namespace tolvik::datatool
