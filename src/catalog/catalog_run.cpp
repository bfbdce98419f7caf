#include "catalog/catalog_run.h"

#include <algorithm>

#include "catalog/gallery_run.h"
#include "catalog/page_writer.h"
#include "catalog/picture_size.h"
#include "platform/file_system.h"
#include "util/file_status.h"
#include "util/temp_files.h"
#include "util/url.h"

namespace pixdeck {

namespace {

// How many entries pass between two progress reports.
constexpr std::size_t kProgressStep = 1024;

// A pattern with a folder part ("sub/*.gif") searches that folder instead.
bool HasFolderPart(std::string_view segment) {
#ifdef _WIN32
  return segment.find_first_of("\\/:") != std::string_view::npos;
#else
  return segment.find('/') != std::string_view::npos;
#endif
}

}  // namespace

Expected<void> SearchCatalog(std::string_view directory, std::string_view specs,
                             CatalogList& catalog, platform::MatchSizes sizes,
                             const std::function<void(std::size_t found)>& found) {
  std::vector<std::string> bare;           // patterns searched in one pass
  std::vector<std::uint32_t> bareSegment;  // their segment numbers
  std::vector<std::pair<std::uint32_t, std::string_view>> withFolder;
  std::uint32_t segments = 0;
  std::size_t start = 0;
  while (start <= specs.size()) {
    std::size_t end = specs.find(';', start);
    if (end == std::string_view::npos) {
      end = specs.size();
    }
    // Segments are not trimmed: a blank belongs to the pattern.
    const std::string_view segment = specs.substr(start, end - start);
    if (!segment.empty()) {
      if (HasFolderPart(segment)) {
        withFolder.emplace_back(segments, segment);
      } else {
        bare.emplace_back(segment);
        bareSegment.push_back(segments);
      }
      ++segments;
    }
    start = end + 1;
  }

  const std::size_t first = catalog.Count();
  std::vector<std::uint32_t> segmentOf;  // of each new entry
  Expected<void> searched;
  const auto keepFirstFailure = [&searched](Expected<void> outcome) {
    if (searched && !outcome) {
      searched = std::move(outcome);
    }
  };
  if (!bare.empty()) {
    // A folder that cannot be read adds nothing.
    keepFirstFailure(platform::SearchFolder(
        std::string(directory), bare,
        [&](std::size_t pattern, const platform::FolderMatch& match) {
          catalog.Add(match.name, match.size);
          segmentOf.push_back(bareSegment[pattern]);
          if (found && segmentOf.size() % kProgressStep == 0) {
            found(segmentOf.size());
          }
        },
        sizes));
  }
  for (const auto& [segment, pattern] : withFolder) {
    keepFirstFailure(platform::FindMatches(JoinPath(directory, pattern),
                                           [&, segment = segment](const platform::DirEntry& entry) {
                                             catalog.Add(entry.name, entry.size);
                                             segmentOf.push_back(segment);
                                           }));
  }

  // Segment by segment, each segment's entries in the order they were found.
  std::vector<std::uint32_t> firstOfSegment(segments + 1, 0);
  for (const std::uint32_t segment : segmentOf) {
    ++firstOfSegment[segment + 1];
  }
  for (std::uint32_t i = 0; i < segments; ++i) {
    firstOfSegment[i + 1] += firstOfSegment[i];
  }
  std::vector<std::uint32_t> order(catalog.Count());
  for (std::uint32_t i = 0; i < first; ++i) {
    order[i] = i;
  }
  for (std::size_t i = 0; i < segmentOf.size(); ++i) {
    order[first + firstOfSegment[segmentOf[i]]++] = static_cast<std::uint32_t>(first + i);
  }
  catalog.Reorder(order);
  return searched;
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

std::size_t EstimatedPageSize(const CatalogList& catalog, std::size_t prefixLength,
                              bool lightPages) {
  // A light entry adds its size and loading attributes.
  const std::size_t perEntry = lightPages ? 100 : 40;
  std::size_t bytes = 2048;
  for (std::size_t i = 0; i < catalog.Count(); ++i) {
    bytes += 2 * catalog.NameAt(i).size() + prefixLength + perEntry;
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

  CatalogList catalog;
  // A light page opens every picture for its header, which tells its file
  // size as well: one look at each file instead of two.
  const bool lightPages = inputs.lightPages && !inputs.gallery;
  std::function<void(std::size_t)> found;
  if (inputs.progress) {
    found = [&inputs](std::size_t n) { inputs.progress(CatalogStage::Reading, n, 0); };
  }
  const Expected<void> searched =
      SearchCatalog(inputs.directory, inputs.specs, catalog,
                    lightPages ? platform::MatchSizes::Later : platform::MatchSizes::Read, found);
  catalog.Sort();
  std::vector<PictureProbe> probes;
  std::size_t listed = catalog.Count();
  if (lightPages && listed > 0) {
    if (inputs.progress) {
      inputs.progress(CatalogStage::ReadingHeaders, 0, listed);
    }
    // The reader takes names as strings, on several threads, so each has its
    // own copy.
    probes =
        ProbePictures(inputs.directory, catalog.Count(), [&](std::size_t i) -> const std::string& {
          thread_local std::string copy;
          copy.assign(catalog.NameAt(i));
          return copy;
        });
    for (std::size_t i = 0; i < catalog.Count(); ++i) {
      if (catalog.SizeAt(i) == platform::kSizeNotRead && !probes[i].found) {
        --listed;  // vanished since the folder was read
      }
    }
  }
  // "No files found!" is for a folder that was read and held no match.
  if (listed == 0 && !searched) {
    result.status = CatalogStatus::Unreadable;
    ShowError(messages, searched.error());
    return result;
  }
  if (listed == 0) {
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

  if (inputs.gallery) {
    result.pagePath = PageFileOf(result.outputName, inputs.directory);
    WriteGallery(inputs, catalog, result.pagePath, result, messages);
    if (result.temporaryName && result.status == CatalogStatus::Written) {
      RegisterTempFile(result.outputName);
    }
    return result;
  }

  PageWriter writer(inputs.urlBase);
  writer.SetPageInScanDir(!inputs.pageSink && IsPageInScanDir(result.outputName, inputs.directory));
  const std::string pattern = PatternUrl(inputs.pattern, inputs.urlBase);
  const std::string code =
      inputs.colors ? inputs.colors->ColorCodeOf(inputs.colorName) : std::string();
  const std::string title = JoinPath(inputs.directory, inputs.specs);

  writer.WritePageHeader(inputs.directory, title, pattern, code);
  writer.Reserve(EstimatedPageSize(catalog, writer.ImagePrefix().size(), lightPages) +
                 writer.Text().size());
  result.count = listed;
  for (std::size_t i = 0; i < catalog.Count(); ++i) {
    if (inputs.progress && i % kProgressStep == 0) {
      inputs.progress(CatalogStage::Writing, i, catalog.Count());
    }
    if (!lightPages) {
      writer.WritePageEntry(catalog.NameAt(i), catalog.SizeAt(i));
      continue;
    }
    // Matches of a pattern with a folder part were looked up by their search.
    std::uint64_t size = catalog.SizeAt(i);
    if (size == platform::kSizeNotRead) {
      if (!probes[i].found) {
        continue;
      }
      size = probes[i].fileSize;
    }
    writer.WriteLightPageEntry(catalog.NameAt(i), size, probes[i].size);
  }
  catalog.Clear();
  writer.WritePageFooter();

  if (inputs.pageSink) {
    if (const Expected<void> sent = inputs.pageSink(writer.Text()); !sent) {
      result.status = CatalogStatus::WriteFailed;
      ShowError(messages, sent.error());
      return result;
    }
    result.status = CatalogStatus::Written;
    return result;
  }
  result.pagePath = PageFileOf(result.outputName, inputs.directory);
  if (const Expected<void> written =
          platform::ReplaceFileAtomically(result.pagePath, writer.Text());
      !written) {
    result.status = CatalogStatus::WriteFailed;
    ShowError(messages, written.error());  // names the page and the system's reason
    return result;
  }
  if (result.temporaryName) {
    RegisterTempFile(result.outputName);
  }
  result.status = CatalogStatus::Written;
  return result;
}

}  // namespace pixdeck
