#include "gui/i18n/InterfaceLanguage.h"

#include "gui/i18n/QtTranslations.h"
#include "gui/i18n/Translate.h"

#include "core/doc/TorvaneDoc.h"
#include "core/settings/Profile.h"

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

CInterfaceLanguage::CInterfaceLanguage(const std::string& language) {
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
    if (m_Installed)
        QCoreApplication::removeTranslator(m_Installed.get());
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
    QT_TRANSLATE_NOOP("Torvane", "文字コード %1 には変換できません。"),
    QT_TRANSLATE_NOOP("Torvane", "次の名前は文字コード %1 で書き出せないため、保存しませんでした。"),
    QT_TRANSLATE_NOOP("Torvane", "次の名前は改行を含むため、保存しませんでした。"),
    QT_TRANSLATE_NOOP("Torvane", "リストファイルが互いを何度も指しているため、一部を読み込みませんでした。"),
    QT_TRANSLATE_NOOP("Torvane", "フォルダへのリンクが多すぎるため、一部のフォルダを読み込みませんでした。"),
    QT_TRANSLATE_NOOP("Torvane", "リストファイルが大きすぎるため、読み込みませんでした。"),
    QT_TRANSLATE_NOOP("Torvane", "テンプレートファイルが大きすぎるため、読み込みませんでした。"),
    QT_TRANSLATE_NOOP("Torvane", "メモリが足りないため、処理を中止しました。"),
    QT_TRANSLATE_NOOP("Torvane", "前回保存したリストは一部しか読み込まれていません。\n現在のリストで上書きしてもよろしいですか？"),
    QT_TRANSLATE_NOOP("Torvane", "確認"),
    QT_TRANSLATE_NOOP("Torvane", "error"),
};
// clang-format on

QString Lookup(const QString& source) {
    return Tr(source.toUtf8().constData());
}

QString TranslateLine(const QString& line) {
    const QString whole = Lookup(line);
    if (whole != line)
        return whole;
    // A number or a name written in ASCII (an encoding) is the argument.
    static const QRegularExpression argument(QStringLiteral("[!-~]+"));
    const QRegularExpressionMatch match = argument.match(line);
    if (!match.hasMatch())
        return line;
    QString pattern = line;
    pattern.replace(match.capturedStart(), match.capturedLength(), QStringLiteral("%1"));
    const QString translated = Lookup(pattern);
    return translated == pattern ? line : translated.arg(match.captured());
}

} // namespace

QString TranslateMessage(const std::string& text) {
    const QString source = QString::fromStdString(text);
    const QString whole = Lookup(source);
    if (whole != source)
        return whole;
    QStringList lines = source.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = TranslateLine(line);
    return lines.join(QLatin1Char('\n'));
}

QString TypeText(const std::string& type) {
    static const char* const NoTag = QT_TRANSLATE_NOOP("Torvane", "タグなし");
    return type == NoTag ? Tr(NoTag) : QString::fromStdString(type);
}

} // namespace torvane
