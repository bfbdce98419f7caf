#include "catalog/catalog_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <random>
#include <string>
#include <vector>

#include "catalog/catalog_run.h"
#include "platform/collate.h"
#include "platform/file_system.h"
#include "scratch_dir.h"
#include "util/paths.h"

namespace pixdeck {
namespace {

using test::ScratchDir;

std::uint64_t SizeFor(std::string_view name) {
  return std::hash<std::string_view>()(name) % 100000;
}

// Names with long shared beginnings, capitals and small letters, letters
// beyond ASCII in both cases, punctuation and bytes that are no UTF-8.
std::vector<std::string> RandomNames(std::size_t count) {
  static const char* const kPieces[] = {
      "a",        "A",        "b",        "B",        "photo ",   "Photo ", "0",    "1",
      "9",        "10",       " ",        "-",        "_",        ".",      "~",    "#",
      "\xC3\xA9", "\xC3\x89", "\xC3\xA4", "\xD0\x96", "\xD0\xB6", "\xFF",   ".gif", ".JPG"};
  std::mt19937 random(16);
  std::uniform_int_distribution<std::size_t> pieces(1, 8);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kPieces) - 1);
  std::vector<std::string> names;
  for (std::size_t i = 0; i < count; ++i) {
    std::string name = "Photo ";
    for (std::size_t k = pieces(random); k > 0; --k) {
      name += kPieces[pick(random)];
    }
    names.push_back(name);
  }
  // Repeats, names that only differ in case, and names that begin each other.
  names.push_back(names[0]);
  names.push_back(names[0]);
  names.push_back("photo a.gif");
  names.push_back("PHOTO A.GIF");
  for (std::size_t k = 1; k <= 120; ++k) {
    names.push_back(std::string(k, 'a'));
  }
  return names;
}

void ExpectSortedLikeTheLocaleComparison(const char* locale) {
#ifdef _WIN32
  // The system's comparison follows the user's locale, not the C runtime's,
  // which may not know the UTF-8 one.
  if (!std::setlocale(LC_ALL, locale))
    GTEST_SKIP() << "no " << locale << " locale";
#else
  ASSERT_TRUE(std::setlocale(LC_ALL, locale));
#endif
  std::vector<std::string> names = RandomNames(3000);
  CatalogList catalog;
  for (const std::string& name : names) {
    catalog.Add(name, SizeFor(name));
  }
  catalog.Sort();
  ASSERT_EQ(catalog.Count(), names.size());
  std::vector<std::string> sorted;
  for (std::size_t i = 0; i < catalog.Count(); ++i) {
    sorted.emplace_back(catalog.NameAt(i));
    EXPECT_EQ(catalog.SizeAt(i), SizeFor(catalog.NameAt(i))) << "a size left its name";
  }
  for (std::size_t i = 1; i < sorted.size(); ++i) {
    const int order = platform::CompareTextLocale(sorted[i - 1], sorted[i]);
    EXPECT_LE(order, 0) << locale << ": \"" << sorted[i - 1] << "\" before \"" << sorted[i] << '"';
    if (order == 0) {
      EXPECT_LE(sorted[i - 1], sorted[i]) << "equal names come in the order of their bytes";
    }
  }
  std::sort(names.begin(), names.end());
  std::vector<std::string> byBytes = sorted;
  std::sort(byBytes.begin(), byBytes.end());
  EXPECT_EQ(byBytes, names) << "every name is kept, once per entry";
  std::setlocale(LC_ALL, "C");
}

TEST(CatalogList, SortsLikeTheLocaleComparisonInTheCLocale) {
  ExpectSortedLikeTheLocaleComparison("C");
}

TEST(CatalogList, SortsLikeTheLocaleComparisonInTheUtf8Locale) {
  ExpectSortedLikeTheLocaleComparison("C.UTF-8");
}

TEST(CatalogList, KeepsRepeatedEntriesWithTheirOwnSizes) {
  CatalogList catalog;
  catalog.Add("b.gif", 1);
  catalog.Add("b.gif", 2);  // the same name once more, another size
  catalog.Add("b.gif", 1);
  catalog.Add("a.gif", 3);
  ASSERT_EQ(catalog.Count(), 4u);
  EXPECT_EQ(catalog.NameAt(1), "b.gif");
  EXPECT_EQ(catalog.SizeAt(1), 2u);
  EXPECT_EQ(catalog.NameAt(2), "b.gif");
  EXPECT_EQ(catalog.SizeAt(2), 1u);
  EXPECT_EQ(catalog.NameBytes(), 10u) << "a name found twice in a row is kept once";
  catalog.Sort();
  EXPECT_EQ(catalog.NameAt(0), "a.gif");
  EXPECT_EQ(catalog.SizeAt(1), 1u) << "equal entries keep the order they were found in";
  EXPECT_EQ(catalog.SizeAt(2), 2u);
  EXPECT_EQ(catalog.SizeAt(3), 1u);
  catalog.Clear();
  EXPECT_TRUE(catalog.Empty());
}

// What the search of one segment alone finds, in directory order.
std::vector<std::string> FoundBy(const std::string& searchPath) {
  std::vector<std::string> found;
  EXPECT_TRUE(platform::FindMatches(
      searchPath, [&](const platform::DirEntry& entry) { found.push_back(entry.name); }));
  return found;
}

TEST(SearchCatalog, EachSegmentAddsItsMatchesInTheOrderItsOwnSearchGives) {
  ScratchDir dir;
  for (int i = 0; i < 40; ++i) {
    dir.write("p" + std::to_string(i * 7 % 40) + (i % 3 ? ".gif" : ".JPG"), std::string(i, 'x'));
  }
  dir.write("sub/in sub.gif", "x");
  const std::string folder = dir.path().string();
  CatalogList catalog;
  catalog.Add("already there", 1);
  EXPECT_TRUE(SearchCatalog(folder,
                            "*.jpg;*.gif;;sub" + std::string(1, SeparatorOf(kNativeStyle)) +
                                "*.gif;p1*;nothing*",
                            catalog)
                  .has_value());

  std::vector<std::string> expected = {"already there"};
  for (const char* segment : {"*.jpg", "*.gif"}) {
    for (const std::string& name : FoundBy(JoinPath(folder, segment))) {
      expected.push_back(name);
    }
  }
  expected.push_back("in sub.gif");
  for (const std::string& name : FoundBy(JoinPath(folder, "p1*"))) {
    expected.push_back(name);
  }

  std::vector<std::string> found;
  for (std::size_t i = 0; i < catalog.Count(); ++i) {
    found.emplace_back(catalog.NameAt(i));
    if (i > 0 && found.back() != "in sub.gif") {
      EXPECT_EQ(catalog.SizeAt(i),
                std::stoul(found.back().substr(1, found.back().find('.') - 1)) * 23 % 40)
          << found.back();
    }
  }
  EXPECT_EQ(found, expected);
}

TEST(SearchCatalog, AMissingFolderAddsNothingAndSaysWhy) {
  ScratchDir dir;
  CatalogList catalog;
  const Expected<void> searched = SearchCatalog(dir.file("none"), "*.gif;*.jpg", catalog);
  EXPECT_TRUE(catalog.Empty());
  ASSERT_FALSE(searched.has_value());
  EXPECT_NE(searched.error().find(dir.file("none")), std::string::npos) << searched.error();
}

}  // namespace
}  // namespace pixdeck
