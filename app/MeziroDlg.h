// CMeziroDlg: the main dialog. It owns every piece of run-time state of the program: the
// sensor connection and its frame buffers, the skeleton and user records, the face trackers,
// the canvas, the camera texture and the sprites. Its member functions are defined in the
// folder of the subsystem they belong to (app/, sensor/, display/). A host drives it through
// the handlers of platform::MainDialogHandlers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "display/MeasurementSink.h"
#include "display/Texture.h"
#include "display/TextureImage.h"
#include "platform/Canvas.h"
#include "platform/Clock.h"
#include "platform/MainDialogHandlers.h"
#include "platform/ResultCodes.h"
#include "platform/Shell.h"
#include "runtime/NuiRuntime.h"
#include "runtime/ReleasePtr.h"
#include "sensor/TrackedUser.h"

class CMeziroDlg : public platform::MainDialogHandlers {
 public:
  CMeziroDlg(platform::Shell& shell, platform::Canvas& canvas, platform::Clock& clock,
             runtime::NuiRuntime& runtime);
  ~CMeziroDlg() override;
  CMeziroDlg(const CMeziroDlg&) = delete;
  CMeziroDlg& operator=(const CMeziroDlg&) = delete;

  // Runs the dialog modally through the host; IDOK or IDCANCEL.
  int DoModal();

  // Handlers (app/).
  bool OnInitDialog() override;
  std::intptr_t OnKickIdle(std::uintptr_t wParam, std::intptr_t lParam) override;
  void OnSysCommand(std::uint32_t id, std::intptr_t lParam) override;
  void OnPaint() override;
  platform::IconHandle OnQueryDragIcon() const { return m_hIcon; }
  void OnDestroy() override;
  // Handler (display/).
  void OnSize(std::uint32_t type, int cx, int cy) override;

  // Utilities (app/).
  std::string GetModuleDirectory();
  void CloseMainWindow();

  // Settings (app/).
  int LoadSettings();
  int SaveSettings();

  // Sprite loading of the start-up (app/). Virtual so that tests of the shell can record it.
  virtual void LoadSprites();

  // Sensor connection, acquisition and tracking (sensor/). Virtual so that tests of the
  // shell can record the order of the steps.
  virtual HRESULT OpenSensor();
  virtual void CloseSensor();
  virtual HRESULT AcquireFrames();
  virtual HRESULT TrackFace(int userIndex);

  // ---- Sensor subsystem operations (sensor/) ----
  HRESULT CreateFaceTracking(int userIndex);
  HRESULT GetHeadHint(int userIndex, runtime::FTHeadHints* hints);
  HRESULT ChooseBackgroundRemovalPlayer(
      const std::array<runtime::NUI_SKELETON_DATA, runtime::NUI_SKELETON_COUNT>& skeletons);
  void ProcessSkeletonFrame(const runtime::NUI_SKELETON_FRAME& frame);
  // Replaces out with the camera-space point of the depth pixel that in projects onto; keeps
  // out when in falls outside the depth image.
  void RederivePoint(const runtime::Vector4& in, runtime::Vector4& out) const;
  // Shows a start-up failure's message and gives E_FAIL, the result every such step returns.
  HRESULT ShowFailure(std::string_view message);
  // ---- end of sensor subsystem operations ----

  // Canvas and rendering (display/). Virtual for the same reason.
  virtual HRESULT InitOpenGL();
  virtual void ReleaseOpenGL();
  virtual HRESULT RenderFrame();

  // Camera picture and height readout (display/).
  void FillCameraTexture();
  void DrawCameraTexture(int originX, int originY, int drawnWidth, int drawnHeight);
  void DrawHeightReadout(int originX, int originY, float scale);

  // Services handed in by the entry point.
  platform::Shell& m_shell;
  platform::Canvas& m_canvas;
  platform::Clock& m_clock;
  runtime::NuiRuntime& m_runtime;

  // Window icon.
  platform::IconHandle m_hIcon = 0;

