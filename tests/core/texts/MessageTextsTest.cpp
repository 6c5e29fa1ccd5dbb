// The words of the messages: every id has its Japanese text, arguments go in once each and as
// both programs show them (paths and names through DisplayPath).

#include "Fakes.h"

#include "core/base/TextCodec.h"
#include "texts/MessageTexts.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

namespace torvane::test {
namespace {

// The placeholders of a text, by number.
std::set<int> Placeholders(const std::string& text) {
    std::set<int> found;
    static const std::regex placeholder("%([0-9])");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), placeholder);
         it != std::sregex_iterator(); ++it)
        found.insert(std::stoi((*it)[1].str()));
    return found;
}

// A text without a placeholder %1 to %n for one of its n arguments, or with a gap, would drop an
// argument silently.
TEST(MessageTexts, EveryIdHasJapaneseWithPlaceholdersFromOneOnward) {
    for (int i = 0; i < static_cast<int>(MessageId::Count); ++i) {
        const char* source = MessageSource(static_cast<MessageId>(i));
        ASSERT_NE(source, nullptr) << "message id " << i << " has no text";
        EXPECT_FALSE(std::string(source).empty()) << "message id " << i;
        EXPECT_TRUE(CTextCodec::IsValidUtf8(source)) << "message id " << i;
        const std::set<int> found = Placeholders(source);
        int expected = 1;
        for (int number : found)
            EXPECT_EQ(number, expected++) << "message id " << i << ": " << source;
    }
    EXPECT_EQ(MessageSource(MessageId::Count), nullptr);
}

TEST(MessageTexts, CaptionsOfTheKinds) {
    EXPECT_STREQ(CaptionSource(MessageKind::Error), "error");
    EXPECT_STREQ(CaptionSource(MessageKind::Confirmation), "確認");
    EXPECT_STREQ(CaptionSource(MessageKind::Refusal), "Torvane");
    EXPECT_STREQ(CaptionSource(MessageKind::Report), "");
}

// A file name may hold "%1" itself: it is never taken for a placeholder of the text around it.
TEST(MessageTexts, ArgumentsGoInOnceEach) {
    EXPECT_EQ(FillArguments("%1 and %2", {"a%2b", "c%1"}), "a%2b and c%1");
    EXPECT_EQ(FillArguments("%2-%1-%2", {"x", "y"}), "y-x-y");
    // Without its argument a placeholder stays; %0 and a lone % at the end are no placeholders.
    EXPECT_EQ(FillArguments("%1 %3 %0 100%", {"x", "y"}), "x %3 %0 100%");
    EXPECT_EQ(FillArguments("", {"x"}), "");
    EXPECT_EQ(JapaneseText(CMessage(MessageId::IntegerBetween).Number(-5).Number(59)),
              "-5 から 59 までの整数を入力してください。");
}

// A name that is not UTF-8 is shown by the code page the message carries, else escaped; it
// never reaches the text as raw bytes.
TEST(MessageTexts, PathsAreShownThroughDisplayPath) {
    const CTextCodec western("CP1252");
    const CTextCodec japanese("CP932");
    EXPECT_EQ(JapaneseText(CMessage(MessageId::TrashFailed).Path("/m/a\xe9.mp3", western).Text("")),
              "ごみ箱へ移動できませんでした。\n/m/aé.mp3\n");
    EXPECT_EQ(
        JapaneseText(CMessage(MessageId::TrashFailed).Path("/m/a\xe9.mp3", japanese).Text("x")),
        "ごみ箱へ移動できませんでした。\n/m/a\\xE9.mp3\nx");
    // A message built without a code page reads paths with the default one.
    CMessage bare(MessageId::TrashFailed);
    bare.Arguments.push_back({MessageArgument::Type::Path, "\x82\xa0.mp3", 0, {}, nullptr});
    EXPECT_EQ(JapaneseText(bare), "ごみ箱へ移動できませんでした。\nあ.mp3\n%2");
}

TEST(MessageTexts, NameListsShowTheFirstTenThenAnEllipsis) {
    const CTextCodec codec("CP932");
    std::vector<std::string> names;
    for (int i = 1; i <= 10; ++i)
        names.push_back("n" + std::to_string(i));
    const std::string ten = "n1\nn2\nn3\nn4\nn5\nn6\nn7\nn8\nn9\nn10";
    EXPECT_EQ(JapaneseText(CMessage(MessageId::NamesWithLineBreak).Names(names, codec)),
              std::string(LineBreakMessage) + "\n\n" + ten);
    names.emplace_back("n11");
    EXPECT_EQ(JapaneseText(CMessage(MessageId::NamesWithLineBreak).Names(names, codec)),
              std::string(LineBreakMessage) + "\n\n" + ten + "\n...");
    // A control character in a name would break the list's lines: it is escaped.
    EXPECT_EQ(
        ShownArguments(
            CMessage(MessageId::NamesNotEncodable).Text("CP932").Names({"a\rb", "\xff"}, codec)),
        (std::vector<std::string>{"CP932", "a\\x0Db\n\\xFF"}));
}

} // namespace
} // namespace torvane::test
