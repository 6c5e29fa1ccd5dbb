#pragma once

#include "cli/Language.h"
#include "core/base/Progress.h"
#include "core/doc/UiHost.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>

namespace torvane::cli {

// The name of -o for standard output.
inline constexpr const char* StandardOutputName = "-";

// Flushes standard output; false, with what went wrong in error, when anything written to it
// was lost (a full disk, /dev/full, a closed pipe).
inline bool StandardOutputWritten(std::string& error) {
    errno = 0;
    std::cout.flush();
    const bool flushed = std::fflush(stdout) == 0;
    if (flushed && std::cout.good() && !std::ferror(stdout))
        return true;
    error = std::string("standard output: ") + (errno != 0 ? std::strerror(errno) : "write error");
    return false;
}

// Says on stderr that a file (or standard output) could not be written, and why.
inline void ReportCannotWrite(const std::string& error) {
    std::cerr << "torvane-cli: " << Say("cannot write ", "書き込めません: ") << error << "\n";
}

// The command-line tool's desktop: messages go to stderr in the locale's language, questions take
// their default, and no file type has an icon.
class CConsoleHost final : public CUiHost {
public:
    MessageAnswer ShowMessage(MessageKind kind, const CMessage& message,
                              MessageButtons buttons) override {
        const std::string caption = CaptionText(kind);
        std::cerr << "torvane-cli: " << (caption.empty() ? "" : caption + ": ")
                  << MessageText(message) << "\n";
        return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
    void Beep() override {}
    void SetWaitCursor(bool) override {}
    bool LoadTypeIcon(const std::string&, int) override { return false; }
    std::unique_ptr<CProgress> OpenProgress() override { return std::make_unique<CProgress>(); }
    // "-" is standard output. The program's message names no file; say which one failed and why.
    std::unique_ptr<CTextOutput> OpenOutputFile(const std::string& path) override {
        if (path == StandardOutputName)
            return std::make_unique<CReportedOutput>(std::make_unique<CStandardOutput>());
        return std::make_unique<CReportedOutput>(CUiHost::OpenOutputFile(path));
    }

private:
    // Standard output as a file the writers write.
    class CStandardOutput final : public CTextOutput {
    public:
        void Write(std::string_view piece) override {
            std::cout.write(piece.data(), static_cast<std::streamsize>(piece.size()));
        }
        bool Commit(std::string& error) override {
            if (StandardOutputWritten(error))
                return true;
            // Reported once, with the file: the final check of standard output need not say it
            // again.
            std::clearerr(stdout);
            std::cout.clear();
            return false;
        }
    };
    // An output whose failure is said on stderr.
    class CReportedOutput final : public CTextOutput {
    public:
        explicit CReportedOutput(std::unique_ptr<CTextOutput> out) : m_Out(std::move(out)) {}
        void Write(std::string_view piece) override { m_Out->Write(piece); }
        bool Failed() const override { return m_Out->Failed(); }
        bool Commit(std::string& error) override {
            if (m_Out->Commit(error))
                return true;
            ReportCannotWrite(error);
            return false;
        }

    private:
        std::unique_ptr<CTextOutput> m_Out;
    };
};

} // namespace torvane::cli
