#include "catalog/gallery_writer.h"

#include <charconv>

#include "catalog/credits.h"
#include "catalog/html_text.h"
#include "catalog/readable_color.h"
#include "util/url.h"

namespace pixdeck {

namespace {

// Marks a page as a gallery page of ours, so that a later run may remove the
// pages it no longer needs and nothing else.
constexpr std::string_view kGenerator = R"(<meta name="generator" content="Pixdeck gallery">)";

std::string Number(std::uint64_t value) {
  char digits[24];
  return std::string(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

// A text for inside a double-quoted CSS string.
std::string CssStringEscaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out.push_back('\\');
      out.push_back(c);
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      static constexpr char kHex[] = "0123456789abcdef";
      out.push_back('\\');
      out.push_back(kHex[(static_cast<unsigned char>(c) >> 4) & 0xF]);
      out.push_back(kHex[c & 0xF]);
      out.push_back(' ');
    } else {
      out.push_back(c);
    }
  }
  return out;
}

class PageText {
 public:
  explicit PageText(const GalleryLayout& layout) : layout_(layout) {}

  void Line(std::string_view text) {
    text_.append(text);
    text_.push_back('\n');
  }
  void Append(std::string_view text) { text_.append(text); }
  void Escaped(std::string_view text) { AppendHtmlEscaped(text_, text); }
  std::string Take() { return std::move(text_); }

  // A file beside the pages (folder empty) or in a folder beside them. With
  // a base address that is not the pages' folder, a relative link would
  // resolve against the base, so such a link is the file's full URL.
  std::string LocalUrl(std::string_view folder, std::string_view file) const {
    if (!IsFileUrl(layout_.urlBase) && !layout_.pageInScanDir) {
      std::string path = layout_.pageDir;
      if (!folder.empty()) {
        path = JoinPath(path, folder, layout_.style);
      }
      return PathToUrl(JoinPath(path, file, layout_.style), layout_.urlBase, layout_.style);
    }
    // "./" keeps a name with ":" from reading as a scheme.
    std::string url = "./";
    if (!folder.empty()) {
      AppendUrlEncoded(url, folder, layout_.style);
      url.push_back('/');
    }
    AppendUrlEncoded(url, file, layout_.style);
    return url;
  }

 private:
  const GalleryLayout& layout_;
  std::string text_;
};

void WriteStyle(PageText& page, const GalleryLayout& layout) {
  const std::optional<Rgb> color = ParseColorCode(layout.colorCode);
  // Text sits on panels of the background colour, so that it reads whatever
  // the pattern behind them.
  const Rgb panel = color.value_or(Rgb{255, 255, 255});
  const std::string panelCss = CssColor(panel);
  const std::string textCss = CssColor(ReadableTextColor(panel));
  const int cell = layout.thumbnailSize + 16;
  page.Line("<style>");
  page.Line("*{box-sizing:border-box}");
  page.Line("html{-webkit-text-size-adjust:100%;text-size-adjust:100%}");
  page.Line("body{margin:0;padding:12px;font-family:sans-serif;line-height:1.35;color:" + textCss +
            ";background-color:" + panelCss + "}");
  page.Line("header,nav,figure,footer{background-color:" + panelCss + ";color:" + textCss +
            ";border-radius:4px}");
  page.Line("header,nav,footer{padding:6px 8px;margin:0 0 12px}");
  page.Line("h1{font-size:1.5em;margin:0;overflow-wrap:anywhere}");
  page.Line("header p{margin:4px 0 0;overflow-wrap:anywhere}");
  page.Line("a{color:inherit}");
  page.Line("nav{text-align:center}");
  page.Line("nav a,nav span{display:inline-block;margin:2px 8px}");
  page.Line(".grid{display:grid;grid-template-columns:repeat(auto-fill,minmax(min(100%," +
            Number(static_cast<std::uint64_t>(cell)) +
            "px),1fr));gap:12px;margin:0 0 12px;padding:0}");
  page.Line("figure{margin:0;padding:8px;text-align:center;overflow-wrap:anywhere;min-width:0}");
  page.Line("figure img{display:block;margin:0 auto 6px;max-width:100%;height:auto}");
  page.Line(
      ".none{display:flex;align-items:center;justify-content:center;min-height:80px;"
      "margin:0 0 6px;border:1px dashed}");
  page.Line("</style>");
}

void WriteNavigation(PageText& page, const GalleryLayout& layout, std::size_t index) {
  const std::size_t pages = layout.pageNames.size();
  if (pages < 2) {
    return;
  }
  const auto link = [&](std::size_t target, std::string_view text, std::string_view rel) {
    if (target == index) {
      page.Append("<span>");
      page.Append(text);
      page.Append("</span>");
      return;
    }
    page.Append("<a href=\"");
    page.Escaped(page.LocalUrl({}, layout.pageNames[target]));
    page.Append("\"");
    if (!rel.empty()) {
      page.Append(" rel=\"");
      page.Append(rel);
      page.Append("\"");
    }
    page.Append(">");
    page.Append(text);
    page.Append("</a>");
  };
  // Blanks between the parts, for reading aloud and for text browsers.
  page.Append("<nav>");
  link(0, "first", {});
  page.Append(" ");
  link(index == 0 ? 0 : index - 1, "previous", index == 0 ? "" : "prev");
  page.Append(" <span>page " + Number(index + 1) + " of " + Number(pages) + "</span> ");
  link(index + 1 < pages ? index + 1 : index, "next", index + 1 < pages ? "next" : "");
  page.Line("</nav>");
}

}  // namespace

