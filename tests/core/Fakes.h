#pragma once

#include "core/base/Progress.h"
#include "core/doc/DesktopPort.h"
#include "core/doc/ListViewPort.h"
#include "core/doc/UiHost.h"
#include "core/record/ListData.h"
#include "texts/MessageTexts.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace torvane {

// The texts of the messages the tests look for.
inline constexpr const char* OpenFailedMessage = "ファイルのオープンに失敗しました";
inline constexpr const char* OutOfMemoryMessage = "メモリが足りないため、処理を中止しました。";
inline constexpr const char* ListTooLargeMessage =
    "リストファイルが大きすぎるため、読み込みませんでした。";
inline constexpr const char* NestedListsMessage =
    "リストファイルが互いを何度も指しているため、一部を読み込みませんでした。";
inline constexpr const char* NestedFoldersMessage =
    "フォルダへのリンクが多すぎるため、一部のフォルダを読み込みませんでした。";
inline constexpr const char* TemplateTooLargeMessage =
    "テンプレートファイルが大きすぎるため、読み込みませんでした。";
inline constexpr const char* LineBreakMessage = "次の名前は改行を含むため、保存しませんでした。";
inline constexpr const char* KeptListIncompleteQuestion =
    "前回保存したリストは一部しか読み込まれていません。\n"
    "現在のリストで上書きしてもよろしいですか？";

} // namespace torvane

namespace torvane::test {

// Records what core asked of the list view.
class CFakeView final : public CListViewPort {
public:
    int ItemCount() const override { return Count; }
    void SetItemCount(int count) override {
        Count = count;
        CountHistory.push_back(count);
    }
    std::vector<int> SelectedRows() const override { return Selection; }
    void SelectRows(const std::vector<int>& rows) override { Selection = rows; }
    void SetFocusRow(int row) override { Focus = row; }
    void EnsureVisible(int row) override { Visible = row; }
    void Redraw() override { ++Redraws; }
    void SetItemCountText(const CMessage& text) override { CountText = JapaneseText(text); }
    void UpdateSelectionTexts() override { ++SelectionUpdates; }

    int Count = 0;
    std::vector<int> CountHistory;
    std::vector<int> Selection;
    int Focus = -1;
    int Visible = -1;
    int Redraws = 0;
    std::string CountText;
    int SelectionUpdates = 0;
};

// Records every position; answers "cancelled" from the CancelAfter-th question on (0: never).
class CFakeProgress final : public CProgress {
public:
    explicit CFakeProgress(int cancelAfter, std::vector<int>* positions, int* closes)
        : m_CancelAfter(cancelAfter), m_Positions(positions), m_Closes(closes) {}
    ~CFakeProgress() override { Close(); }
    void Close() override {
        if (!m_Closed && m_Closes)
            ++*m_Closes;
        m_Closed = true;
    }

protected:
    void PumpEvents(bool) override {
        if (m_CancelAfter > 0 && ++m_Questions >= m_CancelAfter)
            Cancel();
    }
    void ShowPosition(int position, const std::string&) override {
        if (m_Positions)
            m_Positions->push_back(position);
    }

private:
    int m_CancelAfter;
    int m_Questions = 0;
    bool m_Closed = false;
    std::vector<int>* m_Positions;
    int* m_Closes;
};

// A file on a full disk: takes the text and fails on Commit.
class CFullDiskOutput final : public CTextOutput {
public:
    explicit CFullDiskOutput(std::string path) : m_Path(std::move(path)) {}
    void Write(std::string_view) override {}
    bool Commit(std::string& error) override {
        error = m_Path + ": No space left on device";
        return false;
    }

private:
    std::string m_Path;
};

// Records messages (as the command-line tool words them) and icon requests; answers with preset
// replies.
class CFakeHost final : public CUiHost {
public:
    struct Message {
        std::string Text;
        std::string Caption;
        MessageButtons Buttons;
        MessageId Id;
    };

