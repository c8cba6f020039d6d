#pragma once
/// A small JSON reader and writer (MAS documents, design files): objects keep their keys in the order
/// written, numbers are read and written independent of the locale, and every value keeps
/// the line it starts on so that a refusal can name its place.

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tolvik::data {

class Json {
public:
    enum class Kind { Null, Bool, Number, String, Array, Object };

    Json() = default;
    static Json number(double v);
    static Json string(std::string s);
    static Json boolean(bool b);
    static Json array();
    static Json object();

    Kind kind() const { return kind_; }
    bool isNumber() const { return kind_ == Kind::Number; }
    bool isString() const { return kind_ == Kind::String; }
    bool isArray() const { return kind_ == Kind::Array; }
    bool isObject() const { return kind_ == Kind::Object; }
    double num() const { return number_; }
    bool flag() const { return number_ != 0; }
    const std::string& text() const { return text_; }
    long line() const { return line_; }

    /// Array items, or object values in key order.
    const std::vector<Json>& items() const { return items_; }
    const std::vector<std::string>& keys() const { return keys_; }
    /// The member of that key, nullptr when absent or this is no object.
    const Json* find(std::string_view key) const;

    /// Appends to an array.
    Json& push(Json value);
    /// Sets a member of an object (appended in order).
    Json& set(std::string key, Json value);

    /// Compact one-line text (for NDJSON), numbers in their shortest exact form.
    std::string dump() const;

private:
    friend class JsonReader;
    Kind kind_ = Kind::Null;
    double number_ = 0;
    std::string text_;
    std::vector<std::string> keys_;
    std::vector<Json> items_;
    long line_ = 1;
};

/// The name of a kind for messages ("a number", "an object").
const char* KindName(Json::Kind kind);

/// Reads one JSON text. On failure returns false and "line L, column C: what".
/// Nesting deeper than 64 levels is refused.
bool ParseJson(std::string_view text, Json& out, std::string& error);

} // namespace tolvik::data
