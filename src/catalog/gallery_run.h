// The gallery part of a Filter run: thumbnails, then the pages, then what
// earlier runs left that is no longer needed.
#pragma once

#include <string>

#include "catalog/catalog_list.h"
#include "catalog/catalog_run.h"
#include "util/messages.h"

namespace pixdeck {

// Writes the gallery of the sorted catalog to pagePath (the first page) and
// the pages and thumbnail folder beside it; sets result's status and count.
// Reports a failure through messages. Stopped by the progress: nothing is
// written but thumbnails, and every page of an earlier run stays as it was.
void WriteGallery(const CatalogInputs& inputs, const CatalogList& catalog,
                  const std::string& pagePath, CatalogResult& result, Messages& messages);

}  // namespace pixdeck
