#pragma once

#include "core/record/FileReading.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace torvane {

class CListData;
class CTagCache;
class CTextCodec;

// Reads the files an operation is about to put into records on a few worker threads, in the
// order it will ask for them, while the operation itself goes on one record after another on
// its own thread: records are still added, and the progress moved and the cancel asked for,
// exactly as without it. New records are made and filled here, records already in a list are
// never touched: only their readings are made.
class CReadAhead {
public:
    enum class RecordReading { Tags, SizeOnly };

    // threads readers (at most one per processor, and MaxThreads), started when first needed
    // (as many as the system lets start). When the operation's thread may read, it is one of them:
    // it reads the next file itself whenever the reading it asks for is not ready, and fewer than 2
    // read nothing ahead. When it only waits (a window's thread, which must not wait on storage),
    // threads workers read everything it asks for, expected or not. While files keep the readers
    // waiting on storage, more are started, up to MaxStorageReaders.
    CReadAhead(const CTextCodec& codec, CTagCache* cache, int threads, bool operationWaits = false);
    ~CReadAhead();
    CReadAhead(const CReadAhead&) = delete;
    CReadAhead& operator=(const CReadAhead&) = delete;

    bool Enabled() const { return m_OperationWaits || m_ThreadCount >= 2; }
    // While the operation waits for a reading, turn has a turn about every TurnMilliseconds;
    // when it answers false the wait is given up: nothing is answered, what is queued is
    // dropped, and the reading finishes on its worker unused. Empty: waits to the end.
    void SetWaitTurn(std::function<bool()> turn);

    // Queues the paths of records about to be made, after those already queued: each record is
    // made and filled ahead as CTorvaneDoc::AddFile would: its tags read (through the tag
    // cache), or only its size.
    void ExpectNewRecords(std::vector<std::string> paths, RecordReading reading);
    // Queues the paths of records in a list whose files are about to be read again.
    void ExpectReadings(std::vector<std::string> paths);
    // The record made for path when it is the next one queued (made here when no worker has
    // begun it); when it is not, everything queued is dropped and nothing is answered.
    // When the operation only waits, a path not queued is read by a worker all the same.
    std::unique_ptr<CListData> TakeRecord(const std::string& path,
                                          RecordReading reading = RecordReading::Tags);
    // The same for a reading queued by ExpectReadings.
    std::optional<FileReading> Take(const std::string& path);
    // Drops what is queued: the operation ended or was cancelled.
    void Clear();

    // The readers for this machine: one per processor, at most 8.
    static int DefaultThreads();
    // The most readers started at first: one per processor (at least 2, at most MaxThreads).
    static int ProcessorBound();
    // The most readers asked for that are started; a larger number counts as this. Reading
    // is bound by the disk and the processors long before.
    static constexpr int MaxThreads = 64;
    // Readers are added, up to this many in all, while files keep them waiting on storage.
    static constexpr size_t MaxStorageReaders = 64;

private:
    // A folder kept open while its files are read: their status is asked relative to it.
    struct OpenFolder {
        int Descriptor;
        explicit OpenFolder(int descriptor) : Descriptor(descriptor) {}
        ~OpenFolder();
        OpenFolder(const OpenFolder&) = delete;
        OpenFolder& operator=(const OpenFolder&) = delete;
    };

    struct Job {
        std::shared_ptr<const OpenFolder> Folder; // null: the path is walked whole
        std::string Path;
        size_t FolderKey = 0;   // tells the folder it is looked up in from others
        bool NewRecord = false; // Record is made, else Result is read
        RecordReading Reads = RecordReading::Tags;
        bool Begun = false;            // under the lock: a reader has claimed it
        std::atomic<bool> Done{false}; // set once Record or Result is ready
        std::unique_ptr<CListData> Record;
        std::unique_ptr<FileReading> Result; // apart: most jobs make records
    };

    // The folder of paths[first] opened, when enough of the paths that follow it lie there;
    // sets end past them.
    static std::shared_ptr<const OpenFolder> OpenRun(const std::vector<std::string>& paths,
                                                     size_t first, size_t& end);
    void Queue(std::vector<std::string> paths, bool newRecords, RecordReading reading);
    // The next job when it is path's, done (here when nobody had begun it); else null, with
    // everything queued dropped. When the operation only waits, a job unlike the next one
    // queued is made and read by a worker; null then means the wait was given up.
    std::shared_ptr<Job> TakeJob(const std::string& path, bool newRecord, RecordReading reading);
    void StartWorkers();
    // Under the lock: one more reader, while jobs wait to be begun.
    void AddStorageReaderLocked();
    void Work();
    // Under the lock: how many jobs the readers begin ahead of the operation.
    size_t WindowLocked() const;
    // Under the lock: whether a job nobody has begun lies within the window.
    bool CanClaimLocked() const;
    // Under the lock: the job a reader takes next (CanClaimLocked said there is one).
    std::shared_ptr<Job> ClaimLocked();
    // Under the lock: the place in the queue of the job to claim next. When storage keeps the
    // readers waiting, a file in a folder no reader is in comes first: many file systems look
    // up the names of one folder one at a time.
    size_t SpreadChoiceLocked() const;
    // Under the lock: a reader is done with a job it claimed.
    void FinishLocked(const Job& job);
    // Does the job and publishes what it made.
    void Run(Job& job);
    // Returns once the job a worker has begun is done, reading further jobs meanwhile unless
    // the operation only waits; false when the wait turn gave up.
    bool WaitFor(Job& job);
    FileReading ReadJob(const Job& job, const std::string& ext, CTagCache* cache) const;

    const CTextCodec& m_Codec;
    CTagCache* m_Cache;
    int m_ThreadCount;
    bool m_OperationWaits;
    std::function<bool()> m_WaitTurn;
    bool m_Began = false;               // the workers asked for were started
    std::vector<std::thread> m_Workers; // changed under the lock
    std::mutex m_Lock;
    std::condition_variable m_Wake; // jobs were queued or taken, or the reader stops
    std::deque<std::shared_ptr<Job>> m_Queue;
    // Jobs the waiting operation took before any worker began them: claimed first.
    std::deque<std::shared_ptr<Job>> m_Urgent;
    size_t m_Started = 0;     // the jobs in the queue that a reader has begun
    size_t m_NextUnbegun = 0; // the first of them nobody has begun
    // The jobs readers claimed and are reading (each held by its reader meanwhile).
    std::vector<const Job*> m_Reading;
    bool m_Stopping = false;
    std::atomic<bool> m_Waiting{false};      // the operation sleeps until a job is done
    std::atomic<bool> m_StorageWaits{false}; // a reading waited on storage
    std::mutex m_DoneLock;
    std::condition_variable m_DoneWake; // a job was done while the operation slept
};

} // namespace torvane
