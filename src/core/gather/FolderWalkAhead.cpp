#include "core/gather/FolderWalkAhead.h"

#include "core/base/OffThread.h"
#include "core/base/Paths.h"
#include "core/base/StorageGauge.h"
#include "core/doc/TorvaneDoc.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <unordered_map>

namespace torvane {
namespace {

// Listings in flight at once: a local disk lists faster than the files are read, so a few
// listers keep ahead; a share that answers each request after a millisecond serves many
// together, so more are started once the listings are found to wait on storage.
constexpr int FirstListers = 2;
constexpr int MaxListers = 16;
// Folders listed and not yet scanned, at most (beyond those the scan or the telling waits
// for): a bound on the memory a walk far ahead of a slow scan holds.
constexpr size_t MaxListedAhead = 1024;
// Files told to the document and not yet added, at most: enough for the readers to have many
// albums in flight, little enough that a cancel wastes little.
constexpr size_t FilesAhead = 2048;

// The folders above one, by device and inode, innermost first.
struct IdChain {
    CVisitChain::FolderId Id;
    std::shared_ptr<const IdChain> Up;
};

bool OnChain(const IdChain* chain, CVisitChain::FolderId id) {
    for (; chain; chain = chain->Up.get())
        if (chain->Id == id)
            return true;
    return false;
}

} // namespace

std::vector<std::string> ScanOrderFiles(const std::string& folder,
                                        const std::vector<FolderEntry>& entries) {
    std::vector<std::string> files;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        if (!it->IsFolder && !IsHiddenName(it->Name))
            files.push_back(JoinPath(folder, it->Name));
    return files;
}

struct CFolderWalkAhead::Node {
    enum class State { Waiting, Listing, Done };

    Node(std::string path, int depth, std::shared_ptr<const IdChain> up)
        : Path(std::move(path)), Depth(depth), Up(std::move(up)) {}

    const std::string Path;
    const int Depth;
    const std::shared_ptr<const IdChain> Up; // the folders above it on the path
    State Status = State::Waiting;
    bool Urgent = false; // the scan or the telling waits for it: listed beyond the bound
    bool Failed = false; // listing it ran out of memory: the scan asks itself
    bool Taken = false;  // the scan has its facts
    bool Passed = false; // the telling went past it
    // When done: what the scan will learn of it, and what it will enter and add there.
    FolderFacts Facts;
    std::vector<std::shared_ptr<Node>> Subfolders;
    std::vector<std::string> Files;
};

struct CFolderWalkAhead::Shared {
    explicit Shared(int depthLimit) : DepthLimit(depthLimit) {}

    // Under the lock: whether a folder may be listed now.
    bool HasWork() const {
        return !Stopping && (!Urgent.empty() || (!ToList.empty() && ListedAhead < MaxListedAhead));
    }

    // Under the lock: the next folder to list, if one may be listed now.
    std::shared_ptr<Node> NextToList() {
        if (!HasWork())
            return nullptr;
        std::deque<std::shared_ptr<Node>>& from = Urgent.empty() ? ToList : Urgent;
        std::shared_ptr<Node> node = std::move(from.front());
        from.pop_front();
        return node;
    }

    // Under the lock: starts listers while there is work for them.
    void StartListers(const std::shared_ptr<Shared>& self) {
        while (Listers < (Gauge.Slow() ? MaxListers : FirstListers) && HasWork()) {
            ++Listers;
            if (!StartOffThread([self] { self->Serve(self); })) {
                --Listers; // no thread to be had: the scan asks for itself
                return;
            }
        }
    }

    // Under the lock: lists node before the others, beyond the bound.
    void Hurry(const std::shared_ptr<Node>& node, const std::shared_ptr<Shared>& self) {
        if (node->Status != Node::State::Waiting || node->Urgent)
            return;
        node->Urgent = true;
        const auto it = std::find(ToList.begin(), ToList.end(), node);
        if (it != ToList.end())
            ToList.erase(it);
        Urgent.push_back(node);
        StartListers(self);
    }

    // Under the lock: forgets a folder neither the scan nor the telling needs any more.
    void Forget(const Node& node, const std::shared_ptr<Shared>& self) {
        if (!node.Taken || (Telling && !node.Passed))
            return;
        if (Nodes.erase(node.Path) != 0 && node.Status == Node::State::Done) {
            --ListedAhead;
            StartListers(self);
        }
    }