std::string DotExtOf(std::string_view path, PathStyle style) {
  std::string ext = ExtOf(path, style);
  return ext.empty() ? ext : "." + ext;
}

std::string GalleryPageName(std::string_view firstPage, std::size_t index, PathStyle style) {
  if (index == 0) {
    return std::string(firstPage);
  }
  const std::string ext = DotExtOf(firstPage, style);
  std::string name(firstPage.substr(0, firstPage.size() - ext.size()));
  name += '-';
  name += Number(index + 1);
  name += ext;
  return name;
}

std::size_t GalleryPageNumber(std::string_view firstPage, std::string_view name, PathStyle style) {
  const std::string ext = DotExtOf(firstPage, style);
  const std::string_view stem = firstPage.substr(0, firstPage.size() - ext.size());
  if (name.size() <= stem.size() + 1 + ext.size() || name.substr(0, stem.size()) != stem ||
      name[stem.size()] != '-' || name.substr(name.size() - ext.size()) != ext) {
    return 0;
  }
  const std::string_view digits =
      name.substr(stem.size() + 1, name.size() - stem.size() - 1 - ext.size());
  if (digits.empty() || digits.size() > 9 || digits[0] == '0') {
    return 0;
  }
  std::size_t number = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') {
      return 0;
    }
    number = number * 10 + static_cast<std::size_t>(c - '0');
  }
  return number >= 2 ? number : 0;
}

bool IsGalleryPage(std::string_view head) {
  return head.substr(0, 512).find(kGenerator) != std::string_view::npos;
}

std::string GalleryPageText(const GalleryLayout& layout, std::size_t index,
                            std::span<const GalleryEntry> entries) {
  PageText page(layout);
  const std::size_t pages = layout.pageNames.size();
  page.Line("<!DOCTYPE html>");
  page.Line("<html lang=\"en\">");
  page.Line("<head>");
  page.Line("<meta charset=\"utf-8\">");
  page.Line(kGenerator);
  page.Line(R"(<meta name="viewport" content="width=device-width, initial-scale=1">)");
  page.Append("<title>Images: ");
  page.Escaped(layout.title);
  if (pages > 1) {
    page.Append(" (page " + Number(index + 1) + " of " + Number(pages) + ")");
  }
  page.Line("</title>");

  // The pictures' own links follow the rules of the plain page.
  const std::string directoryUrl = DirectoryUrl(layout.directory, layout.urlBase, layout.style);
  std::string imagePrefix;
  if (IsFileUrl(directoryUrl)) {
    imagePrefix = layout.pageInScanDir ? std::string() : directoryUrl;
  } else {
    page.Append("<base href=\"");
    page.Escaped(directoryUrl);
    page.Line("\">");
  }
  WriteStyle(page, layout);
  page.Line("</head>");

  page.Append("<body");
  if (!layout.patternUrl.empty()) {
    page.Append(" style=\"background-image:url(");
    page.Escaped("\"" + CssStringEscaped(layout.patternUrl) + "\"");
    page.Append(")\"");
  }
  page.Line(">");
  std::string folderName = NameOf(layout.directory, layout.style);
  if (folderName.empty()) {
    folderName = layout.directory;
  }
  page.Append("<header><h1>");
  page.Escaped(folderName);
  page.Append("</h1><p>");
  page.Escaped(layout.title);
  page.Line(" &middot; " + Number(layout.pictureCount) +
            (layout.pictureCount == 1 ? " picture" : " pictures") + "</p></header>");
  WriteNavigation(page, layout, index);

  page.Line("<main class=\"grid\">");
  std::string source;
  for (const GalleryEntry& entry : entries) {
    source = imagePrefix;
    AppendUrlEncoded(source, entry.name, layout.style);
    // The plain page's rule gives "a:b.jpg" for that name, which a browser
    // reads as a URL of the scheme "a:"; "./" keeps it a name.
    if (imagePrefix.empty() && source.find(':') != std::string::npos) {
      source.insert(0, "./");
    }
    page.Append("<figure><a href=\"");
    page.Escaped(source);
    page.Append("\">");
    if (entry.thumbnail != nullptr && entry.thumbnail->Shown()) {
      page.Append("<img src=\"");
      page.Escaped(page.LocalUrl(layout.thumbnailFolder, entry.thumbnail->fileName));
      page.Append("\" width=\"" + Number(static_cast<std::uint64_t>(entry.thumbnail->width)) +
                  "\" height=\"" + Number(static_cast<std::uint64_t>(entry.thumbnail->height)) +
                  "\" loading=\"lazy\" decoding=\"async\" alt=\"");
      page.Escaped(entry.name);
      page.Append("\">");
    } else {
      page.Append("<span class=\"none\">no preview</span>");
    }
    page.Append("</a><figcaption>");
    page.Escaped(entry.name);
    page.Line(" (" + Number(entry.size) + " bytes)</figcaption></figure>");
  }
  page.Line("</main>");
  WriteNavigation(page, layout, index);
  page.Append("<footer>");
  page.Escaped(kProgramCaption);
  page.Append(" &middot; <a href=\"");
  page.Escaped(kMakerWebAddress);
  page.Append("\">");
  page.Escaped(kMakerWebAddress);
  page.Line("</a></footer>");
  page.Line("</body>");
  page.Line("</html>");
  return page.Take();
}

}  // namespace pixdeck
