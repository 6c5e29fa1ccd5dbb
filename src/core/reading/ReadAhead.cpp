#include "core/reading/ReadAhead.h"

#include "core/base/OffThread.h"
#include "core/base/ShortLock.h"
#include "core/base/StorageGauge.h"
#include "core/reading/TagCache.h"
#include "core/record/ListData.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fcntl.h>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace torvane {
namespace {

// How far the readers read ahead of the operation: enough to keep them busy, little enough
// that a cancel wastes little. When storage keeps them waiting, many more are in flight, and
// one slow file must not stop the others while it is waited for.
constexpr size_t Window = 64;
constexpr size_t StorageWindow = 1024;
// How long the operation watches a job in progress before it sleeps: only briefly. Watching
// longer (thousands of turns) took more processor time than the sleeps it spared, and from the
// reader it watched whenever both shared a processor.
constexpr int SpinTurns = 100;
// Opening a folder costs about as much as a few walks along the path to it.
constexpr size_t MinimumRun = 8;
// The jobs handed to the readers before the rest of a batch is made.
constexpr size_t FirstHandOver = 8;

// How long the readers are waited for when they stop: a reader still in a file by then is held
// by storage that may never answer (a share gone away), and is left behind.
constexpr auto StopWait = std::chrono::milliseconds(250);

// Tells the folders of paths apart (the one the file is looked up in): equal for one folder,
// and for others only by a rare chance, which merely costs a little speed.
size_t FolderKeyOf(std::string_view path) {
    const size_t separator = LastPathSeparator(path);
    return std::hash<std::string_view>()(
        separator == std::string_view::npos ? std::string_view() : path.substr(0, separator));
}

// Every reader alive, in all read-aheads: its last act is to count itself out, so a wait for
// none left sees all they did. Never destroyed: a reader left behind may end while the program
// exits.
class CLiveReaders {
public:
    void CountIn() {
        const std::lock_guard guard(m_Lock);
        ++m_Count;
    }
    void CountOut() {
        const std::lock_guard guard(m_Lock);
        if (--m_Count == 0)
            m_NoneLeft.notify_all();
    }
    bool Await(std::chrono::milliseconds bound) {
        std::unique_lock guard(m_Lock);
        return m_NoneLeft.wait_for(guard, bound, [&] { return m_Count == 0; });
    }

private:
    std::mutex m_Lock;
    std::condition_variable m_NoneLeft;
    size_t m_Count = 0;
};

CLiveReaders& Readers() {
    static auto* readers = new CLiveReaders;
    return *readers;
}

// A folder kept open while its files are read: their status is asked relative to it. The first
// reader that needs it opens it, not the operation as it queues the files: that may be the
// window's thread, which must not wait on storage, and opening a folder on a share waits as
// long as opening a file.
class CRunFolder {
public:
    explicit CRunFolder(std::string path) : m_Path(std::move(path)) {}
    ~CRunFolder() {
        if (m_Descriptor != -1)
            ::close(m_Descriptor);
    }
    CRunFolder(const CRunFolder&) = delete;
    CRunFolder& operator=(const CRunFolder&) = delete;

    // The open folder, or -1 when it cannot be opened (then each path is walked whole).
    int Descriptor() const {
        std::call_once(m_Opened, [this] {
            BeforeStorageCall(m_Path.c_str());
            m_Descriptor = ::open(m_Path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        });
        return m_Descriptor;
    }

private:
    const std::string m_Path; // ends in a separator
    mutable std::once_flag m_Opened;
    mutable int m_Descriptor = -1;
};

struct Job {
    std::shared_ptr<const CRunFolder> Folder; // null: the path is walked whole
    std::string Path;
    size_t FolderKey = 0;   // tells the folder it is looked up in from others
    bool NewRecord = false; // Record is made, else Result is read
    CReadAhead::RecordReading Reads = CReadAhead::RecordReading::Tags;
    bool Begun = false;            // under the lock: a reader has claimed it
    std::atomic<bool> Done{false}; // set once Record or Result is ready
    std::unique_ptr<CListData> Record;
    std::unique_ptr<FileReading> Result; // apart: most jobs make records
};

// The folder the job's path is looked up in, or -1 for the whole path.
int FolderOf(const Job& job) {
    return job.Folder ? job.Folder->Descriptor() : -1;
}

// A reading of the job's file that asks only its status.
FileReading StatusJob(const Job& job) {
    FileReading status;
    status.Found = QueryFileStamp(job.Path, status.Stamp, FolderOf(job));
    return status;
}

// The folder of paths[first], to be opened when enough of the paths that follow it lie there;
// sets end past them.
std::shared_ptr<const CRunFolder> RunFolderOf(const std::vector<std::string>& paths, size_t first,
                                              size_t& end) {
    const std::string_view path = paths[first];
    const size_t separator = LastPathSeparator(path);
    end = first + 1;
    if (separator == std::string_view::npos)
        return nullptr;
    const std::string_view folder = path.substr(0, separator + 1);
    while (end < paths.size() && paths[end].size() > folder.size() &&
           paths[end].compare(0, folder.size(), folder) == 0 &&
           LastPathSeparator(paths[end]) == separator)
        ++end;
    if (end - first < MinimumRun)
        return nullptr;
    return std::make_shared<const CRunFolder>(std::string(folder));
}

} // namespace

class CReadAhead::Pool : public std::enable_shared_from_this<Pool> {
public:
    Pool(CTextCodec codec, std::shared_ptr<CTagCache> cache, int threads, bool operationWaits)
        : m_Codec(std::move(codec)), m_Cache(std::move(cache)),
          m_ThreadCount(std::clamp(threads, 1, ProcessorBound())),
          m_OperationWaits(operationWaits) {}

