#include "catalog/catalog_run.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif
#include <sys/stat.h>

#include <algorithm>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "catalog/sort_key.h"
#include "file_modes.h"
#include "page_lines.h"
#include "platform/collate.h"
#include "recording_messages.h"
#include "scratch_dir.h"
#include "text/utf8.h"
#include "util/temp_files.h"

namespace pixdeck {
namespace {

namespace fs = std::filesystem;
using test::kFootLines;
using test::kHeadLines;
using test::PageLines;
using test::RecordingMessages;
using test::ScratchDir;

std::string Entry(const std::string& src, const std::string& text, std::uint64_t size) {
  return "<IMG SRC=\"" + src + "\"><BR>" + text + " (" + std::to_string(size) + " bytes)<P>";
}

// A name's text in the isolate that keeps its blanks.
std::string Isolated(const std::string& text) {
  return "<BDI STYLE=\"white-space:pre-wrap\">" + text + "</BDI>";
}

// The entry lines of a written page.
std::vector<std::string> EntriesOf(const std::string& pagePath) {
  const auto lines = PageLines(ScratchDir::read(pagePath));
  if (lines.size() < kHeadLines + kFootLines) {
    ADD_FAILURE() << "page too short: " << lines.size() << " lines";
    return {};
  }
  return {lines.begin() + kHeadLines, lines.end() - kFootLines};
}

std::vector<std::string> FilesIn(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& item : fs::directory_iterator(dir)) {
    names.push_back(item.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The folder as the page's file URL and web path write it on this system.
std::string FolderFileUrl(const ScratchDir& dir) {
#ifdef _WIN32
  std::string path = dir.path().string();
  path[1] = '|';  // C:\x becomes C|\x
  return "file:///" + path + "\\";
#else
  return "file://" + dir.path().string() + "/";
#endif
}

std::string FolderWebPath(const ScratchDir& dir) {
#ifdef _WIN32
  std::string path = dir.path().string().substr(2);  // without the drive
  std::replace(path.begin(), path.end(), '\\', '/');
  return path + "/";
#else
  return dir.path().string() + "/";
#endif
}

CatalogInputs InputsFor(const ScratchDir& dir, std::string specs = kDefaultSpecs) {
  CatalogInputs inputs;
  inputs.directory = dir.path().string();
  inputs.specs = std::move(specs);
  return inputs;
}

// Points the temporary directory elsewhere for one test.
class TempDirOverride {
 public:
  explicit TempDirOverride(const std::string& dir) {
    if (const char* old = std::getenv(kName)) {
      old_ = old;
      hadOld_ = true;
    }
    Set(dir.c_str());
  }
  ~TempDirOverride() { Set(hadOld_ ? old_.c_str() : nullptr); }

 private:
#ifdef _WIN32
  static constexpr const char* kName = "TMP";  // GetTempPath reads it first
  static void Set(const char* value) {
    _putenv_s(kName, value ? value : "");
  }
#else
  static constexpr const char* kName = "TMPDIR";
  static void Set(const char* value) {
    if (value) {
      setenv(kName, value, 1);
    } else {
      unsetenv(kName);
    }
  }
#endif
  std::string old_;
  bool hadOld_ = false;
};

#ifndef _WIN32
// Makes every write beyond maxBytes fail (EFBIG) while it lives.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t maxBytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit limit = old_;
    limit.rlim_cur = maxBytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }

 private:
  rlimit old_{};
};
#endif

TEST(CatalogRun, SortsTheMatchesOfAllSegmentsTogetherIgnoringCase) {
  ScratchDir dir;
  dir.write("b.GIF", "bb");
  dir.write("A.jpg", "a");
  dir.write("c.gif", "ccc");
  dir.write("d.png", "dddd");
  dir.write("e.Jpg", "");
  RecordingMessages messages;
  const CatalogResult result = RunCatalog(InputsFor(dir), messages);

  ASSERT_EQ(result.status, CatalogStatus::Written);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(result.count, 4u);
  EXPECT_EQ(result.pagePath, dir.file("images.htm"));
  EXPECT_EQ(result.outputName, "images.htm");
  EXPECT_FALSE(result.temporaryName);
  EXPECT_EQ(EntriesOf(result.pagePath),
            (std::vector<std::string>{Entry("A.jpg", "A.jpg", 1), Entry("b.GIF", "b.GIF", 2),
                                      Entry("c.gif", "c.gif", 3), Entry("e.Jpg", "e.Jpg", 0)}));
  const auto lines = PageLines(ScratchDir::read(result.pagePath));
  EXPECT_EQ(lines[3],
            "<TITLE>Images: " + JoinPath(dir.path().string(), "*.gif;*.jpg") + "</TITLE>");
  EXPECT_EQ(lines[5], "<BODY>");
}

TEST(CatalogRun, ListsAFileOnceForEverySegmentThatMatchesIt) {
  ScratchDir dir;
  dir.write("a.gif", "1");
  dir.write("B.GIF", "22");
  RecordingMessages messages;
  const CatalogResult result = RunCatalog(InputsFor(dir, "*.gif;*.GIF"), messages);
  ASSERT_EQ(result.status, CatalogStatus::Written);
  EXPECT_EQ(result.count, 4u);
  EXPECT_EQ(EntriesOf(result.pagePath),
            (std::vector<std::string>{Entry("a.gif", "a.gif", 1), Entry("a.gif", "a.gif", 1),
                                      Entry("B.GIF", "B.GIF", 2), Entry("B.GIF", "B.GIF", 2)}));
}

TEST(CatalogRun, ListsAMatchingSubdirectoryLikeAPicture) {
  ScratchDir dir;
  dir.write("old.gif/inside.gif", "x");
#ifdef _WIN32
  const std::uint64_t folderSize = 0;  // the system's search gives folders no size
#else
  struct stat info {};
  ASSERT_EQ(lstat(dir.file("old.gif").c_str(), &info), 0);
  const auto folderSize = static_cast<std::uint64_t>(info.st_size);
#endif
  RecordingMessages messages;
  const CatalogResult result = RunCatalog(InputsFor(dir, "*.gif"), messages);
  ASSERT_EQ(result.status, CatalogStatus::Written);
  EXPECT_EQ(EntriesOf(result.pagePath),
            (std::vector<std::string>{Entry("old.gif", "old.gif", folderSize)}));
}

TEST(CatalogRun, SegmentsAreTakenAsTypedAndEmptyOnesAddNothing) {
  ScratchDir dir;
  dir.write("a.gif", "1");
  dir.write("b.jpg", "2");
  dir.write(" c.jpg", "3");
  RecordingMessages messages;
  const CatalogResult blank = RunCatalog(InputsFor(dir, "*.gif; *.jpg"), messages);
  EXPECT_EQ(EntriesOf(blank.pagePath),
            (std::vector<std::string>{Entry("%20c.jpg", Isolated(" c.jpg"), 1),
                                      Entry("a.gif", "a.gif", 1)}));
  const CatalogResult trailing = RunCatalog(InputsFor(dir, ";*.gif;;"), messages);
  EXPECT_EQ(trailing.count, 1u);
  EXPECT_TRUE(messages.shown.empty());
}

TEST(CatalogRun, AwkwardNamesLoadAndShowAsTheyAre) {
  ScratchDir dir;
  dir.write("my holiday.jpg", "1");
  dir.write("rock&roll.gif", "22");
  dir.write("#1 100%.gif", "4444");
  dir.write("caf\xC3\xA9 \xE6\x97\xA5.jpg", "55555");
#ifndef _WIN32  // names that Windows does not allow
  dir.write("say \"cheese\".gif", "333");
  dir.write("<b>.gif", "6");
#endif
  RecordingMessages messages;
  const CatalogResult result = RunCatalog(InputsFor(dir), messages);
  ASSERT_EQ(result.status, CatalogStatus::Written);
  EXPECT_EQ(EntriesOf(result.pagePath),
            (std::vector<std::string>{
                Entry("%231 100%25.gif", "#1 100%.gif", 4),
#ifndef _WIN32
                Entry("&lt;b&gt;.gif", "&lt;b&gt;.gif", 1),
#endif
                Entry("caf\xC3\xA9 \xE6\x97\xA5.jpg", "caf\xC3\xA9 \xE6\x97\xA5.jpg", 5),
                Entry("my holiday.jpg", "my holiday.jpg", 1),
                Entry("rock&amp;roll.gif", "rock&amp;roll.gif", 2),
#ifndef _WIN32
                Entry("say &quot;cheese&quot;.gif", "say &quot;cheese&quot;.gif", 3),
#endif
            }));
}

#ifndef _WIN32  // names and links that only POSIX folders hold
TEST(CatalogRun, ANamesStarIsNoWildcard) {
  ScratchDir dir;
  dir.write("*star.gif", "12345");
  dir.write("a*b.gif", "1");
  dir.write("plain.jpg", "22");
  RecordingMessages messages;
  for (const char* specs : {"*", "*.gif", "*.*", "*star.gif"}) {
    const CatalogResult result = RunCatalog(InputsFor(dir, specs), messages);
    ASSERT_EQ(result.status, CatalogStatus::Written) << specs;
    const auto entries = EntriesOf(result.pagePath);
    EXPECT_NE(std::find(entries.begin(), entries.end(), Entry("*star.gif", "*star.gif", 5)),
              entries.end())
        << specs;
    ASSERT_TRUE(fs::remove(result.pagePath));
  }
  const CatalogResult a = RunCatalog(InputsFor(dir, "a*.gif"), messages);
  ASSERT_EQ(a.status, CatalogStatus::Written);
  EXPECT_EQ(EntriesOf(a.pagePath), std::vector<std::string>{Entry("a*b.gif", "a*b.gif", 1)});
  EXPECT_TRUE(messages.shown.empty());
}

TEST(CatalogRun, ALinkShowsItsTargetsSizeAndADanglingOneIsStillListed) {
  ScratchDir dir;
  dir.write("real.gif", "12345");
  dir.write("folder/inside.txt", "x");
  fs::create_symlink("real.gif", dir.path() / "link.gif");
  fs::create_symlink("no such picture", dir.path() / "dangling.gif");
  fs::create_symlink("folder", dir.path() / "folder.gif");
  struct stat folder {};
  ASSERT_EQ(stat(dir.file("folder").c_str(), &folder), 0);
  RecordingMessages messages;
  const CatalogResult result = RunCatalog(InputsFor(dir, "*.gif"), messages);
  ASSERT_EQ(result.status, CatalogStatus::Written);
  EXPECT_EQ(EntriesOf(result.pagePath),
            (std::vector<std::string>{
                Entry("dangling.gif", "dangling.gif", std::string("no such picture").size()),
                Entry("folder.gif", "folder.gif", static_cast<std::uint64_t>(folder.st_size)),
                Entry("link.gif", "link.gif", 5), Entry("real.gif", "real.gif", 5)}));
}

TEST(CatalogRun, NamesThatAreNotUtf8LoadByTheirBytesAndShowAStandIn) {
  ScratchDir dir;
  dir.write("caf\xE9.gif", "123");
  dir.write("caf\xC3\xA9.gif", "4444");
  dir.write("x\xC0\xAEgif", "55555");       // an overlong "." is no dot
  dir.write("\xE0\x80\xAA.gif", "666666");  // nor is an overlong "*" a star
  RecordingMessages messages;
  const CatalogResult result = RunCatalog(InputsFor(dir, "*.gif"), messages);
  ASSERT_EQ(result.status, CatalogStatus::Written);
  auto entries = EntriesOf(result.pagePath);
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{
                         Entry("%E0%80%AA.gif", "\uFFFD\uFFFD\uFFFD.gif", 6),
                         Entry("caf%E9.gif", "caf\uFFFD.gif", 3),
                         Entry("caf\xC3\xA9.gif", "caf\xC3\xA9.gif", 4),
                     }));
  const std::string page = ScratchDir::read(result.pagePath);
  EXPECT_EQ(EncodeUtf8(DecodeUtf8(page)), page);
  for (const char32_t c : DecodeUtf8(page)) {
    ASSERT_FALSE(IsEscapedByte(c)) << "the page is not valid UTF-8";
  }
  const CatalogResult star = RunCatalog(InputsFor(dir, "\xE0\x80\xAA"), messages);
  EXPECT_EQ(star.status, CatalogStatus::NoFiles) << "an overlong \"*\" in the pattern";
}

