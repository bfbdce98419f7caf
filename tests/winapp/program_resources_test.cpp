// What the resource script gives every program that shows the windows: the
// version made from the project's version, the icon, and the manifest
// (common controls 6, per-monitor DPI awareness, long paths, UTF-8).
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "util/version.h"
#include "winapp/resource.h"

namespace pixdeck::test {
namespace {

TEST(ProgramResourcesTest, TheVersionResourceCarriesTheProjectsVersion) {
  wchar_t self[MAX_PATH] = {};
  ASSERT_GT(::GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(self, &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> data(size);
  ASSERT_TRUE(::GetFileVersionInfoW(self, 0, size, data.data()));
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length));
  EXPECT_EQ(HIWORD(info->dwFileVersionMS), static_cast<unsigned>(kVersionMajor));
  EXPECT_EQ(LOWORD(info->dwFileVersionMS), static_cast<unsigned>(kVersionMinor));
  EXPECT_EQ(HIWORD(info->dwFileVersionLS), static_cast<unsigned>(kVersionPatch));
  wchar_t* text = nullptr;
  ASSERT_TRUE(::VerQueryValueW(data.data(), L"\\StringFileInfo\\040904B0\\ProductVersion",
                               reinterpret_cast<void**>(&text), &length));
  const std::string version(kVersionText);
  EXPECT_EQ(std::wstring(text), std::wstring(version.begin(), version.end()));
}

TEST(ProgramResourcesTest, TheIconAndTheManifestAreLinkedIn) {
  HMODULE self = ::GetModuleHandleW(nullptr);
  EXPECT_NE(::LoadIconW(self, MAKEINTRESOURCEW(PIXDECK_IDI_PROGRAM)), nullptr);
  HRSRC found = ::FindResourceW(self, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_NE(found, nullptr);
  const auto* bytes = static_cast<const char*>(::LockResource(::LoadResource(self, found)));
  ASSERT_NE(bytes, nullptr);
  const std::string manifest(bytes, ::SizeofResource(self, found));
  for (const char* wanted : {"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                             "PerMonitorV2", "<longPathAware", ">UTF-8</activeCodePage>"}) {
    EXPECT_NE(manifest.find(wanted), std::string::npos) << wanted;
  }
}

}  // namespace
}  // namespace pixdeck::test
