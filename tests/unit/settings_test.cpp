#include "app/settings.h"

#include <gtest/gtest.h>

#include "app/build_settings.h"

namespace {

TEST(Settings, EntryNameIsProviderNameWithInternetSuffix) {
  basMain::FillSettings();
  EXPECT_EQ(basMain::ProviderName, std::wstring(build_settings::ProviderName));
  EXPECT_EQ(basMain::EntryName, basMain::ProviderName + L" INTERNET");
  EXPECT_EQ(basMain::SiteAddress, basMain::DefaultSiteAddress());
  EXPECT_TRUE(basMain::ServerAddresses[0].empty());
  EXPECT_EQ(basMain::ServerAddresses[1], std::wstring(build_settings::VpnServer));
}

TEST(Settings, EntryNameIsComputedOnceAtStartUp) {
  basMain::FillSettings();
  const std::wstring entryName = basMain::EntryName;
  basMain::ProviderName = L"Other";
  EXPECT_EQ(basMain::EntryName, entryName);
  basMain::FillSettings();
}

}  // namespace
