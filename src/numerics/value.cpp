#include "tolvik/numerics/value.h"

#include <cctype>
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

std::string PlainNumberText(double x) {
    if (!std::isfinite(x)) return {};
    if (x == 0.0) return "0";
    char buf[64];
    const double ax = std::fabs(x);
    if (ax >= 1e15 || ax < 1e-4) {
        // Exponent form with an upper-case E, mantissa without trailing zeros.
        std::snprintf(buf, sizeof buf, "%.14E", x);
        std::string s(buf);
        const auto e = s.find('E');
        std::string mant = s.substr(0, e), exp = s.substr(e + 1);
        if (mant.find('.') != std::string::npos) {
            while (!mant.empty() && mant.back() == '0')
                mant.pop_back();
            if (!mant.empty() && mant.back() == '.') mant.pop_back();
        }
        const int ev = std::atoi(exp.c_str());
        char eb[16];
        std::snprintf(eb, sizeof eb, "E%c%02d", ev < 0 ? '-' : '+', std::abs(ev));
        return mant + eb;
    }
    std::snprintf(buf, sizeof buf, "%.15G", x);
    std::string s(buf);
    if (s.find('E') != std::string::npos) {
        std::snprintf(buf, sizeof buf, "%.15f", x);
        s = buf;
    }
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
    const double v = std::strtod(num.c_str(), nullptr);
    return std::isfinite(v) ? v : 0.0;
}

} // namespace tolvik
