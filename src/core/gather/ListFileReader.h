#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace torvane {

class CProgress;
class CTextCodec;
class CTorvaneDoc;

// Reads a playlist or text list and adds the audio files it names to the current list:
// ".m3u", ".m3u8" and ".txt" hold one path per line ("#" lines ignored, so extended M3U files
// read as well); ".pls" names them in its File entries and ".xspf" in the locations of its
// tracks, where file URIs are decoded and other URIs (streams) left out. Relative entries are
// found from the list file's own folder. An entry that is itself an existing list file is read
// in turn, unless it is one of the lists being read (a list naming itself); lists read again
// stop being read once they come to 16 MB in all, with MessageId::NestedLists. The list enters the
// file history. With a progress of the caller the bar continues from where it stands over
// span; without one the reader opens its own. The caller ends with UpdateItemCount. False when
// the file cannot be read. Lists nested however deep are read without deepening the stack. A
// list file larger than MaxListFileBytes is not read, with MessageId::ListTooLarge; when memory
// runs short the reading stops with OutOfMemoryMessage and the records it added are taken
// back.
struct ListFileReading;
bool ReadListFile(CTorvaneDoc& doc, const std::string& path, CProgress* progress, int span,
                  ListFileReading* reading = nullptr);

// What a reading left out, for the list kept from one run to the next.
struct ListFileReading {
    // False when the reading was cancelled or stopped, or a list was not read (too large, or
    // lists naming one another too often): the list then holds only part of the file.
    bool Complete = true;
    // Entries of the file itself refused only because their extension is switched off in the
    // registry, as written.
    std::vector<std::string> HeldBack;
};

// The text of a list or template file as UTF-8: a UTF-8 byte-order mark is dropped and marks
// the text as UTF-8, as does declaredUtf8 (".m3u8"); otherwise text that is not valid UTF-8 is
// decoded from the legacy code page.
std::string DecodeTextFile(std::string_view bytes, bool declaredUtf8, const CTextCodec& codec);

} // namespace torvane
