#include "InterfaceLanguage.h"

#include "QtTranslations.h"
#include "Translate.h"

#include "core/doc/Profile.h"
#include "core/doc/TorvaneDoc.h"

#include <QCoreApplication>
#include <QRegularExpression>

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

CInterfaceLanguage::CInterfaceLanguage(const std::string& language)
    : m_English(language == English) {
    std::unique_ptr<QTranslator> translator;
    if (m_English) {
        translator = std::make_unique<QTranslator>();
        if (!translator->load(QStringLiteral(":/i18n/torvane_en.qm")))
            translator.reset();
    } else {
        translator = LoadQtTranslations();
    }
    if (translator && QCoreApplication::installTranslator(translator.get()))
        m_Installed.push_back(std::move(translator));
}

CInterfaceLanguage::~CInterfaceLanguage() {
    for (const auto& translator : m_Installed)
        QCoreApplication::removeTranslator(translator.get());
}

namespace {

// The document's messages, written in the core without Qt, listed here for the catalogue.
// clang-format off
[[maybe_unused]] constexpr const char* DocumentTexts[] = {
    QT_TRANSLATE_NOOP("Torvane", "テンプレートファイルがありません"),
    QT_TRANSLATE_NOOP("Torvane", "テンプレートファイルのオープンに失敗しました"),
    QT_TRANSLATE_NOOP("Torvane", "フォルダ名が不正です。"),
    QT_TRANSLATE_NOOP("Torvane", "ファイルのオープンに失敗しました"),
    QT_TRANSLATE_NOOP("Torvane", "保存しました。"),
    QT_TRANSLATE_NOOP("Torvane", "起動できませんでした。\nアプリケーションのパスを確認してください。"),
    QT_TRANSLATE_NOOP("Torvane", "ごみ箱へ移動できませんでした。"),
    QT_TRANSLATE_NOOP("Torvane", "フォルダの取得に失敗しました。"),
    QT_TRANSLATE_NOOP("Torvane", "5以上のフォルダが選択されました。\n先の5フォルダを開きます。"),
    QT_TRANSLATE_NOOP("Torvane", "クリップボードのオープンに失敗しました。"),
    QT_TRANSLATE_NOOP("Torvane", "重複は見つかりませんでした。"),
    QT_TRANSLATE_NOOP("Torvane", "%1件の重複がありました。"),
    QT_TRANSLATE_NOOP("Torvane", "\t処理時間 %1秒"),
    QT_TRANSLATE_NOOP("Torvane", " %1 件"),
    QT_TRANSLATE_NOOP("Torvane", "確認"),
    QT_TRANSLATE_NOOP("Torvane", "error"),
};
// clang-format on

QString TranslateLine(const QString& line) {
    const QString whole = Tr(line.toUtf8().constData());
    if (whole != line)
        return whole;
    static const QRegularExpression number(QStringLiteral("\\d+"));
    const QRegularExpressionMatch match = number.match(line);
    if (!match.hasMatch())
        return line;
    QString pattern = line;
    pattern.replace(match.capturedStart(), match.capturedLength(), QStringLiteral("%1"));
    const QString translated = Tr(pattern.toUtf8().constData());
    return translated == pattern ? line : translated.arg(match.captured());
}

} // namespace

QString TranslateMessage(const std::string& text) {
    const QString source = QString::fromStdString(text);
    const QString whole = Tr(text.c_str());
    if (whole != source)
        return whole;
    QStringList lines = source.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = TranslateLine(line);
    return lines.join(QLatin1Char('\n'));
}

} // namespace torvane
