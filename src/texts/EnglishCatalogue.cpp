#include "texts/EnglishCatalogue.h"

#include <algorithm>

namespace torvane {

std::string_view EnglishFor(std::string_view source) {
    const CatalogueEntry* end = EnglishCatalogue + EnglishCatalogueSize;
    const CatalogueEntry* found = std::lower_bound(
        EnglishCatalogue, end, source,
        [](const CatalogueEntry& entry, std::string_view key) { return entry.Source < key; });
    return found != end && found->Source == source ? found->English : source;
}

} // namespace torvane
