#include "runtime/sim/SimDevice.h"

#include "runtime/sim/SimFrameTexture.h"

namespace sim {

using namespace runtime;

namespace {

// Frame k is due k * 1000 / 30 ms after the start: k * 100000 / 3 microseconds.
std::chrono::microseconds DueTime(std::uint64_t frameNumber) {
  return std::chrono::microseconds(frameNumber * 100000 / 3);
}

// The newest frame due `elapsed` microseconds after the start.
std::uint64_t NewestDueFrame(std::uint64_t elapsedMicroseconds) {
  return elapsedMicroseconds * 3 / 100000;
}

void Signal(const EventHandle& event) {
  if (event) {
    event->Set();
  }
}

void Unsignal(const EventHandle& event) {
  if (event) {
    event->Reset();
  }
}

}  // namespace

SimDevice::SimDevice(Scene scene, bool realTime)
    : m_realTime(realTime),
      m_start(std::chrono::steady_clock::now()),
      m_simulator(std::move(scene)),
      m_pool(std::make_shared<FramePool>()) {}

SimDevice::~SimDevice() {
  StopProducer();
}

void SimDevice::AdvanceTo(std::uint32_t milliseconds) {
  if (m_realTime) {
    return;
  }
  const std::uint64_t frameNumber = NewestDueFrame(std::uint64_t{milliseconds} * 1000);
  {
    std::lock_guard lock(m_mutex);
    if (m_lastRendered && frameNumber <= *m_lastRendered) {
      return;
    }
  }
  RenderAndPublish(frameNumber);
}

void SimDevice::RenderAndPublish(std::uint64_t frameNumber) {
  std::shared_ptr<DeliveredFrame> frame = m_pool->Take();
  {
    std::lock_guard render(m_renderMutex);
    RenderDeliveredFrame(
        m_simulator, static_cast<double>(frameNumber) / 30.0,
        static_cast<std::uint32_t>(frameNumber),
        std::chrono::duration_cast<std::chrono::milliseconds>(DueTime(frameNumber)).count(),
        *frame);
  }
  std::shared_ptr<const DeliveredFrame> ready = std::move(frame);
  std::lock_guard lock(m_mutex);
  m_lastRendered = frameNumber;
  for (Stream* stream : {&m_color, &m_depth, &m_skeleton}) {
    if (stream->open) {
      stream->ready = ready;
      Signal(stream->event);
    }
  }
}

void SimDevice::RunProducer() {
  std::unique_lock lock(m_mutex);
  std::uint64_t next = m_lastRendered ? *m_lastRendered + 1 : 0;
  while (!m_stopProducer) {
    if (m_wake.wait_until(lock, m_start + DueTime(next), [this] { return m_stopProducer; })) {
      break;
    }
    const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - m_start);
    // A producer that fell behind skips to the newest frame due, like a sensor dropping frames.
    const std::uint64_t frameNumber =
        std::max(next, NewestDueFrame(static_cast<std::uint64_t>(elapsed.count())));
    lock.unlock();
    RenderAndPublish(frameNumber);
    lock.lock();
    next = frameNumber + 1;
  }
}

void SimDevice::StopProducer() {
  {
    std::lock_guard lock(m_mutex);
    m_stopProducer = true;
  }
  m_wake.notify_all();
  if (m_producer.joinable()) {
    m_producer.join();
  }
  std::lock_guard lock(m_mutex);
  m_stopProducer = false;
}

HRESULT SimDevice::Initialize(std::uint32_t flags) {
  constexpr std::uint32_t kKnownFlags = NUI_INITIALIZE_FLAG_USES_DEPTH_AND_PLAYER_INDEX |
                                        NUI_INITIALIZE_FLAG_USES_COLOR |
                                        NUI_INITIALIZE_FLAG_USES_SKELETON;
  if ((flags & ~kKnownFlags) != 0) {
    return E_FAIL;
  }
  // A second initialisation starts over with every stream closed.
  Shutdown();
  std::lock_guard lock(m_mutex);
  m_initialized = true;
  if (m_realTime) {
    m_producer = std::thread([this] { RunProducer(); });
  }
  return S_OK;
}

