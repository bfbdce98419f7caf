#include "catalog/page_writer.h"

#include <charconv>
#include <utility>

#include "catalog/credits.h"
#include "catalog/html_text.h"
#include "catalog/url.h"

namespace pixdeck {

namespace {
constexpr std::string_view kLineEnd = "\r\n";
}

PageWriter::PageWriter(std::string urlBase, PathStyle style)
    : urlBase_(std::move(urlBase)), style_(style) {}

std::string PageWriter::TakeText() {
  std::string text = std::move(text_);
  text_.clear();
  return text;
}

void PageWriter::AppendLine(std::string_view line) {
  text_.append(line);
  text_.append(kLineEnd);
}

void PageWriter::WritePageHeader(std::string_view directory, std::string_view title,
                                 std::string_view pattern, std::string_view code) {
  AppendLine("<HTML>");
  AppendLine("<HEAD>");
  // Names may be any UTF-8 text; without this a browser guesses the encoding.
  AppendLine(R"(<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">)");
  text_.append("<TITLE>Images: ");
  AppendHtmlEscaped(text_, title);
  AppendLine("</TITLE>");

  const std::string directoryUrl = DirectoryUrl(directory, urlBase_, style_);
  if (IsFileUrl(directoryUrl)) {
    imagePrefix_ = pageInScanDir_ ? std::string() : directoryUrl;
  } else {
    text_.append("<BASE HREF=\"");
    AppendHtmlEscaped(text_, directoryUrl);
    AppendLine("\">");
    imagePrefix_.clear();
  }
  AppendLine("</HEAD>");

  if (pattern.empty()) {
    text_.append("<BODY");
  } else {
    text_.append("<BODY BACKGROUND=\"");
    AppendHtmlEscaped(text_, pattern);
    text_.push_back('"');
  }
  if (!code.empty()) {
    text_.append(" BGCOLOR=#");
    AppendHtmlEscaped(text_, code);
  }
  AppendLine(">");

  AppendLine("<CENTER>");
  AppendLine("<H1>WWW Icons and Other Images</H1>");
  text_.append("<H2>");
  AppendHtmlEscaped(text_, title);
  AppendLine("</H2>");
  AppendLine("<HR>");
  AppendLine("</CENTER>");
}

void PageWriter::AppendImageSource(std::string_view name) {
  text_.append("<IMG SRC=\"");
  AppendHtmlEscaped(text_, imagePrefix_);
  // The source is a URL: encode first, then escape for the attribute. The
  // scratch buffer is reused so that a long catalog costs no allocations here.
  scratch_.clear();
  AppendUrlEncoded(scratch_, name, style_);
  AppendHtmlEscaped(text_, scratch_);
  text_.push_back('"');
}

void PageWriter::AppendEntryText(std::string_view name, std::uint64_t size) {
  text_.append("><BR>");
  AppendHtmlEscaped(text_, name);
  text_.append(" (");
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, size);
  text_.append(digits, result.ptr);
  text_.append(" bytes)<P>");
  text_.append(kLineEnd);
}

void PageWriter::WritePageEntry(std::string_view name, std::uint64_t size) {
  AppendImageSource(name);
  AppendEntryText(name, size);
}

void PageWriter::WriteLightPageEntry(std::string_view name, std::uint64_t size,
                                     const std::optional<PictureSize>& pictureSize) {
  AppendImageSource(name);
  if (pictureSize) {
    char digits[24];
    text_.append(" WIDTH=");
    text_.append(digits, std::to_chars(digits, digits + sizeof digits, pictureSize->width).ptr);
    text_.append(" HEIGHT=");
    text_.append(digits, std::to_chars(digits, digits + sizeof digits, pictureSize->height).ptr);
  }
  text_.append(" LOADING=\"lazy\" DECODING=\"async\"");
  AppendEntryText(name, size);
}

void PageWriter::WritePageFooter() {
  AppendLine("<P>");
  AppendLine("<HR>");
  // Opens the centred italic block that the lines below close.
  AppendLine("<CENTER><I>");
  text_.append("<B>");
  AppendHtmlEscaped(text_, kProgramCaption);
  text_.append("</B><BR>- ");
  AppendHtmlEscaped(text_, kMakerCredit);
  AppendLine(" -<P>");
  AppendLine("You can download this program and others by visiting the");
  AppendLine("authors web page at</I><BR>");
  const std::string web = HtmlEscaped(kMakerWebAddress);
  AppendLine("<A HREF=\"" + web + "\">" + web + "</A><BR>");
  AppendLine("<I>You can also reach him by E-mail at the following address:</I>");
  const std::string mail = HtmlEscaped(kMakerMailAddress);
  AppendLine("<A HREF=\"mailto:" + mail + "\">" + mail + "</A></CENTER>");
  AppendLine("<HR>");
  AppendLine("</BODY>");
  AppendLine("</HTML>");
}

}  // namespace pixdeck
