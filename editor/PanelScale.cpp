#include "editor/PanelScale.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "gui/PlainDecimal.h"

bool PanelScale::acceptable(double factor) {
    return std::isfinite(factor) && factor > 0.0 && factor <= 4.0;
}

float PanelScale::quantise(double factor) {
    if (!(factor >= 1.25)) return 1.0f;
    return factor < 1.75 ? 1.5f : 2.0f;
}

double PanelScale::forcedFactor() {
    const char* text = std::getenv("BRELLIVAUNT_SCALE");
    if (!text) return 0.0;
    const double factor = plainDecimal(text, text + std::strlen(text));
    return acceptable(factor) ? factor : 0.0;
}

bool PanelScale::offerHostFactor(double factor) {
    if (!acceptable(factor)) return false;
    offered = factor;
    return true;
}