void SimDevice::Shutdown() {
  StopProducer();
  std::lock_guard lock(m_mutex);
  m_initialized = false;
  // Frames not taken are dropped, so their events no longer say a frame is ready.
  for (Stream* stream : {&m_color, &m_depth, &m_skeleton}) {
    Unsignal(stream->event);
    *stream = Stream{};
  }
}

bool SimDevice::IsInitialized() const {
  std::lock_guard lock(m_mutex);
  return m_initialized;
}

SimDevice::Stream* SimDevice::StreamOf(NuiStreamHandle handle) {
  return handle == kColorStream ? &m_color : handle == kDepthStream ? &m_depth : nullptr;
}

HRESULT SimDevice::OpenStream(NUI_IMAGE_TYPE type, NUI_IMAGE_RESOLUTION resolution,
                              std::uint32_t frameFlags, EventHandle event,
                              NuiStreamHandle* stream) {
  if (stream == nullptr) {
    return E_POINTER;
  }
  const bool color = type == NUI_IMAGE_TYPE_COLOR;
  if ((!color && type != NUI_IMAGE_TYPE_DEPTH_AND_PLAYER_INDEX) ||
      resolution != NUI_IMAGE_RESOLUTION_640x480 ||
      (frameFlags & ~NUI_IMAGE_STREAM_FLAG_ENABLE_NEAR_MODE) != 0) {
    return E_FAIL;
  }
  std::lock_guard lock(m_mutex);
  if (!m_initialized) {
    return E_FAIL;
  }
  Stream& opened = color ? m_color : m_depth;
  Unsignal(opened.event);
  opened = Stream{std::move(event), true, nullptr};
  if (!color) {
    m_nearMode = (frameFlags & NUI_IMAGE_STREAM_FLAG_ENABLE_NEAR_MODE) != 0;
  }
  *stream = color ? kColorStream : kDepthStream;
  return S_OK;
}

HRESULT SimDevice::EnableSkeletonTracking(EventHandle event) {
  std::lock_guard lock(m_mutex);
  if (!m_initialized) {
    return E_FAIL;
  }
  Unsignal(m_skeleton.event);
  m_skeleton = Stream{std::move(event), true, nullptr};
  return S_OK;
}

HRESULT SimDevice::TakeImageFrame(NuiStreamHandle handle, NUI_IMAGE_FRAME* frame) {
  if (frame == nullptr) {
    return E_POINTER;
  }
  std::lock_guard lock(m_mutex);
  Stream* stream = StreamOf(handle);
  if (stream == nullptr || !stream->open || !stream->ready) {
    return E_FAIL;
  }
  std::shared_ptr<const DeliveredFrame> taken = std::move(stream->ready);
  Unsignal(stream->event);

  const bool color = stream == &m_color;
  if (color) {
    // Only the people: keeping the whole frame for the face tracker would keep its storage
    // out of the pool until the next colour frame is taken.
    m_lastTakenPeople = taken->Frames().people;
    ++m_colorFramesTaken;
  }
  frame->timeStamp = taken->timeStampMs;
  frame->frameNumber = taken->frameNumber;
  frame->imageType = color ? NUI_IMAGE_TYPE_COLOR : NUI_IMAGE_TYPE_DEPTH_AND_PLAYER_INDEX;
  frame->resolution = NUI_IMAGE_RESOLUTION_640x480;
  frame->frameFlags = 0;
  auto texture = std::make_unique<SimFrameTexture>(
      std::move(taken), color ? SimFrameTexture::Plane::kColor : SimFrameTexture::Plane::kDepth);
  frame->pFrameTexture = texture.get();
  m_heldFrames.emplace(texture.get(), std::move(texture));
  return S_OK;
}

HRESULT SimDevice::ReleaseImageFrame(NuiStreamHandle handle, const NUI_IMAGE_FRAME* frame) {
  if (frame == nullptr) {
    return E_POINTER;
  }
  std::unique_ptr<SimFrameTexture> released;
  std::lock_guard lock(m_mutex);
  const auto held = m_heldFrames.find(frame->pFrameTexture);
  const bool color = handle == kColorStream;
  if (held == m_heldFrames.end() || StreamOf(handle) == nullptr ||
      (held->second->GetPlane() == SimFrameTexture::Plane::kColor) != color) {
    return E_FAIL;
  }
  // The frame's storage goes back to the pool outside the lock, when `released` goes.
  released = std::move(held->second);
  m_heldFrames.erase(held);
  return S_OK;
}

