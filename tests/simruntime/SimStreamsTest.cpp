// The simulated sensor's streams as the runtime interfaces describe them: events, frames that
// stay put while held, the extended depth and the mapper, manual timing.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "runtime/ReleasePtr.h"
#include "runtime/sim/SimRuntime.h"
#include "runtime/sim/Simulator.h"
#include "sim/StandingScene.h"

namespace {

using namespace runtime;

// A person walking across the picture, so that every frame differs.
sim::Scene WalkingScene() {
  sim::Scene scene = simtest::StandingScene(170.0, -1.0, 3.0, 90.0);
  scene.people[0].path.push_back({4.0, 1.0, 3.0, 90.0});
  return scene;
}

class SimStreamsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INuiSensor* created = nullptr;
    ASSERT_EQ(runtime.NuiCreateSensorByIndex(0, &created), S_OK);
    sensor.reset(created);
    ASSERT_EQ(sensor->NuiInitialize(0x0B), S_OK);
    ASSERT_EQ(sensor->NuiImageStreamOpen(NUI_IMAGE_TYPE_COLOR, NUI_IMAGE_RESOLUTION_640x480, 0, 2,
                                         colorEvent, &colorStream),
              S_OK);
    ASSERT_EQ(
        sensor->NuiImageStreamOpen(NUI_IMAGE_TYPE_DEPTH_AND_PLAYER_INDEX,
                                   NUI_IMAGE_RESOLUTION_640x480, 0, 2, depthEvent, &depthStream),
        S_OK);
    ASSERT_EQ(sensor->NuiSkeletonTrackingEnable(skeletonEvent, 0), S_OK);
  }

  std::vector<std::uint8_t> Bytes(INuiFrameTexture& texture) {
    NUI_LOCKED_RECT locked{};
    EXPECT_EQ(texture.LockRect(0, &locked, 0), S_OK);
    std::vector<std::uint8_t> bytes(locked.pBits, locked.pBits + locked.size);
    texture.UnlockRect(0);
    return bytes;
  }

  sim::SimRuntime runtime{WalkingScene(), sim::SimRuntime::Timing::kManual};
  ReleasePtr<INuiSensor> sensor;
  EventHandle colorEvent = std::make_shared<platform::ManualResetEvent>();
  EventHandle depthEvent = std::make_shared<platform::ManualResetEvent>();
  EventHandle skeletonEvent = std::make_shared<platform::ManualResetEvent>();
  NuiStreamHandle colorStream = kInvalidStreamHandle;
  NuiStreamHandle depthStream = kInvalidStreamHandle;
};

TEST_F(SimStreamsTest, EventsAreSetPerNewFrameAndResetWhenTaken) {
  EXPECT_FALSE(colorEvent->IsSet());
  runtime.AdvanceTo(0);
  EXPECT_TRUE(colorEvent->IsSet());
  EXPECT_TRUE(depthEvent->IsSet());
  EXPECT_TRUE(skeletonEvent->IsSet());

  NUI_IMAGE_FRAME frame{};
  ASSERT_EQ(sensor->NuiImageStreamGetNextFrame(colorStream, 0, &frame), S_OK);
  EXPECT_FALSE(colorEvent->IsSet());
  EXPECT_TRUE(depthEvent->IsSet());
  EXPECT_EQ(sensor->NuiImageStreamReleaseFrame(colorStream, &frame), S_OK);
  NUI_SKELETON_FRAME skeletons{};
  ASSERT_EQ(sensor->NuiSkeletonGetNextFrame(0, &skeletons), S_OK);
  EXPECT_FALSE(skeletonEvent->IsSet());

  // Nothing newer is due at 33 ms (frame 1 is due at 33.3 ms), nor at an earlier time.
  runtime.AdvanceTo(33);
  runtime.AdvanceTo(10);
  EXPECT_FALSE(colorEvent->IsSet());
  NUI_IMAGE_FRAME none{};
  EXPECT_LT(sensor->NuiImageStreamGetNextFrame(colorStream, 0, &none), 0);
  EXPECT_EQ(none.pFrameTexture, nullptr);

  runtime.AdvanceTo(34);
  EXPECT_TRUE(colorEvent->IsSet());
  NUI_IMAGE_FRAME next{};
  ASSERT_EQ(sensor->NuiImageStreamGetNextFrame(colorStream, 0, &next), S_OK);
  EXPECT_EQ(next.frameNumber, 1u);
  EXPECT_EQ(next.timeStamp, 33);
  EXPECT_EQ(sensor->NuiImageStreamReleaseFrame(colorStream, &next), S_OK);
  // A frame is released once.
  EXPECT_LT(sensor->NuiImageStreamReleaseFrame(colorStream, &next), 0);

  sensor->NuiShutdown();
  runtime.AdvanceTo(1000);
  EXPECT_FALSE(colorEvent->IsSet());
  EXPECT_FALSE(skeletonEvent->IsSet());
}

