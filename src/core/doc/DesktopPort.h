#pragma once

#include <string>
#include <vector>

namespace torvane {

class CListData;

// What the file operations need of the desktop: starting programs, the default application,
// the trash, file-manager windows, the properties of a file and the clipboard. The GUI
// implements it; tests use a recording fake. Starts and windows run on their own: nothing
// waits for them.
class CDesktopPort {
public:
    virtual ~CDesktopPort() = default;

    // Starts program with file as its one argument (no shell between); false when it could not
    // be started.
    virtual bool StartProgram(const std::string& program, const std::string& file) = 0;
    // Opens the file with the desktop's default application; failures are the desktop's to show.
    virtual void OpenWithDefault(const std::string& path) = 0;
    // Moves the file into the user's trash (or its volume's). On failure answers false with the
    // reason in error, and the file is where it was.
    virtual bool MoveToTrash(const std::string& path, std::string& error) = 0;
    // Shows the properties of the record's file; shownPath is its path as the window shows it.
    virtual void ShowProperties(const CListData& record, const std::string& shownPath) = 0;
    // Opens a file-manager window on folder with the given files of it selected where the file
    // manager can do so.
    virtual void ShowFolder(const std::string& folder, const std::vector<std::string>& files) = 0;
    // Replaces the clipboard's content with the text; false when the clipboard cannot be used.
    virtual bool SetClipboardText(const std::string& text) = 0;
};

} // namespace torvane
