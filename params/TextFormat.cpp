#include "params/TextFormat.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int fieldWidth = 8;

// Exact in double on every target, unlike a library power.
constexpr double powersOfTen[] = {1.0,     10.0,     100.0,     1000.0,
                                  10000.0, 100000.0, 1000000.0, 10000000.0};

void writeHuge(char* text) { std::strcpy(text, "Huge!"); }

}  // namespace

// Digits are cut, not rounded: the fraction is read digit by digit from the
// scaled remainder, so a stored 0.7f shows as 0.699999.
void formatFloat(float value, char* text) {
    double v = value;
    const bool neg = v < 0.0;
    if (neg) v = -v;
    // Beyond the field (or not a number at all) there are no digits to show.
    if (!std::isfinite(v) || (neg && v > 9999999.0) || (!neg && v > 99999999.0)) {
        writeHuge(text);
        return;
    }
    int len = neg ? 2 : 1;
    char integerDigits[fieldWidth];
    int count = 0;
    double n = std::floor(v);
    integerDigits[count++] = static_cast<char>('0' + static_cast<int>(std::fmod(n, 10.0)));
    ++len;
    n *= 0.1;
    while (n >= 1.0 && len < fieldWidth) {
        integerDigits[count++] = static_cast<char>('0' + static_cast<int>(std::fmod(n, 10.0)));
        n *= 0.1;
        ++len;
    }
    char* out = text;
    if (neg) *out++ = '-';
    while (count > 0) *out++ = integerDigits[--count];
    *out++ = '.';
    if (len < fieldWidth) {
        const int k = fieldWidth - len;
        double m = std::fmod(v, 1.0) * powersOfTen[k];
        for (int i = k - 1; i >= 0; --i) {
            int digit = 0;
            if (m > 0.0) {
                digit = static_cast<int>(std::fmod(m, 10.0));
                m *= 0.1;
            }
            out[i] = static_cast<char>('0' + digit);
        }
        out += k;
    }
    *out = 0;
}

void formatInteger(int32_t value, char* text) {
    if (value >= 100000000) {
        writeHuge(text);
        return;
    }
    char scratch[16];
    std::snprintf(scratch, sizeof(scratch), "%7d", value);
    scratch[fieldWidth] = 0;
    std::strcpy(text, scratch);
}

void formatDecibels(float value, char* text) {
    if (value <= 0.0f) {
        std::strcpy(text, "-oo");
        return;
    }
    formatFloat(static_cast<float>(20.0 * std::log10(static_cast<double>(value))), text);
}

// In double, so that 0.005 stays below one half and reads 0%.
void formatPercent(float value, char* text) {
    const double scaled = static_cast<double>(value) * 100.0 + 0.5;
    int percent = 0;
    if (std::isfinite(scaled)) {
        if (scaled >= 2147483647.0)
            percent = 2147483647;
        else if (scaled <= -2147483648.0)
            percent = -2147483647 - 1;
        else
            percent = static_cast<int>(scaled);
    }
    std::snprintf(text, 16, "%d%%", percent);
}
