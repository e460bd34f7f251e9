// The measurement log's rows, whatever the locale.
#include <gtest/gtest.h>

#include <clocale>

#include "entry/MeasurementLog.h"
#include "support/ManualClock.h"
#include "support/TempDir.h"

namespace {

TEST(MeasurementLogTest, WritesAHeaderAndOneRowPerReadout) {
  testsupport::TempDir dir;
  testsupport::ManualClock clock;
  const auto path = (dir.path() / "m.csv").string();
  {
    entry::MeasurementLog log(path, clock);
    ASSERT_TRUE(log.IsOpen());
    clock.now = 1234;
    log.OnMeasurement({0, 2, 320.5f, 181.25f, 3500, 172});
    clock.now = 1268;
    log.OnMeasurement({1, 5, 10.0f, 20.0f, 1800, 118});
  }
  EXPECT_EQ(testsupport::ReadFile(path),
            std::string(entry::MeasurementLog::kHeader) +
                "1234,0,2,320.50,181.25,3500,172\n1268,1,5,10.00,20.00,1800,118\n");
}

TEST(MeasurementLogTest, RowsUseAPointUnderACommaLocale) {
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "de_DE.UTF-8 is not installed (scripts/setup generates it)";
  }
  const std::string row = entry::FormatMeasurementRow(5, {0, 1, 1.5f, 2.5f, 900, -3});
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(row, "5,0,1,1.50,2.50,900,-3\n");
}

TEST(MeasurementLogTest, RowsReadBackAsWritten) {
  const Measurement written{1, 2, 320.5f, 181.25f, 3500, 172};
  std::string row = entry::FormatMeasurementRow(1234, written);
  row.pop_back();  // the line end
  const auto read = entry::ParseMeasurementRow(row);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->timeMs, 1234u);
  EXPECT_EQ(read->measurement.userIndex, 1);
  EXPECT_EQ(read->measurement.skeletonSlot, 2);
  EXPECT_EQ(read->measurement.faceX, 320.5f);
  EXPECT_EQ(read->measurement.faceY, 181.25f);
  EXPECT_EQ(read->measurement.depthMm, 3500u);
  EXPECT_EQ(read->measurement.heightCm, 172);
  for (const char* bad : {"time_ms,user_index,skeleton_slot,face_x,face_y,depth_mm,height_cm",
                          "1,2,3", "1,0,1,2.00,3.00,900,150,7", "1,0,1,x,3.00,900,150"}) {
    EXPECT_FALSE(entry::ParseMeasurementRow(bad)) << bad;
  }
}

TEST(MeasurementLogTest, UnwritablePathIsReported) {
  testsupport::ManualClock clock;
  entry::MeasurementLog log("/nonexistent-directory/m.csv", clock);
  EXPECT_FALSE(log.IsOpen());
}

}  // namespace