TEST_F(SimStreamsTest, HeldFrameStaysUnchangedWhileNewerFramesArrive) {
  runtime.AdvanceTo(0);
  NUI_IMAGE_FRAME color{};
  NUI_IMAGE_FRAME depth{};
  ASSERT_EQ(sensor->NuiImageStreamGetNextFrame(colorStream, 0, &color), S_OK);
  ASSERT_EQ(sensor->NuiImageStreamGetNextFrame(depthStream, 0, &depth), S_OK);
  const std::vector<std::uint8_t> colorBytes = Bytes(*color.pFrameTexture);
  const std::vector<std::uint8_t> depthBytes = Bytes(*depth.pFrameTexture);
  ASSERT_EQ(colorBytes.size(), 640u * 480u * 4u);
  ASSERT_EQ(depthBytes.size(), 640u * 480u * 2u);

  for (std::uint32_t ms = 100; ms <= 2000; ms += 100) {
    runtime.AdvanceTo(ms);
    NUI_IMAGE_FRAME newer{};
    ASSERT_EQ(sensor->NuiImageStreamGetNextFrame(colorStream, 0, &newer), S_OK);
    if (ms == 2000) {
      EXPECT_NE(Bytes(*newer.pFrameTexture), colorBytes);
    }
    sensor->NuiImageStreamReleaseFrame(colorStream, &newer);
  }
  EXPECT_EQ(Bytes(*color.pFrameTexture), colorBytes);
  EXPECT_EQ(Bytes(*depth.pFrameTexture), depthBytes);
  EXPECT_EQ(sensor->NuiImageStreamReleaseFrame(colorStream, &color), S_OK);
  EXPECT_EQ(sensor->NuiImageStreamReleaseFrame(depthStream, &depth), S_OK);
}

