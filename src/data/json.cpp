#include "tolvik/data/json.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace tolvik::data {

Json Json::number(double v) {
    Json j;
    j.kind_ = Kind::Number;
    j.number_ = v;
    return j;
}
Json Json::string(std::string s) {
    Json j;
    j.kind_ = Kind::String;
    j.text_ = std::move(s);
    return j;
}
Json Json::boolean(bool b) {
    Json j;
    j.kind_ = Kind::Bool;
    j.number_ = b ? 1 : 0;
    return j;
}
Json Json::array() {
    Json j;
    j.kind_ = Kind::Array;
    return j;
}
Json Json::object() {
    Json j;
    j.kind_ = Kind::Object;
    return j;
}

const Json* Json::find(std::string_view key) const {
    if (kind_ != Kind::Object) return nullptr;
    for (std::size_t i = 0; i < keys_.size(); ++i)
        if (keys_[i] == key) return &items_[i];
    return nullptr;
}

Json& Json::push(Json value) {
    items_.push_back(std::move(value));
    return items_.back();
}

Json& Json::set(std::string key, Json value) {
    keys_.push_back(std::move(key));
    items_.push_back(std::move(value));
    return items_.back();
}

const char* KindName(Json::Kind kind) {
    switch (kind) {
    case Json::Kind::Null:
        return "null";
    case Json::Kind::Bool:
        return "true or false";
    case Json::Kind::Number:
        return "a number";
    case Json::Kind::String:
        return "a text";
    case Json::Kind::Array:
        return "a list";
    case Json::Kind::Object:
        break;
    }
    return "an object";
}

namespace {

void DumpString(const std::string& s, std::string& out) {
    out.push_back('"');
    for (unsigned char c : s) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                const char* hex = "0123456789abcdef";
                out += "\\u00";
                out.push_back(hex[c >> 4]);
                out.push_back(hex[c & 15]);
            } else {
                out.push_back(static_cast<char>(c));
            }
        }
    }
    out.push_back('"');
}

void Dump(const Json& j, std::string& out) {
    switch (j.kind()) {
    case Json::Kind::Null:
        out += "null";
        return;
    case Json::Kind::Bool:
        out += j.flag() ? "true" : "false";
        return;
    case Json::Kind::Number: {
        if (!std::isfinite(j.num())) {
            out += "null";
            return;
        }
        char buffer[64];
        const auto r = std::to_chars(buffer, buffer + sizeof buffer, j.num());
        out.append(buffer, r.ptr);
        return;
    }
    case Json::Kind::String:
        DumpString(j.text(), out);
        return;
    case Json::Kind::Array:
        out.push_back('[');
        for (std::size_t i = 0; i < j.items().size(); ++i) {
            if (i) out.push_back(',');
            Dump(j.items()[i], out);
        }
        out.push_back(']');
        return;
    case Json::Kind::Object:
        out.push_back('{');
        for (std::size_t i = 0; i < j.items().size(); ++i) {
            if (i) out.push_back(',');
            DumpString(j.keys()[i], out);
            out.push_back(':');
            Dump(j.items()[i], out);
        }
        out.push_back('}');
        return;
    }
}

} // namespace

std::string Json::dump() const {
    std::string out;
    Dump(*this, out);
    return out;
}

class JsonReader {
public:
    explicit JsonReader(std::string_view text) : s_(text) {}

