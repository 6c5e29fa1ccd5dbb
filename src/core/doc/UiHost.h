#pragma once

#include "core/base/AtomicFile.h"
#include "core/doc/Message.h"

#include <memory>
#include <string>

namespace torvane {

class CProgress;

enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// What core needs of the desktop besides the list view: message boxes (the host finds the words
// for the message), the beep, the wait cursor and file-type icons. The GUI implements it; the
// command-line tool and tests have their own.
class CUiHost {
public:
    virtual ~CUiHost() = default;

    virtual MessageAnswer ShowMessage(MessageKind kind, const CMessage& message,
                                      MessageButtons buttons) = 0;
    virtual void Beep() = 0;
    virtual void SetWaitCursor(bool on) = 0;
    // Puts the icon of files with this extension (lower case, no dot) into image slot `slot` of
    // the row-icon list; answers false when there is none. The document grows its image count
    // by one whatever the answer.
    virtual bool LoadTypeIcon(const std::string& ext, int slot) = 0;
    // Whether an operation that shows its progress must never wait on storage on this thread
    // (a window's thread, which would stop repainting): then its reads, status queries and
    // folder listings run on other threads and a cancel ends the wait at once.
    virtual bool KeepsStorageOffThread() const { return false; }
    // Opens the progress window of a long operation ("処理中"); the main window is unusable
    // until it closes (Close() or destruction).
    virtual std::unique_ptr<CProgress> OpenProgress() = 0;
    // Opens a file for the writers (playlists, HTML, per-folder lists, autosave), by default
    // written atomically (CAtomicFile): the text goes in piece by piece as it is made, and takes
    // the previous file's place only with Commit, which answers false with a description in
    // error on failure; the previous file then stays as it was, as it does when the output is
    // destroyed without Commit.
    virtual std::unique_ptr<CTextOutput> OpenOutputFile(const std::string& path) {
        return std::make_unique<CAtomicFile>(path);
    }
};

} // namespace torvane
