#pragma once

#include "core/doc/Progress.h"
#include "core/doc/UiHost.h"

#include <iostream>

namespace torvane::cli {

// The command-line tool's desktop: messages go to stderr, questions take their default, and no
// file type has an icon.
class CConsoleHost final : public CUiHost {
public:
    MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                              MessageButtons buttons) override {
        std::cerr << "torvane-cli: " << (caption.empty() ? "" : caption + ": ") << text << "\n";
        return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
    void Beep() override {}
    void SetWaitCursor(bool) override {}
    bool LoadTypeIcon(const std::string&, int) override { return false; }
    std::unique_ptr<CProgress> OpenProgress() override { return std::make_unique<CProgress>(); }
    // The program's message names no file; say which one failed and why.
    bool WriteFile(const std::string& path, std::string_view content, std::string& error) override {
        if (CUiHost::WriteFile(path, content, error))
            return true;
        std::cerr << "torvane-cli: cannot write " << error << "\n";
        return false;
    }
};

} // namespace torvane::cli
