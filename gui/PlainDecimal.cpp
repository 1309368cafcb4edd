#include "gui/PlainDecimal.h"

double plainDecimal(const char* begin, const char* end) {
    double value = 0.0;
    double place = 0.0;
    bool digits = false;
    for (const char* c = begin; c < end; ++c) {
        if (*c == '.' && place == 0.0) {
            place = 1.0;
        } else if (*c >= '0' && *c <= '9' && value < 1e9) {
            const double digit = *c - '0';
            if (place == 0.0) {
                value = value * 10.0 + digit;
            } else {
                place /= 10.0;
                value += digit * place;
            }
            digits = true;
        } else {
            return -1.0;
        }
    }
    return digits && value < 1e9 ? value : -1.0;
}
