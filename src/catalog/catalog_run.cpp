#include "catalog/catalog_run.h"

#include <algorithm>

#include "catalog/page_writer.h"
#include "catalog/picture_size.h"
#include "catalog/sort_key.h"
#include "catalog/url.h"
#include "platform/collate.h"
#include "platform/file_system.h"
#include "util/files.h"
#include "util/temp_files.h"

namespace pixdeck {

void SearchCatalog(std::string_view directory, std::string_view specs,
                   std::vector<CatalogEntry>& catalog) {
  std::size_t start = 0;
  while (start <= specs.size()) {
    std::size_t end = specs.find(';', start);
    if (end == std::string_view::npos) {
      end = specs.size();
    }
    // Segments are not trimmed: a blank belongs to the pattern.
    const std::string_view segment = specs.substr(start, end - start);
    if (!segment.empty()) {
      platform::FindMatches(JoinPath(directory, segment), [&](const platform::DirEntry& entry) {
        catalog.push_back({entry.name, entry.size});
      });
    }
    start = end + 1;
  }
}

void SortCatalog(std::vector<CatalogEntry>& catalog) {
  if (!HaveSortKeys()) {
    std::sort(catalog.begin(), catalog.end(), [](const CatalogEntry& a, const CatalogEntry& b) {
      return platform::CompareTextLocale(a.name, b.name) < 0;
    });
    return;
  }
  // Folding and collating once per name instead of once per comparison keeps
  // a catalog of 100,000 names fast.
  struct Keyed {
    std::wstring key;
    std::size_t index;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(catalog.size());
  for (std::size_t i = 0; i < catalog.size(); ++i) {
    keyed.push_back({SortKeyOf(catalog[i].name), i});
  }
  std::sort(keyed.begin(), keyed.end(),
            [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
  std::vector<CatalogEntry> sorted;
  sorted.reserve(catalog.size());
  for (Keyed& item : keyed) {
    std::wstring().swap(item.key);
    sorted.push_back(std::move(catalog[item.index]));
  }
  catalog = std::move(sorted);
}

bool IsPageInScanDir(std::string_view outputName, std::string_view directory, PathStyle style) {
  const std::string outputDir = DirOf(outputName, style);
  return outputDir.empty() || SameDir(outputDir, directory, style);
}

std::string PageFileOf(std::string_view outputName, std::string_view directory, PathStyle style) {
  if (!DirOf(outputName, style).empty()) {
    return std::string(outputName);
  }
  return JoinPath(directory, outputName, style);
}

namespace {

std::size_t EstimatedPageSize(const std::vector<CatalogEntry>& catalog, std::size_t prefixLength,
                              bool lightPages) {
  // A light entry adds its size and loading attributes.
  const std::size_t perEntry = lightPages ? 100 : 40;
  std::size_t bytes = 2048;
  for (const CatalogEntry& entry : catalog) {
    bytes += 2 * entry.name.size() + prefixLength + perEntry;
  }
  return bytes;
}

}  // namespace

CatalogResult RunCatalog(const CatalogInputs& inputs, Messages& messages) {
  CatalogResult result;
  result.outputName = inputs.outputName;
  if (inputs.specs.empty()) {
    return result;
  }

  std::vector<CatalogEntry> catalog;
  SearchCatalog(inputs.directory, inputs.specs, catalog);
  if (catalog.empty()) {
    result.status = CatalogStatus::NoFiles;
    ShowInfo(messages, "No files found!", true);
    return result;
  }

  if (result.outputName.empty()) {
    const std::string tempName = TempFileName();
    if (tempName.empty()) {
      // Carrying on with ".htm" alone would write a page nobody asked for.
      result.status = CatalogStatus::NoTempName;
      ShowError(messages, "Cannot create a temporary file for the page.");
      return result;
    }
    result.outputName = ForceExt(tempName, "htm");
    result.temporaryName = true;
    DeleteFileIfFree(tempName);
  }

  SortCatalog(catalog);

  PageWriter writer(inputs.urlBase);
  writer.SetPageInScanDir(IsPageInScanDir(result.outputName, inputs.directory));
  const std::string pattern = PatternUrl(inputs.pattern, inputs.urlBase);
  const std::string code =
      inputs.colors ? inputs.colors->ColorCodeOf(inputs.colorName) : std::string();
  const std::string title = JoinPath(inputs.directory, inputs.specs);

  writer.WritePageHeader(inputs.directory, title, pattern, code);
  writer.Reserve(EstimatedPageSize(catalog, writer.ImagePrefix().size(), inputs.lightPages) +
                 writer.Text().size());
  result.count = catalog.size();
  if (inputs.lightPages) {
    const auto sizes =
        ReadPictureSizes(inputs.directory, catalog.size(),
                         [&](std::size_t i) -> const std::string& { return catalog[i].name; });
    for (std::size_t i = 0; i < catalog.size(); ++i) {
      writer.WriteLightPageEntry(catalog[i].name, catalog[i].size, sizes[i]);
    }
  } else {
    for (const CatalogEntry& entry : catalog) {
      writer.WritePageEntry(entry.name, entry.size);
    }
  }
  catalog.clear();
  catalog.shrink_to_fit();
  writer.WritePageFooter();

  result.pagePath = PageFileOf(result.outputName, inputs.directory);
  std::string error;
  if (!platform::ReplaceFileAtomically(result.pagePath, writer.Text(), error)) {
    result.status = CatalogStatus::WriteFailed;
    // The platform's reason usually names the file already; make sure it does.
    std::string text = error;
    if (text.find(result.pagePath) == std::string::npos) {
      text = "Cannot create file " + result.pagePath + (error.empty() ? "" : ": " + error);
    }
    ShowError(messages, text);
    return result;
  }
  if (result.temporaryName) {
    RegisterTempFile(result.outputName);
  }
  result.status = CatalogStatus::Written;
  return result;
}

}  // namespace pixdeck
