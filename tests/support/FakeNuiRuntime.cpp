#include "support/FakeNuiRuntime.h"

#include <cstdio>
#include <cstring>

namespace testsupport {

using namespace runtime;

namespace {

constexpr NuiStreamHandle kColorHandle = 1;
constexpr NuiStreamHandle kDepthHandle = 2;

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%x", value);
  return text;
}

std::string StreamName(NuiStreamHandle handle) {
  return handle == kColorHandle ? "color" : handle == kDepthHandle ? "depth" : "invalid";
}

// A texture over bytes someone else owns.
class FakeTexture : public INuiFrameTexture {
 public:
  FakeTexture(FakeNuiRuntime::State& state, std::string name) : m_state(state), m_name(name) {}
  HRESULT LockRect(std::uint32_t level, NUI_LOCKED_RECT* lockedRect, std::uint32_t flags) override;
  HRESULT UnlockRect(std::uint32_t level) override;
  void Release() override;

  const std::uint8_t* bytes = nullptr;
  std::size_t size = 0;
  std::int32_t pitch = 0;

 private:
  FakeNuiRuntime::State& m_state;
  std::string m_name;
};

struct ServedColor {
  ServedColor(FakeNuiRuntime::State& state, FakeColorFrame f)
      : frame(std::move(f)), texture(state, "colortexture") {
    texture.bytes = frame.pixels.data();
    texture.size = frame.pixels.size();
    texture.pitch = frame.pitch;
  }
  FakeColorFrame frame;
  FakeTexture texture;
};

struct ServedDepth {
  ServedDepth(FakeNuiRuntime::State& state, FakeDepthFrame f)
      : frame(std::move(f)), texture(state, "depthtexture"), extended(state, "extended") {
    texture.bytes = reinterpret_cast<const std::uint8_t*>(frame.pixels.data());
    texture.size = frame.pixels.size() * sizeof(std::uint16_t);
    texture.pitch = 640 * 2;
    extended.bytes = reinterpret_cast<const std::uint8_t*>(frame.extended.data());
    extended.size = frame.extended.size() * sizeof(NUI_DEPTH_IMAGE_PIXEL);
    extended.pitch = 640 * 4;
  }
  FakeDepthFrame frame;
  FakeTexture texture;
  FakeTexture extended;
};

class FakeSensor;
class FakeMapper;
class FakeStream;
class FakeTracker;
class FakeResult;
class FakeImage;

}  // namespace

struct FakeNuiRuntime::State {
  explicit State(FakeNuiRuntime& owner) : runtime(owner) {}

  struct Refusal {
    std::string prefix;
    HRESULT hr;
    int times;
  };

  // Records the call and answers with a refusal's code, or S_OK. Caller holds no lock.
  HRESULT Call(const std::string& line) {
    std::lock_guard lock(mutex);
    if (runtime.recordCalls) {
      calls.push_back(line);
    }
    for (Refusal& refusal : refusals) {
      if (refusal.times != 0 && line.compare(0, refusal.prefix.size(), refusal.prefix) == 0) {
        if (refusal.times > 0) {
          --refusal.times;
        }
        return refusal.hr;
      }
    }
    return S_OK;
  }
  std::string Name(const std::string& kind) { return kind + std::to_string(++counts[kind]); }

  FakeNuiRuntime& runtime;
  mutable std::mutex mutex;
  std::vector<std::string> calls;
  std::vector<Refusal> refusals;
  std::map<std::string, int> counts;
  int liveObjects = 0;

  bool running = false;
  EventHandle colorEvent, depthEvent, skeletonEvent, backgroundRemovedEvent;
  std::deque<std::shared_ptr<ServedColor>> colorQueue;
  std::deque<std::shared_ptr<ServedDepth>> depthQueue;
  std::deque<NUI_SKELETON_FRAME> skeletonQueue;
  std::map<const INuiFrameTexture*, std::shared_ptr<void>> outstanding;
  std::map<std::string, const void*> attached;

  std::vector<std::unique_ptr<FakeSensor>> sensors;
  std::vector<std::unique_ptr<FakeMapper>> mappers;
  std::vector<std::unique_ptr<FakeStream>> streams;
  std::vector<std::unique_ptr<FakeTracker>> trackers;
  std::vector<std::unique_ptr<FakeResult>> results;
  std::vector<std::unique_ptr<FakeImage>> images;
};

