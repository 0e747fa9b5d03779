// The user's languages as files and people write them, and the words the
// settings, profile files and kiv-convert use for the choices.

#include "Languages.h"
#include "ProfileChoices.h"

#include <gtest/gtest.h>
#include <map>

using namespace kiv;

TEST(Languages, EveryFormNamesOneLanguage) {
    const std::pair<const char*, const char*> kCodes[] = {
        {"ger", "deu"}, {"deu", "deu"}, {"de", "deu"},  {"German", "deu"}, {" FRE ", "fra"},
        {"en", "eng"},  {"tlh", "tlh"}, {"und", ""},    {"x", ""},         {"", ""},
        {"zxx", ""},    {"chi", "zho"}, {"nor", "nor"}, {"mul", ""},
    };
    for (const auto& [text, code] : kCodes)
        EXPECT_EQ(CanonicalLanguage(text), code) << text;
    EXPECT_TRUE(SameLanguage("ger", "de"));
    EXPECT_FALSE(SameLanguage("und", "und"));
    EXPECT_EQ(LanguageName("fre"), "French");
    EXPECT_EQ(LanguageName(""), "unknown");

    std::vector<std::string> unknown;
    EXPECT_EQ(ReadLanguageList("de, English; fra, xx, ger", &unknown),
              (std::vector<std::string>{"deu", "eng", "fra"}));
    EXPECT_EQ(unknown, std::vector<std::string>{"xx"});
    EXPECT_EQ(LanguageListText({"deu", "eng"}), "deu,eng");
}

TEST(Languages, TheDesktopsFromItsLocale) {
    using Environment = std::map<std::string, std::string>;
    const std::pair<Environment, std::vector<std::string>> kDesktops[] = {
        {{{"LANGUAGE", "de:en"}, {"LANG", "fr_FR.UTF-8"}}, {"deu", "eng"}},
        {{{"LC_ALL", "es_ES.UTF-8@euro"}, {"LANG", "fr_FR.UTF-8"}}, {"spa"}},
        {{{"LANG", "pt_BR.UTF-8"}}, {"por"}},
        {{{"LANG", "C.UTF-8"}}, {"eng"}},
        {{}, {"eng"}},
    };
    for (const auto& [environment, codes] : kDesktops) {
        auto lookup = [&environment](const std::string& name) {
            auto found = environment.find(name);
            return found == environment.end() ? std::string() : found->second;
        };
        EXPECT_EQ(DesktopTrackLanguages(lookup), codes);
    }
}

TEST(ProfileChoicesWords, ReadAsWritten) {
    for (std::int32_t rule = 0; rule <= 2; ++rule)
        EXPECT_EQ(AudioRuleOfWord(AudioRuleWord(rule)), rule);
    for (std::int32_t rule = 0; rule <= 4; ++rule)
        EXPECT_EQ(SubtitleRuleOfWord(SubtitleRuleWord(rule)), rule);
    EXPECT_EQ(DenoiseOfWord("strong"), static_cast<std::int32_t>(Denoise::Strong));
    EXPECT_EQ(DeinterlaceOfWord("off"), static_cast<std::int32_t>(Deinterlace::Never));
    EXPECT_EQ(FlipOfWord("vertical"), static_cast<std::int32_t>(Flip::Vertical));
    EXPECT_FALSE(DenoiseOfWord("loud"));

    std::int32_t rule = 0;
    CropBox box{};
    ASSERT_TRUE(CropOfWord("1920:800:0:140", rule, box));
    EXPECT_EQ(rule, static_cast<std::int32_t>(CropRule::Box));
    EXPECT_EQ(CropWord(rule, box), "1920:800:0:140");
    for (const char* bad : {"1920:800:0", "0:800:0:0", "1920:800:0:-2", "a:b:c:d", "1:2:3:4:5", ""})
        EXPECT_FALSE(CropOfWord(bad, rule, box)) << bad;
    EXPECT_TRUE(IsDefaultChoices(ProfileChoices{}));
}
