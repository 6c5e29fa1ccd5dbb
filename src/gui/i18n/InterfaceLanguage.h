#pragma once

#include "core/doc/Message.h"

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
    // The language of the interface that is up: the latest one installed and still alive,
    // Japanese when none is.
    static std::string Running();

    // Installs the translations of the language for as long as this object lives: for Japanese,
    // Qt's own Japanese texts; for English, the program's English catalogue (Qt's own texts are
    // English already).
    explicit CInterfaceLanguage(const std::string& language);
    ~CInterfaceLanguage();
    CInterfaceLanguage(const CInterfaceLanguage&) = delete;
    CInterfaceLanguage& operator=(const CInterfaceLanguage&) = delete;

private:
    std::unique_ptr<QTranslator> m_Installed;
    std::string m_Language;
    const CInterfaceLanguage* m_Before;
};

// A message in the interface language: its text from the catalogue, with the arguments put in
// after the lookup (paths through DisplayPath, as both programs show them).
QString MessageText(const CMessage& message);
// The caption of a box of this kind in the interface language.
QString CaptionText(MessageKind kind);

// A record's file type as shown: only the no-tag text has words to translate, so the list's
// paint looks nothing up for the others.
QString TypeText(const std::string& type);

} // namespace torvane
