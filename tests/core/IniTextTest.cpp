// Reading and editing settings text: integer forms, line layout, names, duplicates, limits.
#include "IniText.h"

#include "Language.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <vector>

namespace bandix {
namespace {

using namespace std::string_view_literals;

constexpr std::int32_t Int32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t Int32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::string_view Bom = "\xEF\xBB\xBF";

template <typename Case> std::string CaseName(const testing::TestParamInfo<Case> &info)
{
    return std::string(info.param.Name);
}

struct IntegerCase
{
    std::string_view Name;
    std::string_view Text;
    std::optional<std::int32_t> Expected;
};

class ParseRuntimeIntegerTest : public testing::TestWithParam<IntegerCase>
{
};

TEST_P(ParseRuntimeIntegerTest, Converts)
{
    EXPECT_EQ(ParseRuntimeInteger(GetParam().Text), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ParseRuntimeIntegerTest,
    testing::Values(IntegerCase{"Zero", "0", 0}, IntegerCase{"PlusSign", "+3", 3},
                    IntegerCase{"MinusSign", "-1", -1}, IntegerCase{"LeadingBlanks", " \t 7", 7},
                    IntegerCase{"LeadingZeros", "0000000000000000000000000007", 7},
                    IntegerCase{"HexZeroX", "0x2", 2}, IntegerCase{"HexUpperZeroX", "0X1f", 31},
                    IntegerCase{"HexDollar", "$FF", 255}, IntegerCase{"HexLowerDigits", "$ff", 255},
                    IntegerCase{"HexBareX", "x10", 16}, IntegerCase{"HexBareUpperX", "X10", 16},
                    IntegerCase{"SignBeforeHex", "-$10", -16},
                    IntegerCase{"LargestDecimal", "2147483647", Int32Max},
                    IntegerCase{"SmallestDecimal", "-2147483648", Int32Min},
                    IntegerCase{"LargestHex", "$7FFFFFFF", Int32Max},
                    IntegerCase{"SmallestHex", "-$80000000", Int32Min},
                    IntegerCase{"Empty", "", std::nullopt},
                    IntegerCase{"Word", "abc", std::nullopt},
                    IntegerCase{"TrailingLetter", "2x", std::nullopt},
                    IntegerCase{"TrailingBlank", "7 ", std::nullopt},
                    IntegerCase{"PrefixWithoutDigits", "0x", std::nullopt},
                    IntegerCase{"DollarWithoutDigits", "$", std::nullopt},
                    IntegerCase{"SignWithoutDigits", "-", std::nullopt},
                    IntegerCase{"BlankAfterSign", "- 2", std::nullopt},
                    IntegerCase{"TwoSigns", "--2", std::nullopt},
                    IntegerCase{"SignAfterPrefix", "0x-2", std::nullopt},
                    IntegerCase{"TwoPrefixes", "$0x1", std::nullopt},
                    IntegerCase{"NotHexDigit", "$G", std::nullopt},
                    IntegerCase{"Fraction", "1.5", std::nullopt},
                    IntegerCase{"TwoToThe31", "2147483648", std::nullopt},
                    IntegerCase{"BelowSmallest", "-2147483649", std::nullopt},
                    IntegerCase{"HexTwoToThe31", "$80000000", std::nullopt},
                    IntegerCase{"ManyDigits", "99999999999999999999999999999", std::nullopt},
                    IntegerCase{"ManyHexDigits", "-0xFFFFFFFFFFFFFFFFFFFFFFFF", std::nullopt}),
    CaseName<IntegerCase>);

struct StoredLanguageCase
{
    std::string_view Name;
    std::optional<std::string_view> Stored; // nothing: no settings file
    std::int32_t Read;
    bool English;
};

class StoredLanguageTest : public testing::TestWithParam<StoredLanguageCase>
{
};

// The stored integer picks a language code when it fits a byte; code 1 is English, others Danish.
TEST_P(StoredLanguageTest, ReadsIntegerAndLanguage)
{
    const StoredLanguageCase &c = GetParam();
    const std::string text =
        c.Stored ? "[Language]\r\nUsed=" + std::string(*c.Stored) + "\r\n" : std::string();
    const std::int32_t read = ReadIniInteger(text, "Language", "Used", Language::Uk);
    EXPECT_EQ(read, c.Read);

    Language::SelectedLanguage =
        (read >= 0 && read <= 255) ? static_cast<std::uint8_t>(read) : Language::Uk;
    Language::ChangeLanguage();
    EXPECT_EQ(Language::clEnglish, c.English ? Language::ukEnglish : Language::dkEnglish);
}

INSTANTIATE_TEST_SUITE_P(Values, StoredLanguageTest,
                         testing::Values(StoredLanguageCase{"NoFile", std::nullopt, 1, true},
                                         StoredLanguageCase{"One", "1", 1, true},
                                         StoredLanguageCase{"Two", "2", 2, false},
                                         StoredLanguageCase{"Zero", "0", 0, false},
                                         StoredLanguageCase{"Three", "3", 3, false},
                                         StoredLanguageCase{"ByteMax", "255", 255, false},
                                         StoredLanguageCase{"Seven", "7", 7, false},
                                         StoredLanguageCase{"AboveByte", "300", 300, true},
                                         StoredLanguageCase{"MinusOne", "-1", -1, true},
                                         StoredLanguageCase{"HexAboveByte", "$100", 256, true},
                                         StoredLanguageCase{"HexTwo", "0x2", 2, false},
                                         StoredLanguageCase{"HexByteMax", "$FF", 255, false},
                                         StoredLanguageCase{"PlusTwo", "+2", 2, false},
                                         StoredLanguageCase{"Text", "text", 1, true},
                                         StoredLanguageCase{"Empty", "", 1, true},
                                         StoredLanguageCase{"TwoToThe31", "2147483648", 1, true},
                                         StoredLanguageCase{"Int32Min", "-2147483648", Int32Min,
                                                            true}),
                         CaseName<StoredLanguageCase>);

struct ReadCase
{
    std::string_view Name;
    std::string_view Text;
    std::optional<std::string_view> Expected;
};

class ReadIniStringTest : public testing::TestWithParam<ReadCase>
{
};

TEST_P(ReadIniStringTest, FindsValue)
{
    EXPECT_EQ(ReadIniString(GetParam().Text, "Language", "Used"), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ReadIniStringTest,
    testing::Values(
        ReadCase{"MissingFile", "", std::nullopt},
        ReadCase{"MissingKey", "[Language]\nOther=2\n", std::nullopt},
        ReadCase{"BlanksTrimmed", "  [ Language ]\t\n\t Used \t=\t 2 \t\n", "2"},
        ReadCase{"CrLf", "[Language]\r\nUsed=2\r\n", "2"},
        ReadCase{"NoFinalNewline", "[Language]\nUsed=2", "2"},
        ReadCase{"FinalBareCr", "[Language]\nUsed=2\r", "2"},
        ReadCase{"Bom", "\xEF\xBB\xBF[Language]\nUsed=2\n", "2"},
        ReadCase{"NamesIgnoreCase", "[lAnGuAgE]\nUSED=2\n", "2"},
        ReadCase{"CommentIsNoKey", "[Language]\n;Used=2\n", std::nullopt},
        ReadCase{"IndentedComment", "[Language]\n \t;Used=2\n", std::nullopt},
        ReadCase{"KeyBeforeAnySection", "Used=2\n[Language]\n", std::nullopt},
        ReadCase{"KeyOfOtherSection", "[Other]\nUsed=2\n[Language]\n", std::nullopt},
        ReadCase{"FirstDuplicateKey", "[Language]\nUsed=2\nUsed=3\n", "2"},
        ReadCase{"FirstDuplicateSection", "[Language]\nUsed=2\n[language]\nUsed=3\n", "2"},
        ReadCase{"FirstSectionOnly", "[Language]\n[Language]\nUsed=3\n", std::nullopt},
        ReadCase{"ValueIsRestOfLine", "[Language]\nUsed=a=b ;c\n", "a=b ;c"},
        ReadCase{"EmptyValue", "[Language]\nUsed=\n", ""},
        ReadCase{"TextAfterBracket", "[Language] ;c\nUsed=2\n", "2"},
        ReadCase{"NameRunsToLastBracket", "[Language]]\nUsed=2\n", std::nullopt},
        ReadCase{"BracketInTextAfterHeader", "[Language] ; see [notes]\nUsed=2\n", std::nullopt},
        ReadCase{"EmptyHeaderIsASection", "[Language]\n[]\nUsed=2\n", std::nullopt},
        ReadCase{"UnclosedHeaderIsAKey", "[Language]\n[Used=2\n", std::nullopt},
        ReadCase{"BareCrEndsLine", "[Language]\rUsed=2\r", "2"},
        ReadCase{"ControlBlanks", "\x1a[Language]\f\n\vUsed\x1a=\f2\x1a\n", "2"},
        ReadCase{"OtherControlsAreNoBlanks",
                 "[Language]\nUsed=\x1b"
                 "2\n",
                 "\x1b"
                 "2"},
        ReadCase{"DoubleQuotesRemoved", "[Language]\nUsed= \"2\" \n", "2"},
        ReadCase{"SingleQuotesRemoved", "[Language]\nUsed='2'\n", "2"},
        ReadCase{"OnePairRemoved", "[Language]\nUsed=\"\"2\"\"\n", "\"2\""},
        ReadCase{"UnmatchedQuotesKept", "[Language]\nUsed=\"2'\n", "\"2'"},
        ReadCase{"LoneQuoteKept", "[Language]\nUsed=\"\n", "\""},
        ReadCase{"NoEqualsIsNoValue", "[Language]\nUsed\nUsed=2\n", std::nullopt},
        ReadCase{"ValueEndsAtNul", "[Language]\nUsed=2\0x\n"sv, "2"},
        ReadCase{"NameEndsAtNul", "[Language\0x]\nUsed\0x=2\n"sv, "2"},
        ReadCase{"Utf16LittleEndian",
                 "\xFF\xFE[\0L\0a\0n\0g\0u\0a\0g\0e\0]\0\r\0U\0s\0e\0d\0=\0002\0"sv, "2"},
        ReadCase{"Utf16BigEndian",
                 "\xFE\xFF\0[\0L\0a\0n\0g\0u\0a\0g\0e\0]\0\n\0U\0s\0e\0d\0=\0\xC3\0\xB8"sv,
                 "\xC3\x83\xC2\xB8"},
        ReadCase{"Utf16WithoutMarkReadsAsBytes",
                 "[\0L\0a\0n\0g\0u\0a\0g\0e\0]\0\n\0U\0s\0e\0d\0=\0002\0"sv, std::nullopt},
        ReadCase{"LongerKeyName", "[Language]\nUsedX=2\n", std::nullopt}),
    CaseName<ReadCase>);

struct WriteCase
{
    std::string_view Name;
    std::string_view Text;
    std::string_view Value;
    std::string_view NewLine;
    std::string_view Expected;
};

class WriteIniStringTest : public testing::TestWithParam<WriteCase>
{
};

TEST_P(WriteIniStringTest, ProducesText)
{
    const WriteCase &c = GetParam();
    EXPECT_EQ(WriteIniString(c.Text, "Language", "Used", c.Value, c.NewLine), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, WriteIniStringTest,
    testing::Values(
        WriteCase{"NoFile", "", "2", "\n", "[Language]\nUsed=2\n"},
        WriteCase{"NoFileCrLf", "", "2", "\r\n", "[Language]\r\nUsed=2\r\n"},
        WriteCase{"ReplaceKeepsLf", "[Language]\nUsed=1\n", "2", "\r\n", "[Language]\nUsed=2\n"},
        WriteCase{"ReplaceKeepsCrLf", "[Language]\r\nUsed=1\r\n", "2", "\n",
                  "[Language]\r\nUsed=2\r\n"},
        WriteCase{"ReplaceKeepsBlanksToValue", "[Language]\n  Used =\t 1 \n", "2", "\n",
                  "[Language]\n  Used =\t 2\n"},
        WriteCase{"ReplaceWholeRestOfLine", "[Language]\nUsed=1 ;old\n", "2", "\n",
                  "[Language]\nUsed=2\n"},
        WriteCase{"ReplaceEmptyValue", "[Language]\nUsed=1\n", "", "\n", "[Language]\nUsed=\n"},
        WriteCase{"ReplaceKeepsNameCase", "[LANGUAGE]\nused=1\n", "2", "\n",
                  "[LANGUAGE]\nused=2\n"},
        WriteCase{"ReplaceFirstDuplicateKey", "[Language]\nUsed=1\nUsed=3\n", "2", "\n",
                  "[Language]\nUsed=2\nUsed=3\n"},
        WriteCase{"ReplaceInFirstDuplicateSection", "[Language]\nUsed=1\n[Language]\nUsed=3\n", "2",
                  "\n", "[Language]\nUsed=2\n[Language]\nUsed=3\n"},
        WriteCase{"AddToFirstDuplicateSection", "[Language]\n[Language]\nUsed=3\n", "2", "\n",
                  "[Language]\nUsed=2\n[Language]\nUsed=3\n"},
        WriteCase{"AddBeforeSeparatingBlanks", "[Language]\nA=x\n\n \n[Next]\nB=1\n", "2", "\n",
                  "[Language]\nA=x\nUsed=2\n\n \n[Next]\nB=1\n"},
        WriteCase{"AddAfterComment", "[Language]\n;Used=1\n\n", "2", "\n",
                  "[Language]\n;Used=1\nUsed=2\n\n"},
        WriteCase{"AddInCrLfText", "[Language]\r\n\r\n[Next]\r\n", "2", "\n",
                  "[Language]\r\nUsed=2\r\n\r\n[Next]\r\n"},
        WriteCase{"AddAfterUnterminatedLine", "[Language]\nA=x", "2", "\r\n",
                  "[Language]\nA=x\nUsed=2\n"},
        WriteCase{"AddAfterLoneSectionLine", "[Language]", "2", "\r\n", "[Language]\r\nUsed=2\r\n"},
        WriteCase{"AddAfterFinalBareCr", "[Language]\r", "2", "\n", "[Language]\rUsed=2\r"},
        WriteCase{"ReplaceAfterBareCr", "[Language]\nA=1\rUsed=1\n", "2", "\n",
                  "[Language]\nA=1\rUsed=2\n"},
        WriteCase{"NoEqualsGainsValue", "[Language]\n Used \nUsed=1\n", "2", "\n",
                  "[Language]\n Used=2\nUsed=1\n"},
        WriteCase{"ReplaceQuotedValue", "[Language]\nUsed=\"7\"\n", "2", "\n",
                  "[Language]\nUsed=2\n"},
        WriteCase{"TextAfterBracketKept", "[Language] ;c\r[Other]\rA=1\r", "2", "\n",
                  "[Language] ;c\rUsed=2\r[Other]\rA=1\r"},
        WriteCase{"NameRunsToLastBracket", "[Language]]\n[Language] ; see [notes]\nUsed=1\n", "2",
                  "\n", "[Language]]\n[Language] ; see [notes]\nUsed=1\n[Language]\nUsed=2\n"},
        WriteCase{"Utf16Kept", "\xFE\xFF\0[\0]\0\r"sv, "2", "\n",
                  "\xFE\xFF\0[\0]\0\r\0[\0L\0a\0n\0g\0u\0a\0g\0e\0]\0\r\0U\0s\0e\0d\0=\0002\0\r"sv},
        WriteCase{"AppendSection", "[Other]\nA=1\n", "2", "\r\n",
                  "[Other]\nA=1\n[Language]\nUsed=2\n"},
        WriteCase{"AppendAfterUnterminatedLine", "[Other]\r\nA=1", "2", "\n",
                  "[Other]\r\nA=1\r\n[Language]\r\nUsed=2\r\n"},
        WriteCase{"AppendAfterTrailingBlanks", "[Other]\n\n", "2", "\n",
                  "[Other]\n\n[Language]\nUsed=2\n"},
        WriteCase{"FirstLineEndingSetsStyle", "[Other]\r\nA=1\n", "2", "\n",
                  "[Other]\r\nA=1\n[Language]\r\nUsed=2\r\n"},
        WriteCase{"KeyBeforeSectionsUntouched", "Used=1\n", "2", "\n",
                  "Used=1\n[Language]\nUsed=2\n"},
        WriteCase{"UnclosedSectionIsPlainLine", "[Language\nUsed=1\n", "2", "\n",
                  "[Language\nUsed=1\n[Language]\nUsed=2\n"},
        WriteCase{"BomKept", "\xEF\xBB\xBF[Language]\r\nUsed=1\r\n", "2", "\n",
                  "\xEF\xBB\xBF[Language]\r\nUsed=2\r\n"},
        WriteCase{"BomOnly", "\xEF\xBB\xBF", "2", "\n", "\xEF\xBB\xBF[Language]\nUsed=2\n"},
        WriteCase{"CodePageBytesKept", ";\xE6\xF8\xE5\n[Sprog]\n\xC6=\xD8\n[Language]\nUsed=1\n",
                  "2", "\n", ";\xE6\xF8\xE5\n[Sprog]\n\xC6=\xD8\n[Language]\nUsed=2\n"}),
    CaseName<WriteCase>);

struct RefusalCase
{
    std::string_view Name;
    std::string Text;
    bool Refused;
    std::int32_t Read;
};

std::string WithLength(std::size_t length)
{
    std::string text = "[Language]\nUsed=2\n";
    text.resize(length, '\n');
    return text;
}

class RefusalTest : public testing::TestWithParam<RefusalCase>
{
};

// What cannot be kept whole is never rewritten, so the caller can refuse to overwrite the file.
TEST_P(RefusalTest, WritesOnlyWhatItKeepsWhole)
{
    const RefusalCase &c = GetParam();
    EXPECT_EQ(IniTextRefusal(c.Text).has_value(), c.Refused);
    EXPECT_EQ(ReadIniInteger(c.Text, "Language", "Used", 1), c.Read);
    EXPECT_EQ(WriteIniString(c.Text, "Language", "Used", "1", "\n").has_value(), !c.Refused);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, RefusalTest,
    testing::Values(RefusalCase{"NulByte", std::string("[Language]\nUsed=2\n\0"sv), true, 2},
                    RefusalCase{"NulInComment", std::string(";\0\n[Language]\nUsed=2\n"sv), true,
                                2},
                    RefusalCase{"Utf16NulUnit", std::string("\xFF\xFE\0\0"sv), true, 1},
                    RefusalCase{"Utf16OddLength", std::string("\xFF\xFE;\0;"sv), true, 1},
                    RefusalCase{"Utf16", std::string("\xFF\xFE;\0"sv), false, 1},
                    RefusalCase{"LargestSize", WithLength(MaxIniTextSize), false, 2},
                    RefusalCase{"OneByteTooLarge", WithLength(MaxIniTextSize + 1), true, 1}),
    CaseName<RefusalCase>);

struct RejectedCase
{
    std::string_view Name;
    std::string_view Section;
    std::string_view Key;
    std::string_view Value;
    std::string_view NewLine;
};

class RejectedWriteTest : public testing::TestWithParam<RejectedCase>
{
};

TEST_P(RejectedWriteTest, Throws)
{
    const RejectedCase &c = GetParam();
    EXPECT_THROW(WriteIniString("", c.Section, c.Key, c.Value, c.NewLine), std::invalid_argument);
}

INSTANTIATE_TEST_SUITE_P(
    Unreadable, RejectedWriteTest,
    testing::Values(RejectedCase{"KeyWithEquals", "Language", "Us=ed", "2", "\n"},
                    RejectedCase{"KeyLikeComment", "Language", ";Used", "2", "\n"},
                    RejectedCase{"KeyLikeSection", "Language", "[Used", "2", "\n"},
                    RejectedCase{"KeyWithBlankAround", "Language", "Used ", "2", "\n"},
                    RejectedCase{"SectionWithBlankAround", " Language", "Used", "2", "\n"},
                    RejectedCase{"SectionWithLineFeed", "Lang\nuage", "Used", "2", "\n"},
                    RejectedCase{"SectionWithBracket", "Lang]uage", "Used", "2", "\n"},
                    RejectedCase{"KeyOutsideAscii", "Language", "Us\xC3\xA9", "2", "\n"},
                    RejectedCase{"ValueWithFormFeed", "Language", "Used", "2\f", "\n"},
                    RejectedCase{"ValueInQuotes", "Language", "Used", "'2'", "\n"},
                    RejectedCase{"ValueWithCr", "Language", "Used", "2\r", "\n"},
                    RejectedCase{"ValueWithNul", "Language", "Used", "2\0"sv, "\n"},
                    RejectedCase{"EmptyNewLine", "Language", "Used", "2", ""},
                    RejectedCase{"CrNewLine", "Language", "Used", "2", "\r"}),
    CaseName<RejectedCase>);

// Lines as the reader sees them, without byte-order mark and line endings, so that a last
// line which only gains its ending still counts as kept.
std::vector<std::string_view> LinePieces(std::string_view text)
{
    if (text.starts_with(Bom))
        text.remove_prefix(Bom.size());
    std::vector<std::string_view> pieces;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        pieces.push_back(text.substr(0, end));
        text.remove_prefix(
            std::min(text.substr(end).starts_with("\r\n") ? end + 2 : end + 1, text.size()));
    }
    return pieces;
}

std::size_t CommonSubsequenceLength(const std::vector<std::string_view> &a,
                                    const std::vector<std::string_view> &b)
{
    std::vector<std::vector<std::size_t>> table(a.size() + 1,
                                                std::vector<std::size_t>(b.size() + 1, 0));
    for (std::size_t i = 1; i <= a.size(); ++i)
        for (std::size_t j = 1; j <= b.size(); ++j)
            table[i][j] = a[i - 1] == b[j - 1] ? table[i - 1][j - 1] + 1
                                               : std::max(table[i - 1][j], table[i][j - 1]);
    return table[a.size()][b.size()];
}

class WriteInvariantTest : public testing::TestWithParam<std::string_view>
{
};

// Any write reads back, and only the written key's line may change.
TEST_P(WriteInvariantTest, ReadsBackAndKeepsOtherLines)
{
    const std::string_view text = GetParam();
    const std::vector<std::string_view> before = LinePieces(text);
    for (const std::string_view newLine : {"\n"sv, "\r\n"sv}) {
        for (const std::string_view value : {"2"sv, ""sv, "]"sv, "[a]"sv, ";c"sv, "x=y"sv}) {
            SCOPED_TRACE(testing::Message() << "value \"" << value << "\"");
            const std::optional<std::string> written =
                WriteIniString(text, "Language", "Used", value, newLine);
            ASSERT_TRUE(written.has_value());
            EXPECT_EQ(ReadIniString(*written, "Language", "Used"), value);
            EXPECT_EQ(written->starts_with(Bom), text.starts_with(Bom));
            // A line may change only when none was added: the key's own.
            const std::vector<std::string_view> after = LinePieces(*written);
            const std::size_t changeable = after.size() == before.size() ? 1 : 0;
            EXPECT_GE(CommonSubsequenceLength(before, after) + changeable, before.size());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    OddLines, WriteInvariantTest,
    testing::Values("", "[", "]", "=", "\r", "\r\n", "\n\n\n", "x\r", "[]\n=\n[Language]x\n",
                    "[a]b\nUsed=1\n", "[Language]", "[Language]\r", "[Language]\r\r\n",
                    " \t\n[Language]\n \n", "[Language]\rUsed=1\n", "[Language\n",
                    ";[Language]\nUsed=1\n", "[language]\n used = 1 ;c\r\n\n[Other]\n",
                    "\xEF\xBB\xBF", "\xEF\xBB\xBF[Language]\r", "[Language]\n[Language]\nUsed=1\n",
                    "[Language]\nUsed\n", "[Language]\n\r\n\r", "Used=1\r\r", "[Language] x]\rUsed",
                    "[Language]\nUsed=1\r", "[Language]\nUsed= \t"));

} // namespace
} // namespace bandix
