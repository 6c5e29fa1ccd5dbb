#pragma once

#include "core/base/ByteSource.h"
#include "core/base/TextCodec.h"
#include "core/media/AudioReader.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace torvane {

// One line of the reader table: the files of an extension, the first bytes that must be there
// when the extension stands for more than one format, and the reader that takes them.
struct ReaderLine {
    std::string_view Ext;  // lower case, without the dot
    std::string_view Name; // the extension's reader, as torvane-cli names it
    std::unique_ptr<CAudioReader> (*Make)(const CTextCodec& codec);
    // An empty file, or one no reader of the extension takes, still counts as read (with
    // nothing in it) rather than as unread.
    bool CountsUnreadable = false;
    // Where set, the line applies only to a file whose content passes Holds(file, Signature);
    // the lines of one extension are tried in table order.
    bool (*Holds)(const CByteSource& source, std::string_view signature) = nullptr;
    std::string_view Signature = {};
};

// The whole table, in its order.
std::span<const ReaderLine> AllReaderLines();

// The lines of ext (any case), in table order; empty when no reader takes its files.
std::span<const ReaderLine> ReaderLines(std::string_view ext);

// The name of the reader of ext ("mpeg", "ogg", ...); empty when there is none. An extension
// whose lines choose by content answers its own name, whichever reader takes the file.
std::string ReaderForExtension(std::string_view ext);

// Reads the file at path with the first of lines (those of its extension) that applies to its
// content and whose reader takes it. False when no reader took the file (there are no lines,
// the file cannot be opened, or it is of none of the formats); info then holds nothing to use.
bool ReadByTable(const std::string& path, std::span<const ReaderLine> lines,
                 const CTextCodec& codec, AudioInfo& info);
// The same for a file already open (or bytes in memory).
bool ReadByTable(const CByteSource& file, std::span<const ReaderLine> lines,
                 const CTextCodec& codec, AudioInfo& info);

} // namespace torvane