    // A lister's loop: lists folders until none is left that may be listed now.
    void Serve(const std::shared_ptr<Shared>& self) {
        std::unique_lock guard(Lock);
        while (const std::shared_ptr<Node> node = NextToList()) {
            node->Status = Node::State::Listing;
            guard.unlock();
            const CStorageGauge::CCall call;
            try {
                List(*node);
            } catch (...) {
                node->Failed = true; // memory ran out
            }
            const CStorageGauge::Outcome outcome = call.End();
            guard.lock();
            if (Gauge.Count(outcome))
                StartListers(self);
            if (!Stopping && !node->Failed) {
                try {
                    Queue(node->Subfolders);
                } catch (...) {
                    // Memory ran out: the scan asks for the subfolders not known here itself.
                    node->Failed = true;
                }
            }
            node->Status = Node::State::Done;
            ++ListedAhead;
            Changed.notify_all();
        }
        --Listers;
    }

    // Off the lock: what the scan would learn of the folder, and what it would enter and add.
    void List(Node& node) const {
        FolderFacts& facts = node.Facts;
        facts.Identified = CVisitChain::Identify(node.Path, facts.Id);
        // The scan does not enter a folder already on its path: nor is it listed here.
        if (!facts.Identified || OnChain(node.Up.get(), facts.Id))
            return;
        facts.Listed = ListFolder(node.Path, facts.Entries);
        if (!facts.Listed || (DepthLimit != 0 && node.Depth >= DepthLimit)) {
            node.Files = ScanOrderFiles(node.Path, facts.Entries);
            return;
        }
        auto chain = std::make_shared<const IdChain>(IdChain{facts.Id, node.Up});
        for (const FolderEntry& entry : facts.Entries)
            if (entry.IsFolder && !IsHiddenName(entry.Name))
                node.Subfolders.push_back(
                    std::make_shared<Node>(JoinPath(node.Path, entry.Name), node.Depth + 1, chain));
        node.Files = ScanOrderFiles(node.Path, facts.Entries);
    }

    // Under the lock: subfolders are listed before what was queued earlier, in the order the
    // scan enters them.
    void Queue(const std::vector<std::shared_ptr<Node>>& subfolders) {
        for (const std::shared_ptr<Node>& subfolder : subfolders)
            Nodes.emplace(subfolder->Path, subfolder);
        ToList.insert(ToList.begin(), subfolders.begin(), subfolders.end());
    }