    MessageAnswer ShowMessage(MessageKind kind, const CMessage& message,
                              MessageButtons buttons) override {
        Messages.push_back({JapaneseText(message), CaptionSource(kind), buttons, message.Id});
        return Answer;
    }
    void Beep() override { ++Beeps; }
    void SetWaitCursor(bool on) override { WaitCursor = on; }
    bool LoadTypeIcon(const std::string& ext, int slot) override {
        IconRequests.emplace_back(ext, slot);
        return IconsFor.count(ext) > 0;
    }
    bool KeepsStorageOffThread() const override { return OffThread; }
    std::unique_ptr<CProgress> OpenProgress() override {
        ++ProgressOpened;
        return std::make_unique<CFakeProgress>(CancelAfter, &ProgressPositions, &ProgressClosed);
    }
    // A full disk for the paths in FullDiskFor: the write fails, the file stays as it was.
    std::unique_ptr<CTextOutput> OpenOutputFile(const std::string& path) override {
        if (FullDiskFor.count(path) > 0)
            return std::make_unique<CFullDiskOutput>(path);
        return CUiHost::OpenOutputFile(path);
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const Message& message : Messages)
            texts.push_back(message.Text);
        return texts;
    }

    std::vector<Message> Messages;
    MessageAnswer Answer = MessageAnswer::Ok;
    int Beeps = 0;
    bool WaitCursor = false;
    std::set<std::string> IconsFor; // extensions that have an icon
    std::vector<std::pair<std::string, int>> IconRequests;
    int CancelAfter = 0; // progress events until the user presses cancel; 0 never
    int ProgressOpened = 0;
    int ProgressClosed = 0;
    std::vector<int> ProgressPositions;
    std::set<std::string> FullDiskFor;
    bool OffThread = false; // storage is asked on other threads, as by the window
};

// Records what the file operations asked of the desktop; fails the starts, moves and clipboard
// uses it is told to.
class CFakeDesktop final : public CDesktopPort {
public:
    bool StartProgram(const std::string& program, const std::string& file) override {
        Started.emplace_back(program, file);
        return !StartFails;
    }
    void OpenWithDefault(const std::string& path) override { OpenedWithDefault.push_back(path); }
    bool MoveToTrash(const std::string& path, std::string& error) override {
        if (TrashFailsFor.count(path) > 0) {
            error = "Permission denied";
            return false;
        }
        Trashed.push_back(path);
        return true;
    }
    void ShowProperties(const CListData& record, const std::string& shownPath) override {
        PropertiesShown.push_back(record.FilePath());
        PropertiesShownAs.push_back(shownPath);
    }
    void ShowFolder(const std::string& folder, const std::vector<std::string>& files) override {
        FoldersShown.emplace_back(folder, files);
    }
    bool SetClipboardText(const std::string& text) override {
        if (ClipboardFails)
            return false;
        Clipboard = text;
        ++ClipboardWrites;
        return true;
    }

    std::vector<std::pair<std::string, std::string>> Started; // program, file
    bool StartFails = false;
    std::vector<std::string> OpenedWithDefault;
    std::vector<std::string> Trashed;
    std::set<std::string> TrashFailsFor;
    std::vector<std::string> PropertiesShown;
    std::vector<std::string> PropertiesShownAs;
    std::vector<std::pair<std::string, std::vector<std::string>>> FoldersShown;
    std::string Clipboard;
    int ClipboardWrites = 0;
    bool ClipboardFails = false;
};

// A fresh folder under the system's temporary folder, removed with everything in it.
class CTempDir {
public:
    CTempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "torvane-XXXXXX").string();
        m_Path = ::mkdtemp(pattern.data());
    }
    ~CTempDir() {
        std::error_code ignored;
        std::filesystem::permissions(m_Path, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(m_Path, ignored);
    }
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::string& Path() const { return m_Path; }
    std::string operator/(const std::string& name) const { return m_Path + "/" + name; }

    // Reads a whole file; empty when it cannot be read.
    std::string Read(const std::string& name) const {
        std::ifstream in(*this / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // Writes a file (creating its folders) and answers its path.
    std::string Write(const std::string& name, const std::string& content) const {
        std::string path = *this / name;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

private:
    std::string m_Path;
};

// Sets (or, with null, removes) one environment variable for a scope and puts it back after.
class CScopedEnvironment {
public:
    CScopedEnvironment(const char* name, const char* value) : m_Name(name) {
        if (const char* old = std::getenv(name))
            m_Old = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    CScopedEnvironment(const char* name, const std::string& value)
        : CScopedEnvironment(name, value.c_str()) {}
    ~CScopedEnvironment() {
        if (m_Old)
            ::setenv(m_Name, m_Old->c_str(), 1);
        else
            ::unsetenv(m_Name);
    }
    CScopedEnvironment(const CScopedEnvironment&) = delete;
    CScopedEnvironment& operator=(const CScopedEnvironment&) = delete;

private:
    const char* m_Name;
    std::optional<std::string> m_Old;
};

} // namespace torvane::test
