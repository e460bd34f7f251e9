// The built-in demo: the sensor at 75.5 cm, an adult of 172 cm and a child of 118 cm. Each
// walks in from a side, turns to the sensor and stands where the height drawn 80 picture
// pixels above the face lies wholly inside the 640 x 480 colour picture, then they cross each
// other, stand and face the sensor again, and walk out. The scene lasts 20 s and loops.
//
//   time (s)    adult (z = 3.85 m)                 child (z = 2.8 m)
//   0 - 3       walks in from the left to x = -0.7 waits outside the right edge until 1
//   3 - 3.6     turns to the sensor                walks in to x = +0.45 (1 - 4)
//   3.6 - 8     stands, face visible               turns (4 - 4.6), stands, face visible
//   8 - 11.5    turns, walks to x = +0.8           turns, walks to x = -0.6
//   11.5 - 12.1 turns to the sensor                turns to the sensor
//   12.1 - 15.5 stands, face visible               stands, face visible
//   15.5 - 19   turns, walks out to the right      turns, walks out to the left
//   19 - 20     nobody in view
//
// The adult stands at 3.85 m because the digits (64 picture pixels high, centred 80 pixels
// above the glabella) only fit below the picture's top edge from about 3.6 m on for a
// 172 cm person with the sensor at 75.5 cm; skeletons are tracked up to 4 m.
#pragma once

#include "runtime/sim/Scene.h"

namespace sim {

Scene DemoScene();

}  // namespace sim
