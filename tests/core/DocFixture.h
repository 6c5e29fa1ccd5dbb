#pragma once

#include "Fakes.h"
#include "core/doc/TorvaneDoc.h"
#include "core/settings/Profile.h"

#include <gtest/gtest.h>

namespace torvane::test {

// A document on a profile in a fresh temporary folder, with a fake view and host; nothing is
// read when a file is added, unless a test says so.
class DocTest : public ::testing::Test {
protected:
    DocTest() {
        doc.SetView(&view);
        doc.Settings().readtag = 0;
    }

    // The current list's paths, with the temporary folder's prefix cut off.
    std::vector<std::string> Paths() const {
        std::vector<std::string> paths;
        const std::string prefix = dir.Path() + "/";
        for (const CListData* record : doc.CurrentList()) {
            const std::string& path = record->FilePath();
            paths.push_back(path.starts_with(prefix) ? path.substr(prefix.size()) : path);
        }
        return paths;
    }

    // Adds every path to the current list (each must be taken) and tells the view.
    void AddPaths(const std::vector<std::string>& paths) {
        for (const std::string& path : paths)
            ASSERT_TRUE(doc.AddFile(path, true)) << path;
        doc.UpdateItemCount();
    }

    // Empties the current list, as "リストをクリア" does once the view shows it.
    void Clear() {
        doc.UpdateItemCount();
        doc.ClearCurrentList();
    }

    // Writes empty files under the temporary folder.
    void Touch(std::initializer_list<const char*> names) const {
        for (const char* name : names)
            dir.Write(name, "");
    }

    CTempDir dir;
    CProfile profile{dir / "torvane.ini"};
    CFakeHost host;
    CFakeView view;
    CTorvaneDoc doc{profile, host};
};

using Texts = std::vector<std::string>;

} // namespace torvane::test