TEST(CatalogRun, ControlCharactersInNamesKeepOneLinePerEntry) {
  ScratchDir dir;
  dir.write("line\nfeed.gif", "1");
  dir.write("carriage\rreturn.gif", "22");
  dir.write(
      "tab\tand\x1B"
      "escape.gif",
      "333");
  dir.write("\n.gif", "4444");
  RecordingMessages messages;
  const CatalogResult result = RunCatalog(InputsFor(dir, "*.gif"), messages);
  ASSERT_EQ(result.status, CatalogStatus::Written);
  const std::string page = ScratchDir::read(result.pagePath);
  const auto lines = PageLines(page);
  ASSERT_EQ(lines.size(), kHeadLines + 4 + kFootLines);
  for (const std::string& line : lines) {
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
  }
  auto entries = EntriesOf(result.pagePath);
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{
                         Entry("%0A.gif", "\u240A.gif", 4),
                         Entry("carriage%0Dreturn.gif", "carriage\u240Dreturn.gif", 2),
                         Entry("line%0Afeed.gif",
                               "line\u240A"
                               "feed.gif",
                               1),
                         Entry("tab%09and%1Bescape.gif",
                               "tab\u2409and\u241B"
                               "escape.gif",
                               3),
                     }));
}

TEST(CatalogRun, BlanksAtEitherEndOfANameAreKeptInItsUrlAndShown) {
  ScratchDir dir;
  dir.write(" c.jpg", "1");
  dir.write("d.jpg ", "22");
  dir.write("  e  .jpg", "333");
  RecordingMessages messages;
  const CatalogResult result = RunCatalog(InputsFor(dir, "*.jpg*"), messages);
  ASSERT_EQ(result.status, CatalogStatus::Written);
  auto entries = EntriesOf(result.pagePath);
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{Entry("%20%20e  .jpg", Isolated("  e  .jpg"), 3),
                                               Entry("%20c.jpg", Isolated(" c.jpg"), 1),
                                               Entry("d.jpg%20", Isolated("d.jpg "), 2)}));
}