namespace {

using State = FakeNuiRuntime::State;

void Signal(const EventHandle& event, bool ready) {
  if (!event) {
    return;
  }
  if (ready) {
    event->Set();
  } else {
    event->Reset();
  }
}

void ReleaseObject(State& state, const std::string& name) {
  state.Call("Release(" + name + ")");
  std::lock_guard lock(state.mutex);
  --state.liveObjects;
}

HRESULT FakeTexture::LockRect(std::uint32_t level, NUI_LOCKED_RECT* lockedRect,
                              std::uint32_t flags) {
  const HRESULT hr =
      m_state.Call("LockRect(" + m_name + "," + std::to_string(level) + "," + Hex(flags) + ")");
  if (FAILED(hr)) {
    return hr;
  }
  lockedRect->pitch = pitch;
  lockedRect->size = static_cast<std::int32_t>(size);
  lockedRect->pBits = const_cast<std::uint8_t*>(bytes);
  return S_OK;
}

HRESULT FakeTexture::UnlockRect(std::uint32_t level) {
  return m_state.Call("UnlockRect(" + m_name + "," + std::to_string(level) + ")");
}

void FakeTexture::Release() {
  ReleaseObject(m_state, m_name);
}

class FakeMapper : public INuiCoordinateMapper {
 public:
  FakeMapper(State& state, std::string name) : m_state(state), m_name(std::move(name)) {}
  HRESULT MapColorFrameToDepthFrame(NUI_IMAGE_TYPE colorType, NUI_IMAGE_RESOLUTION colorResolution,
                                    NUI_IMAGE_RESOLUTION depthResolution,
                                    std::uint32_t depthPixelCount,
                                    const NUI_DEPTH_IMAGE_PIXEL* depthPixels,
                                    std::uint32_t depthPointCount,
                                    NUI_DEPTH_IMAGE_POINT* depthPoints) override {
    const HRESULT hr =
        m_state.Call("MapColorFrameToDepthFrame(" + std::to_string(colorType) + "," +
                     std::to_string(colorResolution) + "," + std::to_string(depthResolution) + "," +
                     std::to_string(depthPixelCount) + "," + std::to_string(depthPointCount) + ")");
    if (FAILED(hr) || !m_state.runtime.fillPointMap) {
      return hr;
    }
    std::uint32_t i = 0;
    for (std::int32_t y = 0; i < depthPointCount; ++y) {
      for (std::int32_t x = 0; x < 640 && i < depthPointCount; ++x, ++i) {
        const std::int32_t depth = i < depthPixelCount ? depthPixels[i].depth : 0;
        depthPoints[i] = {x, y, depth, 0};
      }
    }
    return S_OK;
  }
  void Release() override { ReleaseObject(m_state, m_name); }

 private:
  State& m_state;
  std::string m_name;
};

class FakeSensor : public INuiSensor {
 public:
  FakeSensor(State& state, std::string name) : m_state(state), m_name(std::move(name)) {}

  HRESULT NuiStatus() override { return m_state.Call("NuiStatus()"); }
  HRESULT NuiInitialize(std::uint32_t flags) override {
    return m_state.Call("NuiInitialize(" + Hex(flags) + ")");
  }
  void NuiShutdown() override {
    m_state.Call("NuiShutdown()");
    std::lock_guard lock(m_state.mutex);
    m_state.running = false;
  }

  HRESULT NuiImageStreamOpen(NUI_IMAGE_TYPE imageType, NUI_IMAGE_RESOLUTION resolution,
                             std::uint32_t frameFlags, std::uint32_t frameLimit,
                             EventHandle nextFrameEvent, NuiStreamHandle* stream) override {
    const bool color = imageType == NUI_IMAGE_TYPE_COLOR;
    const HRESULT hr =
        m_state.Call("NuiImageStreamOpen(" + std::string(color ? "color" : "depth") + "," +
                     std::to_string(resolution) + "," + Hex(frameFlags) + "," +
                     std::to_string(frameLimit) + (nextFrameEvent ? ",event" : ",noevent") + ")");
    if (FAILED(hr)) {
      return hr;
    }
    std::lock_guard lock(m_state.mutex);
    m_state.running = true;
    if (color) {
      m_state.colorEvent = nextFrameEvent;
      Signal(m_state.colorEvent, !m_state.colorQueue.empty());
    } else {
      m_state.depthEvent = nextFrameEvent;
      Signal(m_state.depthEvent, !m_state.depthQueue.empty());
    }
    *stream = color ? kColorHandle : kDepthHandle;
    return S_OK;
  }

