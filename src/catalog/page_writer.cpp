#include "catalog/page_writer.h"

#include <charconv>
#include <cstring>
#include <utility>

#include "catalog/credits.h"
#include "catalog/html_text.h"
#include "text/utf8.h"
#include "util/url.h"

namespace pixdeck {

namespace {
constexpr std::string_view kLineEnd = "\r\n";
constexpr unsigned char kChangesText = 1;
constexpr unsigned char kChangesSource = 2;
constexpr unsigned char kNotAscii = 4;
constexpr unsigned char kBlank = 8;
// Beyond the bytes' classes: blanks at the source's ends, which a browser
// strips, and a name shown in an isolate of its own (see NeedsOf).
constexpr unsigned kSourceEnds = 16;
constexpr unsigned kIsolated = 32;

// Characters that change the direction of the text around them: the
// controls (embeddings, overrides, isolates, marks) and right-to-left
// letters, which pull neutral text after them, the size's " (", along.
bool TurnsDirection(char32_t c) {
  return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || c == 0x200E ||
         c == 0x200F || c == 0x061C || (c >= 0x0590 && c <= 0x08FF) ||
         (c >= 0xFB1D && c <= 0xFDFF) || (c >= 0xFE70 && c <= 0xFEFF) ||
         (c >= 0x10800 && c <= 0x10FFF) || (c >= 0x1E800 && c <= 0x1EFFF);
}

bool HoldsDirectionChange(std::string_view name) {
  for (std::size_t i = 0; i < name.size();) {
    const Utf8Sequence sequence = Utf8SequenceAt(name, i);
    if (sequence.length == 0) {
      ++i;
      continue;
    }
    if (TurnsDirection(sequence.codePoint)) {
      return true;
    }
    i += sequence.length;
  }
  return false;
}

// A name shown in an isolate of its own keeps every blank, and its direction
// stays its own.
constexpr std::string_view kIsolateOpen = "<BDI STYLE=\"white-space:pre-wrap\">";
constexpr std::string_view kIsolateClose = "</BDI>";
}  // namespace

PageWriter::PageWriter(std::string urlBase, PathStyle style)
    : urlBase_(std::move(urlBase)),
      style_(style),
      textTable_([](std::string_view text) { return HtmlEscaped(text); }),
      // Byte by byte, inside the source: a blank is a matter of its place.
      sourceTable_([style](std::string_view text) {
        return HtmlEscaped(UrlEncoded(text, style, UrlEnds::None));
      }) {
  for (std::size_t c = 0; c < byteClass_.size(); ++c) {
    const auto byte = static_cast<unsigned char>(c);
    byteClass_[c] =
        static_cast<unsigned char>((textTable_.Keeps(byte) ? 0 : kChangesText) |
                                   (sourceTable_.Keeps(byte) ? 0 : kChangesSource) |
                                   (byte < 0x80 ? 0 : kNotAscii) | (byte == ' ' ? kBlank : 0));
  }
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
  escapedPrefix_ = HtmlEscaped(imagePrefix_);
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

namespace {

char* Put(char* out, std::string_view text) {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

}  // namespace

bool PageWriter::WriteAsciiEntry(std::string_view name, std::uint64_t size, unsigned needs) {
  static constexpr std::string_view kOpen = "<IMG SRC=\"";
  static constexpr std::string_view kMiddle = "\"><BR>";
  static constexpr std::string_view kSizeOpen = " (";
  static constexpr std::string_view kClose = " bytes)<P>\r\n";
  constexpr std::size_t kDigits = 20;  // of the largest 64-bit size
  char line[1024];
  const std::size_t growth = sourceTable_.MaxGrowth() + textTable_.MaxGrowth();
  if (kOpen.size() + escapedPrefix_.size() + kMiddle.size() + growth * name.size() +
          kSizeOpen.size() + kDigits + kClose.size() + AsciiTextTable::kSlack >
      sizeof line) {
    return false;
  }
  char* out = Put(line, kOpen);
  out = Put(out, escapedPrefix_);
  out = (needs & kChangesSource) ? sourceTable_.Put(out, name) : Put(out, name);
  out = Put(out, kMiddle);
  out = (needs & kChangesText) ? textTable_.Put(out, name) : Put(out, name);
  out = Put(out, kSizeOpen);
  out = std::to_chars(out, out + kDigits, size).ptr;
  out = Put(out, kClose);
  text_.append(line, static_cast<std::size_t>(out - line));
  return true;
}

void PageWriter::WritePageEntry(std::string_view name, std::uint64_t size) {
  const unsigned needs = NeedsOf(name);
  // A plain ASCII name, the usual case, makes its line in one go.
  if ((needs & (kNotAscii | kSourceEnds | kIsolated)) == 0 && WriteAsciiEntry(name, size, needs)) {
    return;
  }

  AppendImageSource(name, needs);
  AppendEntryText(name, size, needs);
}

void PageWriter::AppendImageSource(std::string_view name, unsigned needs) {
  text_.append("<IMG SRC=\"");
  text_.append(escapedPrefix_);
  // The source is a URL: encode first, then escape for the attribute. Plain
  // ASCII names go by table; the scratch buffer is reused so that a long
  // catalog costs no allocations here either way.
  if ((needs & (kChangesSource | kSourceEnds)) == 0) {
    text_.append(name);
  } else if ((needs & kSourceEnds) != 0 || !sourceTable_.Append(text_, name)) {
    scratch_.clear();
    // The name ends the source; it starts it too when there is no prefix.
    AppendUrlEncoded(scratch_, name, style_,
                     escapedPrefix_.empty() ? UrlEnds::Both : UrlEnds::Last);
    AppendHtmlEscaped(text_, scratch_);
  }
  text_.push_back('"');
}

void PageWriter::AppendEntryText(std::string_view name, std::uint64_t size, unsigned needs) {
  text_.append("><BR>");
  if ((needs & kIsolated) != 0) {
    text_.append(kIsolateOpen);
  }
  if ((needs & kChangesText) == 0) {
    text_.append(name);
  } else if (!textTable_.Append(text_, name)) {
    AppendHtmlEscaped(text_, name);
  }
  if ((needs & kIsolated) != 0) {
    text_.append(kIsolateClose);
  }
  text_.append(" (");
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, size);
  text_.append(digits, result.ptr);
  text_.append(" bytes)<P>");
  text_.append(kLineEnd);
}

unsigned PageWriter::NeedsOf(std::string_view name) const {
  unsigned char classes = 0;
  for (const char c : name) {
    classes |= byteClass_[static_cast<unsigned char>(c)];
  }
  unsigned needs = classes;
  if ((classes & kBlank) != 0) {
    // A browser strips the source's end blanks; the page would drop the
    // text's end blanks and fold its runs of them into one.
    const bool blankFirst = name.front() == ' ';
    const bool blankLast = name.back() == ' ';
    if (blankLast || (blankFirst && escapedPrefix_.empty())) {
      needs |= kSourceEnds;
    }
    if (blankFirst || blankLast || name.find("  ") != std::string_view::npos) {
      needs |= kIsolated;
    }
  }
  if ((classes & kNotAscii) != 0 && HoldsDirectionChange(name)) {
    needs |= kIsolated;
  }
  return needs;
}

void PageWriter::WriteLightPageEntry(std::string_view name, std::uint64_t size,
                                     const std::optional<PictureSize>& pictureSize) {
  const unsigned needs = NeedsOf(name);
  AppendImageSource(name, needs);
  if (pictureSize) {
    char digits[24];
    text_.append(" WIDTH=");
    text_.append(digits, std::to_chars(digits, digits + sizeof digits, pictureSize->width).ptr);
    text_.append(" HEIGHT=");
    text_.append(digits, std::to_chars(digits, digits + sizeof digits, pictureSize->height).ptr);
  }
  text_.append(" LOADING=\"lazy\" DECODING=\"async\"");
  AppendEntryText(name, size, needs);
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
