// Which of the panel's sizes to draw: 1, 1.5 or 2 times its own. The first
// source that gives a factor decides: the user's BRELLIVAUNT_SCALE, so a size
// can always be forced; then a factor the host offered; then the screen's.
// Any factor falls on the nearest of the three sizes the artwork is drawn at.
#pragma once

class PanelScale final {
public:
    // Whether a factor can be taken at all: finite, above 0 and at most 4.
    // Anything else is no answer, from whichever source.
    static bool acceptable(double factor);
    // 1 below 1.25, 1.5 below 1.75, 2 from there on.
    static float quantise(double factor);
    // The factor BRELLIVAUNT_SCALE asks for; 0 when unset or not a factor.
    static double forcedFactor();

    // Keeps the host's factor; an unacceptable one is refused and the one
    // kept before stays.
    bool offerHostFactor(double factor);
    double hostFactor() const { return offered; }

    // The size to draw at. `screen` answers the screen's factor (0 for none);
    // it is asked only when neither the user nor the host gave one, since
    // asking a display server costs a connection.
    template <typename Screen>
    float choose(Screen screen) const {
        if (const double forced = forcedFactor(); forced > 0.0) return quantise(forced);
        if (offered > 0.0) return quantise(offered);
        const double reported = screen();
        return quantise(acceptable(reported) ? reported : 1.0);
    }

private:
    double offered = 0.0;
};