  HRESULT NuiImageStreamGetNextFrame(NuiStreamHandle stream, std::uint32_t waitMilliseconds,
                                     NUI_IMAGE_FRAME* frame) override {
    const HRESULT hr = m_state.Call("NuiImageStreamGetNextFrame(" + StreamName(stream) + "," +
                                    std::to_string(waitMilliseconds) + ")");
    if (FAILED(hr)) {
      return hr;
    }
    std::lock_guard lock(m_state.mutex);
    const bool repeat = m_state.runtime.repeatFrames;
    if (stream == kColorHandle && !m_state.colorQueue.empty()) {
      std::shared_ptr<ServedColor> served = m_state.colorQueue.front();
      if (!repeat) {
        m_state.colorQueue.pop_front();
      }
      Signal(m_state.colorEvent, !m_state.colorQueue.empty());
      frame->imageType = NUI_IMAGE_TYPE_COLOR;
      frame->resolution = NUI_IMAGE_RESOLUTION_640x480;
      if (!served->frame.noTexture) {
        frame->pFrameTexture = &served->texture;
        m_state.outstanding[&served->texture] = served;
      }
      return S_OK;
    }
    if (stream == kDepthHandle && !m_state.depthQueue.empty()) {
      std::shared_ptr<ServedDepth> served = m_state.depthQueue.front();
      if (!repeat) {
        m_state.depthQueue.pop_front();
      }
      Signal(m_state.depthEvent, !m_state.depthQueue.empty());
      frame->imageType = NUI_IMAGE_TYPE_DEPTH_AND_PLAYER_INDEX;
      frame->resolution = NUI_IMAGE_RESOLUTION_640x480;
      if (!served->frame.noTexture) {
        frame->pFrameTexture = &served->texture;
        m_state.outstanding[&served->texture] = served;
      }
      return S_OK;
    }
    return E_FAIL;
  }

  HRESULT NuiImageStreamReleaseFrame(NuiStreamHandle stream,
                                     const NUI_IMAGE_FRAME* frame) override {
    const HRESULT hr = m_state.Call("NuiImageStreamReleaseFrame(" + StreamName(stream) + ")");
    std::lock_guard lock(m_state.mutex);
    m_state.outstanding.erase(frame->pFrameTexture);
    return hr;
  }

  HRESULT NuiImageFrameGetDepthImagePixelFrameTexture(NuiStreamHandle stream,
                                                      const NUI_IMAGE_FRAME* frame, bool* nearMode,
                                                      INuiFrameTexture** texture) override {
    const HRESULT hr =
        m_state.Call("NuiImageFrameGetDepthImagePixelFrameTexture(" + StreamName(stream) + ")");
    *texture = nullptr;
    if (FAILED(hr)) {
      return hr;
    }
    std::lock_guard lock(m_state.mutex);
    const auto found = m_state.outstanding.find(frame->pFrameTexture);
    if (found == m_state.outstanding.end() || stream != kDepthHandle) {
      return E_FAIL;
    }
    auto* served = static_cast<ServedDepth*>(found->second.get());
    *nearMode = served->frame.nearMode;
    if (served->frame.noExtendedTexture) {
      return E_FAIL;
    }
    *texture = &served->extended;
    ++m_state.liveObjects;
    return S_OK;
  }

  HRESULT NuiSkeletonTrackingEnable(EventHandle nextSkeletonEvent, std::uint32_t flags) override {
    const HRESULT hr = m_state.Call("NuiSkeletonTrackingEnable(" + Hex(flags) +
                                    (nextSkeletonEvent ? ",event" : ",noevent") + ")");
    if (FAILED(hr)) {
      return hr;
    }
    std::lock_guard lock(m_state.mutex);
    m_state.skeletonEvent = nextSkeletonEvent;
    Signal(m_state.skeletonEvent, !m_state.skeletonQueue.empty());
    return S_OK;
  }

