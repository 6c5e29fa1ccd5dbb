#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace torvane {

class CTextCodec;

// Everything the program tells the user in a message box, and the count in the status bar.
// The core names what happened; the words belong to the programs (src/texts holds the Japanese
// of every id, the window looks it up in its catalogue).
enum class MessageId {
    // files and folders
    OpenFailed,        // a file could not be opened or written
    OutOfMemory,       // an operation stopped for want of memory
    InvalidFolderName, // a folder that could not be taken
    InvalidFolderNameRetry,
    TemplateMissing,
    TemplateOpenFailed,
    TemplateTooLarge,
    ListTooLarge,
    NestedLists,
    NestedFolders,
    KeptListIncomplete, // question: overwrite the list kept from the last run?
    Saved,
    // encodings and names of the playlist writers
    EncodingUnknown,    // %1 the encoding
    NamesNotEncodable,  // %1 the encoding, %2 the names
    NamesWithLineBreak, // %1 the names
    // file operations
    StartFailed,
    TrashFailed, // %1 the path, %2 the system's reason
    FolderNotFound,
    TooManyFolders,
    ClipboardFailed,
    // playing
    CannotPlay, // %1 the path, %2 what the player lacks, one item per line
    // list operations
    NoDuplicates,    // %1 seconds
    DuplicatesFound, // %1 the count, %2 seconds
    ItemCount,       // the status bar's count pane, %1 the count
    // the window's own questions and refusals
    ExitQuestion,
    TakesEffectNextStart,
    NoExtension,
    InvalidApplicationPath,
    IntegerExpected,
    IntegerBetween, // %1 the least, %2 the greatest
    Count
};

// What a box says about its message: its caption and icon.
enum class MessageKind {
    Error,        // something failed ("error")
    Confirmation, // a note or a question ("確認")
    Refusal,      // an entry the program will not take (the program's name)
    Report,       // the outcome of an operation (no caption)
};

// One value put into a message's text, in the order of its placeholders %1, %2...
struct MessageArgument {
    enum class Type {
        Text,   // UTF-8 shown as it is
        Number, // in decimal
        Path,   // a file's bytes, shown through DisplayPath
        Names,  // file names or titles (bytes), one per line, the first few of them
    };
    Type Kind = Type::Text;
    std::string Text;
    int64_t Number = 0;
    std::vector<std::string> Names;
    // The legacy code page a path is read with for display; null for the default.
    const CTextCodec* Codec = nullptr;
};

// A message: which one and its arguments.
struct CMessage {
    MessageId Id = MessageId::OpenFailed;
    std::vector<MessageArgument> Arguments;

    // A message without arguments is its id alone.
    CMessage(MessageId id) : Id(id) {}

    CMessage& Text(std::string text) {
        Arguments.push_back({MessageArgument::Type::Text, std::move(text), 0, {}, nullptr});
        return *this;
    }
    CMessage& Number(int64_t number) {
        Arguments.push_back({MessageArgument::Type::Number, {}, number, {}, nullptr});
        return *this;
    }
    CMessage& Path(std::string bytes, const CTextCodec& codec) {
        Arguments.push_back({MessageArgument::Type::Path, std::move(bytes), 0, {}, &codec});
        return *this;
    }
    CMessage& Names(std::vector<std::string> names, const CTextCodec& codec) {
        Arguments.push_back({MessageArgument::Type::Names, {}, 0, std::move(names), &codec});
        return *this;
    }
};

} // namespace torvane
