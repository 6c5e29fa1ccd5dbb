#include "ReadAhead.h"

#include "TagCache.h"
#include "core/media/ListData.h"

#include <algorithm>

namespace torvane {
namespace {

// How far the workers read ahead of the operation: enough to keep them busy, little enough
// that a cancel wastes little.
constexpr size_t Window = 64;
constexpr int YieldTurns = 200;

} // namespace

CReadAhead::CReadAhead(const CTextCodec& codec, CTagCache* cache, int threads)
    : m_Codec(codec), m_Cache(cache), m_ThreadCount(threads) {}

CReadAhead::~CReadAhead() {
    {
        const std::lock_guard guard(m_Lock);
        m_Stopping = true;
        m_Queue.clear();
        m_Started = 0;
    }
    m_Wake.notify_all();
    for (std::thread& worker : m_Workers)
        worker.join();
}

int CReadAhead::DefaultThreads() {
    const unsigned processors = std::thread::hardware_concurrency();
    return static_cast<int>(std::clamp(processors, 1u, 8u));
}

void CReadAhead::StartWorkers() {
    if (!m_Workers.empty())
        return;
    for (int i = 0; i < m_ThreadCount; ++i)
        m_Workers.emplace_back([this] { Work(); });
}

void CReadAhead::Expect(const std::vector<std::string>& paths, bool useCache) {
    if (!Enabled() || paths.empty())
        return;
    StartWorkers();
    {
        const std::lock_guard guard(m_Lock);
        for (const std::string& path : paths) {
            auto job = std::make_shared<Job>();
            job->Path = path;
            job->Ext = RecordExt(path);
            job->UseCache = useCache;
            m_Queue.push_back(std::move(job));
        }
    }
    m_Wake.notify_all();
}

std::optional<FileReading> CReadAhead::Take(const std::string& path) {
    std::unique_lock guard(m_Lock);
    if (m_Queue.empty())
        return std::nullopt;
    if (m_Queue.front()->Path != path) {
        m_Queue.clear();
        m_Started = 0;
        return std::nullopt;
    }
    std::shared_ptr<Job> job = m_Queue.front();
    m_Queue.pop_front();
    if (m_Started == 0) {
        // No worker has begun it: reading it here is quicker than waiting.
        guard.unlock();
        return ReadJob(*job);
    }
    --m_Started;
    // Waking a worker costs a switch of threads: the workers fill the window again only once it
    // is half empty.
    if (m_Started == Window / 2)
        m_Wake.notify_all();
    // A reading takes microseconds: giving the processor to the workers for a while is cheaper
    // than sleeping until one signals.
    for (int turn = 0; !job->Done && turn < YieldTurns; ++turn) {
        guard.unlock();
        std::this_thread::yield();
        guard.lock();
    }
    if (!job->Done) {
        m_Waiting = true;
        m_Finished.wait(guard, [&] { return job->Done; });
        m_Waiting = false;
    }
    return std::move(job->Result);
}

void CReadAhead::Clear() {
    const std::lock_guard guard(m_Lock);
    m_Queue.clear();
    m_Started = 0;
}

void CReadAhead::Work() {
    std::unique_lock guard(m_Lock);
    for (;;) {
        m_Wake.wait(guard, [&] {
            return m_Stopping || (m_Started < m_Queue.size() && m_Started < Window);
        });
        if (m_Stopping)
            return;
        // Holding the job keeps it alive when the queue drops it meanwhile.
        std::shared_ptr<Job> job = m_Queue[m_Started++];
        guard.unlock();
        FileReading reading = ReadJob(*job);
        guard.lock();
        job->Result = std::move(reading);
        job->Done = true;
        if (m_Waiting)
            m_Finished.notify_all();
    }
}

FileReading CReadAhead::ReadJob(const Job& job) const {
    return ReadWithCache(job.UseCache ? m_Cache : nullptr, job.Path, job.Ext, m_Codec);
}

} // namespace torvane
