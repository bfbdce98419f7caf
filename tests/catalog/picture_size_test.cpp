#include "catalog/picture_size.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "scratch_dir.h"
#include "util/paths.h"

namespace pixdeck {
namespace {

using test::ScratchDir;
using Bytes = std::vector<std::uint8_t>;

std::string SamplePath(const std::string& name) {
  return JoinPath(PIXDECK_PICTURE_SAMPLES, name);
}

Bytes ReadSample(const std::string& name) {
  std::ifstream in(SamplePath(name), std::ios::binary);
  EXPECT_TRUE(in) << name;
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

Bytes Of(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

std::string Text(const Bytes& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

std::optional<PictureSize> Scan(const Bytes& bytes) {
  return ScanPictureHead(bytes).size;
}

void PutBe16(Bytes& b, std::size_t at, std::uint32_t v) {
  b[at] = static_cast<std::uint8_t>(v >> 8);
  b[at + 1] = static_cast<std::uint8_t>(v);
}
void PutBe32(Bytes& b, std::size_t at, std::uint32_t v) {
  PutBe16(b, at, v >> 16);
  PutBe16(b, at + 2, v & 0xFFFF);
}
void PutLe16(Bytes& b, std::size_t at, std::uint32_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void PutLe32(Bytes& b, std::size_t at, std::uint32_t v) {
  PutLe16(b, at, v & 0xFFFF);
  PutLe16(b, at + 2, v >> 16);
}

// A JPEG segment: marker, length (which counts itself), body.
Bytes Segment(std::uint8_t marker, const Bytes& body) {
  Bytes segment(4 + body.size());
  segment[0] = 0xFF;
  segment[1] = marker;
  PutBe16(segment, 2, static_cast<std::uint32_t>(body.size() + 2));
  std::copy(body.begin(), body.end(), segment.begin() + 4);
  return segment;
}

// The baseline sample with segments put in right after its start of image.
Bytes JpegWithLeadingSegments(const std::vector<Bytes>& segments) {
  Bytes jpeg = ReadSample("baseline.jpg");
  Bytes out(jpeg.begin(), jpeg.begin() + 2);
  for (const Bytes& s : segments) {
    out.insert(out.end(), s.begin(), s.end());
  }
  out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
  return out;
}

// An EXIF body whose first directory holds the given raw entries.
Bytes ExifBody(std::uint16_t entryCount, const Bytes& entries, std::uint32_t directory = 8) {
  Bytes body = Of(std::string("Exif\0\0II*\0", 10));
  body.resize(body.size() + 4);
  PutLe32(body, 10, directory);
  Bytes count(2);
  PutLe16(count, 0, entryCount);
  body.insert(body.end(), count.begin(), count.end());
  body.insert(body.end(), entries.begin(), entries.end());
  return body;
}

Bytes OrientationEntry(std::uint16_t value, std::uint16_t type = 3) {
  Bytes entry(12);
  PutLe16(entry, 0, 0x0112);
  PutLe16(entry, 2, type);
  PutLe32(entry, 4, 1);
  PutLe16(entry, 8, value);
  return entry;
}

const PictureSize kWide{5, 3};
const PictureSize kTall{3, 5};

TEST(PictureSize, ReadsEveryKindAsTheBrowserShowsIt) {
  const std::pair<const char*, PictureSize> samples[] = {
      {"gif.gif", kWide},
      {"png.png", kWide},
      {"baseline.jpg", kWide},
      {"progressive.jpg", kWide},
      {"upside3.jpg", kWide},              // turned by 180 degrees: same size
      {"turned6-le.jpg", kTall},           // EXIF in Intel byte order
      {"turned8-be.jpg", kTall},           // EXIF in Motorola byte order
      {"turned5-progressive.jpg", kTall},  // transposed, progressive
      {"bmp3.bmp", kWide},
      {"bmp5.bmp", kWide},
      {"topdown.bmp", kWide},
      {"lossy.webp", kWide},
      {"lossless.webp", kWide},
      {"extended.webp", kWide},
  };
  PictureSizeReader reader(PIXDECK_PICTURE_SAMPLES);
  for (const auto& [name, expected] : samples) {
    EXPECT_EQ(reader.Probe(name).size, expected) << name;
    EXPECT_EQ(Scan(ReadSample(name)), expected) << name;
  }
}

TEST(PictureSize, ACutOrCorruptHeaderGivesTheRightSizeOrNone) {
  const std::pair<const char*, PictureSize> samples[] = {
      {"gif.gif", kWide},         {"png.png", kWide},       {"turned6-le.jpg", kTall},
      {"progressive.jpg", kWide}, {"bmp5.bmp", kWide},      {"topdown.bmp", kWide},
      {"lossy.webp", kWide},      {"lossless.webp", kWide}, {"extended.webp", kWide},
  };
  for (const auto& [name, expected] : samples) {
    const Bytes whole = ReadSample(name);
    for (std::size_t n = 0; n < whole.size(); ++n) {
      const HeadScan cut = ScanPictureHead({whole.data(), n});
      if (cut.size) {
        EXPECT_EQ(*cut.size, expected) << name << " cut at " << n;
      }
    }
    // Any one byte changed: never a crash, never a size past the limits.
    for (std::size_t i = 0; i < whole.size(); ++i) {
      for (const std::uint8_t value : {0x00, 0x7F, 0xFF}) {
        Bytes changed = whole;
        changed[i] = value;
        if (const auto size = Scan(changed)) {
          EXPECT_GE(size->width, 1u);
          EXPECT_GE(size->height, 1u);
          EXPECT_LE(size->width, kMaxPictureSide);
          EXPECT_LE(size->height, kMaxPictureSide);
          EXPECT_LE(std::uint64_t{size->width} * size->height, kMaxPicturePixels);
        }
      }
    }
  }
  // A header cut short asks for more; a foreign file does not.
  const Bytes png = ReadSample("png.png");
  EXPECT_TRUE(ScanPictureHead({png.data(), 20}).truncated);
  EXPECT_FALSE(ScanPictureHead(Of("plain text, certainly no picture")).truncated);
}

TEST(PictureSize, AbsurdOrEmptySizesAreNotBelieved) {
  Bytes png = ReadSample("png.png");
  PutBe32(png, 16, 0x80000000u);  // 2^31 pixels wide, one high
  PutBe32(png, 20, 1);
  EXPECT_EQ(Scan(png), std::nullopt);
  PutBe32(png, 16, 65536);  // 2^31 pixels in all
  PutBe32(png, 20, 32768);
  EXPECT_EQ(Scan(png), std::nullopt);
  PutBe32(png, 16, 0);
  PutBe32(png, 20, 3);
  EXPECT_EQ(Scan(png), std::nullopt);
  PutBe32(png, 16, 65535);  // large but believable
  PutBe32(png, 20, 8192);
  EXPECT_EQ(Scan(png), (PictureSize{65535, 8192}));

  Bytes gif = ReadSample("gif.gif");
  PutLe16(gif, 6, 0);
  PutLe16(gif, 8, 0);
  EXPECT_EQ(Scan(gif), std::nullopt);
  PutLe16(gif, 6, 7);
  EXPECT_EQ(Scan(gif), std::nullopt);  // 7 x 0

  Bytes bmp = ReadSample("bmp5.bmp");
  PutLe32(bmp, 22, 0x80000000u);  // the one height without a positive twin
  EXPECT_EQ(Scan(bmp), std::nullopt);
  PutLe32(bmp, 22, 3);
  PutLe32(bmp, 18, 0xFFFFFFFBu);  // width -5
  EXPECT_EQ(Scan(bmp), std::nullopt);

  Bytes webp = ReadSample("extended.webp");
  webp[24] = webp[25] = webp[26] = 0xFF;  // 2^24 a side
  webp[27] = webp[28] = webp[29] = 0xFF;
  EXPECT_EQ(Scan(webp), std::nullopt);

  Bytes lossy = ReadSample("lossy.webp");
  lossy[20] |= 1;  // not a key frame: no size in it
  EXPECT_EQ(Scan(lossy), std::nullopt);
}

TEST(PictureSize, JpegSegmentsAreWalkedWithinTheHead) {
  // A frame header without lines (they would follow in a later marker).
  Bytes jpeg = ReadSample("baseline.jpg");
  const std::size_t sof = Text(jpeg).find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  Bytes noLines = jpeg;
  PutBe16(noLines, sof + 5, 0);
  EXPECT_EQ(Scan(noLines), std::nullopt);
  // A segment length below its own two bytes.
  Bytes badLength = jpeg;
  PutBe16(badLength, 4, 1);
  EXPECT_EQ(Scan(badLength), std::nullopt);
  // A segment that claims to run far past the end of the file.
  Bytes runaway = jpeg;
  PutBe16(runaway, 4, 0xFFFF);
  EXPECT_EQ(Scan(runaway), std::nullopt);
  EXPECT_TRUE(ScanPictureHead(runaway).truncated);
  // The scan before any frame header, or the end of image.
  EXPECT_EQ(Scan(Bytes{0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02, 0xFF, 0xC0}), std::nullopt);
  EXPECT_EQ(Scan(Bytes{0xFF, 0xD8, 0xFF, 0xD9}), std::nullopt);
  // Fill bytes and stray bytes between segments are skipped as a decoder does.
  Bytes filled = JpegWithLeadingSegments({Bytes{0xFF, 0xFF, 0x00, 0x12}});
  EXPECT_EQ(Scan(filled), kWide);
}

TEST(PictureSize, OnlyAWellFormedOrientationTurnsTheSize) {
  const auto withExif = [](const Bytes& body) {
    return Scan(JpegWithLeadingSegments({Segment(0xE1, body)}));
  };
  EXPECT_EQ(withExif(ExifBody(1, OrientationEntry(6))), kTall);
  EXPECT_EQ(withExif(ExifBody(1, OrientationEntry(7))), kTall);
  EXPECT_EQ(withExif(ExifBody(1, OrientationEntry(2))), kWide);     // mirrored only
  EXPECT_EQ(withExif(ExifBody(1, OrientationEntry(9))), kWide);     // no such orientation
  EXPECT_EQ(withExif(ExifBody(1, OrientationEntry(6, 4))), kWide);  // not a SHORT
  // A directory outside the segment, or more entries than it holds.
  EXPECT_EQ(withExif(ExifBody(1, OrientationEntry(6), 0xFFFFFFF0u)), kWide);
  EXPECT_EQ(withExif(ExifBody(0xFFFF, OrientationEntry(6))), kTall);
  EXPECT_EQ(withExif(ExifBody(0xFFFF, Bytes(12, 0))), kWide);
  // An APP1 that is not EXIF (XMP, say) does not hide a later EXIF one; a
  // second EXIF segment is not read.
  EXPECT_EQ(Scan(JpegWithLeadingSegments({Segment(0xE1, Of("http://ns.adobe.com/xap/1.0/")),
                                          Segment(0xE1, ExifBody(1, OrientationEntry(8)))})),
            kTall);
  EXPECT_EQ(Scan(JpegWithLeadingSegments({Segment(0xE1, ExifBody(1, OrientationEntry(1))),
                                          Segment(0xE1, ExifBody(1, OrientationEntry(6)))})),
            kWide);
}

class PictureSizeFiles : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const Bytes& bytes) {
    dir_.write(name, Text(bytes));
    return name;
  }
  ScratchDir dir_;
  PictureSizeReader reader_{dir_.path().string()};
};

TEST_F(PictureSizeFiles, LargeSegmentsBeforeTheFrameAreReadUpToTheCap) {
  // 20 KiB of comments: more than the first read, well within the cap.
  const Bytes comment(20 * 1024 - 4, 'c');
  EXPECT_EQ(
      reader_.Probe(Write("comment.jpg", JpegWithLeadingSegments({Segment(0xFE, comment)}))).size,
      kWide);
  // Frame header beyond the cap: no size, however large the file.
  const Bytes big(0xFFFF - 2, 'c');
  const Bytes far = JpegWithLeadingSegments({Segment(0xFE, big), Segment(0xFE, big)});
  ASSERT_GT(far.size(), kPictureHeadCap);
  EXPECT_EQ(reader_.Probe(Write("far.jpg", far)).size, std::nullopt);
  // The same picture with its frame header just inside the cap.
  const Bytes near(kPictureHeadCap - 2 - 4 - 200, 'c');
  EXPECT_EQ(reader_.Probe(Write("near.jpg", JpegWithLeadingSegments({Segment(0xFE, near)}))).size,
            kWide);
}

TEST_F(PictureSizeFiles, WhatIsNoReadablePictureHasNoSize) {
  EXPECT_EQ(reader_.Probe(Write("empty.gif", {})).size, std::nullopt);
  EXPECT_EQ(reader_.Probe(Write("text.jpg", Of("not a picture at all\n"))).size, std::nullopt);
  const Bytes gif = ReadSample("gif.gif");
  EXPECT_EQ(reader_.Probe(Write("cut.gif", Bytes(gif.begin(), gif.begin() + 8))).size,
            std::nullopt);
  EXPECT_EQ(reader_.Probe("missing.gif").size, std::nullopt);
  std::filesystem::create_directories(dir_.path() / "folder.gif");
  EXPECT_EQ(reader_.Probe("folder.gif").size, std::nullopt);
  // The reader's buffer serves the next file as well.
  Write("turned.jpg", ReadSample("turned8-be.jpg"));
  EXPECT_EQ(reader_.Probe("turned.jpg").size, kTall);
  // A folder that cannot be opened has no pictures to read.
  PictureSizeReader nowhere(dir_.file("no such folder"));
  EXPECT_EQ(nowhere.Probe("turned.jpg").size, std::nullopt);
}

TEST_F(PictureSizeFiles, TheProbeTellsEachEntrysFileSizeAsASearchWould) {
  const Bytes gif = ReadSample("gif.gif");
  Write("a.gif", gif);
  PictureProbe probe = reader_.Probe("a.gif");
  EXPECT_TRUE(probe.found);
  EXPECT_EQ(probe.fileSize, gif.size());
  EXPECT_EQ(probe.size, kWide);
  probe = reader_.Probe("missing.gif");
  EXPECT_FALSE(probe.found);
  EXPECT_EQ(probe.size, std::nullopt);
  // A folder is found, with no picture size.
  std::filesystem::create_directories(dir_.path() / "folder.gif");
  probe = reader_.Probe("folder.gif");
  EXPECT_TRUE(probe.found);
  EXPECT_EQ(probe.size, std::nullopt);
#ifndef _WIN32
  struct stat info {};
  ASSERT_EQ(::stat(dir_.file("folder.gif").c_str(), &info), 0);
  EXPECT_EQ(probe.fileSize, static_cast<std::uint64_t>(info.st_size));
  // A link shows what it points to; a dangling one is still there, with the
  // link's own size.
  std::filesystem::create_symlink("a.gif", dir_.path() / "link.gif");
  probe = reader_.Probe("link.gif");
  EXPECT_TRUE(probe.found);
  EXPECT_EQ(probe.fileSize, gif.size());
  EXPECT_EQ(probe.size, kWide);
  std::filesystem::create_symlink("nowhere/at/all.gif", dir_.path() / "dangling.gif");
  probe = reader_.Probe("dangling.gif");
  EXPECT_TRUE(probe.found);
  EXPECT_EQ(probe.fileSize, std::string("nowhere/at/all.gif").size());
  EXPECT_EQ(probe.size, std::nullopt);
#endif
}

TEST_F(PictureSizeFiles, ManyPicturesAreReadTogetherAndAnsweredInTheirOrder) {
  // Enough files for several reader threads, in four kinds that answer apart.
  const Bytes kinds[] = {ReadSample("gif.gif"), ReadSample("turned6-le.jpg"), Of("text"),
                         ReadSample("lossless.webp")};
  const std::optional<PictureSize> answers[] = {kWide, kTall, std::nullopt, kWide};
  std::vector<std::string> names;
  for (int i = 0; i < 2000; ++i) {
    names.push_back("p" + std::to_string(i));
    Write(names.back(), kinds[(i * 7) % 4]);
  }
  const auto probes = ProbePictures(dir_.path().string(), names.size(),
                                    [&](std::size_t i) -> const std::string& { return names[i]; });
  ASSERT_EQ(probes.size(), names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    ASSERT_EQ(probes[i].size, answers[(i * 7) % 4]) << names[i];
    ASSERT_TRUE(probes[i].found) << names[i];
    ASSERT_EQ(probes[i].fileSize, kinds[(i * 7) % 4].size()) << names[i];
  }
  EXPECT_TRUE(ProbePictures(dir_.path().string(), 0, [&](std::size_t) -> const std::string& {
                return names[0];
              }).empty());
}

#ifndef _WIN32
TEST_F(PictureSizeFiles, APipeNamedLikeAPictureDoesNotHoldTheReaderUp) {
  ASSERT_EQ(mkfifo(dir_.file("pipe.jpg").c_str(), 0600), 0);
  EXPECT_EQ(reader_.Probe("pipe.jpg").size, std::nullopt);
}
#endif

}  // namespace
}  // namespace pixdeck
