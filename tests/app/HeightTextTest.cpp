// Reading and writing heights as text, whatever the C library's locale says.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "app/HeightDlg.h"
#include "app/HeightText.h"
#include "platform/headless/HeadlessShell.h"

namespace {

using heighttext::ScanResult;
using Kind = ScanResult::Kind;

struct ScanCase {
  const char* text;
  Kind kind;
  float value;
};

void PrintTo(const ScanCase& c, std::ostream* os) {
  *os << '"' << c.text << '"';
}

class ScanHeightTest : public ::testing::TestWithParam<ScanCase> {};

TEST_P(ScanHeightTest, ReadsLikePercentLf) {
  const ScanCase& c = GetParam();
  const ScanResult result = heighttext::ScanHeight(c.text);
  EXPECT_EQ(result.kind, c.kind) << '"' << c.text << '"';
  if (c.kind == Kind::kNumber) {
    EXPECT_EQ(result.value, c.value) << '"' << c.text << '"';
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ScanHeightTest,
    ::testing::Values(
        ScanCase{"75.5", Kind::kNumber, 75.5f}, ScanCase{"80cm", Kind::kNumber, 80.0f},
        ScanCase{"   -5", Kind::kNumber, -5.0f}, ScanCase{"\t+12.5xyz", Kind::kNumber, 12.5f},
        ScanCase{"1e2", Kind::kNumber, 100.0f}, ScanCase{"75,5", Kind::kNumber, 75.0f},
        ScanCase{".5", Kind::kNumber, 0.5f}, ScanCase{"7.", Kind::kNumber, 7.0f},
        ScanCase{"170.3", Kind::kNumber, 170.3f}, ScanCase{"1e-400", Kind::kNumber, 0.0f},
        ScanCase{"1e30", Kind::kNumber, 1e30f}, ScanCase{"abc", Kind::kNoNumber, 0},
        ScanCase{"", Kind::kNoNumber, 0}, ScanCase{"   ", Kind::kNoNumber, 0},
        ScanCase{"-", Kind::kNoNumber, 0}, ScanCase{"+-5", Kind::kNoNumber, 0},
        ScanCase{"cm80", Kind::kNoNumber, 0}, ScanCase{"nan", Kind::kNotFinite, 0},
        ScanCase{"-inf", Kind::kNotFinite, 0}, ScanCase{"infinity", Kind::kNotFinite, 0},
        ScanCase{"1e999", Kind::kNotFinite, 0}, ScanCase{"1e39", Kind::kNotFinite, 0}));

struct FormatCase {
  float value;
  const char* forEdit;
  const char* fixed;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
  *os << c.fixed;
}

class FormatHeightTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatHeightTest, FormatsLikePrintf) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(heighttext::FormatForEdit(c.value), c.forEdit);
  EXPECT_EQ(heighttext::FormatFixed(c.value), c.fixed);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatHeightTest,
    ::testing::Values(FormatCase{75.5f, "75.5", "75.500000"}, FormatCase{0.0f, "0", "0.000000"},
                      FormatCase{170.3f, "170.3", "170.300003"},
                      FormatCase{-5.0f, "-5", "-5.000000"},
                      FormatCase{1234567.0f, "1.23457e+06", "1234567.000000"}));

// Under a locale with a decimal comma the C conversions would write "75,500000" and read
// "75.5" as 75. These must not follow the locale.
TEST(HeightTextLocaleTest, IgnoresADecimalCommaLocale) {
  const char* german = std::setlocale(LC_ALL, "de_DE.UTF-8");
  if (german == nullptr) {
    GTEST_SKIP() << "de_DE.UTF-8 is not installed (scripts/setup generates it)";
  }
  char probe[32];
  std::snprintf(probe, sizeof(probe), "%.1f", 1.5);
  EXPECT_STREQ(probe, "1,5");  // the locale is really in force
  EXPECT_EQ(heighttext::FormatFixed(75.5f), "75.500000");
  EXPECT_EQ(heighttext::FormatForEdit(75.5f), "75.5");
  EXPECT_EQ(heighttext::ScanHeight("75.5").value, 75.5f);
  EXPECT_EQ(heighttext::ScanHeight("75,5").value, 75.0f);
  std::setlocale(LC_ALL, "C");
}

TEST(HeightDlgTest, ShowsTheProposalAndRefusesTextWithoutAFiniteNumber) {
  platform::headless::HeadlessShell shell({});
  CHeightDlg dialog(shell);
  dialog.m_heightCm = 75.5f;
  EXPECT_EQ(dialog.InitialText(), "75.5");
  EXPECT_FALSE(dialog.OnOK("abc"));
  EXPECT_FALSE(dialog.OnOK("nan"));
  EXPECT_FALSE(dialog.OnOK("inf"));
  EXPECT_EQ(shell.messages, std::vector<std::string>(3, "数字を入力してください。"));
  EXPECT_EQ(dialog.m_heightCm, 75.5f);
  EXPECT_TRUE(dialog.OnOK("  180.5 cm"));
  EXPECT_EQ(dialog.m_heightCm, 180.5f);
}

TEST(HeightDlgTest, ReadsOnlyTheFirst399Characters) {
  platform::headless::HeadlessShell shell({});
  CHeightDlg dialog(shell);
  EXPECT_FALSE(dialog.OnOK(std::string(399, ' ') + "12"));
  EXPECT_TRUE(dialog.OnOK(std::string(397, ' ') + "12"));
  EXPECT_EQ(dialog.m_heightCm, 12.0f);
}

}  // namespace
