#pragma once

#include "core/base/FolderListing.h"

#include <deque>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace torvane {

class CTorvaneDoc;

// What a scan learns of a folder: its device and inode, then its entries.
struct FolderFacts {
    bool Identified = false; // false: the folder could not be examined
    CVisitChain::FolderId Id{};
    bool Listed = false; // false: the folder could not be listed (or was not asked yet)
    std::vector<FolderEntry> Entries;
};

// The files of a folder a scan adds, in the order it adds them: the last name first, hidden
// entries and folders left out.
std::vector<std::string> ScanOrderFiles(const std::string& folder,
                                        const std::vector<FolderEntry>& entries);

// Walks a folder tree ahead of its scan: lists many folders at once on threads of their own
// (on a network share or a USB disk every request waits, so requests in flight together are
// what makes a scan quick), and tells the document which files the scan will add, in the order
// it will add them, up to a window of files ahead: their files are read while the scan is still
// folders behind. It mirrors the scan's rules (hidden entries, the depth limit, folders already
// on the path); where it cannot (a folder reached again by links), or where the scan adds other
// files than it told, it stops telling and the scan queues each folder's files itself. So it
// only ever changes how soon a file is read, never what is added.
class CFolderWalkAhead {
public:
    // root is level 1; depthLimit as the "SearchClass" setting (0: every level).
    CFolderWalkAhead(CTorvaneDoc& doc, const std::string& root, int depthLimit);
    // Listings still in flight finish on their threads whenever the storage answers; what
    // they find is dropped.
    ~CFolderWalkAhead();
    CFolderWalkAhead(const CFolderWalkAhead&) = delete;
    CFolderWalkAhead& operator=(const CFolderWalkAhead&) = delete;

    enum class Answer { Ready, NotAhead, GivenUp };
    // The facts of folder, waiting while it is being listed (through the document, so that a
    // window goes on repainting). NotAhead: the walk has none, the scan asks the storage
    // itself; GivenUp: the operation was cancelled while waiting.
    Answer Take(const std::string& folder, FolderFacts& facts);
    // The scan is about to add files (a folder's, in order): whether the walk told the
    // document of them already. When it did not, the scan tells it.
    bool Told(const std::vector<std::string>& files);
    // The scan adds path now.
    void Adding(const std::string& path);

private:
    struct Shared;
    struct Node;
    struct Frame {
        std::shared_ptr<Node> Folder;
        size_t NextSubfolder = 0;
        bool Entered = false;
    };

    // Tells the document the files that follow, as far as folders are listed and up to the
    // window; asks for the listing it waits for first.
    void TellAhead();
    // Stops telling: what the scan adds is no longer what the walk foresees. keepTold: the
    // files told are still what the scan adds next (the walk stopped past them).
    void StopTelling(bool keepTold = false);
    // Whether the walk goes on from the frame on top; false when it stops telling here.
    bool EnterFrame(Frame& frame);

    CTorvaneDoc& m_Doc;
    std::shared_ptr<Shared> m_Shared;
    bool m_Telling;
    std::vector<Frame> m_Frames;           // the folders the telling is in, outermost first
    std::set<CVisitChain::FolderId> m_Met; // folders the telling went into
    std::deque<std::string> m_Told;        // files told and not yet added
};

} // namespace torvane
