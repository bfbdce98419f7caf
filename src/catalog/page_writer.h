// Builds the text of one catalog page: head, one entry per picture, footer.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalog/ascii_text.h"
#include "catalog/picture_size.h"
#include "util/paths.h"

namespace pixdeck {

class PageWriter {
 public:
  explicit PageWriter(std::string urlBase, PathStyle style = kNativeStyle);

  // Whether the page file lies in the scanned folder; set before the header.
  void SetPageInScanDir(bool inScanDir) { pageInScanDir_ = inScanDir; }
  bool PageInScanDir() const { return pageInScanDir_; }
  // What goes before each picture name: empty (names relative to the page or
  // to the base address) or the scanned folder's file URL with its separator.
  const std::string& ImagePrefix() const { return imagePrefix_; }

  // pattern is already a URL (see PatternUrl); code is the colour code without
  // "#". Either may be empty.
  void WritePageHeader(std::string_view directory, std::string_view title, std::string_view pattern,
                       std::string_view code);
  void WritePageEntry(std::string_view name, std::uint64_t size);
  // The entry of a light page: the picture loads as it scrolls into view, and
  // its size, when known, keeps its place on the page before it arrives.
  void WriteLightPageEntry(std::string_view name, std::uint64_t size,
                           const std::optional<PictureSize>& pictureSize);
  void WritePageFooter();

  // The page so far: every line ends with carriage return and line feed.
  const std::string& Text() const { return text_; }
  void Reserve(std::size_t bytes) { text_.reserve(bytes); }

 private:
  void AppendLine(std::string_view line);
  // What a name needs: the kChanges... classes of its bytes together.
  unsigned NeedsOf(std::string_view name) const;
  void AppendImageSource(std::string_view name, unsigned needs);
  void AppendEntryText(std::string_view name, std::uint64_t size, unsigned needs);
  // The line of a plain ASCII name, whose bytes' classes together are needs;
  // false when it is too long for the quick way.
  bool WriteAsciiEntry(std::string_view name, std::uint64_t size, unsigned needs);

  std::string urlBase_;
  PathStyle style_;
  bool pageInScanDir_ = false;
  std::string imagePrefix_;
  std::string escapedPrefix_;   // the prefix as the attribute holds it
  AsciiTextTable textTable_;    // a name as element text
  AsciiTextTable sourceTable_;  // a name as the image's source attribute
  // For every byte: kChangesText and kChangesSource when either table would
  // not keep it as it is, so one look at a name tells what it needs.
  std::array<unsigned char, 256> byteClass_{};
  std::string text_;
  std::string scratch_;
};

}  // namespace pixdeck