  HRESULT NuiSkeletonGetNextFrame(std::uint32_t waitMilliseconds,
                                  NUI_SKELETON_FRAME* frame) override {
    const HRESULT hr =
        m_state.Call("NuiSkeletonGetNextFrame(" + std::to_string(waitMilliseconds) + ")");
    if (FAILED(hr)) {
      return hr;
    }
    std::lock_guard lock(m_state.mutex);
    if (m_state.skeletonQueue.empty()) {
      return E_FAIL;
    }
    *frame = m_state.skeletonQueue.front();
    if (!m_state.runtime.repeatFrames) {
      m_state.skeletonQueue.pop_front();
    }
    Signal(m_state.skeletonEvent, !m_state.skeletonQueue.empty());
    return S_OK;
  }

  HRESULT NuiTransformSmooth(NUI_SKELETON_FRAME*) override {
    return m_state.Call("NuiTransformSmooth()");
  }
  HRESULT NuiCameraElevationSetAngle(std::int32_t degrees) override {
    return m_state.Call("NuiCameraElevationSetAngle(" + std::to_string(degrees) + ")");
  }
  HRESULT NuiGetCoordinateMapper(INuiCoordinateMapper** mapper) override;
  void Release() override { ReleaseObject(m_state, m_name); }

 private:
  State& m_state;
  std::string m_name;
};

HRESULT FakeSensor::NuiGetCoordinateMapper(INuiCoordinateMapper** mapper) {
  const HRESULT hr = m_state.Call("NuiGetCoordinateMapper()");
  *mapper = nullptr;
  if (FAILED(hr)) {
    return hr;
  }
  std::lock_guard lock(m_state.mutex);
  if (m_state.mappers.empty()) {
    m_state.mappers.push_back(std::make_unique<FakeMapper>(m_state, "mapper"));
  }
  *mapper = m_state.mappers.front().get();
  ++m_state.liveObjects;
  return S_OK;
}

class FakeStream : public INuiBackgroundRemovedColorStream {
 public:
  FakeStream(State& state, std::string name) : m_state(state), m_name(std::move(name)) {}
  HRESULT Enable(NUI_IMAGE_RESOLUTION colorResolution, NUI_IMAGE_RESOLUTION depthResolution,
                 EventHandle event) override {
    const HRESULT hr =
        m_state.Call("Enable(" + m_name + "," + std::to_string(colorResolution) + "," +
                     std::to_string(depthResolution) + (event ? ",event" : ",noevent") + ")");
    std::lock_guard lock(m_state.mutex);
    m_state.backgroundRemovedEvent = event;
    return hr;
  }
  HRESULT SetTrackedPlayer(std::uint32_t trackingId) override {
    return m_state.Call("SetTrackedPlayer(" + m_name + "," + std::to_string(trackingId) + ")");
  }
  void Release() override { ReleaseObject(m_state, m_name); }

 private:
  State& m_state;
  std::string m_name;
};

class FakeImage : public IFTImage {
 public:
  FakeImage(State& state, std::string name) : m_state(state), m_name(std::move(name)) {}
  HRESULT Attach(std::uint32_t width, std::uint32_t height, void* data, FTIMAGEFORMAT format,
                 std::uint32_t stride) override {
    const HRESULT hr = m_state.Call("Attach(" + m_name + "," + std::to_string(width) + "," +
                                    std::to_string(height) + "," + std::to_string(format) + "," +
                                    std::to_string(stride) + ")");
    std::lock_guard lock(m_state.mutex);
    m_state.attached[m_name] = data;
    return hr;
  }
  void Release() override { ReleaseObject(m_state, m_name); }
  const std::string& name() const { return m_name; }

 private:
  State& m_state;
  std::string m_name;
};

class FakeResult : public IFTResult {
 public:
  FakeResult(State& state, std::string name) : m_state(state), m_name(std::move(name)) {}
  HRESULT GetStatus() override {
    const HRESULT hr = m_state.Call("GetStatus(" + m_name + ")");
    if (FAILED(hr)) {
      return hr;
    }
    FakeNuiRuntime& runtime = m_state.runtime;
    if (runtime.faceStatuses.empty()) {
      return runtime.faceStatus;
    }
    const HRESULT status = runtime.faceStatuses.front();
    runtime.faceStatuses.pop_front();
    return status;
  }
  HRESULT Reset() override {
    points.clear();
    return m_state.Call("Reset(" + m_name + ")");
  }
  HRESULT Get2DShapePoints(FT_VECTOR2D** shapePoints, std::uint32_t* pointCount) override {
    const HRESULT hr = m_state.Call("Get2DShapePoints(" + m_name + ")");
    if (FAILED(hr)) {
      *shapePoints = nullptr;
      *pointCount = 0;
      return hr;
    }
    *shapePoints = points.empty() ? nullptr : points.data();
    *pointCount = static_cast<std::uint32_t>(points.size());
    return S_OK;
  }
  void Release() override { ReleaseObject(m_state, m_name); }
  const std::string& name() const { return m_name; }

