#include "catalog/gallery_run.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "catalog/gallery_writer.h"
#include "catalog/thumbnail_store.h"
#include "platform/file_system.h"
#include "text/utf8_path.h"
#include "util/temp_files.h"
#include "util/url.h"

namespace pixdeck {

namespace {

namespace fs = std::filesystem;

std::string ReadHead(const std::string& path) {
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  std::string head(512, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount())));
  return head;
}

// Later pages of an earlier, longer gallery of the same name; only files
// that are gallery pages of ours.
void RemoveStalePages(const std::string& pageDir, const std::string& firstPage,
                      std::size_t pageCount) {
  std::error_code ec;
  std::vector<std::string> stale;
  const fs::path dir = PathFromUtf8(pageDir.empty() ? "." : pageDir);
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = Utf8FromPath(it->path().filename());
    if (GalleryPageNumber(firstPage, name) > pageCount) {
      stale.push_back(Utf8FromPath(it->path()));
    }
  }
  for (const std::string& path : stale) {
    if (IsGalleryPage(ReadHead(path))) {
      (void)platform::RemoveFile(path);  // one that cannot go is only a page too many
    }
  }
}

// "C:/web/g.htm" names the same file as "C:\web\g.htm", but the name
// helpers split a Windows path at backslashes alone.
std::string NativePagePath(std::string path) {
#ifdef _WIN32
  std::replace(path.begin(), path.end(), '/', '\\');
#endif
  return path;
}

}  // namespace

void WriteGallery(const CatalogInputs& inputs, const CatalogList& catalog,
                  const std::string& typedPagePath, CatalogResult& result, Messages& messages) {
  const std::string pagePath = NativePagePath(typedPagePath);
  const std::string pageDir = DirOf(pagePath);
  const std::string firstPage = NameOf(pagePath);
  const std::string thumbnailDir = ThumbnailFolderOf(pagePath);

  std::vector<std::string_view> names;
  names.reserve(catalog.Count());
  for (std::size_t i = 0; i < catalog.Count(); ++i) {
    names.push_back(catalog.NameAt(i));
  }
  std::unique_ptr<Thumbnailer> own;
  const Thumbnailer* thumbnailer = inputs.thumbnailer;
  if (thumbnailer == nullptr) {
    own = MakeSystemThumbnailer();
    thumbnailer = own.get();
  }
  const int thumbnailSize = std::clamp(inputs.thumbnailSize, kMinThumbnailSize, kMaxThumbnailSize);
  const ThumbnailRun thumbnails = MakeThumbnails(
      *thumbnailer, inputs.directory, names, thumbnailDir, thumbnailSize, inputs.thumbnailProgress);
  result.thumbnailsMade = thumbnails.made;
  if (!thumbnails.error.empty()) {
    result.status = CatalogStatus::WriteFailed;
    ShowError(messages, thumbnails.error);
    return;
  }
  if (thumbnails.stopped) {
    result.status = CatalogStatus::Stopped;
    return;
  }

  const std::size_t perPage =
      static_cast<std::size_t>(std::clamp(inputs.galleryPageSize, 1, kMaxGalleryPageSize));
  const std::size_t pageCount = (catalog.Count() + perPage - 1) / perPage;
  GalleryLayout layout;
  layout.directory = inputs.directory;
  layout.title = JoinPath(inputs.directory, inputs.specs);
  layout.patternUrl = PatternUrl(inputs.pattern, inputs.urlBase);
  layout.colorCode = inputs.colors ? inputs.colors->ColorCodeOf(inputs.colorName) : std::string();
  layout.urlBase = inputs.urlBase;
  layout.pageInScanDir = IsPageInScanDir(result.outputName, inputs.directory);
  layout.pageDir = pageDir;
  for (std::size_t i = 0; i < pageCount; ++i) {
    layout.pageNames.push_back(GalleryPageName(firstPage, i));
  }
  layout.thumbnailFolder = NameOf(thumbnailDir);
  layout.pictureCount = catalog.Count();
  layout.thumbnailSize = thumbnailSize;

  std::vector<GalleryEntry> entries(catalog.Count());
  for (std::size_t i = 0; i < catalog.Count(); ++i) {
    entries[i] = GalleryEntry{catalog.NameAt(i), catalog.SizeAt(i), &thumbnails.thumbnails[i]};
  }
  result.count = catalog.Count();
  // Later pages first: the first page, the one a browser is shown, then
  // never links to a page that is not there yet.
  for (std::size_t page = pageCount; page-- > 0;) {
    const std::size_t first = page * perPage;
    const std::size_t end = std::min(entries.size(), first + perPage);
    const std::string path = page == 0 ? pagePath : JoinPath(pageDir, layout.pageNames[page]);
    const std::string text =
        GalleryPageText(layout, page, std::span(entries).subspan(first, end - first));
    if (const Expected<void> written = platform::ReplaceFileAtomically(path, text); !written) {
      result.status = CatalogStatus::WriteFailed;
      ShowError(messages, written.error());
      return;
    }
    if (result.temporaryName) {
      RegisterTempFile(path);
    }
  }
  RemoveStalePages(pageDir, firstPage, pageCount);
  RemoveStaleThumbnails(thumbnailDir, thumbnails.thumbnails);
  if (result.temporaryName) {
    for (const ThumbnailInfo& info : thumbnails.thumbnails) {
      if (!info.fileName.empty()) {
        RegisterTempFile(JoinPath(thumbnailDir, info.fileName));
      }
    }
  }
  result.status = CatalogStatus::Written;
}

}  // namespace pixdeck
