// Whole pages of a folder that mixes every kind of name, compared byte for
// byte with pages kept in tests/catalog/data. A change to the search, sort or
// writer that alters a single byte of a page shows here. When a page differs,
// the page written now is left beside the test's temporary files for review.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <string>

#include "catalog/catalog_run.h"
#include "recording_messages.h"
#include "scratch_dir.h"

namespace pixdeck {
namespace {

namespace fs = std::filesystem;
using test::RecordingMessages;
using test::ScratchDir;

#ifndef _WIN32  // most of these names cannot exist on Windows

constexpr const char* kFolderMark = "@FOLDER@";

// Sets a locale for one test and puts "C" back afterwards.
class LocaleScope {
 public:
  explicit LocaleScope(const char* name) : ok_(std::setlocale(LC_ALL, name) != nullptr) {}
  ~LocaleScope() { std::setlocale(LC_ALL, "C"); }
  bool ok() const { return ok_; }

 private:
  bool ok_;
};

// Plain and mixed-case ASCII names, names with characters that HTML or URLs
// give a meaning, UTF-8 beyond ASCII, bytes that are no UTF-8, a control
// character, hidden files, a symbolic link and files that no pattern lists.
// No two names fold to the same text: such names may come in either order.
void FillMixedFolder(const ScratchDir& dir) {
  int size = 0;
  const auto add = [&](const std::string& name) { dir.write(name, std::string(++size, 'x')); };
  for (const char* name : {"b.GIF",
                           "A.jpg",
                           "c.gif",
                           "Zed.JPG",
                           "photo 1.gif",
                           "photo 10.gif",
                           "photo 2.Gif",
                           "Photo 3.jpg",
                           "a_b.gif",
                           "a-b.gif",
                           "a b.gif",
                           "~x.gif",
                           "#1 100%.gif",
                           "rock&roll.gif",
                           "say \"cheese\".jpg",
                           "<b>.gif",
                           "what?.jpg",
                           "back\\slash.gif",
                           "star*.gif",
                           "a;b.jpg",
                           ".hidden.gif",
                           "UPPER CASE.GIF",
                           "x.gif.bak",
                           "d.png",
                           "e.txt",
                           "noext",
                           "caf\xC3\xA9.jpg",
                           "\xC3\x84rger.gif",
                           "\xC3\xA4rgerlich.gif",
                           "\xE6\x97\xA5\xE6\x9C\xAC.jpg",
                           "\xD0\x96\xD1\x83\xD0\xBA.gif",
                           "\xCE\xA9mega.jpg",
                           "\xF0\x9F\x98\x80 smile.gif",
                           "bad \xFF\xFE.gif",
                           "half \xC3.jpg",
                           "tab\there.gif",
                           "z.gif"}) {
    add(name);
  }
  ASSERT_EQ(::symlink("c.gif", dir.file("link to c.gif").c_str()), 0);
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string WithFolderMarked(std::string text, const std::string& folder) {
  for (std::size_t at = text.find(folder); at != std::string::npos;
       at = text.find(folder, at + std::char_traits<char>::length(kFolderMark))) {
    text.replace(at, folder.size(), kFolderMark);
  }
  return text;
}

// Runs the catalog and compares the page, with the folder's path replaced by
// a mark, to the kept sample.
void ExpectSamplePage(const CatalogInputs& inputs, const std::string& sample) {
  RecordingMessages messages;
  const CatalogResult result = RunCatalog(inputs, messages);
  ASSERT_EQ(result.status, CatalogStatus::Written);
  const std::string page = WithFolderMarked(ScratchDir::read(result.pagePath), inputs.directory);
  const fs::path expectedPath = fs::path(PIXDECK_PAGE_SAMPLES) / sample;
  const std::string expected = ReadFile(expectedPath);
  if (page != expected) {
    const fs::path actualPath = fs::path(::testing::TempDir()) / (sample + ".actual");
    std::ofstream(actualPath, std::ios::binary) << page;
    std::size_t at = 0;
    while (at < page.size() && at < expected.size() && page[at] == expected[at]) {
      ++at;
    }
    ADD_FAILURE() << sample << " differs from the kept page from byte " << at
                  << "; the page now is in " << actualPath << " (" << page.size() << " bytes, "
                  << expected.size() << " kept)";
  }
}

TEST(PageSamples, MixedFolderPageBesideThePictures) {
  LocaleScope locale("C.UTF-8");
  ASSERT_TRUE(locale.ok());
  ScratchDir dir;
  FillMixedFolder(dir);
  CatalogInputs inputs;
  inputs.directory = dir.path().string();
  inputs.specs = "*.gif;*.jpg;?.GIF;*.GIF; *.jpg;;*e*";
  inputs.pattern = "back ground.gif";
  ColorTable colors;
  colors.AddFromText("White=FFFFFF\n");
  inputs.colorName = "WHITE";
  inputs.colors = &colors;
  ExpectSamplePage(inputs, "mixed_in_folder.htm");
}

TEST(PageSamples, MixedFolderPageElsewhere) {
  LocaleScope locale("C.UTF-8");
  ASSERT_TRUE(locale.ok());
  ScratchDir dir;
  FillMixedFolder(dir);
  CatalogInputs inputs;
  inputs.directory = dir.path().string();
  // Patterns that match no folder: a folder's size depends on the file system.
  inputs.specs = "*a*;*.jpg;no*";
  ScratchDir out;
  inputs.outputName = out.file("page.htm");
  inputs.pattern = dir.file("back.gif");
  ExpectSamplePage(inputs, "mixed_elsewhere.htm");
}

TEST(PageSamples, MixedFolderUnderAWebBase) {
  LocaleScope locale("C.UTF-8");
  ASSERT_TRUE(locale.ok());
  ScratchDir dir;
  FillMixedFolder(dir);
  CatalogInputs inputs;
  inputs.directory = dir.path().string();
  inputs.specs = "*.jpg;*.gif";
  inputs.urlBase = "http://www.example.org/pics/";
  ExpectSamplePage(inputs, "mixed_web_base.htm");
}

#endif

}  // namespace
}  // namespace pixdeck