TEST(CatalogRun, ALongestPageNameIsWritten) {
  ScratchDir dir;
  dir.write("a.gif", "1");
  CatalogInputs inputs = InputsFor(dir);
  inputs.outputName = std::string(251, 'n') + ".htm";
  RecordingMessages messages;
  const CatalogResult result = RunCatalog(inputs, messages);
  ASSERT_EQ(result.status, CatalogStatus::Written) << messages.shown.at(0).text;
  EXPECT_EQ(EntriesOf(result.pagePath), std::vector<std::string>{Entry("a.gif", "a.gif", 1)});
  EXPECT_EQ(FilesIn(dir.path()), (std::vector<std::string>{"a.gif", inputs.outputName}));
}

TEST(CatalogRun, AReadOnlyPageIsNotReplacedAndALinkedPageStaysALink) {
  ScratchDir dir;
  ScratchDir site;
  dir.write("a.gif", "1");
  const std::string locked = dir.write("locked.htm", "the user's own page");
  ASSERT_EQ(chmod(locked.c_str(), 0444), 0);
  CatalogInputs inputs = InputsFor(dir);
  inputs.outputName = "locked.htm";
  RecordingMessages messages;
  const CatalogResult refused = RunCatalog(inputs, messages);
  EXPECT_EQ(refused.status, CatalogStatus::WriteFailed);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
  EXPECT_NE(messages.shown[0].text.find(locked), std::string::npos) << messages.shown[0].text;
  EXPECT_EQ(ScratchDir::read(locked), "the user's own page");

  const std::string published = site.write("published.htm", "old");
  fs::create_symlink(published, dir.path() / "images.htm");
  inputs.outputName = "images.htm";
  const CatalogResult linked = RunCatalog(inputs, messages);
  ASSERT_EQ(linked.status, CatalogStatus::Written);
  EXPECT_TRUE(fs::is_symlink(dir.path() / "images.htm"));
  EXPECT_EQ(EntriesOf(published), std::vector<std::string>{Entry("a.gif", "a.gif", 1)});
  EXPECT_EQ(FilesIn(site.path()), std::vector<std::string>{"published.htm"});
}
#endif

