#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

namespace torvane {

// One text of the window's English catalogue: its Japanese source and the English for it.
struct CatalogueEntry {
    std::string_view Source;
    std::string_view English;
};

// The catalogue, sorted by source (made at build time from the window's .ts file).
extern const CatalogueEntry EnglishCatalogue[];
extern const size_t EnglishCatalogueSize;

// The English for a Japanese source text; the source itself when the catalogue has none.
std::string_view EnglishFor(std::string_view source);

} // namespace torvane