  // Frame pacing: the counter value at the start of the last pass that drew; 0 = not started.
  std::uint32_t m_lastRenderTime = 0;

  // Installation height in centimetres; 0 until the settings are loaded.
  float m_sensorHeightCm = 0.0f;

  // Where drawn heights are reported; null when nobody listens.
  MeasurementSink* m_pMeasurementSink = nullptr;

  // Canvas: m_pDC is the canvas whose device context is held (null when none), m_hGLRC
  // whether a rendering context was created on it.
  platform::Canvas* m_pDC = nullptr;
  bool m_hGLRC = false;

  // Camera image texture record; null until the first rendered frame creates it.
  std::unique_ptr<TextureImage> m_pCameraTexture;

  // Sprites: two sets of ten digits (index 10 x set + digit), two unit images, the banner.
  std::array<CTexture, 20> m_digitSprites;
  std::array<CTexture, 2> m_unitSprites;
  CTexture m_bannerSprite;

  // ---- Sensor subsystem state (sensor/) ----
  // Connection (SensorConnection.cpp).
  runtime::ReleasePtr<runtime::INuiSensor> m_pNuiSensor;
  std::uint32_t m_colorWidth = 0;
  std::uint32_t m_colorHeight = 0;
  std::uint32_t m_depthWidth = 0;
  std::uint32_t m_depthHeight = 0;
  runtime::EventHandle m_hNextColorFrameEvent;
  runtime::EventHandle m_hNextDepthFrameEvent;
  runtime::EventHandle m_hNextSkeletonEvent;
  runtime::EventHandle m_hBackgroundRemovedFrameEvent;
  runtime::NuiStreamHandle m_hColorStream = runtime::kInvalidStreamHandle;
  runtime::NuiStreamHandle m_hDepthStream = runtime::kInvalidStreamHandle;
  runtime::ReleasePtr<runtime::INuiBackgroundRemovedColorStream> m_pBackgroundRemovalStream;
  bool m_nearMode = false;

  // Frame buffers (FrameAcquisition.cpp), sized when the connection opens. Colour: 4 bytes
  // per pixel (blue, green, red, unused), rows m_colorPitch bytes apart. Depth: one 16-bit
  // pixel each, millimetres << 3 | player index. Point map: per colour pixel (row-major, rows
  // m_colorWidth long) the depth-image point landing on it; null while closed.
  std::vector<std::uint8_t> m_colorPixels;
  std::int32_t m_colorPitch = 0;
  std::vector<std::uint16_t> m_depthPixels;
  std::unique_ptr<runtime::NUI_DEPTH_IMAGE_POINT[]> m_pDepthPoints;
  std::size_t m_depthPointCount = 0;

  // Skeletons and user records (SkeletonProcessing.cpp).
  std::array<runtime::NUI_SKELETON_DATA, runtime::NUI_SKELETON_COUNT> m_skeletons{};
  std::array<TrackedUser, 2> m_users;
  std::int32_t m_userCount = 0;

  // Face tracking per user record (FaceTracking.cpp).
  std::array<runtime::ReleasePtr<runtime::IFTFaceTracker>, 2> m_pFaceTracker;
  std::array<runtime::ReleasePtr<runtime::IFTResult>, 2> m_pFaceResult;
  std::array<runtime::ReleasePtr<runtime::IFTImage>, 2> m_pFaceColorImage;
  std::array<runtime::ReleasePtr<runtime::IFTImage>, 2> m_pFaceDepthImage;
  runtime::FT_CAMERA_CONFIG m_videoCameraConfig{};
  runtime::FT_CAMERA_CONFIG m_depthCameraConfig{};
  std::array<runtime::FTHeadHints, 2> m_headHints{};

  // Background-removal player choice (PlayerChoice.cpp): the tracking id last handed to the
  // stream with success; 0 none.
  std::uint32_t m_trackedPlayerId = 0;
  // ---- end of sensor subsystem state ----
};
