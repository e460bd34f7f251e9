// A canvas without a GL surface, for tests of the shell that never draw.
#pragma once

#include <vector>

#include "platform/Canvas.h"

namespace testsupport {

class FakeCanvas : public platform::Canvas {
 public:
  bool IsAttached() override { return attached; }
  void GetDeviceContext() override {}
  void ReleaseDeviceContext() override {}
  bool SetupPixelFormat() override { return true; }
  void CreateContext() override {}
  void DeleteContext() override {}
  bool MakeCurrent() override { return true; }
  void DoneCurrent() override {}
  void SwapBuffers() override {}
  platform::ClientSize GetClientSize() override { return size; }
  void MoveWindow(int x, int y, int width, int height) override {
    moves.push_back({x, y, width, height});
    size = {width, height};
  }

  struct Move {
    int x, y, width, height;
  };
  bool attached = true;
  platform::ClientSize size{1280, 720};
  std::vector<Move> moves;
};

}  // namespace testsupport
