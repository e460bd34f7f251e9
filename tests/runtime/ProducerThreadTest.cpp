// A provider signals frames from its own thread while the idle loop takes them. Run under
// ThreadSanitizer (a build with -DVANTOLU_SANITIZE=thread) to check the hand-over.
#include <algorithm>
#include <atomic>
#include <thread>

#include "support/SensorFixture.h"

namespace {

using testsupport::FakeColorFrame;
using testsupport::FakeDepthFrame;
using testsupport::SensorFixture;
using namespace runtime;

constexpr int kFrames = 60;

TEST_F(SensorFixture, IdleLoopTakesFramesAProducerThreadSignals) {
  OpenQuietly();
  runtime.recordCalls = false;
  std::atomic<bool> done{false};

  std::thread producer([&] {
    for (int k = 1; k <= kFrames; ++k) {
      FakeColorFrame color;
      std::fill(color.pixels.begin(), color.pixels.end(), static_cast<std::uint8_t>(k));
      runtime.PushColorFrame(std::move(color));
      FakeDepthFrame depth;
      std::fill(depth.pixels.begin(), depth.pixels.end(), static_cast<std::uint16_t>(k << 3));
      std::fill(depth.extended.begin(), depth.extended.end(),
                NUI_DEPTH_IMAGE_PIXEL{0, static_cast<std::uint16_t>(k)});
      runtime.PushDepthFrame(std::move(depth));
      NUI_SKELETON_FRAME skeletons{};
      skeletons.skeletonData[k % NUI_SKELETON_COUNT] =
          testsupport::MakeSkeleton(NUI_SKELETON_TRACKED, static_cast<std::uint32_t>(k), 2.0f);
      runtime.PushSkeletonFrame(skeletons);
      std::this_thread::yield();
    }
    done = true;
  });

  const auto anySignalled = [&] {
    return dialog.m_hNextColorFrameEvent->IsSet() || dialog.m_hNextDepthFrameEvent->IsSet() ||
           dialog.m_hNextSkeletonEvent->IsSet();
  };
  int torn = 0;
  while (!done || anySignalled()) {
    dialog.OnKickIdle(0, 0);
    // A frame held by the program never changes under it: every copy is one frame's pixels.
    if (dialog.m_colorPixels.front() != dialog.m_colorPixels.back() ||
        dialog.m_depthPixels.front() != dialog.m_depthPixels.back()) {
      ++torn;
    }
  }
  producer.join();

  EXPECT_EQ(torn, 0);
  EXPECT_EQ(dialog.m_colorPixels[12345], static_cast<std::uint8_t>(kFrames));
  EXPECT_EQ(dialog.m_depthPixels[54321], kFrames << 3);
  EXPECT_EQ(dialog.m_pDepthPoints[640 * 100].depth, kFrames);
  EXPECT_EQ(dialog.m_trackedPlayerId, static_cast<std::uint32_t>(kFrames));
  EXPECT_EQ(dialog.m_users[0].skeletonSlot, kFrames % NUI_SKELETON_COUNT + 1);
  EXPECT_EQ(runtime.OutstandingFrames(), 0);
}

}  // namespace
