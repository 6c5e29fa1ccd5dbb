#include "gui/i18n/InterfaceLanguage.h"

#include "gui/i18n/QtTranslations.h"
#include "gui/i18n/Translate.h"

#include "core/doc/TorvaneDoc.h"
#include "core/record/ListData.h"
#include "core/settings/Profile.h"
#include "texts/MessageTexts.h"

#include <QCoreApplication>

namespace torvane {

std::string CInterfaceLanguage::Stored(const CProfile& profile) {
    const std::string stored = profile.GetString(CTorvaneDoc::AppSection, ProfileKey, Japanese);
    return stored == English ? English : Japanese;
}

void CInterfaceLanguage::Store(CProfile& profile, const std::string& language) {
    profile.SetString(CTorvaneDoc::AppSection, ProfileKey, language);
}

bool CInterfaceLanguage::IsKnown(const std::string& language) {
    return language == Japanese || language == English;
}

namespace {
const CInterfaceLanguage* g_Running = nullptr;
} // namespace

std::string CInterfaceLanguage::Running() {
    return g_Running ? g_Running->m_Language : std::string(Japanese);
}

CInterfaceLanguage::CInterfaceLanguage(const std::string& language)
    : m_Language(language == English ? English : Japanese), m_Before(g_Running) {
    g_Running = this;
    if (language == English) {
        m_Installed = std::make_unique<QTranslator>();
        if (!m_Installed->load(QStringLiteral(":/i18n/torvane_en.qm")))
            m_Installed.reset();
    } else {
        m_Installed = LoadQtTranslations();
    }
    if (m_Installed && !QCoreApplication::installTranslator(m_Installed.get()))
        m_Installed.reset();
}

CInterfaceLanguage::~CInterfaceLanguage() {
    if (g_Running == this)
        g_Running = m_Before;
    if (m_Installed)
        QCoreApplication::removeTranslator(m_Installed.get());
}

QString MessageText(const CMessage& message) {
    const char* source = MessageSource(message.Id);
    if (!source)
        return {};
    const std::string words = Tr(source).toStdString();
    return QString::fromStdString(FillArguments(words, ShownArguments(message)));
}

QString CaptionText(MessageKind kind) {
    const char* caption = CaptionSource(kind);
    // The program's name is the same in every language.
    return kind == MessageKind::Refusal ? QString::fromUtf8(caption) : Tr(caption);
}

QString TypeText(const std::string& type) {
    // The record's own text is the one looked up; the mark gives the catalogue its source.
    [[maybe_unused]] static const char* const Mark = QT_TRANSLATE_NOOP("Torvane", "タグなし");
    return type == CListData::NoTagType ? Tr(CListData::NoTagType) : QString::fromStdString(type);
}

} // namespace torvane