TEST(CatalogRun, NothingFoundIsReportedAndNothingWritten) {
  ScratchDir dir;
  dir.write("a.png", "1");
  RecordingMessages messages;
  CatalogInputs inputs = InputsFor(dir);
  inputs.outputName = "";
  const CatalogResult result = RunCatalog(inputs, messages);
  EXPECT_EQ(result.status, CatalogStatus::NoFiles);
  EXPECT_EQ(result.count, 0u);
  EXPECT_EQ(result.outputName, "");
  EXPECT_FALSE(result.temporaryName);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "No files found!");
  EXPECT_EQ(messages.shown[0].kind, MessageKind::Information);
  EXPECT_EQ(messages.defaultBeeps, 1);
  EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"a.png"});
}

// "No files found!" is for a folder that was read: one that is gone says so.
TEST(CatalogRun, AFolderThatIsGoneIsReportedWithTheSystemsReason) {
  ScratchDir dir;
  RecordingMessages messages;
  CatalogInputs inputs = InputsFor(dir);
  inputs.directory = dir.file("gone");
  const CatalogResult result = RunCatalog(inputs, messages);
  EXPECT_EQ(result.status, CatalogStatus::Unreadable);
  ASSERT_EQ(messages.shown.size(), 1u);
#ifdef _WIN32
  EXPECT_EQ(messages.shown[0].text.rfind("Cannot read folder " + dir.file("gone"), 0), 0u);
#else
  EXPECT_EQ(messages.shown[0].text,
            "Cannot read folder " + dir.file("gone") + ": No such file or directory");
#endif
  EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
  EXPECT_TRUE(FilesIn(dir.path()).empty());
}

