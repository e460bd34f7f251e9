// Scene files: the JSON form of a Scene.
//
//   {
//     "sensor_height_cm": 75.5,        optional, default 75.5
//     "noise": false,                  optional, default false
//     "duration_s": 20,                optional, default 20
//     "loop": true,                    optional, default true
//     "people": [                      optional, at most 6
//       {
//         "name": "adult",             optional
//         "height_cm": 172,            the top of the head above the floor; or "height_m": 1.72
//         "clothing": {                optional; each colour [r, g, b] with 0..255
//           "shirt": [70, 110, 170], "trousers": [..], "skin": [..], "hair": [..],
//           "shoes": [..]
//         },
//         "path": [                    at least one key, times strictly increasing
//           {"t": 0, "x": -3.0, "z": 3.85, "facing": 90}
//         ]                            t seconds; x, z metres; facing degrees (0 = at the sensor)
//       }
//     ]
//   }
//
// Unknown keys are errors, so that a misspelt key is not silently ignored.
#pragma once

#include <filesystem>
#include <string_view>

#include "runtime/sim/Scene.h"

namespace sim {

// Parses and validates a scene; throws SceneError with a message naming the fault.
Scene ParseScene(std::string_view json);

// Reads, parses and validates a scene file; throws SceneError whose message starts with the
// file's path.
Scene LoadSceneFile(const std::filesystem::path& path);

}  // namespace sim
