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

std::string JsonQuote(std::string_view text);

} // namespace torvane::cli
