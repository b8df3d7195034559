#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace k52 {

// One wire of a converter's cable: what it carries and its colour.
struct Wire {
    QString label;       // "+VDC", "Data 0 IN / Mag Clock IN", ...
    QString colour_name; // "Red", "Green", ...
    std::uint32_t rgb;   // 0xRRGGBB, for drawing
};

struct WiringChart {
    QString caption;
    std::vector<Wire> wires; // top to bottom
};

// The relay models' chart first, then the plain models'. Wiegand lines use
// the usual colours (red +VDC, black ground, green Data 0, white Data 1,
// brown LED); the rest have no common convention.
const std::vector<WiringChart> &wiring_charts();

// Shown under the charts.
QString wiring_note();

} // namespace k52