  std::vector<FT_VECTOR2D> points;

 private:
  State& m_state;
  std::string m_name;
};

class FakeTracker : public IFTFaceTracker {
 public:
  FakeTracker(State& state, std::string name) : m_state(state), m_name(std::move(name)) {}
  HRESULT Initialize(const FT_CAMERA_CONFIG* video, const FT_CAMERA_CONFIG* depth) override {
    char text[160];
    std::snprintf(text, sizeof text, "Initialize(%s,%u,%u,%.2f,%u,%u,%.2f)", m_name.c_str(),
                  video->width, video->height, video->focalLength, depth->width, depth->height,
                  depth->focalLength);
    return m_state.Call(text);
  }
  HRESULT CreateFTResult(IFTResult** result) override {
    const HRESULT hr = m_state.Call("CreateFTResult(" + m_name + ")");
    *result = nullptr;
    if (FAILED(hr)) {
      return hr;
    }
    std::lock_guard lock(m_state.mutex);
    m_state.results.push_back(std::make_unique<FakeResult>(m_state, m_state.Name("result")));
    ++m_state.liveObjects;
    *result = m_state.results.back().get();
    return S_OK;
  }
  HRESULT StartTracking(const FT_SENSOR_DATA* data, const FTHeadHints* hints,
                        IFTResult* result) override {
    return Track("StartTracking", data, hints, result);
  }
  HRESULT ContinueTracking(const FT_SENSOR_DATA* data, const FTHeadHints* hints,
                           IFTResult* result) override {
    return Track("ContinueTracking", data, hints, result);
  }
  void Release() override { ReleaseObject(m_state, m_name); }

 private:
  HRESULT Track(const char* operation, const FT_SENSOR_DATA* data, const FTHeadHints* hints,
                IFTResult* result) {
    auto* fakeResult = static_cast<FakeResult*>(result);
    std::string line = std::string(operation) + "(" + m_name + "," +
                       static_cast<FakeImage*>(data->pVideoFrame)->name() + "," +
                       static_cast<FakeImage*>(data->pDepthFrame)->name() + "," +
                       std::to_string(data->zoomFactor).substr(0, 3) + "," +
                       std::to_string(data->viewOffset.x) + "," +
                       std::to_string(data->viewOffset.y) + ",";
    if (hints) {
      char text[120];
      std::snprintf(text, sizeof text, "hint(%.3f,%.3f,%.3f;%.3f,%.3f,%.3f)", (*hints)[0].x,
                    (*hints)[0].y, (*hints)[0].z, (*hints)[1].x, (*hints)[1].y, (*hints)[1].z);
      line += text;
    } else {
      line += "nohint";
    }
    line += "," + fakeResult->name() + ")";
    const HRESULT hr = m_state.Call(line);
    fakeResult->points = m_state.runtime.shapePoints;
    return hr;
  }

  State& m_state;
  std::string m_name;
};

}  // namespace

FakeNuiRuntime::FakeNuiRuntime() : m_state(std::make_unique<State>(*this)) {}
FakeNuiRuntime::~FakeNuiRuntime() = default;

void FakeNuiRuntime::Refuse(const std::string& prefix, HRESULT hr, int times) {
  std::lock_guard lock(m_state->mutex);
  m_state->refusals.push_back({prefix, hr, times});
}

void FakeNuiRuntime::PushColorFrame(FakeColorFrame frame) {
  auto served = std::make_shared<ServedColor>(*m_state, std::move(frame));
  std::lock_guard lock(m_state->mutex);
  m_state->colorQueue.push_back(std::move(served));
  if (m_state->running) {
    Signal(m_state->colorEvent, true);
  }
}