HRESULT SimDevice::ExtendedDepthTexture(NuiStreamHandle handle, const NUI_IMAGE_FRAME* frame,
                                        bool* nearMode, INuiFrameTexture** texture) {
  if (frame == nullptr || nearMode == nullptr || texture == nullptr) {
    return E_POINTER;
  }
  *texture = nullptr;
  std::lock_guard lock(m_mutex);
  const auto held = m_heldFrames.find(frame->pFrameTexture);
  if (handle != kDepthStream || held == m_heldFrames.end() ||
      held->second->GetPlane() != SimFrameTexture::Plane::kDepth) {
    return E_FAIL;
  }
  *nearMode = m_nearMode;
  auto* extended = new SimFrameTexture(held->second->Frame(),
                                       SimFrameTexture::Plane::kExtendedDepth, shared_from_this());
  m_extendedTextures.emplace(extended, held->second->Frame());
  *texture = extended;
  return S_OK;
}

void SimDevice::ForgetExtendedTexture(const SimFrameTexture* texture) {
  std::shared_ptr<const DeliveredFrame> forgotten;
  std::lock_guard lock(m_mutex);
  const auto found = m_extendedTextures.find(texture);
  if (found != m_extendedTextures.end()) {
    forgotten = std::move(found->second);
    m_extendedTextures.erase(found);
  }
}

HRESULT SimDevice::TakeSkeletonFrame(NUI_SKELETON_FRAME* frame) {
  if (frame == nullptr) {
    return E_POINTER;
  }
  std::shared_ptr<const DeliveredFrame> taken;
  {
    std::lock_guard lock(m_mutex);
    if (!m_skeleton.open || !m_skeleton.ready) {
      return E_FAIL;
    }
    taken = std::move(m_skeleton.ready);
    Unsignal(m_skeleton.event);
  }
  *frame = taken->skeletons;
  return S_OK;
}

std::shared_ptr<const DeliveredFrame> SimDevice::FrameOfExtendedPixels(const void* pixels) const {
  std::lock_guard lock(m_mutex);
  for (const auto& [texture, frame] : m_extendedTextures) {
    if (frame->Frames().extendedDepth.data() == pixels) {
      return frame;
    }
  }
  return nullptr;
}

// The room's point map never changes once the simulator is made, and the frame does not
// change while held, so no render lock is needed.
void SimDevice::CopyPointMap(const DeliveredFrame& frame, NUI_DEPTH_IMAGE_POINT* out,
                             std::size_t count) const {
  m_simulator.CopyPointMap(frame.rendered, out, count);
}

bool SimDevice::LastTakenColorPeople(std::vector<PersonView>& people, std::uint64_t& seen) const {
  std::lock_guard lock(m_mutex);
  if (m_colorFramesTaken == 0) {
    return false;
  }
  if (seen != m_colorFramesTaken) {
    people = m_lastTakenPeople;
    seen = m_colorFramesTaken;
  }
  return true;
}

void SimDevice::RecordBackgroundRemovalEnable(NUI_IMAGE_RESOLUTION colorResolution,
                                              NUI_IMAGE_RESOLUTION depthResolution,
                                              bool eventGiven) {
  std::lock_guard lock(m_mutex);
  m_backgroundRemoval.enabled = true;
  m_backgroundRemoval.colorResolution = colorResolution;
  m_backgroundRemoval.depthResolution = depthResolution;
  m_backgroundRemoval.eventGiven = eventGiven;
}

void SimDevice::RecordTrackedPlayer(std::uint32_t trackingId) {
  std::lock_guard lock(m_mutex);
  m_backgroundRemoval.trackedPlayer = trackingId;
  ++m_backgroundRemoval.trackedPlayerCalls;
}

BackgroundRemovalRecord SimDevice::BackgroundRemoval() const {
  std::lock_guard lock(m_mutex);
  return m_backgroundRemoval;
}

}  // namespace sim
