#pragma once
// The room the way into the details takes at the top right corner of the goniogram panel: the "&Details" button
// and, left of it, the warning sign. The details corner lays its
// controls in it.

namespace panelcorner {

inline constexpr int Margin = 4; // from the panel's top and right edges, and around the room
inline constexpr int ButtonWidth = 56;
inline constexpr int ButtonHeight = 20; // the sign is a square of this side
inline constexpr int Gap = 2; // between the sign and the button

// The whole room, margins included.
inline constexpr int Width = Margin + ButtonHeight + Gap + ButtonWidth + Margin;
inline constexpr int Height = Margin + ButtonHeight + Margin;

} // namespace panelcorner