TEST(CatalogRun, EmptySpecificationsDoNothing) {
  ScratchDir dir;
  dir.write("a.gif", "1");
  RecordingMessages messages;
  const CatalogResult result = RunCatalog(InputsFor(dir, ""), messages);
  EXPECT_EQ(result.status, CatalogStatus::NoSpecs);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(messages.defaultBeeps, 0);
  EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"a.gif"});
}

TEST(CatalogRun, PageElsewhereReferencesPicturesByFileUrl) {
  ScratchDir dir;
  ScratchDir out;
  dir.write("a.gif", "1");
  dir.write("back.gif", "22");
  ColorTable colors;
  colors.AddFromText("White=FFFFFF\n");
  CatalogInputs inputs = InputsFor(dir, "a.gif");
  inputs.outputName = out.file("x.htm");
  inputs.pattern = dir.file("back.gif");
  inputs.colorName = "white";
  inputs.colors = &colors;
  RecordingMessages messages;
  const CatalogResult result = RunCatalog(inputs, messages);
  ASSERT_EQ(result.status, CatalogStatus::Written);
  EXPECT_EQ(result.pagePath, out.file("x.htm"));
  const std::string folderUrl = FolderFileUrl(dir);
  EXPECT_EQ(EntriesOf(result.pagePath),
            std::vector<std::string>{Entry(folderUrl + "a.gif", "a.gif", 1)});
  EXPECT_EQ(PageLines(ScratchDir::read(result.pagePath))[5],
            "<BODY BACKGROUND=\"" + folderUrl + "back.gif\" BGCOLOR=#FFFFFF>");
}

TEST(CatalogRun, WebBaseWritesTheFoldersAddressAndBareNames) {
  ScratchDir dir;
  dir.write("a.gif", "1");
  CatalogInputs inputs = InputsFor(dir);
  inputs.urlBase = "http://www.example.org/pics";
  RecordingMessages messages;
  const CatalogResult result = RunCatalog(inputs, messages);
  ASSERT_EQ(result.status, CatalogStatus::Written);
  const auto lines = PageLines(ScratchDir::read(result.pagePath));
  EXPECT_EQ(lines[4], "<BASE HREF=\"http://www.example.org/pics" + FolderWebPath(dir) + "\">");
  EXPECT_EQ(lines[12], Entry("a.gif", "a.gif", 1));
}

TEST(CatalogRun, FilesOfTwoGibibytesAndMoreShowTheirTrueSize) {
  ScratchDir dir;
  fs::resize_file(dir.write("big.jpg", ""), 0x80000000ULL);
  fs::resize_file(dir.write("huge.jpg", ""), 0x140000000ULL);
  RecordingMessages messages;
  const CatalogResult result = RunCatalog(InputsFor(dir), messages);
  ASSERT_EQ(result.status, CatalogStatus::Written);
  EXPECT_EQ(EntriesOf(result.pagePath),
            (std::vector<std::string>{Entry("big.jpg", "big.jpg", 2147483648ULL),
                                      Entry("huge.jpg", "huge.jpg", 5368709120ULL)}));
}