    const int DepthLimit;
    std::mutex Lock;
    CStorageGauge Gauge;             // of the listings
    std::condition_variable Changed; // a folder was listed, or the walk stops
    std::unordered_map<std::string, std::shared_ptr<Node>> Nodes; // by path
    std::deque<std::shared_ptr<Node>> ToList;
    std::deque<std::shared_ptr<Node>> Urgent; // waited for: listed first, beyond the bound
    size_t ListedAhead = 0;                   // folders listed and not forgotten
    int Listers = 0;
    bool Telling = false;
    bool Stopping = false;
};

CFolderWalkAhead::CFolderWalkAhead(CTorvaneDoc& doc, const std::string& root, int depthLimit)
    : m_Doc(doc), m_Shared(std::make_shared<Shared>(depthLimit)), m_Telling(doc.ReadsAhead()) {
    auto node = std::make_shared<Node>(root, 1, nullptr);
    const std::lock_guard guard(m_Shared->Lock);
    m_Shared->Telling = m_Telling;
    m_Shared->Queue({node});
    m_Shared->Hurry(node, m_Shared);
    if (m_Telling)
        m_Frames.push_back({node});
}

CFolderWalkAhead::~CFolderWalkAhead() {
    {
        const std::lock_guard guard(m_Shared->Lock);
        m_Shared->Stopping = true;
        m_Shared->ToList.clear();
        m_Shared->Urgent.clear();
        m_Shared->Nodes.clear();
    }
    m_Shared->Changed.notify_all();
}

CFolderWalkAhead::Answer CFolderWalkAhead::Take(const std::string& folder, FolderFacts& facts) {
    std::shared_ptr<Node> node;
    {
        const std::lock_guard guard(m_Shared->Lock);
        const auto it = m_Shared->Nodes.find(folder);
        if (it == m_Shared->Nodes.end())
            return Answer::NotAhead;
        node = it->second;
        m_Shared->Hurry(node, m_Shared);
        if (node->Status == Node::State::Waiting && m_Shared->Listers == 0)
            return Answer::NotAhead;
    }
    const auto wait = [shared = m_Shared, node] {
        std::unique_lock guard(shared->Lock);
        shared->Changed.wait(guard,
                             [&] { return node->Status == Node::State::Done || shared->Stopping; });
    };
    if (!m_Doc.Await(wait))
        return Answer::GivenUp;
    {
        const std::lock_guard guard(m_Shared->Lock);
        if (node->Failed)
            return Answer::NotAhead;
        facts.Identified = node->Facts.Identified;
        facts.Id = node->Facts.Id;
        facts.Listed = node->Facts.Listed;
        facts.Entries = std::move(node->Facts.Entries);
        node->Taken = true;
        m_Shared->Forget(*node, m_Shared);
    }
    TellAhead();
    return Answer::Ready;
}

bool CFolderWalkAhead::Told(const std::vector<std::string>& files) {
    TellAhead();
    // Files told before the telling stopped at a folder reached again are still queued, in the
    // order the scan adds them.
    if (files.empty() || (!m_Told.empty() && m_Told.front() == files.front()))
        return true;
    if (!m_Telling && m_Told.empty())
        return false;
    // The scan went another way: what was told is not what it adds.
    StopTelling();
    m_Doc.EndExpectedFiles();
    return false;
}

void CFolderWalkAhead::Adding(const std::string& path) {
    if (!m_Telling && m_Told.empty())
        return;
    if (m_Told.empty() || m_Told.front() != path) {
        StopTelling();
        return;
    }
    m_Told.pop_front();
    if (m_Told.size() < FilesAhead / 2)
        TellAhead();
}

void CFolderWalkAhead::TellAhead() {
    if (!m_Telling)
        return;
    std::vector<std::string> files;
    bool stop = false;
    {
        const std::lock_guard guard(m_Shared->Lock);
        while (!m_Frames.empty() && m_Told.size() + files.size() < FilesAhead) {
            Frame& frame = m_Frames.back();
            Node& node = *frame.Folder;
            if (node.Status != Node::State::Done) {
                m_Shared->Hurry(frame.Folder, m_Shared);
                break;
            }
            if (!frame.Entered && !EnterFrame(frame)) {
                stop = true;
                break;
            }
            if (frame.NextSubfolder < node.Subfolders.size()) {
                m_Frames.push_back({node.Subfolders[frame.NextSubfolder++]});
                continue;
            }
            std::move(node.Files.begin(), node.Files.end(), std::back_inserter(files));
            node.Files.clear();
            node.Passed = true;
            m_Shared->Forget(node, m_Shared);
            m_Frames.pop_back();
        }
    }
    if (!files.empty()) {
        m_Doc.ExpectFiles(files, true, PathText::Exact);
        std::move(files.begin(), files.end(), std::back_inserter(m_Told));
    }
    // A folder reached again: the scan goes on by itself from there, after adding the files
    // told, which come before it.
    if (stop)
        StopTelling(true);
}

bool CFolderWalkAhead::EnterFrame(Frame& frame) {
    frame.Entered = true;
    const Node& node = *frame.Folder;
    // A folder that failed to list here is listed by the scan, which may find it otherwise.
    if (node.Failed)
        return false;
    // A folder reached again is scanned again only up to a bound of entries: the scan
    // decides that, not the telling.
    return !node.Facts.Listed || m_Met.insert(node.Facts.Id).second;
}

void CFolderWalkAhead::StopTelling(bool keepTold) {
    m_Telling = false;
    m_Frames.clear();
    if (!keepTold)
        m_Told.clear();
    const std::lock_guard guard(m_Shared->Lock);
    m_Shared->Telling = false;
    std::vector<std::shared_ptr<Node>> taken;
    for (const auto& [path, node] : m_Shared->Nodes)
        if (node->Taken)
            taken.push_back(node);
    for (const std::shared_ptr<Node>& node : taken)
        m_Shared->Forget(*node, m_Shared);
}

} // namespace torvane
