// Reading catalogue entries from the registry into a ComponentCatalogue: one root at a time,
// or every root the host reports, in its order.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "zozed/module/component_catalogue.h"

namespace zozed {

// The host's CatalogueRoot for an index; empty when there is none.
using CatalogueRoots = std::function<std::u16string(int index)>;
inline constexpr int kMaxCatalogueRoots = 1000;

// Merges the entries below HKEY_LOCAL_MACHINE\<root><suffix> into `catalogue`, then sorts it.
// Nothing is reported: a key that does not open is skipped and absent values keep defaults.
void read_catalogue(ComponentCatalogue& catalogue, std::u16string_view root, std::u16string_view suffix);

// read_catalogue for roots 0, 1, 2, ... until the first empty answer, so later roots override
// or delete the entries of earlier ones.
void load_catalogue(ComponentCatalogue& catalogue, const CatalogueRoots& roots, std::u16string_view suffix);

}  // namespace zozed
