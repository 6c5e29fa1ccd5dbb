#pragma once

#include "core/base/ByteSource.h"
#include "core/base/TextCodec.h"
#include "core/record/ListData.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace torvane::test {

// A file of tests/data, made by an encoder (tests/data/README*.md tell how).
inline std::string DataFile(const std::string& name) {
    return std::string(TORVANE_TEST_DATA) + "/" + name;
}

// The bytes of a file of tests/data.
inline std::vector<uint8_t> DataBytes(const std::string& name) {
    std::ifstream in(DataFile(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A record of the file at path, with its information read as the program reads it.
inline std::unique_ptr<CListData> ReadRecord(const std::string& path) {
    auto record = std::make_unique<CListData>();
    record->SetPath(path);
    record->ReadInfo(CTextCodec());
    return record;
}

// A large file that is zero except for the pieces placed in it; counts the bytes read, so a
// test can tell that a reader did not read the whole file.
class CSparseSource final : public CByteSource {
public:
    explicit CSparseSource(uint64_t size) : m_Size(size) {}

    void Place(uint64_t offset, std::vector<uint8_t> bytes) { m_Pieces[offset] = std::move(bytes); }
    uint64_t BytesRead() const { return m_BytesRead; }

    uint64_t Size() const override { return m_Size; }
    size_t ReadAt(uint64_t offset, std::span<uint8_t> out) const override {
        if (offset >= m_Size)
            return 0;
        const size_t count = static_cast<size_t>(std::min<uint64_t>(out.size(), m_Size - offset));
        std::fill_n(out.begin(), count, uint8_t{0});
        for (const auto& [start, bytes] : m_Pieces) {
            const uint64_t from = std::max(start, offset);
            const uint64_t to = std::min(start + bytes.size(), offset + count);
            if (from < to)
                std::memcpy(out.data() + (from - offset), bytes.data() + (from - start),
                            static_cast<size_t>(to - from));
        }
        m_BytesRead += count;
        return count;
    }

private:
    uint64_t m_Size;
    std::map<uint64_t, std::vector<uint8_t>> m_Pieces;
    mutable uint64_t m_BytesRead = 0;
};

// Hands a reader every prefix of a valid file and many copies with random bytes changed, so
// the sanitizers see each length and offset field broken in turn.
template <class Read> void ForEachBrokenCopy(const std::vector<uint8_t>& valid, Read&& read) {
    for (size_t length = 0; length <= valid.size(); ++length) {
        const std::vector<uint8_t> prefix(valid.begin(),
                                          valid.begin() + static_cast<std::ptrdiff_t>(length));
        read(prefix);
    }
    std::mt19937 random(12345);
    for (int round = 0; round < 2000; ++round) {
        std::vector<uint8_t> copy = valid;
        const int changes = 1 + round % 4;
        for (int i = 0; i < changes; ++i)
            copy[random() % copy.size()] = static_cast<uint8_t>(random());
        read(copy);
    }
}

} // namespace torvane::test