void FakeNuiRuntime::PushDepthFrame(FakeDepthFrame frame) {
  auto served = std::make_shared<ServedDepth>(*m_state, std::move(frame));
  std::lock_guard lock(m_state->mutex);
  m_state->depthQueue.push_back(std::move(served));
  if (m_state->running) {
    Signal(m_state->depthEvent, true);
  }
}

void FakeNuiRuntime::PushSkeletonFrame(const NUI_SKELETON_FRAME& frame) {
  std::lock_guard lock(m_state->mutex);
  m_state->skeletonQueue.push_back(frame);
  if (m_state->running) {
    Signal(m_state->skeletonEvent, true);
  }
}

std::vector<std::string> FakeNuiRuntime::Calls() const {
  std::lock_guard lock(m_state->mutex);
  return m_state->calls;
}

void FakeNuiRuntime::ClearCalls() {
  std::lock_guard lock(m_state->mutex);
  m_state->calls.clear();
}

int FakeNuiRuntime::LiveObjects() const {
  std::lock_guard lock(m_state->mutex);
  return m_state->liveObjects;
}

EventHandle FakeNuiRuntime::ColorEvent() const {
  std::lock_guard lock(m_state->mutex);
  return m_state->colorEvent;
}
EventHandle FakeNuiRuntime::DepthEvent() const {
  std::lock_guard lock(m_state->mutex);
  return m_state->depthEvent;
}
EventHandle FakeNuiRuntime::SkeletonEvent() const {
  std::lock_guard lock(m_state->mutex);
  return m_state->skeletonEvent;
}
EventHandle FakeNuiRuntime::BackgroundRemovedEvent() const {
  std::lock_guard lock(m_state->mutex);
  return m_state->backgroundRemovedEvent;
}

std::map<std::string, const void*> FakeNuiRuntime::AttachedData() const {
  std::lock_guard lock(m_state->mutex);
  return m_state->attached;
}

int FakeNuiRuntime::OutstandingFrames() const {
  std::lock_guard lock(m_state->mutex);
  return static_cast<int>(m_state->outstanding.size());
}

HRESULT FakeNuiRuntime::NuiGetSensorCount(int* count) {
  const HRESULT hr = m_state->Call("NuiGetSensorCount()");
  if (SUCCEEDED(hr)) {
    *count = sensorCount;
  }
  return hr;
}

HRESULT FakeNuiRuntime::NuiCreateSensorByIndex(int index, INuiSensor** sensor) {
  const HRESULT hr = m_state->Call("NuiCreateSensorByIndex(" + std::to_string(index) + ")");
  *sensor = nullptr;
  if (FAILED(hr)) {
    return hr;
  }
  std::lock_guard lock(m_state->mutex);
  m_state->sensors.push_back(std::make_unique<FakeSensor>(*m_state, m_state->Name("sensor")));
  ++m_state->liveObjects;
  *sensor = m_state->sensors.back().get();
  return S_OK;
}

HRESULT FakeNuiRuntime::NuiCreateBackgroundRemovedColorStream(
    INuiSensor* sensor, INuiBackgroundRemovedColorStream** stream) {
  const HRESULT hr = m_state->Call(std::string("NuiCreateBackgroundRemovedColorStream(") +
                                   (sensor ? "sensor" : "null") + ")");
  *stream = nullptr;
  if (FAILED(hr)) {
    return hr;
  }
  std::lock_guard lock(m_state->mutex);
  m_state->streams.push_back(std::make_unique<FakeStream>(*m_state, m_state->Name("brstream")));
  ++m_state->liveObjects;
  *stream = m_state->streams.back().get();
  return S_OK;
}

IFTFaceTracker* FakeNuiRuntime::FTCreateFaceTracker() {
  if (FAILED(m_state->Call("FTCreateFaceTracker()"))) {
    return nullptr;
  }
  std::lock_guard lock(m_state->mutex);
  m_state->trackers.push_back(std::make_unique<FakeTracker>(*m_state, m_state->Name("tracker")));
  ++m_state->liveObjects;
  return m_state->trackers.back().get();
}

IFTImage* FakeNuiRuntime::FTCreateImage() {
  if (FAILED(m_state->Call("FTCreateImage()"))) {
    return nullptr;
  }
  std::lock_guard lock(m_state->mutex);
  m_state->images.push_back(std::make_unique<FakeImage>(*m_state, m_state->Name("image")));
  ++m_state->liveObjects;
  return m_state->images.back().get();
}

}  // namespace testsupport
