// Number formats of the parameter and result files.
#include "files/file_numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <system_error>

namespace korvane {

namespace {

std::string charsOf(double v, std::chars_format f, int precision) {
    char buf[400];
    auto r = std::to_chars(buf, buf + sizeof buf, v, f, precision);
    return std::string(buf, r.ptr);
}

// Decimal number syntax of the file: [sign] digits [. [digits]] | [sign] . digits,
// then optionally E or e, [sign], digits.
bool isRealText(std::string_view t) {
    size_t i = 0, n = t.size();
    if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
    size_t digits = 0;
    while (i < n && t[i] >= '0' && t[i] <= '9') { ++i; ++digits; }
    if (i < n && t[i] == '.') {
        ++i;
        while (i < n && t[i] >= '0' && t[i] <= '9') { ++i; ++digits; }
    }
    if (digits == 0) return false;
    if (i < n && (t[i] == 'E' || t[i] == 'e')) {
        ++i;
        if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
        size_t ed = 0;
        while (i < n && t[i] >= '0' && t[i] <= '9') { ++i; ++ed; }
        if (ed == 0) return false;
    }
    return i == n;
}

// True when a syntactically valid real (without sign) lies below the
// smallest double: it then reads as zero, as the run-time library's
// conversion gives it. Only asked for texts that left the double range.
bool isBelowRange(std::string_view t) {
    const size_t ePos = std::min(t.find_first_of("eE"), t.size());
    const std::string_view mant = t.substr(0, ePos);
    const size_t point = std::min(mant.find('.'), mant.size());
    long order = 0;  // decimal exponent of the first significant digit
    bool significant = false;
    for (size_t i = 0; i < mant.size(); ++i) {
        if (i == point || mant[i] == '0') continue;
        order = i < point ? static_cast<long>(point - 1 - i) : -static_cast<long>(i - point);
        significant = true;
        break;
    }
    if (!significant) return true;
    long e = 0;
    size_t i = ePos + 1;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    for (; i < t.size(); ++i) e = std::min(e * 10 + (t[i] - '0'), 1000000L);
    return order + (negative ? -e : e) < 0;
}

}  // namespace

// Parses a real of the file syntax completely; a text that is only partly a
// number is a syntax fault, a number beyond the largest double a range fault.
RealParse parseReal(std::string_view t, double& v) {
    if (!isRealText(t)) return RealParse::Syntax;
    std::string_view body = t;
    bool negative = false;
    if (body[0] == '+' || body[0] == '-') {
        negative = body[0] == '-';
        body.remove_prefix(1);
    }
    double x = 0;
    auto r = std::from_chars(body.data(), body.data() + body.size(), x, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        if (!isBelowRange(body)) return RealParse::Range;
        x = 0;
    } else if (r.ec != std::errc() || r.ptr != body.data() + body.size()) {
        return RealParse::Syntax;
    }
    if (!std::isfinite(x)) return RealParse::Range;
    v = negative ? -x : x;
    return RealParse::Ok;
}


namespace {

// The 23-character field from the mantissa and exponent text of to_chars
// ("d.dddddddddddddd", "e+308").
std::string real23FromChars(const std::string& sci, bool negative) {
    const auto e = sci.find('e');
    std::string mant = sci.substr(0, e);
    char esign = sci[e + 1];
    int exp = 0;
    std::from_chars(sci.data() + e + 2, sci.data() + sci.size(), exp);
    char ebuf[8];
    auto r = std::to_chars(ebuf, ebuf + sizeof ebuf, exp);
    std::string digits(ebuf, r.ptr);
    return std::string(negative ? "-" : " ") + mant + "E" + esign +
           std::string(4 - std::min<size_t>(4, digits.size()), '0') + digits;
}

}  // namespace

// The value rounded toward zero to 15 significant digits: used where the
// rounding to nearest would carry a value near the largest double beyond it.
std::string real23Truncated(double v) {
    std::string sci = charsOf(std::fabs(v), std::chars_format::scientific, 20);
    const auto e = sci.find('e');
    sci = sci.substr(0, 16) + sci.substr(e);
    return real23FromChars(sci, v < 0);
}


std::string formatReal23(double v) {
    if (!std::isfinite(v)) {
        // Never written to a file (the writer refuses such a model); keep the
        // field width for the callers that only show the text.
        std::string s = std::isnan(v) ? " NAN" : (v < 0 ? "-INF" : " INF");
        return s + std::string(23 - s.size(), ' ');
    }
    if (v == 0) return " 0.00000000000000E+0000";  // -0.0 is written like 0
    std::string s = real23FromChars(charsOf(std::fabs(v), std::chars_format::scientific, 14), v < 0);
    double back = 0;
    if (parseReal(std::string_view(s).substr(s[0] == ' ' ? 1 : 0), back) != RealParse::Ok)
        s = real23Truncated(v);
    return s;
}

std::string formatFixed(long double v, int width, int decimals) {
    char buf[5000];  // the widest long double in fixed notation has 4933 digits
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    if (r.ec != std::errc()) return std::string();
    std::string s(buf, r.ptr);
    // A value that rounds to zero is written as zero: the last slice's z of
    // a cone can come out as -1e-16 and must not read "-0.000".
    if (s[0] == '-' && s.find_first_not_of("0.", 1) == std::string::npos) s.erase(0, 1);
    if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<size_t>(width) - s.size(), ' ');
    return s;
}

}  // namespace korvane
