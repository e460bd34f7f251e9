// The simulated sensor's renderer: turns a scene at a moment into the frames a depth sensor
// delivers (see FrameSet). Rendering is deterministic: the same scene and time give the same
// bytes. The room is cast once at construction; each frame restores the pixels people covered
// last time and casts rays only inside the screen boxes of people's solids.
//
// Typical use:
//   sim::Simulator simulator(sim::DemoScene());
//   const sim::FrameSet& frames = simulator.Render(2.5);  // 2.5 s into the scene
//
// A caller that keeps frame sets of its own renders into its own targets instead, so the
// frames are not copied and the simulator keeps no frame set of its own:
//   sim::FrameTarget target;
//   simulator.Render(2.5, target);
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "runtime/sim/Body.h"
#include "runtime/sim/DepthNoise.h"
#include "runtime/sim/FrameTarget.h"
#include "runtime/sim/Frames.h"
#include "runtime/sim/Scene.h"

namespace sim {

class Simulator {
 public:
  // Validates the scene (throws SceneError) and casts the room.
  explicit Simulator(Scene scene);

  const Scene& GetScene() const { return m_scene; }

  // Renders the moment `seconds` after the scene's start (wrapped when the scene loops). The
  // returned frames stay valid, and unchanged, until the next call.
  const FrameSet& Render(double seconds);

  // Renders the same frames into `target`, which is empty or was rendered into by this
  // simulator before.
  void Render(double seconds, FrameTarget& target);

  // Writes the first `count` points (at most one image) of a target's point map to `out`,
  // bytewise. Reads only the target and the room, which never changes after construction,
  // so it may run while another target is rendered.
  void CopyPointMap(const FrameTarget& target, void* out, std::size_t count) const;

 private:
  struct CameraBuffers {
    std::vector<float> roomZ;         // the room's depth per pixel, metres
    std::vector<float> z;             // nearest hit per pixel this frame
    std::vector<std::uint8_t> owner;  // 0 room, else body * kBodyShapeCount + shape + 1
    std::vector<PixelRect> dirty;     // pixels people covered in the last frame
  };

  void CastRoom();
  void RestoreRoom(FrameTarget& target);
  void DrawBody(int bodyIndex);
  void ResolveDepth(PixelRect rect, FrameSet& frames);
  // Writes the colours of people's pixels in `rect` to the frames and their points to
  // `points`, which addresses the rect's first pixel, rows `pointStride` points apart.
  void ResolveColour(PixelRect rect, FrameSet& frames, DepthImagePoint* points,
                     std::size_t pointStride);
  void ResolvePointPatches(FrameTarget& target);

  Scene m_scene;
  float m_sensorHeightM;
  std::vector<std::uint8_t> m_roomColor;
  std::vector<DepthImagePixel> m_roomExtended;  // the packed depth follows from it
  std::vector<DepthImagePoint> m_roomPointMap;
  CameraBuffers m_depthCam;
  CameraBuffers m_colorCam;
  std::vector<Body> m_bodies;
  FrameTarget m_target;  // only for Render(seconds)
};

}  // namespace sim
