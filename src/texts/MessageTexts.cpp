#include "texts/MessageTexts.h"

#include "core/base/DisplayPath.h"
#include "core/base/TextCodec.h"
#include "texts/EnglishCatalogue.h"

#include <cstdlib>

namespace torvane {
namespace {

// Marks a text for the window's catalogue: lupdate finds it here by this name. The context
// "Torvane" is that of the program's other texts.
#define QT_TRANSLATE_NOOP(context, text) text

struct MessageText {
    MessageId Id;
    const char* Japanese;
};

// clang-format off
constexpr MessageText Texts[] = {
    {MessageId::OpenFailed, QT_TRANSLATE_NOOP("Torvane", "ファイルのオープンに失敗しました")},
    {MessageId::OutOfMemory, QT_TRANSLATE_NOOP("Torvane", "メモリが足りないため、処理を中止しました。")},
    {MessageId::InvalidFolderName, QT_TRANSLATE_NOOP("Torvane", "フォルダ名が不正です。")},
    {MessageId::InvalidFolderNameRetry, QT_TRANSLATE_NOOP("Torvane", "フォルダ名が不正です。正しいフォルダ名を入力してください。")},
    {MessageId::TemplateMissing, QT_TRANSLATE_NOOP("Torvane", "テンプレートファイルがありません")},
    {MessageId::TemplateOpenFailed, QT_TRANSLATE_NOOP("Torvane", "テンプレートファイルのオープンに失敗しました")},
    {MessageId::TemplateTooLarge, QT_TRANSLATE_NOOP("Torvane", "テンプレートファイルが大きすぎるため、読み込みませんでした。")},
    {MessageId::ListTooLarge, QT_TRANSLATE_NOOP("Torvane", "リストファイルが大きすぎるため、読み込みませんでした。")},
    {MessageId::NestedLists, QT_TRANSLATE_NOOP("Torvane", "リストファイルが互いを何度も指しているため、一部を読み込みませんでした。")},
    {MessageId::NestedFolders, QT_TRANSLATE_NOOP("Torvane", "フォルダへのリンクが多すぎるため、一部のフォルダを読み込みませんでした。")},
    {MessageId::KeptListIncomplete, QT_TRANSLATE_NOOP("Torvane", "前回保存したリストは一部しか読み込まれていません。\n現在のリストで上書きしてもよろしいですか？")},
    {MessageId::Saved, QT_TRANSLATE_NOOP("Torvane", "保存しました。")},
    {MessageId::EncodingUnknown, QT_TRANSLATE_NOOP("Torvane", "文字コード %1 には変換できません。")},
    {MessageId::NamesNotEncodable, QT_TRANSLATE_NOOP("Torvane", "次の名前は文字コード %1 で書き出せないため、保存しませんでした。\n\n%2")},
    {MessageId::NamesWithLineBreak, QT_TRANSLATE_NOOP("Torvane", "次の名前は改行を含むため、保存しませんでした。\n\n%1")},
    {MessageId::StartFailed, QT_TRANSLATE_NOOP("Torvane", "起動できませんでした。\nアプリケーションのパスを確認してください。")},
    {MessageId::TrashFailed, QT_TRANSLATE_NOOP("Torvane", "ごみ箱へ移動できませんでした。\n%1\n%2")},
    {MessageId::FolderNotFound, QT_TRANSLATE_NOOP("Torvane", "フォルダの取得に失敗しました。")},
    {MessageId::TooManyFolders, QT_TRANSLATE_NOOP("Torvane", "5以上のフォルダが選択されました。\n先の5フォルダを開きます。")},
    {MessageId::ClipboardFailed, QT_TRANSLATE_NOOP("Torvane", "クリップボードのオープンに失敗しました。")},
    {MessageId::CannotPlay, QT_TRANSLATE_NOOP("Torvane", "再生できませんでした。\n%1\n\n再生に必要な次のものがありません。\n%2\n\nGStreamer のプラグイン (gstreamer1.0-plugins-base、gstreamer1.0-plugins-good、gstreamer1.0-plugins-ugly、gstreamer1.0-libav) をインストールしてください。")},
    {MessageId::NoDuplicates, QT_TRANSLATE_NOOP("Torvane", "重複は見つかりませんでした。\n\t処理時間 %1秒")},
    {MessageId::DuplicatesFound, QT_TRANSLATE_NOOP("Torvane", "%1件の重複がありました。\n\t処理時間 %2秒")},
    {MessageId::ItemCount, QT_TRANSLATE_NOOP("Torvane", " %1 件")},
    {MessageId::ExitQuestion, QT_TRANSLATE_NOOP("Torvane", "終了してもよろしいですか？")},
    {MessageId::TakesEffectNextStart, QT_TRANSLATE_NOOP("Torvane", "次回の起動から有効になります。")},
    {MessageId::NoExtension, QT_TRANSLATE_NOOP("Torvane", "拡張子が指定されていません。")},
    {MessageId::InvalidApplicationPath, QT_TRANSLATE_NOOP("Torvane", "指定したパスは無効です。\n有効なパスを指定してください。")},
    {MessageId::IntegerExpected, QT_TRANSLATE_NOOP("Torvane", "整数を入力してください。")},
    {MessageId::IntegerBetween, QT_TRANSLATE_NOOP("Torvane", "%1 から %2 までの整数を入力してください。")},
};

constexpr const char* ErrorCaption = QT_TRANSLATE_NOOP("Torvane", "error");
constexpr const char* ConfirmationCaption = QT_TRANSLATE_NOOP("Torvane", "確認");
// clang-format on

#undef QT_TRANSLATE_NOOP

std::string ShownNameList(const std::vector<std::string>& names, const CTextCodec& codec) {
    std::string shown;
    for (size_t i = 0; i < names.size() && i < ShownNames; ++i) {
        if (i > 0)
            shown += '\n';
        shown += DisplayPath(names[i], codec);
    }
    if (names.size() > ShownNames)
        shown += "\n...";
    return shown;
}

} // namespace

const char* MessageSource(MessageId id) {
    for (const MessageText& text : Texts)
        if (text.Id == id)
            return text.Japanese;
    return nullptr;
}

const char* CaptionSource(MessageKind kind) {
    switch (kind) {
    case MessageKind::Error:
        return ErrorCaption;
    case MessageKind::Confirmation:
        return ConfirmationCaption;
    case MessageKind::Refusal:
        return "Torvane";
    case MessageKind::Report:
        break;
    }
    return "";
}

std::vector<std::string> ShownArguments(const CMessage& message) {
    const CTextCodec defaultCodec;
    std::vector<std::string> shown;
    shown.reserve(message.Arguments.size());
    for (const MessageArgument& argument : message.Arguments) {
        const CTextCodec& codec = argument.Codec ? *argument.Codec : defaultCodec;
        switch (argument.Kind) {
        case MessageArgument::Type::Text:
            shown.push_back(argument.Text);
            break;
        case MessageArgument::Type::Number:
            shown.push_back(std::to_string(argument.Number));
            break;
        case MessageArgument::Type::Path:
            shown.push_back(DisplayPath(argument.Text, codec));
            break;
        case MessageArgument::Type::Names:
            shown.push_back(ShownNameList(argument.Names, codec));
            break;
        }
    }
    return shown;
}

std::string FillArguments(std::string_view pattern, const std::vector<std::string>& arguments) {
    std::string text;
    text.reserve(pattern.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' &&
            pattern[i + 1] <= '9') {
            const size_t index = static_cast<size_t>(pattern[i + 1] - '1');
            if (index < arguments.size()) {
                text += arguments[index];
                ++i;
                continue;
            }
        }
        text += pattern[i];
    }
    return text;
}

std::string JapaneseText(const CMessage& message) {
    const char* source = MessageSource(message.Id);
    return source ? FillArguments(source, ShownArguments(message)) : std::string();
}

std::string EnglishText(const CMessage& message) {
    const char* source = MessageSource(message.Id);
    return source ? FillArguments(EnglishFor(source), ShownArguments(message)) : std::string();
}

bool JapaneseLocale(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang}) {
        if (value && *value) {
            const std::string_view name(value);
            return name.substr(0, 2) == "ja" &&
                   (name.size() == 2 || name[2] == '_' || name[2] == '.' || name[2] == '@');
        }
    }
    return false;
}

bool JapaneseLocale() {
    return JapaneseLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

} // namespace torvane
