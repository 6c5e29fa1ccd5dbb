#pragma once

#include <string>
#include <string_view>

namespace torvane {

// Where a writer puts a file's text, piece by piece, as it makes it: the text takes effect with
// Commit, and an output destroyed without one leaves the previous file as it was.
class CTextOutput {
public:
    virtual ~CTextOutput() = default;

    // Adds a piece to the text. A failure is kept for Commit, and the pieces after it are dropped.
    virtual void Write(std::string_view piece) = 0;
    // Ends the text, once. On failure answers false with a description in error (the path and
    // the reason) and the previous file stays as it was.
    virtual bool Commit(std::string& error) = 0;
    // Whether it failed already (it could not be opened, a piece could not be written): a
    // writer need not make the rest of its text.
    virtual bool Failed() const { return false; }
};

} // namespace torvane
