#pragma once

#include "core/record/FileReading.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
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
    // waiting on storage, more are started, up to MaxStorageReaders. The codec is copied and
    // the cache shared: going away, this waits a little for the readers to finish the files
    // they are in, and leaves behind those that storage still holds (a share gone away).
    CReadAhead(const CTextCodec& codec, std::shared_ptr<CTagCache> cache, int threads,
               bool operationWaits = false);
    ~CReadAhead();
    CReadAhead(const CReadAhead&) = delete;
    CReadAhead& operator=(const CReadAhead&) = delete;

    bool Enabled() const;
    // While the operation waits for a reading, turn has a turn about every TurnMilliseconds;
    // when it answers false the wait is given up: nothing is answered, what is queued is
    // dropped, and the reading finishes on its worker unused. Empty: waits to the end.
    void SetWaitTurn(std::function<bool()> turn);

    // Queues the paths of records about to be made, after those already queued: each record is
    // made and filled ahead as CTorvaneDoc::AddFile would: its tags read (through the tag
    // cache), or only its size.
    void ExpectNewRecords(std::vector<std::string> paths, RecordReading reading);
    // Queues the paths of records in a list whose files are about to be read again: all they
    // hold (Tags), or only their status (SizeOnly: the reading tells only Found and Stamp).
    void ExpectReadings(std::vector<std::string> paths,
                        RecordReading reading = RecordReading::Tags);
    // The record made for path when it is the next one queued (made here when no worker has
    // begun it); when it is not, everything queued is dropped and nothing is answered.
    // When the operation only waits, a path not queued is read by a worker all the same.
    std::unique_ptr<CListData> TakeRecord(std::string_view path,
                                          RecordReading reading = RecordReading::Tags);
    // The same for a reading queued by ExpectReadings.
    std::optional<FileReading> Take(std::string_view path,
                                    RecordReading reading = RecordReading::Tags);
    // Drops what is queued: the operation ended or was cancelled.
    void Clear();

    // Waits until every reader of every read-ahead has ended, for at most bound; false when some
    // still run (left behind, held by storage).
    static bool AwaitReaders(std::chrono::milliseconds bound);
    // Ends the process with status, as returning it from main does; when readers are left
    // behind, without destroying static objects (one of them could touch one as storage answers).
    [[noreturn]] static void EndProcess(int status);

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
    // Everything the readers touch, shared with them: a reader that storage holds up (a share
    // that stopped answering) is left behind when the operation's side goes, and ends later.
    class Pool;
    std::shared_ptr<Pool> m_Pool;
};

} // namespace torvane
