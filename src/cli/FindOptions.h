#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace torvane {
class CTorvaneDoc;
}

namespace torvane::cli {

// --find DIR and its conditions: the folder search of "フォルダから追加", gathered like an INPUT.
class CFindOptions {
public:
    explicit CFindOptions(CLI::App& app);

    bool Given() const { return !m_Folders.empty(); }
    // Adds the matches of every folder to the current list; false when a folder does not exist
    // (reported on stderr, the others still searched).
    bool Gather(CTorvaneDoc& doc) const;

private:
    std::vector<std::string> m_Folders;
    std::string m_Text;
    bool m_Not = false;
    std::string m_Target = "path";
    std::string m_Ext;
    int32_t m_MinKB = 0;
    int32_t m_MaxKB = 0;
    CLI::Option* m_Max = nullptr;
};

} // namespace torvane::cli
