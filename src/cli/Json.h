#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace torvane::cli {

// Builds one JSON object on one line (JSON Lines), fields in the order they are added.
class CJsonObject {
public:
    CJsonObject& Add(std::string_view name, std::string_view text);
    CJsonObject& Add(std::string_view name, const char* text) {
        return Add(name, std::string_view(text));
    }
    CJsonObject& Add(std::string_view name, int64_t number);
    CJsonObject& Add(std::string_view name, const std::vector<std::string>& texts);
    CJsonObject& AddNull(std::string_view name);
    CJsonObject& Add(std::string_view name, const CJsonObject& object);

    std::string Text() const { return "{" + m_Body + "}"; }

private:
    void Name(std::string_view name);
    std::string m_Body;
};

// A JSON string: valid UTF-8 whatever the bytes given, each byte that is not part of a valid
// UTF-8 sequence standing as U+FFFD.
std::string JsonQuote(std::string_view text);
// Standard base64 (RFC 4648, with padding): how the exact bytes of a name that is not UTF-8
// travel in JSON.
std::string Base64(std::string_view bytes);

} // namespace torvane::cli