    bool read(Json& out, std::string& error) {
        if (s_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
        if (!value(out, 0)) {
            error = where() + ": " + error_;
            return false;
        }
        blank();
        if (pos_ < s_.size()) {
            error = where() + ": more text after the end of the document";
            return false;
        }
        return true;
    }

private:
    std::string where() const {
        long line = 1, column = 1;
        for (std::size_t i = 0; i < pos_ && i < s_.size(); ++i) {
            if (s_[i] == '\n') {
                ++line;
                column = 1;
            } else {
                ++column;
            }
        }
        return "line " + std::to_string(line) + ", column " + std::to_string(column);
    }
    bool fail(std::string what) {
        error_ = std::move(what);
        return false;
    }
    void blank() {
        while (pos_ < s_.size() &&
               (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\n' || s_[pos_] == '\r')) {
            if (s_[pos_] == '\n') ++line_;
            ++pos_;
        }
    }
    bool word(std::string_view w) {
        if (s_.substr(pos_, w.size()) != w) return false;
        pos_ += w.size();
        return true;
    }

    bool value(Json& out, int depth) {
        if (depth > 64) return fail("the document is nested too deeply");
        blank();
        out.line_ = line_;
        if (pos_ >= s_.size()) return fail("the text ends where a value is expected");
        const char c = s_[pos_];
        if (c == '{') return object(out, depth);
        if (c == '[') return array(out, depth);
        if (c == '"') {
            out.kind_ = Json::Kind::String;
            return string(out.text_);
        }
        if (word("true")) {
            out.kind_ = Json::Kind::Bool;
            out.number_ = 1;
            return true;
        }
        if (word("false")) {
            out.kind_ = Json::Kind::Bool;
            return true;
        }
        if (word("null")) return true;
        if (c == '-' || (c >= '0' && c <= '9')) return number(out);
        return fail(std::string("'") + c + "' is not the start of a JSON value");
    }

    bool number(Json& out) {
        const std::size_t start = pos_;
        if (s_[pos_] == '-') ++pos_;
        auto digits = [&] {
            const std::size_t from = pos_;
            while (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9')
                ++pos_;
            return pos_ > from;
        };
        if (!digits()) return fail("a number needs digits");
        if (pos_ < s_.size() && s_[pos_] == '.') {
            ++pos_;
            if (!digits()) return fail("a number needs digits after its decimal point");
        }
        if (pos_ < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < s_.size() && (s_[pos_] == '+' || s_[pos_] == '-')) ++pos_;
            if (!digits()) return fail("a number needs digits in its exponent");
        }
        double v = 0;
        const auto r = std::from_chars(s_.data() + start, s_.data() + pos_, v);
        if (r.ec != std::errc() || !std::isfinite(v)) {
            pos_ = start;
            return fail("the number " + std::string(s_.substr(start, pos_ - start)) + " is out of range");
        }
        out.kind_ = Json::Kind::Number;
        out.number_ = v;
        return true;
    }

    static void utf8(unsigned cp, std::string& out) {
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }

    bool hex4(unsigned& cp) {
        if (pos_ + 4 > s_.size()) return fail("a \\u escape needs four hex digits");
        cp = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = s_[pos_++];
            cp <<= 4;
            if (h >= '0' && h <= '9')
                cp |= static_cast<unsigned>(h - '0');
            else if (h >= 'a' && h <= 'f')
                cp |= static_cast<unsigned>(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F')
                cp |= static_cast<unsigned>(h - 'A' + 10);
            else
                return fail("a \\u escape needs four hex digits");
        }
        return true;
    }

    bool string(std::string& out) {
        ++pos_; // opening quote
        while (pos_ < s_.size()) {
            const char c = s_[pos_++];
            if (c == '"') return true;
            if (c == '\n') return fail("a text is not closed before the end of the line");
            if (static_cast<unsigned char>(c) < 0x20) return fail("a control character inside a text");
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (pos_ >= s_.size()) break;
            const char e = s_[pos_++];
            switch (e) {
            case '"':
            case '\\':
            case '/':
                out.push_back(e);
                break;
            case 'b':
                out.push_back('\b');
                break;
            case 'f':
                out.push_back('\f');
                break;
            case 'n':
                out.push_back('\n');
                break;
            case 'r':
                out.push_back('\r');
                break;
            case 't':
                out.push_back('\t');
                break;
            case 'u': {
                unsigned cp = 0;
                if (!hex4(cp)) return false;
                if (cp >= 0xD800 && cp < 0xDC00 && s_.substr(pos_, 2) == "\\u") {
                    pos_ += 2;
                    unsigned low = 0;
                    if (!hex4(low)) return false;
                    if (low < 0xDC00 || low > 0xDFFF) return fail("a broken surrogate pair in a \\u escape");
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                } else if (cp >= 0xD800 && cp < 0xE000) {
                    return fail("a broken surrogate pair in a \\u escape");
                }
                utf8(cp, out);
                break;
            }
            default:
                return fail(std::string("\\") + e + " is no escape of JSON");
            }
        }
        return fail("a text is not closed");
    }

    bool array(Json& out, int depth) {
        out.kind_ = Json::Kind::Array;
        ++pos_;
        blank();
        if (pos_ < s_.size() && s_[pos_] == ']') {
            ++pos_;
            return true;
        }
        while (true) {
            Json item;
            if (!value(item, depth + 1)) return false;
            out.items_.push_back(std::move(item));
            blank();
            if (pos_ >= s_.size()) return fail("a list is not closed with ]");
            if (s_[pos_] == ',') {
                ++pos_;
                continue;
            }
            if (s_[pos_] == ']') {
                ++pos_;
                return true;
            }
            return fail("a comma or ] is expected in a list");
        }
    }

    bool object(Json& out, int depth) {
        out.kind_ = Json::Kind::Object;
        ++pos_;
        blank();
        if (pos_ < s_.size() && s_[pos_] == '}') {
            ++pos_;
            return true;
        }
        while (true) {
            blank();
            if (pos_ >= s_.size() || s_[pos_] != '"') return fail("a key in double quotes is expected");
            std::string key;
            if (!string(key)) return false;
            blank();
            if (pos_ >= s_.size() || s_[pos_] != ':') return fail("a colon is expected after the key");
            ++pos_;
            Json item;
            if (!value(item, depth + 1)) return false;
            if (out.find(key)) return fail("the key \"" + key + "\" appears twice in one object");
            out.keys_.push_back(std::move(key));
            out.items_.push_back(std::move(item));
            blank();
            if (pos_ >= s_.size()) return fail("an object is not closed with }");
            if (s_[pos_] == ',') {
                ++pos_;
                continue;
            }
            if (s_[pos_] == '}') {
                ++pos_;
                return true;
            }
            return fail("a comma or } is expected in an object");
        }
    }

    std::string_view s_;
    std::size_t pos_ = 0;
    long line_ = 1;
    std::string error_;
};

bool ParseJson(std::string_view text, Json& out, std::string& error) {
    out = Json();
    return JsonReader(text).read(out, error);
}

} // namespace tolvik::data
