#pragma once

#include "core/media/FileReading.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace torvane {

class CTagCache;
class CTextCodec;

// Reads the files an operation is about to put into records on a few worker threads, in the
// order it will ask for them, while the operation itself goes on one record after another on
// its own thread: records are still filled, and the progress moved and the cancel asked for,
// exactly as without it. Only readings are made here; no record is touched.
class CReadAhead {
public:
    // threads worker threads, started when first needed; fewer than 2 reads nothing ahead.
    CReadAhead(const CTextCodec& codec, CTagCache* cache, int threads);
    ~CReadAhead();
    CReadAhead(const CReadAhead&) = delete;
    CReadAhead& operator=(const CReadAhead&) = delete;

    bool Enabled() const { return m_ThreadCount >= 2; }

    // Queues the paths to read next, after those already queued; each is read through the tag
    // cache when useCache is set.
    void Expect(const std::vector<std::string>& paths, bool useCache);
    // The reading of path when it is the next one queued (read here when no worker has begun
    // it); when it is not, everything queued is dropped and nothing is answered.
    std::optional<FileReading> Take(const std::string& path);
    // Drops what is queued: the operation ended or was cancelled.
    void Clear();

    // The reading threads for this machine: one per processor, at most 8.
    static int DefaultThreads();

private:
    struct Job {
        std::string Path;
        std::string Ext;
        bool UseCache = false;
        bool Done = false;
        FileReading Result;
    };

    void StartWorkers();
    void Work();
    FileReading ReadJob(const Job& job) const;

    const CTextCodec& m_Codec;
    CTagCache* m_Cache;
    int m_ThreadCount;
    std::vector<std::thread> m_Workers;
    std::mutex m_Lock;
    std::condition_variable m_Wake;     // a job was queued, or the reader stops
    std::condition_variable m_Finished; // a job was done
    std::deque<std::shared_ptr<Job>> m_Queue;
    size_t m_Started = 0; // the jobs at the front of the queue that a worker has begun
    bool m_Stopping = false;
    bool m_Waiting = false; // the operation waits for the job at the front
};

} // namespace torvane
