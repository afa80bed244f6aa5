// The application object's rules that need no window: its title and the
// setting changes it takes for regional ones.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "ApplicationRules.h"
#include "TextConversion.h"

namespace {

TEST(ApplicationTitle, FileNameBeforeItsFirstFullStopInLowerCase) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"C:\\Program Files\\Ostrafel\\Ostrafel.exe", L"Ostrafel"},
        {L"C:\\x\\OSTRAFEL.EXE", L"Ostrafel"},
        {L"D:/tools/my.tool.exe", L"my"},
        {L"Z:\\work\\ui_widget_tests.exe", L"ui_widget_tests"},
        {L"NoExtension", L"Noextension"},
        {L"C:\\dir.d\\App", L"App"},
        {L"C:\\x\\.hidden", L""},
        {L"A.exe", L"A"},
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(ApplicationTitleFromPath(path), expected) << WideToUtf8(path);
}

TEST(IntlSection, OnlyTheExactName) {
    EXPECT_TRUE(IsIntlSettingsSection(L"intl"));
    EXPECT_FALSE(IsIntlSettingsSection(L"Intl"));
    EXPECT_FALSE(IsIntlSettingsSection(L"INTL"));
    EXPECT_FALSE(IsIntlSettingsSection(L"intl "));
    EXPECT_FALSE(IsIntlSettingsSection(L""));
    EXPECT_FALSE(IsIntlSettingsSection(nullptr));
}

} // namespace
