#include "entry/MeasurementLog.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace entry {
namespace {

// Appends a field and the character that ends it.
template <class T>
void Append(std::string& row, T value, char end) {
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  row.append(buffer.data(), result.ptr);
  row += end;
}

// Face positions with two decimals.
void AppendFixed(std::string& row, float value, char end) {
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, 2);
  row.append(buffer.data(), result.ptr);
  row += end;
}

// Reads the field at pos up to the next comma (or the end) and moves pos past the comma.
template <class T>
bool Field(std::string_view row, std::size_t& pos, T& value) {
  const std::size_t end = std::min(row.find(',', pos), row.size());
  const auto result = std::from_chars(row.data() + pos, row.data() + end, value);
  if (result.ec != std::errc() || result.ptr != row.data() + end) {
    return false;
  }
  pos = end + 1;
  return true;
}

}  // namespace

std::optional<LoggedMeasurement> ParseMeasurementRow(std::string_view row) {
  LoggedMeasurement logged;
  Measurement& m = logged.measurement;
  std::size_t pos = 0;
  if (Field(row, pos, logged.timeMs) && Field(row, pos, m.userIndex) &&
      Field(row, pos, m.skeletonSlot) && Field(row, pos, m.faceX) && Field(row, pos, m.faceY) &&
      Field(row, pos, m.depthMm) && Field(row, pos, m.heightCm) && pos == row.size() + 1) {
    return logged;
  }
  return std::nullopt;
}

std::string FormatMeasurementRow(std::uint32_t timeMs, const Measurement& m) {
  std::string row;
  Append(row, timeMs, ',');
  Append(row, m.userIndex, ',');
  Append(row, m.skeletonSlot, ',');
  AppendFixed(row, m.faceX, ',');
  AppendFixed(row, m.faceY, ',');
  Append(row, m.depthMm, ',');
  Append(row, m.heightCm, '\n');
  return row;
}

MeasurementLog::MeasurementLog(const std::string& path, platform::Clock& clock)
    : m_file(std::fopen(path.c_str(), "w")), m_clock(clock) {
  if (m_file) {
    std::fputs(kHeader, m_file.get());
  }
}

void MeasurementLog::OnMeasurement(const Measurement& measurement) {
  if (!m_file) {
    return;
  }
  const std::string row = FormatMeasurementRow(m_clock.TimeGetTime(), measurement);
  std::fwrite(row.data(), 1, row.size(), m_file.get());
  std::fflush(m_file.get());
}

bool OpenRequestedLog(const std::string& path, platform::Clock& clock,
                      std::unique_ptr<MeasurementLog>& log) {
  if (path.empty()) {
    return true;
  }
  log = std::make_unique<MeasurementLog>(path, clock);
  if (!log->IsOpen()) {
    std::fprintf(stderr, "vantolu: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace entry
