// Tests of how the error box words its title and message.
#include "ErrorText.h"

#include <gtest/gtest.h>

namespace bandix {
namespace {

struct TextRow
{
    const char *Name;
    const char *Input;
    const char *Expected;
};

class ErrorBoxTitleTest : public testing::TestWithParam<TextRow>
{
};

TEST_P(ErrorBoxTitleTest, NameUpToFirstDotCapitalisedOnce)
{
    EXPECT_EQ(ErrorBoxTitle(GetParam().Input), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ErrorBoxTitleTest,
    testing::Values(TextRow{"WindowsExecutable", "Bandix.exe", "Bandix"},
                    TextRow{"UpperCaseFileName", "BANDIX.EXE", "Bandix"},
                    TextRow{"LinuxExecutableWithoutExtension", "Bandix", "Bandix"},
                    TextRow{"StopsAtFirstDot", "Bandix.v2.exe", "Bandix"},
                    TextRow{"FirstLetterKeptAsItIs", "bandix.exe", "bandix"},
                    TextRow{"MixedCaseFolded", "MainLanguageTest", "Mainlanguagetest"}),
    [](const auto &info) { return std::string(info.param.Name); });

class ErrorBoxMessageTest : public testing::TestWithParam<TextRow>
{
};

TEST_P(ErrorBoxMessageTest, FullStopAfterCharactersAboveDot)
{
    EXPECT_EQ(ErrorBoxMessage(GetParam().Input), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Messages, ErrorBoxMessageTest,
                         testing::Values(TextRow{"WindowsPath",
                                                 "Unable to write to C:\\Bandix\\Bandix.ini",
                                                 "Unable to write to C:\\Bandix\\Bandix.ini."},
                                         TextRow{"AlreadyEndsWithDot", "Done.", "Done."},
                                         TextRow{"EndsWithExclamationBelowDot", "Stop!", "Stop!"},
                                         TextRow{"EndsWithDigit", "Code 7", "Code 7."},
                                         TextRow{"EndsWithSlashAboveDot", "/tmp/", "/tmp/."},
                                         TextRow{"EndsWithDanishLetter", "Sølv", "Sølv."},
                                         TextRow{"EmptyStaysEmpty", "", ""}),
                         [](const auto &info) { return std::string(info.param.Name); });

} // namespace
} // namespace bandix