    bool Enabled() const { return m_OperationWaits || m_ThreadCount >= 2; }
    void SetWaitTurn(std::function<bool()> turn) { m_WaitTurn = std::move(turn); }
    void Queue(std::vector<std::string> paths, bool newRecords, RecordReading reading);
    // The next job when it is path's, done (here when nobody had begun it); else null, with
    // everything queued dropped. When the operation only waits, a job unlike the next one
    // queued is made and read by a worker; null then means the wait was given up.
    std::shared_ptr<Job> TakeJob(std::string_view path, bool newRecord, RecordReading reading);
    void Clear();
    // Stops the readers: waits up to StopWait for them to end, and leaves behind those that
    // do not (each keeps the pool alive until it ends).
    void Stop();

private:
    void StartWorkers();
    // Under the lock: one more reader, while jobs wait to be begun.
    void AddStorageReaderLocked();
    // Under the lock: starts a reader (the one that loads the cache file first); false when no
    // thread could be had.
    bool StartReaderLocked(bool loadsCache);
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

    const CTextCodec m_Codec;
    const std::shared_ptr<CTagCache> m_Cache;
    int m_ThreadCount;
    bool m_OperationWaits;
    std::function<bool()> m_WaitTurn;
    bool m_Began = false;               // the workers asked for were started
    std::vector<std::thread> m_Workers; // changed under the lock
    CShortLock m_Lock;
    std::condition_variable_any m_Wake; // jobs were queued or taken, or the readers stop
    std::deque<std::shared_ptr<Job>> m_Queue;
    // Jobs the waiting operation took before any worker began them: claimed first.
    std::deque<std::shared_ptr<Job>> m_Urgent;
    size_t m_Started = 0;     // the jobs in the queue that a reader has begun
    size_t m_NextUnbegun = 0; // the first of them nobody has begun
    // The jobs readers claimed and are reading (each held by its reader meanwhile).
    std::vector<const Job*> m_Reading;
    bool m_Stopping = false;
    size_t m_Working = 0;                    // readers not yet ended, under the lock
    std::condition_variable_any m_Ended;     // a reader ended
    std::atomic<bool> m_Waiting{false};      // the operation sleeps until a job is done
    CStorageGauge m_Gauge;                   // under the lock
    std::atomic<bool> m_StorageWaits{false}; // the gauge found the storage slow
    std::mutex m_DoneLock;
    std::condition_variable m_DoneWake; // a job was done while the operation slept
};

CReadAhead::CReadAhead(const CTextCodec& codec, std::shared_ptr<CTagCache> cache, int threads,
                       bool operationWaits)
    : m_Pool(std::make_shared<Pool>(codec, std::move(cache), threads, operationWaits)) {}

CReadAhead::~CReadAhead() {
    m_Pool->Stop();
}

bool CReadAhead::Enabled() const {
    return m_Pool->Enabled();
}

void CReadAhead::SetWaitTurn(std::function<bool()> turn) {
    m_Pool->SetWaitTurn(std::move(turn));
}

void CReadAhead::ExpectNewRecords(std::vector<std::string> paths, RecordReading reading) {
    m_Pool->Queue(std::move(paths), true, reading);
}

void CReadAhead::ExpectReadings(std::vector<std::string> paths, RecordReading reading) {
    m_Pool->Queue(std::move(paths), false, reading);
}

std::unique_ptr<CListData> CReadAhead::TakeRecord(std::string_view path, RecordReading reading) {
    const std::shared_ptr<Job> job = m_Pool->TakeJob(path, true, reading);
    return job && job->NewRecord ? std::move(job->Record) : nullptr;
}

std::optional<FileReading> CReadAhead::Take(std::string_view path, RecordReading reading) {
    const std::shared_ptr<Job> job = m_Pool->TakeJob(path, false, reading);
    if (!job || job->NewRecord || !job->Result)
        return std::nullopt;
    return std::move(*job->Result);
}

void CReadAhead::Clear() {
    m_Pool->Clear();
}

int CReadAhead::ProcessorBound() {
    // Readers beyond the processors only take turns at them while files come quickly; on
    // slow storage more are added anyway.
    const int processors = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(processors, 2, MaxThreads);
}

int CReadAhead::DefaultThreads() {
    const unsigned processors = std::thread::hardware_concurrency();
    return static_cast<int>(std::clamp(processors, 1u, 8u));
}

void CReadAhead::Pool::StartWorkers() {
    if (m_Began)
        return;
    m_Began = true;
    // A waiting operation reads nothing itself: every reader is a worker.
    const int workers = m_OperationWaits ? m_ThreadCount : m_ThreadCount - 1;
    const std::lock_guard guard(m_Lock);
    // The cache file is read by the first while the operation lists its first folder.
    int started = 0;
    while (started < workers && StartReaderLocked(started == 0))
        ++started;
    // The system has no more threads to give (a limit, a lack of memory): the workers started
    // read ahead, and without any the operation reads each file itself.
    if (started < workers) {
        if (started == 0)
            m_OperationWaits = false;
        m_ThreadCount = started + (m_OperationWaits ? 0 : 1);
    }
}

void CReadAhead::Pool::AddStorageReaderLocked() {
    // Without another thread the readers there are go on.
    if (!m_Stopping && m_Workers.size() < MaxStorageReaders && CanClaimLocked())
        StartReaderLocked(false);
}

bool CReadAhead::Pool::StartReaderLocked(bool loadsCache) {
    Readers().CountIn();
    try {
        m_Workers.emplace_back([self = shared_from_this(), loadsCache]() mutable {
            // When that fails, the files are read without the cache.
            if (loadsCache && self->m_Cache) {
                try {
                    self->m_Cache->Load();
                } catch (...) {
                }
            }
            self->Work();
            self.reset(); // the pool may end here, when the others went before
            Readers().CountOut();
        });
    } catch (const std::exception&) {
        Readers().CountOut();
        return false;
    }
    ++m_Working;
    return true;
}

bool CReadAhead::AwaitReaders(std::chrono::milliseconds bound) {
    return Readers().Await(bound);
}

void CReadAhead::EndProcess(int status) {
    if (AwaitReaders(std::chrono::milliseconds(0)))
        std::exit(status);
    std::fflush(nullptr);
    std::_Exit(status);
}

void CReadAhead::Pool::Queue(std::vector<std::string> paths, bool newRecords,
                             RecordReading reading) {
    if (!Enabled() || paths.empty())
        return;
    StartWorkers();
    std::vector<std::shared_ptr<Job>> jobs;
    jobs.reserve(paths.size());
    const auto handOver = [&] {
        bool claimable = false;
        {
            const std::lock_guard guard(m_Lock);
            // Jobs behind a full window wake nobody: waking a reader costs a switch of threads.
            claimable = m_Queue.size() < WindowLocked();
            for (std::shared_ptr<Job>& job : jobs)
                m_Queue.push_back(std::move(job));
        }
        jobs.clear();
        if (claimable)
            m_Wake.notify_all();
    };
    bool begun = false;
    for (size_t first = 0, end = 0; first < paths.size(); first = end) {
        const std::shared_ptr<const CRunFolder> folder = RunFolderOf(paths, first, end);
        for (size_t i = first; i < end; ++i) {
            auto job = std::make_shared<Job>();
            job->Folder = folder;
            job->Path = std::move(paths[i]);
            job->FolderKey = FolderKeyOf(job->Path);
            job->NewRecord = newRecords;
            job->Reads = reading;
            jobs.push_back(std::move(job));
            // The first jobs go at once, so that the readers begin while the rest are made.
            if (!begun && jobs.size() == FirstHandOver) {
                handOver();
                begun = true;
            }
        }
    }
    if (!jobs.empty())
        handOver();
}

std::shared_ptr<Job> CReadAhead::Pool::TakeJob(std::string_view path, bool newRecord,
                                               RecordReading reading) {
    if (m_OperationWaits)
        StartWorkers();
    std::shared_ptr<Job> job;
    bool begun = false;
    {
        const std::lock_guard guard(m_Lock);
        const bool queued = !m_Queue.empty() && m_Queue.front()->Path == path &&
                            m_Queue.front()->NewRecord == newRecord &&
                            m_Queue.front()->Reads == reading;
        if (!queued) {
            m_Queue.clear();
            m_Started = 0;
            m_NextUnbegun = 0;
            if (!m_OperationWaits)
                return nullptr;
            job = std::make_shared<Job>();
            job->Path = path;
            job->FolderKey = FolderKeyOf(path);
            job->NewRecord = newRecord;
            job->Reads = reading;
        } else {
            job = std::move(m_Queue.front());
            m_Queue.pop_front();
            begun = job->Begun;
            if (m_NextUnbegun > 0)
                --m_NextUnbegun;
        }
        if (begun) {
            --m_Started;
            // Waking a worker costs a switch of threads: the workers fill the window again only
            // once it is half empty.
            if (m_Started == WindowLocked() / 2)
                m_Wake.notify_all();
        } else if (m_OperationWaits) {
            m_Urgent.push_back(job);
            m_Wake.notify_all();
        }
    }
    // Nobody has begun it (the workers fell behind): doing it here is quicker than waiting,
    // unless this thread must not wait on storage.
    if (!begun && !m_OperationWaits) {
        Run(*job);
        return job;
    }
    if (WaitFor(*job))
        return job;
    Clear();
    return nullptr;
}

void CReadAhead::Pool::Stop() {
    std::unique_lock guard(m_Lock);
    m_Stopping = true;
    m_Queue.clear();
    m_Urgent.clear();
    m_Started = 0;
    m_NextUnbegun = 0;
    m_Wake.notify_all();
    const bool ended = m_Ended.wait_for(guard, StopWait, [&] { return m_Working == 0; });
    std::vector<std::thread> workers = std::move(m_Workers);
    m_Workers.clear();
    guard.unlock();
    for (std::thread& worker : workers) {
        if (ended)
            worker.join();
        else
            worker.detach();
    }
}

void CReadAhead::Pool::Clear() {
    const std::lock_guard guard(m_Lock);
    m_Queue.clear();
    m_Urgent.clear();
    m_Started = 0;
    m_NextUnbegun = 0;
}

size_t CReadAhead::Pool::WindowLocked() const {
    return m_StorageWaits.load(std::memory_order_relaxed) ? StorageWindow : Window;
}

bool CReadAhead::Pool::CanClaimLocked() const {
    return !m_Urgent.empty() || (m_NextUnbegun < m_Queue.size() && m_NextUnbegun < WindowLocked());
}

std::shared_ptr<Job> CReadAhead::Pool::ClaimLocked() {
    std::shared_ptr<Job> job;
    if (!m_Urgent.empty()) {
        job = std::move(m_Urgent.front());
        m_Urgent.pop_front();
    } else {
        job = m_Queue[SpreadChoiceLocked()];
        job->Begun = true;
        ++m_Started;
        while (m_NextUnbegun < m_Queue.size() && m_Queue[m_NextUnbegun]->Begun)
            ++m_NextUnbegun;
    }
    m_Reading.push_back(job.get());
    return job;
}

size_t CReadAhead::Pool::SpreadChoiceLocked() const {
    if (!m_StorageWaits.load(std::memory_order_relaxed))
        return m_NextUnbegun;
    const auto busy = [&](size_t folder) {
        return std::any_of(m_Reading.begin(), m_Reading.end(),
                           [&](const Job* reading) { return reading->FolderKey == folder; });
    };
    const size_t end = std::min(m_Queue.size(), WindowLocked());
    // The files of a folder lie together: each folder is asked about once.
    std::optional<size_t> asked;
    for (size_t i = m_NextUnbegun; i < end; ++i) {
        const Job& job = *m_Queue[i];
        if (job.Begun || job.FolderKey == asked)
            continue;
        if (!busy(job.FolderKey))
            return i;
        asked = job.FolderKey;
    }
    return m_NextUnbegun;
}

void CReadAhead::Pool::FinishLocked(const Job& job) {
    std::erase(m_Reading, &job);
}

void CReadAhead::Pool::Work() {
    std::unique_lock guard(m_Lock);
    for (;;) {
        // An idle worker sleeps: watching for work would take the processor from the workers
        // and the operation that have some, whenever there are more readers than processors.
        m_Wake.wait(guard, [&] { return m_Stopping || CanClaimLocked(); });
        if (m_Stopping) {
            --m_Working;
            m_Ended.notify_all();
            return;
        }
        // One job at a time: a file that keeps its reader waiting (slow storage) holds up no
        // other. Holding the job keeps it alive when the queue drops it meanwhile.
        const std::shared_ptr<Job> claimed = ClaimLocked();
        const bool timed = m_Gauge.TimeNext();
        guard.unlock();
        const CStorageGauge::CCall call(timed);
        Run(*claimed);
        const CStorageGauge::Outcome outcome = call.End();
        guard.lock();
        FinishLocked(*claimed);
        // Files that keep their reader waiting (a network share, a USB disk) are read many at
        // once: the storage serves requests in flight together, while the processors idle.
        if (m_Gauge.Count(outcome)) {
            // The window grows: readers asleep at its old end go on.
            m_StorageWaits.store(true, std::memory_order_relaxed);
            m_Wake.notify_all();
        }
        if (outcome == CStorageGauge::Outcome::Waited && m_Gauge.Slow())
            AddStorageReaderLocked();
    }
}

void CReadAhead::Pool::Run(Job& job) {
    // Nothing may leave a worker: a job that fails (memory ran out) is answered with nothing,
    // and the operation then reads the file itself.
    try {
        if (job.NewRecord) {
            auto record = std::make_unique<CListData>();
            record->SetPath(job.Path);
            if (job.Reads == RecordReading::Tags)
                ApplyNewReading(*record, ReadJob(job, record->Ext(), m_Cache.get()), m_Cache.get());
            else
                record->ReadSize();
            job.Record = std::move(record);
        } else {
            job.Result = std::make_unique<FileReading>(
                job.Reads == RecordReading::Tags ? ReadJob(job, RecordExt(job.Path), nullptr)
                                                 : StatusJob(job));
        }
    } catch (...) {
        job.Record.reset();
        job.Result.reset();
    }
    job.Done.store(true);
    // Both flags are sequentially consistent: either the operation sees the job done before it
    // sleeps, or this sees it asleep and wakes it.
    if (m_Waiting.load()) {
        const std::lock_guard guard(m_DoneLock);
        m_DoneWake.notify_all();
    }
}

bool CReadAhead::Pool::WaitFor(Job& job) {
    // Reading the jobs after it keeps this thread busy while a worker reads the one it needs,
    // unless the storage keeps readers waiting: then it would hold up the records of every
    // reading done meanwhile.
    while (!m_OperationWaits && !m_StorageWaits.load(std::memory_order_relaxed) &&
           !job.Done.load(std::memory_order_acquire)) {
        std::shared_ptr<Job> next;
        {
            const std::lock_guard guard(m_Lock);
            if (CanClaimLocked())
                next = ClaimLocked();
        }
        if (!next)
            break;
        Run(*next);
        const std::lock_guard guard(m_Lock);
        FinishLocked(*next);
    }
    for (int turn = 0; turn < SpinTurns; ++turn)
        if (job.Done.load(std::memory_order_acquire))
            return true;
    m_Waiting.store(true);
    std::unique_lock guard(m_DoneLock);
    const auto done = [&] { return job.Done.load(); };
    bool finished = true;
    if (!m_WaitTurn) {
        m_DoneWake.wait(guard, done);
    } else {
        while (!m_DoneWake.wait_for(guard, std::chrono::milliseconds(TurnMilliseconds), done)) {
            // The turn runs unlocked: it may handle window events for a while.
            guard.unlock();
            const bool goOn = m_WaitTurn();
            guard.lock();
            if (!goOn) {
                finished = done();
                break;
            }
        }
    }
    guard.unlock();
    m_Waiting.store(false);
    return finished;
}

FileReading CReadAhead::Pool::ReadJob(const Job& job, const std::string& ext,
                                      CTagCache* cache) const {
    return ReadWithCache(cache, job.Path, ext, m_Codec, FolderOf(job));
}

} // namespace torvane
