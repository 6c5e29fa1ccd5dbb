#pragma once

#include <QString>
#include <QTranslator>

#include <memory>
#include <string>

namespace torvane {

class CProfile;

// The language of the interface. Japanese is the language of the texts in the code; English
// comes from the program's own catalogue. The choice is profile key "Language" in section
// "app" and takes effect when the program starts.
class CInterfaceLanguage {
public:
    static constexpr const char* Japanese = "ja";
    static constexpr const char* English = "en";
    static constexpr const char* ProfileKey = "Language";

    // The stored choice; anything but "en" is Japanese.
    static std::string Stored(const CProfile& profile);
    static void Store(CProfile& profile, const std::string& language);
    static bool IsKnown(const std::string& language);

    // Installs the translations of the language for as long as this object lives: for Japanese,
    // Qt's own Japanese texts; for English, the program's English catalogue (Qt's own texts are
    // English already).
    explicit CInterfaceLanguage(const std::string& language);
    ~CInterfaceLanguage();
    CInterfaceLanguage(const CInterfaceLanguage&) = delete;
    CInterfaceLanguage& operator=(const CInterfaceLanguage&) = delete;

private:
    std::unique_ptr<QTranslator> m_Installed;
};

// A message of the document in the interface language: the whole text when the catalogue has
// it, otherwise line by line, where a line is also looked up with its first number or ASCII
// word as "%1" (" 3 件", "文字コード CP932 には変換できません。"). Lines the catalogue lacks (file
// names) stay as they are.
QString TranslateMessage(const std::string& text);

// A record's file type as shown: only the no-tag text has words to translate, so the list's
// paint looks nothing up for the others.
QString TypeText(const std::string& type);

} // namespace torvane
