#include "tolvik/numerics/value.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tolvik {

double Value::toDouble() const {
    switch (kind()) {
    case Kind::Empty:
        return 0.0;
    case Kind::Int:
        return std::get<std::int16_t>(v_);
    case Kind::Double:
        return std::get<double>(v_);
    case Kind::Text:
        return ReadLeadingNumber(std::get<std::string>(v_));
    }
    return 0.0;
}

std::string Value::toText() const {
    switch (kind()) {
    case Kind::Empty:
        return {};
    case Kind::Int:
        return std::to_string(std::get<std::int16_t>(v_));
    case Kind::Double:
        return PlainNumberText(std::get<double>(v_));
    case Kind::Text:
        return std::get<std::string>(v_);
    }
    return {};
}

namespace {

/// x as text in a fixed notation of the C++ library that never consults the C locale
/// (printf and strtod follow LC_NUMERIC, which Qt sets from the desktop).
std::string CharsOf(double x, std::chars_format format, int precision) {
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, x, format, precision);
    return r.ec == std::errc() ? std::string(buf, r.ptr) : std::string();
}

} // namespace

std::string PlainNumberText(double x) {
    if (!std::isfinite(x)) return {};
    if (x == 0.0) return "0";
    const double ax = std::fabs(x);
    if (ax >= 1e15 || ax < 1e-4) {
        // Exponent form with an upper-case E, mantissa without trailing zeros.
        const std::string s = CharsOf(x, std::chars_format::scientific, 14);
        const auto e = s.find('e');
        std::string mant = s.substr(0, e), exp = s.substr(e + 1);
        if (mant.find('.') != std::string::npos) {
            while (!mant.empty() && mant.back() == '0')
                mant.pop_back();
            if (!mant.empty() && mant.back() == '.') mant.pop_back();
        }
        const int ev = std::atoi(exp.c_str());
        const std::string digits = std::to_string(std::abs(ev));
        return mant + "E" + (ev < 0 ? "-" : "+") + (digits.size() < 2 ? "0" : "") + digits;
    }
    std::string s = CharsOf(x, std::chars_format::general, 15);
    if (s.find('e') != std::string::npos) s = CharsOf(x, std::chars_format::fixed, 15);
    if (s.find('.') != std::string::npos) {
        while (!s.empty() && s.back() == '0')
            s.pop_back();
        if (!s.empty() && s.back() == '.') s.pop_back();
    }
    return s;
}

double ReadLeadingNumber(const std::string& text) {
    std::string t;
    t.reserve(text.size());
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') t.push_back(c);
    std::size_t i = 0;
    std::string num;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) num.push_back(t[i++]);
    bool digits = false, point = false;
    while (i < t.size()) {
        const char c = t[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            digits = true;
            num.push_back(c);
        } else if (c == '.' && !point) {
            point = true;
            num.push_back(c);
        } else {
            break;
        }
        ++i;
    }
    if (!digits) return 0.0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E' || t[i] == 'd' || t[i] == 'D')) {
        std::size_t j = i + 1;
        std::string ex = "e";
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) ex.push_back(t[j++]);
        bool expDigits = false;
        while (j < t.size() && std::isdigit(static_cast<unsigned char>(t[j]))) {
            ex.push_back(t[j++]);
            expDigits = true;
        }
        if (expDigits) num += ex;
    }
    // from_chars reads "." as the separator whatever the C locale says; it takes no "+".
    const char* first = num.data();
    const char* last = num.data() + num.size();
    if (*first == '+') ++first;
    double v = 0.0;
    const auto r = std::from_chars(first, last, v);
    if (r.ec != std::errc()) return 0.0; // out of range: no usable number
    return std::isfinite(v) ? v : 0.0;
}

bool IsNumberText(const std::string& text) {
    std::string t;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') t.push_back(c);
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    bool digits = false, point = false;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            digits = true;
        } else if ((c == '.' || c == ',') && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        bool expDigits = false;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) {
            ++i;
            expDigits = true;
        }
        if (!expDigits) return false;
    }
    return i == t.size();
}

} // namespace tolvik
