#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace torvane {

class CTextCodec;

// The 8-bit texts of one file (ID3v1, ID3v2 texts in the single-byte encoding, RIFF INFO, AIFF
// text chunks), kept raw while the file is read and decoded together once it has been: one
// tagger on one system wrote them all, so the encoding is decided from all of them. Until
// Decode a field holds its raw bytes, so a reader can still ask whether it is empty.
class CLegacyTexts {
public:
    explicit CLegacyTexts(const CTextCodec& codec) : m_Codec(codec) {}

    // field is to hold bytes decoded, cut to at most maxBytes bytes of UTF-8. A later Keep or
    // Drop of the same field replaces this one.
    void Keep(std::string& field, std::string_view bytes, size_t maxBytes);
    // field took a text that needs no decoding (UTF-16, UTF-8): bytes kept for it before are
    // forgotten.
    void Drop(const std::string& field);
    // Decodes every kept text into its field; the fields must still exist.
    void Decode();

private:
    // The field holds the raw bytes until Decode.
    struct Kept {
        std::string* Field;
        size_t MaxBytes;
    };
    const CTextCodec& m_Codec;
    std::vector<Kept> m_Kept;
};

} // namespace torvane