TEST_F(SimStreamsTest, MapperGivesThePointMapOfTheExtendedDepthsOwnFrame) {
  // Each frame held with its extended depth and mapped; frame 1 s mapped after frame 2 s came.
  struct Held {
    NUI_IMAGE_FRAME frame{};
    ReleasePtr<INuiFrameTexture> extended;
    NUI_LOCKED_RECT locked{};
  };
  std::vector<Held> held(2);
  for (int i = 0; i < 2; ++i) {
    runtime.AdvanceTo(1000 * (i + 1));
    ASSERT_EQ(sensor->NuiImageStreamGetNextFrame(depthStream, 0, &held[i].frame), S_OK);
    bool nearMode = true;
    INuiFrameTexture* extended = nullptr;
    ASSERT_EQ(sensor->NuiImageFrameGetDepthImagePixelFrameTexture(depthStream, &held[i].frame,
                                                                  &nearMode, &extended),
              S_OK);
    EXPECT_FALSE(nearMode);
    held[i].extended.reset(extended);
    ASSERT_EQ(held[i].extended->LockRect(0, &held[i].locked, 0), S_OK);
    ASSERT_EQ(held[i].locked.size, 640 * 480 * 4);
  }

  INuiCoordinateMapper* mapperObject = nullptr;
  ASSERT_EQ(sensor->NuiGetCoordinateMapper(&mapperObject), S_OK);
  ReleasePtr<INuiCoordinateMapper> mapper(mapperObject);
  std::vector<std::vector<NUI_DEPTH_IMAGE_POINT>> maps(
      2, std::vector<NUI_DEPTH_IMAGE_POINT>(640 * 480));
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(mapper->MapColorFrameToDepthFrame(
                  NUI_IMAGE_TYPE_COLOR, NUI_IMAGE_RESOLUTION_640x480, NUI_IMAGE_RESOLUTION_640x480,
                  640 * 480, reinterpret_cast<const NUI_DEPTH_IMAGE_PIXEL*>(held[i].locked.pBits),
                  640 * 480, maps[i].data()),
              S_OK);
  }

  // The point map of each frame agrees with that frame's depth: the colour pixel's depth
  // point carries the depth of the extended pixel it lands on, wherever it lands on a person.
  // Each map is the one rendered with its own frame, though a newer frame came meanwhile.
  sim::Simulator truth(WalkingScene());
  for (int i = 0; i < 2; ++i) {
    const sim::FrameSet& frames = truth.Render(i + 1.0);
    ASSERT_EQ(frames.pointMap.size(), maps[i].size());
    EXPECT_EQ(
        std::memcmp(frames.pointMap.data(), maps[i].data(), maps[i].size() * sizeof maps[i][0]), 0)
        << "frame " << i;
  }
  EXPECT_NE(std::memcmp(maps[0].data(), maps[1].data(), maps[0].size() * sizeof maps[0][0]), 0);

  // Pixels that are no extended-depth texture of this sensor are not mapped.
  std::vector<NUI_DEPTH_IMAGE_PIXEL> foreign(640 * 480);
  EXPECT_LT(mapper->MapColorFrameToDepthFrame(NUI_IMAGE_TYPE_COLOR, NUI_IMAGE_RESOLUTION_640x480,
                                              NUI_IMAGE_RESOLUTION_640x480, 640 * 480,
                                              foreign.data(), 640 * 480, maps[0].data()),
            0);
  for (Held& h : held) {
    h.extended->UnlockRect(0);
    h.extended.reset();
    EXPECT_EQ(sensor->NuiImageStreamReleaseFrame(depthStream, &h.frame), S_OK);
  }
}

TEST_F(SimStreamsTest, StreamsOpenOnlyOnAnInitialisedSensor) {
  sensor->NuiShutdown();
  NuiStreamHandle handle = kInvalidStreamHandle;
  EXPECT_LT(sensor->NuiImageStreamOpen(NUI_IMAGE_TYPE_COLOR, NUI_IMAGE_RESOLUTION_640x480, 0, 2,
                                       colorEvent, &handle),
            0);
  EXPECT_LT(sensor->NuiSkeletonTrackingEnable(skeletonEvent, 0), 0);
  INuiBackgroundRemovedColorStream* stream = nullptr;
  EXPECT_LT(runtime.NuiCreateBackgroundRemovedColorStream(sensor.get(), &stream), 0);
  EXPECT_EQ(stream, nullptr);

  ASSERT_EQ(sensor->NuiInitialize(0x0B), S_OK);
  EXPECT_EQ(sensor->NuiImageStreamOpen(
                NUI_IMAGE_TYPE_DEPTH_AND_PLAYER_INDEX, NUI_IMAGE_RESOLUTION_640x480,
                NUI_IMAGE_STREAM_FLAG_ENABLE_NEAR_MODE, 2, depthEvent, &handle),
            S_OK);
  runtime.AdvanceTo(500);
  NUI_IMAGE_FRAME frame{};
  ASSERT_EQ(sensor->NuiImageStreamGetNextFrame(handle, 0, &frame), S_OK);
  bool nearMode = false;
  INuiFrameTexture* extended = nullptr;
  ASSERT_EQ(
      sensor->NuiImageFrameGetDepthImagePixelFrameTexture(handle, &frame, &nearMode, &extended),
      S_OK);
  EXPECT_TRUE(nearMode);
  extended->Release();
  EXPECT_EQ(sensor->NuiImageStreamReleaseFrame(handle, &frame), S_OK);
}

}  // namespace
