// Galleries over real pictures: the thumbnails libvips makes of every kind,
// the thumbnail folder kept up to date, the pages and their links.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "catalog/catalog_run.h"
#include "catalog/color_table.h"
#include "catalog/gallery_writer.h"
#include "catalog/page_writer.h"
#include "catalog/picture_head.h"
#include "catalog/readable_color.h"
#include "catalog/thumbnail_store.h"
#include "recording_messages.h"
#include "scratch_dir.h"

namespace pixdeck {
namespace {

namespace fs = std::filesystem;
using test::RecordingMessages;
using test::ScratchDir;

const fs::path kSamples = PIXDECK_PICTURE_SAMPLES;
const fs::path kGallerySamples = kSamples / "gallery";

// Every picture kind the header reader knows, and files that are no picture.
void CopySamples(const fs::path& to) {
  fs::create_directories(to);
  for (const fs::path& from : {kSamples, kGallerySamples}) {
    for (const auto& item : fs::directory_iterator(from)) {
      if (item.is_regular_file() && item.path().extension() != ".sh") {
        fs::copy_file(item.path(), to / item.path().filename(),
                      fs::copy_options::overwrite_existing);
      }
    }
  }
}

std::vector<std::string> FilesIn(const fs::path& dir) {
  std::vector<std::string> names;
  if (!fs::exists(dir)) {
    return names;
  }
  for (const auto& item : fs::directory_iterator(dir)) {
    names.push_back(item.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class CountingThumbnailer : public Thumbnailer {
 public:
  explicit CountingThumbnailer(const Thumbnailer& real) : real_(real) {}
  bool CanMake() const override { return true; }
  std::optional<Thumbnail> Make(const std::string& path, int maxSide) const override {
    ++calls;
    return real_.Make(path, maxSide);
  }
  mutable std::atomic<int> calls{0};

 private:
  const Thumbnailer& real_;
};

CatalogInputs GalleryInputs(const ScratchDir& dir, const std::string& pictures) {
  CatalogInputs inputs;
  inputs.directory = dir.file(pictures);
  inputs.specs = "*.jpg;*.gif;*.png;*.bmp;*.webp";
  inputs.gallery = true;
  return inputs;
}

TEST(Thumbnailer, MakesEveryKindSmallUprightAndKeepsTransparency) {
  const auto thumbnailer = MakeSystemThumbnailer();
  if (!thumbnailer->CanMake()) {
    GTEST_SKIP() << "this build makes no thumbnails";
  }
  const auto make = [&](const fs::path& path, int side) {
    return thumbnailer->Make(path.string(), side);
  };
  for (const char* name : {"baseline.jpg", "progressive.jpg", "gif.gif", "png.png", "bmp3.bmp",
                           "topdown.bmp", "lossy.webp", "lossless.webp", "extended.webp"}) {
    const auto thumbnail = make(kSamples / name, 320);
#ifdef _WIN32
    // WebP is an optional extension of Windows' imaging component (Wine has
    // none): such a picture is then listed without a thumbnail.
    if (!thumbnail && fs::path(name).extension() == ".webp") {
      continue;
    }
#endif
    ASSERT_TRUE(thumbnail) << name;
    EXPECT_EQ(thumbnail->width, 5) << name << ": a small picture is never enlarged";
    EXPECT_EQ(thumbnail->height, 3) << name;
    EXPECT_FALSE(thumbnail->bytes.empty());
  }
  // Turned by 90 degrees by its EXIF orientation.
  const auto turned = make(kSamples / "turned6-le.jpg", 320);
  ASSERT_TRUE(turned);
  EXPECT_EQ(turned->width, 3);
  EXPECT_EQ(turned->height, 5);
  const auto wide = make(kGallerySamples / "turned6-wide.jpg", 16);
  ASSERT_TRUE(wide);
  EXPECT_EQ(wide->width, 8);
  EXPECT_EQ(wide->height, 16);

  const auto photo = make(kGallerySamples / "photo.jpg", 320);
  ASSERT_TRUE(photo);
  EXPECT_EQ(photo->width, 320);
  EXPECT_EQ(photo->height, 240);
  EXPECT_EQ(photo->format, ThumbnailFormat::Jpeg);
  EXPECT_EQ(photo->bytes.substr(0, 3), "\xFF\xD8\xFF");
  const auto progressive = make(kGallerySamples / "progressive.jpg", 100);
  ASSERT_TRUE(progressive);
  EXPECT_EQ(progressive->width, 100);
  EXPECT_EQ(progressive->height, 75);

  const auto alpha = make(kGallerySamples / "alpha.png", 320);
  ASSERT_TRUE(alpha);
  EXPECT_EQ(alpha->format, ThumbnailFormat::Png);
  EXPECT_EQ(alpha->bytes.substr(1, 3), "PNG");
  EXPECT_EQ(alpha->width, 320);
  EXPECT_EQ(alpha->height, 160);

  const auto cmyk = make(kGallerySamples / "cmyk.jpg", 320);
  ASSERT_TRUE(cmyk);
  EXPECT_EQ(cmyk->format, ThumbnailFormat::Jpeg);
  EXPECT_EQ(cmyk->width, 40);
  // The first frame of an animation.
  const auto animated = make(kGallerySamples / "animated.gif", 320);
  ASSERT_TRUE(animated);
  EXPECT_EQ(animated->width, 40);
  EXPECT_EQ(animated->height, 20);

  for (const char* name : {"truncated.jpg", "text.jpg"}) {
    EXPECT_FALSE(make(kGallerySamples / name, 320)) << name;
  }
  EXPECT_FALSE(make(kGallerySamples / "missing.jpg", 320));
  EXPECT_FALSE(make(kGallerySamples, 320)) << "a folder";
}

// The thumbnailer of Windows turns pictures by what the header reader finds.
TEST(PictureHead, TellsAJpegsOrientation) {
  const auto orientationOf = [](const char* name) {
    const std::string bytes = ScratchDir::read((kSamples / name).string());
    return ScanPictureHead(
               std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()))
        .orientation;
  };
  EXPECT_EQ(orientationOf("baseline.jpg"), 1u);
  EXPECT_EQ(orientationOf("upside3.jpg"), 3u);
  EXPECT_EQ(orientationOf("turned5-progressive.jpg"), 5u);
  EXPECT_EQ(orientationOf("turned6-le.jpg"), 6u);
  EXPECT_EQ(orientationOf("turned8-be.jpg"), 8u);
  EXPECT_EQ(orientationOf("png.png"), 1u);
}

TEST(ThumbnailStore, MakesOnlyWhatChangedAndRemovesWhatIsGone) {
  const auto real = MakeSystemThumbnailer();
  if (!real->CanMake()) {
    GTEST_SKIP() << "this build makes no thumbnails";
  }
  const CountingThumbnailer counting(*real);
  ScratchDir dir;
  CopySamples(dir.path() / "p");
  const std::vector<std::string> all = FilesIn(dir.path() / "p");
  std::vector<std::string_view> names(all.begin(), all.end());
  const std::string thumbs = dir.file("p_files");

  ThumbnailRun first = MakeThumbnails(counting, dir.file("p"), names, thumbs, 64);
  EXPECT_TRUE(first.error.empty()) << first.error;
  EXPECT_EQ(first.made, all.size());
  EXPECT_EQ(counting.calls, static_cast<int>(all.size()));
  std::size_t shown = 0;
  std::size_t undecodables = 0;
  for (std::size_t i = 0; i < all.size(); ++i) {
    const ThumbnailInfo& info = first.thumbnails[i];
    EXPECT_FALSE(info.fileName.empty()) << all[i];
    EXPECT_LE(info.width, 64);
    EXPECT_LE(info.height, 64);
    shown += info.Shown() ? 1 : 0;
    bool undecodable = all[i] == "text.jpg" || all[i] == "truncated.jpg";
#ifdef _WIN32
    undecodable = undecodable || (fs::path(all[i]).extension() == ".webp" && !info.Shown());
#endif
    EXPECT_EQ(info.Shown(), !undecodable) << all[i];
    undecodables += undecodable ? 1 : 0;
  }
  EXPECT_EQ(shown, all.size() - undecodables);
  EXPECT_EQ(FilesIn(thumbs).size(), all.size()) << "one file a picture, nothing temporary";

  // Unchanged: nothing is decoded again, and the same files are named.
  counting.calls = 0;
  const ThumbnailRun second = MakeThumbnails(counting, dir.file("p"), names, thumbs, 64);
  EXPECT_EQ(second.made, 0u);
  EXPECT_EQ(counting.calls, 0);
  for (std::size_t i = 0; i < all.size(); ++i) {
    EXPECT_EQ(second.thumbnails[i].fileName, first.thumbnails[i].fileName);
    EXPECT_EQ(second.thumbnails[i].width, first.thumbnails[i].width);
  }

  // One picture changed: exactly that one is made again.
  fs::copy_file(kGallerySamples / "photo.jpg", dir.path() / "p" / "baseline.jpg",
                fs::copy_options::overwrite_existing);
  const ThumbnailRun third = MakeThumbnails(counting, dir.file("p"), names, thumbs, 64);
  EXPECT_EQ(third.made, 1u);
  EXPECT_EQ(counting.calls, 1);
  const auto baseline = std::find(all.begin(), all.end(), "baseline.jpg") - all.begin();
  EXPECT_EQ(third.thumbnails[baseline].width, 64);
  EXPECT_EQ(third.thumbnails[baseline].height, 48);

  // A picture gone and the one that changed: their old files go.
  names.erase(names.begin());
  std::vector<ThumbnailInfo> keep(third.thumbnails.begin() + 1, third.thumbnails.end());
  fs::create_directory(dir.path() / "p_files" / "mine");
  dir.write("p_files/notes.txt", "kept");
  RemoveStaleThumbnails(thumbs, keep);
  EXPECT_EQ(FilesIn(thumbs).size(), all.size() - 1 + 2);
  EXPECT_TRUE(fs::exists(dir.path() / "p_files" / "notes.txt"));
  EXPECT_FALSE(fs::exists(fs::path(thumbs) / first.thumbnails[0].fileName));
  EXPECT_FALSE(fs::exists(fs::path(thumbs) / first.thumbnails[baseline].fileName));
  EXPECT_TRUE(fs::exists(fs::path(thumbs) / third.thumbnails[baseline].fileName));

  // Another size makes them all again.
  counting.calls = 0;
  const ThumbnailRun resized = MakeThumbnails(counting, dir.file("p"), names, thumbs, 32);
  EXPECT_EQ(resized.made, names.size());
}

TEST(ThumbnailStore, StoppingLeavesWholeFilesOnly) {
  const auto real = MakeSystemThumbnailer();
  if (!real->CanMake()) {
    GTEST_SKIP() << "this build makes no thumbnails";
  }
  ScratchDir dir;
  std::vector<std::string> all;
  for (int i = 0; i < 60; ++i) {
    all.push_back("photo" + std::to_string(i) + ".jpg");
    fs::copy_file(kGallerySamples / "photo.jpg", dir.path() / all.back());
  }
  const std::vector<std::string_view> names(all.begin(), all.end());
  const std::string thumbs = dir.file("t");
  std::size_t calls = 0;
  const ThumbnailRun run = MakeThumbnails(
      *real, dir.path().string(), names, thumbs, 320,
      [&](std::size_t done, std::size_t total) {
        EXPECT_EQ(total, all.size());
        EXPECT_LE(done, total);
        ++calls;
        return done < 3;
      },
      2);
  EXPECT_TRUE(run.stopped);
  EXPECT_GE(calls, 1u);
  EXPECT_LT(run.made, all.size());
  // Every file there is a whole thumbnail: no temporary file, none cut short.
  for (const std::string& name : FilesIn(thumbs)) {
    EXPECT_TRUE(std::regex_match(name, std::regex("t[0-9a-f]{16}-320x240\\.jpg"))) << name;
    EXPECT_GT(fs::file_size(fs::path(thumbs) / name), 100u);
  }
  EXPECT_EQ(FilesIn(thumbs).size(), run.made);
}

TEST(ThumbnailStore, FolderBesideThePage) {
  const std::string folder = JoinPath(JoinPath("w", "a.b"), "page");
  EXPECT_EQ(ThumbnailFolderOf(JoinPath("w", "images.htm")), JoinPath("w", "images_files"));
  EXPECT_EQ(ThumbnailFolderOf(folder), folder + "_files");
  EXPECT_EQ(GalleryPageName("images.htm", 0), "images.htm");
  EXPECT_EQ(GalleryPageName("images.htm", 1), "images-2.htm");
  EXPECT_EQ(GalleryPageName("images.htm", 79), "images-80.htm");
  EXPECT_EQ(GalleryPageName("page", 2), "page-3");
  EXPECT_EQ(GalleryPageNumber("images.htm", "images-80.htm"), 80u);
  for (const char* other : {"images.htm", "images-1.htm", "images-02.htm", "images-x.htm",
                            "images-2.html", "image-2.htm", "images-.htm"}) {
    EXPECT_EQ(GalleryPageNumber("images.htm", other), 0u) << other;
  }
}

TEST(ReadableColor, TextReadsOnEveryColourOfTheTable) {
  ColorTable table;
  ASSERT_TRUE(table.LoadFromFile(PIXDECK_SHIPPED_COLOR_FILE));
  ASSERT_FALSE(table.Empty());
  for (const ColorEntry& entry : table.Entries()) {
    const auto color = ParseColorCode(entry.code);
    ASSERT_TRUE(color) << entry.name;
    EXPECT_GE(ContrastRatio(*color, ReadableTextColor(*color)), 4.5) << entry.name;
  }
  // The worst case of all colours, and the known ratios.
  EXPECT_GE(ContrastRatio(Rgb{118, 118, 118}, ReadableTextColor(Rgb{118, 118, 118})), 4.5);
  EXPECT_NEAR(ContrastRatio(Rgb{0, 0, 0}, Rgb{255, 255, 255}), 21.0, 1e-9);
  EXPECT_EQ(ReadableTextColor(Rgb{255, 255, 0}), (Rgb{0, 0, 0}));
  EXPECT_EQ(ReadableTextColor(Rgb{0, 0, 128}), (Rgb{255, 255, 255}));
  EXPECT_EQ(ParseColorCode("fF8000"), (Rgb{255, 128, 0}));
  EXPECT_EQ(ParseColorCode("F80"), (Rgb{255, 136, 0}));
  EXPECT_FALSE(ParseColorCode("12345"));
  EXPECT_FALSE(ParseColorCode("GG0000"));
}

// The link of each picture is the one the plain page gives it.
TEST(GalleryWriter, PictureLinksFollowThePlainPagesRules) {
  const std::vector<std::string> names = {
      "a \"b\" & <c>.gif", "x#1?.gif", "line\nfeed\r\t.gif", "caf\xE9 \xC0\xAE\x7F.gif",
      "caf\xC3\xA9.gif",   "50%.gif",  "back\\slash.gif",    "a:b.gif"};
  for (const bool inScanDir : {true, false}) {
    for (const char* base : {"file:///", "http://example.org/pics"}) {
      PageWriter plain(base, PathStyle::Posix);
      plain.SetPageInScanDir(inScanDir);
      plain.WritePageHeader("/p/#&q", "/p/#&q/*.gif", "", "");
      GalleryLayout layout;
      layout.directory = "/p/#&q";
      layout.title = "/p/#&q/*.gif";
      layout.urlBase = base;
      layout.pageInScanDir = inScanDir;
      layout.pageDir = inScanDir ? "/p/#&q" : "/out put";
      layout.pageNames = {"g a.htm"};
      layout.thumbnailFolder = "g a_files";
      layout.style = PathStyle::Posix;
      std::vector<ThumbnailInfo> thumbs(names.size(), ThumbnailInfo{"t1-2x3.jpg", 2, 3});
      std::vector<GalleryEntry> entries;
      for (std::size_t i = 0; i < names.size(); ++i) {
        entries.push_back(GalleryEntry{names[i], i, &thumbs[i]});
        plain.WritePageEntry(names[i], i);
      }
      layout.pictureCount = entries.size();
      const std::string text = GalleryPageText(layout, 0, entries);
      EXPECT_EQ(text.find('\r'), std::string::npos);
      EXPECT_EQ(text.find("<script"), std::string::npos);
      std::smatch match;
      std::string rest = plain.Text();
      std::string galleryRest = text;
      const std::regex plainSource("<IMG SRC=\"([^\"]*)\"><BR>([^\r]*) \\((\\d+) bytes\\)");
      const std::regex gallerySource(
          "<figure><a href=\"([^\"]*)\"><img src=\"([^\"]*)\" width=\"2\" height=\"3\" "
          "loading=\"lazy\" decoding=\"async\" alt=\"([^\"]*)\"></a><figcaption>([^<]*) "
          "\\((\\d+) bytes\\)</figcaption></figure>\n");
      for (std::size_t i = 0; i < names.size(); ++i) {
        ASSERT_TRUE(std::regex_search(rest, match, plainSource));
        const std::string source = match[1];
        const std::string shownName = match[2];
        rest = match.suffix();
        ASSERT_TRUE(std::regex_search(galleryRest, match, gallerySource)) << names[i];
        // The same link, but a name that would read as a scheme.
        EXPECT_EQ(match[1], names[i] == "a:b.gif" && source == "a:b.gif" ? "./a:b.gif" : source)
            << names[i];
        EXPECT_EQ(match[3], shownName) << names[i];
        EXPECT_EQ(match[4], shownName) << names[i];
        EXPECT_EQ(match[5], std::to_string(i));
        const std::string thumb = match[2];
        if (inScanDir || std::string(base) == "file:///") {
          EXPECT_EQ(thumb, "./g a_files/t1-2x3.jpg");
        } else {
          EXPECT_EQ(thumb, "http://example.org/pics/out put/g a_files/t1-2x3.jpg");
        }
        galleryRest = match.suffix();
      }
      // A web base gives the same base address.
      if (std::string(base) != "file:///") {
        EXPECT_NE(text.find("<base href=\"http://example.org/pics/p/%23&amp;q/\">"),
                  std::string::npos);
      }
    }
  }
}

TEST(GalleryWriter, HeadingBackgroundAndNavigation) {
  GalleryLayout layout;
  layout.directory = "/p/<Holiday>";
  layout.title = "/p/<Holiday>/*.jpg";
  layout.urlBase = "file:///";
  layout.patternUrl = "file:///w/a\"b\\.gif";
  layout.colorCode = "000080";
  layout.pageDir = "/p/<Holiday>";
  layout.pageNames = {"g.htm", "g-2.htm", "g-3.htm"};
  layout.thumbnailFolder = "g_files";
  layout.pictureCount = 7;
  layout.style = PathStyle::Posix;
  const std::vector<GalleryEntry> entries = {{"a.jpg", 1, nullptr}};
  const std::string middle = GalleryPageText(layout, 1, entries);
  EXPECT_TRUE(IsGalleryPage(middle));
  EXPECT_NE(middle.find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_NE(middle.find("name=\"viewport\""), std::string::npos);
  EXPECT_NE(middle.find("<h1>&lt;Holiday&gt;</h1>"), std::string::npos);
  EXPECT_NE(middle.find("(page 2 of 3)</title>"), std::string::npos);
  EXPECT_NE(middle.find("<nav><a href=\"./g.htm\">first</a> <a href=\"./g.htm\" rel=\"prev\">"
                        "previous</a> <span>page 2 of 3</span> <a href=\"./g-3.htm\" "
                        "rel=\"next\">next</a></nav>"),
            std::string::npos);
  EXPECT_NE(middle.find(
                R"x(<body style="background-image:url(&quot;file:///w/a\&quot;b\\.gif&quot;)">)x"),
            std::string::npos);
  EXPECT_NE(middle.find("background-color:#000080;color:#ffffff"), std::string::npos);
  // A picture without a thumbnail is listed all the same.
  EXPECT_NE(middle.find("<a href=\"a.jpg\"><span class=\"none\">no preview</span></a>"
                        "<figcaption>a.jpg (1 bytes)</figcaption>"),
            std::string::npos);
  const std::string last = GalleryPageText(layout, 2, entries);
  EXPECT_NE(last.find("<span>page 3 of 3</span> <span>next</span>"), std::string::npos);
  layout.pageNames.resize(1);
  EXPECT_EQ(GalleryPageText(layout, 0, entries).find("<nav>"), std::string::npos);
  EXPECT_FALSE(IsGalleryPage("<!DOCTYPE html>\n<html><head><title>mine</title>"));
}

TEST(GalleryRun, PagesOfBoundedSizeReplaceAnEarlierLongerGallery) {
  ScratchDir dir;
  CopySamples(dir.path() / "p");
  const std::size_t count = FilesIn(dir.path() / "p").size();
  RecordingMessages messages;
  CatalogInputs inputs = GalleryInputs(dir, "p");
  inputs.galleryPageSize = 3;
  const CatalogResult first = RunCatalog(inputs, messages);
  ASSERT_EQ(first.status, CatalogStatus::Written);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(first.count, count);
  const std::size_t pages = (count + 2) / 3;
  EXPECT_TRUE(fs::exists(dir.path() / "p" / ("images-" + std::to_string(pages) + ".htm")));
  EXPECT_FALSE(fs::exists(dir.path() / "p" / ("images-" + std::to_string(pages + 1) + ".htm")));
  std::size_t figures = 0;
  for (std::size_t page = 0; page < pages; ++page) {
    const std::string text = ScratchDir::read(dir.file("p/" + GalleryPageName("images.htm", page)));
    EXPECT_NE(text.find("page " + std::to_string(page + 1) + " of " + std::to_string(pages)),
              std::string::npos);
    for (std::size_t at = text.find("<figure>"); at != std::string::npos;
         at = text.find("<figure>", at + 1)) {
      ++figures;
    }
  }
  EXPECT_EQ(figures, count);

  // Fewer pages now: the later pages of the earlier run go, a file of the
  // user's that only looks like one stays.
  dir.write("p/images-90.htm", "<html>mine</html>");
  inputs.galleryPageSize = 500;
  const CatalogResult second = RunCatalog(inputs, messages);
  ASSERT_EQ(second.status, CatalogStatus::Written);
  EXPECT_EQ(second.thumbnailsMade, 0u) << "nothing changed";
  EXPECT_FALSE(fs::exists(dir.path() / "p" / "images-2.htm"));
  EXPECT_TRUE(fs::exists(dir.path() / "p" / "images-90.htm"));
  EXPECT_EQ(second.count, count);
}

TEST(GalleryRun, StoppingKeepsTheEarlierPages) {
  if (!MakeSystemThumbnailer()->CanMake()) {
    GTEST_SKIP() << "this build makes no thumbnails, so there is nothing to stop";
  }
  ScratchDir dir;
  CopySamples(dir.path() / "p");
  RecordingMessages messages;
  CatalogInputs inputs = GalleryInputs(dir, "p");
  inputs.thumbnailSize = 100;
  ASSERT_EQ(RunCatalog(inputs, messages).status, CatalogStatus::Written);
  const std::string before = ScratchDir::read(dir.file("p/images.htm"));
  const std::vector<std::string> thumbsBefore = FilesIn(dir.path() / "p" / "images_files");

  inputs.thumbnailSize = 50;  // every thumbnail is to be made again
  inputs.thumbnailProgress = [](std::size_t, std::size_t) { return false; };
  const CatalogResult stopped = RunCatalog(inputs, messages);
  EXPECT_EQ(stopped.status, CatalogStatus::Stopped);
  EXPECT_EQ(ScratchDir::read(dir.file("p/images.htm")), before);
  const std::vector<std::string> thumbsAfter = FilesIn(dir.path() / "p" / "images_files");
  for (const std::string& name : thumbsBefore) {
    EXPECT_TRUE(std::binary_search(thumbsAfter.begin(), thumbsAfter.end(), name)) << name;
  }
  for (const std::string& name : FilesIn(dir.path() / "p")) {
    EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST(GalleryRun, PageElsewhereKeepsItsThumbnailsBesideIt) {
  if (!MakeSystemThumbnailer()->CanMake()) {
    GTEST_SKIP() << "this build makes no thumbnails";
  }
  ScratchDir dir;
  CopySamples(dir.path() / "p");
  fs::create_directory(dir.path() / "out");
  RecordingMessages messages;
  CatalogInputs inputs = GalleryInputs(dir, "p");
  inputs.outputName = dir.file("out/g.htm");
  ASSERT_EQ(RunCatalog(inputs, messages).status, CatalogStatus::Written);
  EXPECT_TRUE(fs::exists(dir.path() / "out" / "g_files"));
  EXPECT_FALSE(fs::exists(dir.path() / "p" / "images_files"));
  const std::string text = ScratchDir::read(dir.file("out/g.htm"));
#ifndef _WIN32
  EXPECT_NE(text.find("<a href=\"file://" + dir.file("p/photo.jpg") + "\">"), std::string::npos);
#endif
  EXPECT_NE(text.find("<img src=\"./g_files/t"), std::string::npos) << text;
}

TEST(ThumbnailProgressTextTest, SaysHowManyOfHowMany) {
  EXPECT_EQ(ThumbnailProgressText(3, 80), "Making thumbnails: 3 of 80");
}

}  // namespace
}  // namespace pixdeck
