// Where things are on the 547 x 202 panel. The plug-in draws its knobs,
// switch lamps and value read-outs at these places, so they are not ours to
// move; the radii and the sweep are shared by the panel and the knob strip.
// These are 1x panel units: drawn at a scale s, every place and size v
// lands on pixel floor(s * v), and shapes are measured in units throughout.
#pragma once

namespace layout {

constexpr int panelWidth = 547;
constexpr int panelHeight = 202;

constexpr int knobCount = 6;
constexpr int knobSize = 38;
constexpr int knobFrames = 65;
constexpr int knobLeft[knobCount] = {54, 134, 214, 294, 374, 454};
constexpr int knobTop = 113;

// The read-out boxes the plug-in fills black and writes values into.
constexpr int readoutLeft[knobCount] = {55, 135, 215, 294, 374, 454};
constexpr int readoutWidth = 39;
constexpr int readoutTop = 89;
constexpr int readoutHeight = 13;

// The switch lamps, copied opaque over the panel.
constexpr int lampWidth = 39;
constexpr int lampHeight = 20;
constexpr int switchLeft = 18;
constexpr int switchTop[2] = {20, 50};

// The room selector under the wordmark: a button with an arrow at each end
// and between them the window the plug-in fills black and writes the room's
// name into. Left and right columns, top and bottom rows, far ones included.
constexpr int roomTop = 67;
constexpr int roomBottom = 82;
constexpr int roomPreviousLeft = 367;
constexpr int roomPreviousRight = 382;
constexpr int roomNameLeft = 385;
constexpr int roomNameRight = 508;
constexpr int roomNextLeft = 511;
constexpr int roomNextRight = 526;

// Knob and well, measured from the centre of the knob picture.
constexpr float knobRadius = 15.5f;
constexpr float wellRadius = 19.0f;
constexpr float wellWall = 1.75f;

// The pointer sweeps clockwise from lower left over the top to lower right,
// in degrees counter-clockwise from the positive x axis with y up.
constexpr float sweepStartDegrees = 225.0f;
constexpr float sweepDegrees = 270.0f;

// The pointer's direction at a position in [0, 1] along the sweep.
constexpr float sweepAngleDegrees(float position) {
    return sweepStartDegrees - sweepDegrees * position;
}

constexpr float wellCentreX(int knob) { return knobLeft[knob] + knobSize * 0.5f; }
constexpr float wellCentreY = knobTop + knobSize * 0.5f;

}  // namespace layout