TEST(CatalogRun, EmptyOutputNameWritesATemporaryPageThatIsDeletedAtExit) {
  ScratchDir dir;
  ScratchDir temp;
  TempDirOverride tmpdir(temp.path().string());
  dir.write("a.gif", "1");
  CatalogInputs inputs = InputsFor(dir);
  inputs.outputName = "";
  RecordingMessages messages;
  const CatalogResult result = RunCatalog(inputs, messages);

  ASSERT_EQ(result.status, CatalogStatus::Written);
  EXPECT_TRUE(result.temporaryName);
  EXPECT_EQ(result.pagePath, result.outputName);
  EXPECT_EQ(fs::path(result.outputName).parent_path(), temp.path());
  const std::string name = fs::path(result.outputName).filename().string();
  EXPECT_EQ(name.substr(0, 3), "pdk");
  EXPECT_EQ(fs::path(name).extension(), ".htm");
  // The empty .tmp file that reserved the name is gone; only the page is left.
  EXPECT_EQ(FilesIn(temp.path()), std::vector<std::string>{name});
  EXPECT_EQ(EntriesOf(result.pagePath),
            std::vector<std::string>{Entry(FolderFileUrl(dir) + "a.gif", "a.gif", 1)});
  const auto& registered = TempFiles().Entries();
  EXPECT_NE(std::find(registered.begin(), registered.end(), result.outputName), registered.end());
  EXPECT_TRUE(DeleteTempFiles());
  EXPECT_FALSE(fs::exists(result.outputName));
}

TEST(CatalogRun, NoTemporaryNameStopsTheRunWithAReport) {
  ScratchDir dir;
  dir.write("a.gif", "1");
  TempDirOverride tmpdir(dir.file("no such folder"));
  CatalogInputs inputs = InputsFor(dir);
  inputs.outputName = "";
  const std::size_t registeredBefore = TempFiles().Entries().size();
  RecordingMessages messages;
  const CatalogResult result = RunCatalog(inputs, messages);
  EXPECT_EQ(result.status, CatalogStatus::NoTempName);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
  EXPECT_EQ(messages.warningBeeps, 1);
  EXPECT_EQ(TempFiles().Entries().size(), registeredBefore);
  EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"a.gif"});  // no ".htm" page
}

#ifndef _WIN32  // no file size limit to make writes fail
TEST(CatalogRun, AFailedWriteKeepsTheEarlierPageAndLeavesNoHalfPage) {
  ScratchDir dir;
  for (int i = 0; i < 200; ++i) {
    dir.write("picture number " + std::to_string(i) + ".gif", "x");
  }
  const std::string page = dir.write("images.htm", "the earlier page");
  RecordingMessages messages;
  CatalogResult result;
  {
    FileSizeLimit limit(4096);
    result = RunCatalog(InputsFor(dir), messages);
  }
  EXPECT_EQ(result.status, CatalogStatus::WriteFailed);
  EXPECT_EQ(ScratchDir::read(page), "the earlier page");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
  EXPECT_NE(messages.shown[0].text.find(page), std::string::npos) << messages.shown[0].text;
  EXPECT_EQ(FilesIn(dir.path()).size(), 201u);  // the pictures and the old page only
}

TEST(CatalogRun, ARewrittenPageKeepsItsPermissions) {
  test::ScopedUmask mask(022);  // a new page would get 0644
  ScratchDir dir;
  dir.write("a.gif", "x");
  const std::string page = dir.write("images.htm", "the earlier page");
  ASSERT_EQ(::chmod(page.c_str(), 0640), 0);
  RecordingMessages messages;
  EXPECT_EQ(RunCatalog(InputsFor(dir), messages).status, CatalogStatus::Written);
  EXPECT_NE(ScratchDir::read(page).find("a.gif"), std::string::npos);
  EXPECT_EQ(test::ModeOf(page), 0640);
}

TEST(CatalogRun, ATemporaryPageThatWasNotWrittenIsNotRegistered) {
  ScratchDir dir;
  ScratchDir temp;
  TempDirOverride tmpdir(temp.path().string());
  for (int i = 0; i < 200; ++i) {
    dir.write("picture number " + std::to_string(i) + ".gif", "x");
  }
  CatalogInputs inputs = InputsFor(dir);
  inputs.outputName = "";
  const std::size_t registeredBefore = TempFiles().Entries().size();
  RecordingMessages messages;
  CatalogResult result;
  {
    FileSizeLimit limit(4096);
    result = RunCatalog(inputs, messages);
  }
  EXPECT_EQ(result.status, CatalogStatus::WriteFailed);
  EXPECT_EQ(TempFiles().Entries().size(), registeredBefore);
  EXPECT_TRUE(FilesIn(temp.path()).empty());
}
#endif

