// Builds the text of one catalog page: head, one entry per picture, footer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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
  std::string TakeText();
  void Reserve(std::size_t bytes) { text_.reserve(bytes); }

 private:
  void AppendLine(std::string_view line);
  void AppendImageSource(std::string_view name);
  void AppendEntryText(std::string_view name, std::uint64_t size);

  std::string urlBase_;
  PathStyle style_;
  bool pageInScanDir_ = false;
  std::string imagePrefix_;
  std::string text_;
  std::string scratch_;
};

}  // namespace pixdeck
