// The format settings and the locale values they come from.
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "FormatSettingsGuard.h"
#include "LocaleSource.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#include <cstring>
#include <locale.h>
#endif

namespace ostrafel {
namespace {

TEST(FormatSettings, Invariant) {
    const TFormatSettings invariant = TFormatSettings::Invariant();
    EXPECT_EQ(invariant.DecimalSeparator, u'.');
    EXPECT_EQ(invariant.ThousandSeparator, u',');
}

TEST(FormatSettings, SeparatorFromLocaleValue) {
    struct Case {
        std::optional<std::u16string> value;
        char16_t expected;
    };
    const Case cases[] = {
        {std::nullopt, u'?'},
        {u"", u'?'},
        {u",", u','},
        {u".", u'.'},
        {u"\u066B", u'\u066B'},
        {u"\u202F", u'\u202F'},
        {u", ", u','},
        // Three characters do not fit the buffer with its terminator.
        {u"abc", u'?'},
        {u"\U0001D7D8,", u'?'},
        {u"...", u'?'},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SeparatorFromLocaleValue(c.value, u'?'), c.expected)
            << (c.value ? std::string(c.value->begin(), c.value->end()) : "(no value)");
}

TEST(FormatSettings, SettingsFromLocaleValues) {
    const TFormatSettings german = SettingsFromLocaleValues({u",", u"."});
    EXPECT_EQ(german.DecimalSeparator, u',');
    EXPECT_EQ(german.ThousandSeparator, u'.');
    const TFormatSettings unanswered = SettingsFromLocaleValues({std::nullopt, u"abc"});
    EXPECT_EQ(unanswered.DecimalSeparator, u'.');
    EXPECT_EQ(unanswered.ThousandSeparator, u',');
    const TFormatSettings longDecimal = SettingsFromLocaleValues({u"dec", std::nullopt});
    EXPECT_EQ(longDecimal.DecimalSeparator, u'.');
    EXPECT_EQ(longDecimal.ThousandSeparator, u',');
}

// TFormatSettings::Create and GetFormatSettings both follow the locale that the test set.
void ExpectLocaleSeparators(char16_t decimal, char16_t thousand) {
    const TFormatSettings settings = TFormatSettings::Create();
    EXPECT_EQ(settings.DecimalSeparator, decimal);
    EXPECT_EQ(settings.ThousandSeparator, thousand);
    const testing::FormatSettingsGuard guard(u'?');
    GetFormatSettings();
    EXPECT_EQ(FormatSettings.DecimalSeparator, decimal);
    EXPECT_EQ(FormatSettings.ThousandSeparator, thousand);
}

#ifndef _WIN32

// Gives the test its own LC_ALL and puts the old environment back.
class LocaleEnvironment {
  public:
    explicit LocaleEnvironment(const char* lcAll) {
        if (const char* old = std::getenv("LC_ALL"))
            FSaved = old;
        setenv("LC_ALL", lcAll, 1);
    }
    ~LocaleEnvironment() {
        if (FSaved)
            setenv("LC_ALL", FSaved->c_str(), 1);
        else
            unsetenv("LC_ALL");
    }
    LocaleEnvironment(const LocaleEnvironment&) = delete;
    LocaleEnvironment& operator=(const LocaleEnvironment&) = delete;

  private:
    std::optional<std::string> FSaved;
};

bool LocaleInstalled(const char* name) {
    const locale_t locale = newlocale(LC_ALL_MASK, name, locale_t{});
    if (locale == locale_t{})
        return false;
    freelocale(locale);
    return true;
}

TEST(FormatSettings, CLocaleGivesTheDefaults) {
    // C has no digit-group separator; an empty value gives the default.
    for (const char* name : {"C", "POSIX", "C.UTF-8", "xx_NO.SUCH-LOCALE"}) {
        SCOPED_TRACE(name);
        const LocaleEnvironment environment(name);
        ExpectLocaleSeparators(u'.', u',');
    }
}

TEST(FormatSettings, FollowsTheUserNumericLocale) {
    struct Case {
        const char* name;
        char16_t decimal;
        char16_t thousand;
    };
    // Whichever of these the machine has; the separators are decoded to UTF-16 first,
    // so French's narrow no-break space is one character.
    const Case cases[] = {
        {"de_DE.UTF-8", u',', u'.'},      {"de_DE.ISO-8859-1", u',', u'.'},
        {"fr_FR.UTF-8", u',', u'\u202F'}, {"ru_RU.UTF-8", u',', u'\u202F'},
        {"nl_NL.UTF-8", u',', u'.'},      {"en_US.UTF-8", u'.', u','},
    };
    int commaLocales = 0;
    for (const Case& c : cases) {
        if (!LocaleInstalled(c.name))
            continue;
        commaLocales += c.decimal == u',' ? 1 : 0;
        SCOPED_TRACE(c.name);
        const LocaleEnvironment environment(c.name);
        ExpectLocaleSeparators(c.decimal, c.thousand);
        // A named locale is read whatever the environment says.
        const LocaleEnvironment cLocale("C");
        EXPECT_EQ(TFormatSettings::Create(std::u16string(c.name, c.name + std::strlen(c.name)))
                      .DecimalSeparator,
                  c.decimal);
    }
    if (commaLocales == 0)
        GTEST_SKIP() << "no locale with a comma separator is installed";
}

#else

// Gives the test its own thread locale and puts the old one back.
class ThreadLocale {
  public:
    explicit ThreadLocale(LCID locale) : FSaved(GetThreadLocale()) { SetThreadLocale(locale); }
    ~ThreadLocale() { SetThreadLocale(FSaved); }
    ThreadLocale(const ThreadLocale&) = delete;
    ThreadLocale& operator=(const ThreadLocale&) = delete;

  private:
    LCID FSaved;
};

TEST(FormatSettings, FollowsTheThreadLocale) {
    struct Case {
        LCID locale;
        char16_t decimal;
        char16_t thousand;
    };
    const Case cases[] = {
        {0x0407, u',', u'.'}, // German (Germany)
        {0x0409, u'.', u','}, // English (United States)
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        const ThreadLocale thread(c.locale);
        ASSERT_EQ(GetThreadLocale(), c.locale);
        ExpectLocaleSeparators(c.decimal, c.thousand);
    }
}

TEST(FormatSettings, NamedLocale) {
    const ThreadLocale thread(0x0409);
    EXPECT_EQ(TFormatSettings::Create(u"de-DE").DecimalSeparator, u',');
    // An unknown name means the thread's locale.
    EXPECT_EQ(TFormatSettings::Create(u"xx-NOPE").DecimalSeparator, u'.');
}

#endif

} // namespace
} // namespace ostrafel
