// The measurement log: one CSV row per drawn height readout, for checking a run afterwards.
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "display/MeasurementSink.h"
#include "platform/Clock.h"

namespace entry {

class MeasurementLog : public MeasurementSink {
 public:
  // Opens (truncates) the file and writes the header row. IsOpen() tells whether it worked.
  MeasurementLog(const std::string& path, platform::Clock& clock);

  bool IsOpen() const { return m_file != nullptr; }
  void OnMeasurement(const Measurement& measurement) override;

  static constexpr const char* kHeader =
      "time_ms,user_index,skeleton_slot,face_x,face_y,depth_mm,height_cm\n";

 private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, Closer> m_file;
  platform::Clock& m_clock;
};

// Opens the log named on the command line into log; an empty path asks for none. False, with
// the reason on standard error, when the file cannot be written.
bool OpenRequestedLog(const std::string& path, platform::Clock& clock,
                      std::unique_ptr<MeasurementLog>& log);

// One row of the log, numbers always with "." whatever the locale.
std::string FormatMeasurementRow(std::uint32_t timeMs, const Measurement& measurement);

struct LoggedMeasurement {
  std::uint32_t timeMs = 0;
  Measurement measurement;
};

// Reads back one row as FormatMeasurementRow writes it (without its line end); empty for the
// header or a malformed row.
std::optional<LoggedMeasurement> ParseMeasurementRow(std::string_view row);

}  // namespace entry
