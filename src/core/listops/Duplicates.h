#pragma once

#include "core/doc/Message.h"
#include "core/doc/TorvaneDoc.h"

#include <chrono>
#include <string>

namespace torvane {

// "重複チェック": removes from the current list every later duplicate of a record (the same
// record again, or another file of the same size, title, artist and album), keeping the first.
// Reads the information of unread records, shows the progress with a working cancel (what was
// removed before the cancel stays removed) and reports the count. Answers the removed count.
int RemoveDuplicates(CTorvaneDoc& doc);

// "重複リストアップ": replaces the search list with the duplicate groups of the current list,
// each as its later distinct members followed by its first member, and switches to search mode.
// Answers the search list's new count.
int ListDuplicates(CTorvaneDoc& doc);

// The message of both commands: the count found (none is a message of its own) and the seconds.
CMessage DuplicateMessage(int count, int seconds);

// The seconds a run reports: its whole elapsed seconds plus one.
int ReportedSeconds(std::chrono::steady_clock::duration elapsed);

} // namespace torvane
