// The system's locale order (CompareStringW, NORM_IGNORECASE) behind the
// catalog's sort.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/collate.h"
#include "win32_test_support.h"

namespace pixdeck {
namespace {

using platform::CompareTextLocale;

TEST(CompareString, IgnoresCaseAndFollowsTheSystemsOrder) {
  EXPECT_EQ(CompareTextLocale("images.HTM", "IMAGES.htm"), 0);
  EXPECT_EQ(CompareTextLocale("\xc3\x84rger", "\xc3\xa4RGER"), 0) << "beyond ASCII too";
  EXPECT_LT(CompareTextLocale("A.jpg", "b.GIF"), 0);
  EXPECT_GT(CompareTextLocale("c.gif", "b.GIF"), 0);

  // Each answer is the system's own.
  for (const auto& [a, b] : std::vector<std::pair<std::string, std::string>>{
           {"apfel", "\xc3\x84rger"}, {"a-b", "ab"}, {"file10", "file9"}, {"_x", "a"}}) {
    const std::wstring wa = test::Wide(a);
    const std::wstring wb = test::Wide(b);
    const int system =
        ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wa.c_str(), -1, wb.c_str(), -1) -
        CSTR_EQUAL;
    EXPECT_EQ(CompareTextLocale(a, b), system) << a << " / " << b;
  }
}

TEST(CompareString, SortsPictureNamesLikeTheCatalog) {
  std::vector<std::string> names = {"c.gif", "\xc3\x84rger.gif", "b.GIF",
                                    "A.jpg", "apfel.gif",        "Birne.jpg"};
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return CompareTextLocale(a, b) < 0; });
  EXPECT_EQ(names, (std::vector<std::string>{"A.jpg", "apfel.gif", "\xc3\x84rger.gif", "b.GIF",
                                             "Birne.jpg", "c.gif"}));
}

}  // namespace
}  // namespace pixdeck