TEST(PagePlacement, PageBesideThePicturesWithWindowsPaths) {
  constexpr PathStyle kWin = PathStyle::Windows;
  EXPECT_TRUE(IsPageInScanDir("images.htm", "C:\\PICS", kWin));
  EXPECT_TRUE(IsPageInScanDir("d:\\web\\images.htm", "D:\\WEB", kWin));
  EXPECT_FALSE(IsPageInScanDir("C:\\OUT\\x.htm", "C:\\PICS", kWin));
  EXPECT_TRUE(IsPageInScanDir("C:\\x.htm", "C:\\", kWin));
  EXPECT_EQ(PageFileOf("images.htm", "C:\\PICS", kWin), "C:\\PICS\\images.htm");
  EXPECT_EQ(PageFileOf("images.htm", "C:\\", kWin), "C:\\images.htm");
  EXPECT_EQ(PageFileOf("C:\\OUT\\x.htm", "C:\\PICS", kWin), "C:\\OUT\\x.htm");
}

TEST(PagePlacement, PosixFoldersCompareExactlyAfterNormalising) {
  constexpr PathStyle kPosix = PathStyle::Posix;
  EXPECT_TRUE(IsPageInScanDir("/a/./b/x.htm", "/a/b", kPosix));
  EXPECT_FALSE(IsPageInScanDir("/PICS/x.htm", "/pics", kPosix));
  EXPECT_EQ(PageFileOf("x.htm", "/", kPosix), "/x.htm");
  EXPECT_EQ(PageFileOf("out/x.htm", "/pics", kPosix), "out/x.htm");
}

TEST(SortCatalog, KeysOrderLikeTheLocaleComparison) {
  if (!HaveSortKeys()) {
    GTEST_SKIP() << "this system sorts by direct comparison";
  }
  const std::vector<std::string> names = {"a.gif",
                                          "A.GIF",
                                          "b.jpg",
                                          "B.jpg",
                                          "a b.gif",
                                          "a-b.gif",
                                          "a_b.gif",
                                          "a10.gif",
                                          "a9.gif",
                                          "\xC3\x89t\xC3\xA9.jpg",
                                          "\xC3\xA9t\xC3\xA9.jpg",
                                          "zed.gif",
                                          "Zed.GIF",
                                          "#1.gif",
                                          "~x.gif",
                                          "\xD0\x96.gif",
                                          "\xD0\xB6.gif",
                                          "\xFF\xFE.gif",
                                          "",
                                          "."};
  for (const char* locale : {"C", "C.UTF-8"}) {
    if (!std::setlocale(LC_ALL, locale)) {
      continue;
    }
    for (const auto& a : names) {
      for (const auto& b : names) {
        const int direct = platform::CompareTextLocale(a, b);
        const std::string ka = SortKeyOf(a);
        const std::string kb = SortKeyOf(b);
        const int byKey = ka < kb ? -1 : (kb < ka ? 1 : 0);
        EXPECT_EQ(direct < 0 ? -1 : (direct > 0 ? 1 : 0), byKey)
            << locale << ": \"" << a << "\" vs \"" << b << "\"";
      }
    }
  }
  std::setlocale(LC_ALL, "C");
}

TEST(SortCatalog, SizesMoveWithTheirNames) {
  CatalogList catalog = {{"c.gif", 3}, {"A.gif", 1}, {"b.GIF", 2}, {"a.gif", 4}};
  catalog.Sort();
  ASSERT_EQ(catalog.Count(), 4u);
  EXPECT_EQ(catalog.NameAt(2), "b.GIF");
  EXPECT_EQ(catalog.SizeAt(2), 2u);
  EXPECT_EQ(catalog.NameAt(3), "c.gif");
  EXPECT_EQ(catalog.SizeAt(3), 3u);
  // Names equal but for case come in the order of their bytes.
  EXPECT_EQ(catalog.NameAt(0), "A.gif");
  EXPECT_EQ(catalog.SizeAt(0), 1u);
  EXPECT_EQ(catalog.NameAt(1), "a.gif");
  EXPECT_EQ(catalog.SizeAt(1), 4u);
}

}  // namespace
}  // namespace pixdeck
