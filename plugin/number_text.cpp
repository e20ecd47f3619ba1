#include "plugin/number_text.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

std::int32_t truncateToInt32(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

void copyText(char* text, const char* source, std::size_t maxChars) {
    if (!text) return;
    std::size_t length = source ? std::strlen(source) : 0;
    if (length > maxChars) length = maxChars;
    if (length) std::memcpy(text, source, length);
    text[length] = '\0';
}

namespace {

// One decimal digit of a non-negative double, 0 for anything odd (NaN).
char digitOf(double x) {
    const double d = std::fmod(x, 10.0);
    if (!(d >= 0.0 && d < 10.0)) return '0';
    return static_cast<char>('0' + static_cast<int>(d));
}

} // namespace

void writeFloatText(float value, char* text) {
    if (!text) return;
    double x = value;
    const bool negative = x < 0.0;
    int count = 0;
    double limit = 99999999.0;
    if (negative) {
        x = -x;
        count = 1;
        limit = 9999999.0;
    }
    if (x > limit) {
        copyText(text, hugeText);
        return;
    }

    char integer[numberTextLength + 1]; // integer digits, least significant first
    int digits = 0;
    const double whole = std::floor(x);
    integer[digits++] = digitOf(whole);
    count += 2;
    double q = whole * 0.1;
    while (q >= 1.0 && count < 8) {
        integer[digits++] = digitOf(q);
        ++count;
        q *= 0.1;
    }
    // An integer part one digit too long for "digits." still fits without the
    // point (10 000 000 to 99 999 999, -1 000 000 to -9 999 999): write it whole.
    const bool withoutPoint = q >= 1.0;
    if (withoutPoint) integer[digits++] = digitOf(q);

    char out[numberTextLength + 1];
    int n = 0;
    if (negative) out[n++] = '-';
    for (int i = digits - 1; i >= 0; --i)
        out[n++] = integer[i];
    if (!withoutPoint) out[n++] = '.';

    if (!withoutPoint && count < 8) {
        const int fractionDigits = 8 - count;
        double f = std::fmod(x, 1.0) * std::pow(10.0, fractionDigits);
        for (int i = fractionDigits - 1; i >= 0; --i) {
            if (f > 0.0) {
                out[n + i] = digitOf(f);
                f *= 0.1;
            } else {
                out[n + i] = '0';
            }
        }
        n += fractionDigits;
    }
    out[n] = '\0';
    copyText(text, out, numberTextLength);
}

void writeIntegerText(std::int32_t value, char* text) {
    if (!text) return;
    if (value >= 100000000) {
        copyText(text, hugeText);
        return;
    }
    char out[16];
    std::snprintf(out, sizeof out, "%7d", static_cast<int>(value));
    copyText(text, out, numberTextLength);
}
