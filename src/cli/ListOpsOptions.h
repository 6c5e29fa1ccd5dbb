#pragma once

#include "core/listops/SearchRequest.h"
#include "core/record/Columns.h"

#include <CLI/CLI.hpp>

#include <cstdint>
#include <optional>
#include <vector>

namespace torvane {
class CTorvaneDoc;
}

namespace torvane::cli {

// One list operation of the command line.
struct ListOp {
    enum class Kind { Sort, Shuffle, RemoveDuplicates, ListDuplicates, Search };

    Kind What = Kind::Sort;
    ColumnKey Key = ColFilePath; // Sort
    bool Descending = false;
    // Search: each pass searches the current list (so later passes narrow the first); a pass
    // after the first holds a second bound of a condition (a request holds one per condition).
    std::vector<SearchRequest> Passes;
};

struct ListOpsPlan {
    std::optional<uint32_t> Seed;
    bool IgnoreLeadingDigits = false;
    std::vector<ListOp> Ops; // in command-line order
};

// The list operation options (--sort, --shuffle, --dedupe, --list-dupes, --search and the
// options that modify a search). Registers them on the app; Plan() reads them back in the order
// they were given.
class CListOpsOptions {
public:
    explicit CListOpsOptions(CLI::App& app);

    ListOpsPlan Plan() const;

private:
    CLI::App& m_App;
    CLI::Option* m_Seed;
    CLI::Option* m_IgnoreLeadingDigits;
};

// Runs the plan's operations on the document in order, after every input is gathered.
void ApplyListOps(CTorvaneDoc& doc, const ListOpsPlan& plan);

} // namespace torvane::cli
