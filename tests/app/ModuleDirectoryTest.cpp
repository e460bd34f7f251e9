#include <gtest/gtest.h>

#include <filesystem>

#include "platform/ModuleDirectory.h"

namespace {

TEST(ModuleDirectoryTest, SplitsOffTheFileNameAndKeepsTheSlash) {
  EXPECT_EQ(platform::DirectoryOf("/opt/vantolu/bin/vantolu"), "/opt/vantolu/bin/");
  EXPECT_EQ(platform::DirectoryOf("/vantolu"), "/");
  EXPECT_EQ(platform::DirectoryOf("vantolu"), "");
  const std::string longPath = "/" + std::string(300, 'd') + "/" + std::string(300, 'e') + "/x";
  EXPECT_EQ(platform::DirectoryOf(longPath), longPath.substr(0, longPath.size() - 1));
}

TEST(ModuleDirectoryTest, IsTheDirectoryOfThisTestExecutable) {
  const std::string directory = platform::GetModuleDirectory();
  ASSERT_FALSE(directory.empty());
  EXPECT_EQ(directory.back(), '/');
  const auto self = std::filesystem::canonical("/proc/self/exe");
  EXPECT_EQ(directory, self.parent_path().string() + "/");
}

}  // namespace
