#include <gtest/gtest.h>

#include "service/IniFile.h"

namespace synchub::service {
namespace {

TEST(ServiceIni, FollowsTheWindowsProfileRules) {
    const auto ini = IniFile::parse(
        "\xEF\xBB\xBF; comment\n"
        "[other]\nHOST=wrong\n"
        "  [ SyncHub ]  \r\n"
        "  host =  erp.local  \r\n"
        "Host=second occurrence is ignored\n"
        "EMPTY=\n"
        "quoted=\"  spaced  \"\n"
        "semi=abc ;def\n"
        "no equals sign\n");
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"SYNCHUB", "HOST", "erp.local"},
        {"synchub", "Host", "erp.local"},
        {"SYNCHUB", "EMPTY", ""},             // present and empty: the empty text
        {"SYNCHUB", "MISSING", "<default>"},  // missing key: the default
        {"NOSECTION", "HOST", "<default>"},   // missing section: the default
        {"SYNCHUB", "QUOTED", "  spaced  "},  // one pair of quotes removed
        {"SYNCHUB", "SEMI", "abc ;def"},      // no inline comments
        {"OTHER", "host", "wrong"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(ini.readString(c.section, c.key, "<default>"), c.expected);
    }
}

TEST(ServiceIni, MissingFileGivesDefaults) {
    const auto ini = IniFile::load("/nonexistent/MONITOR.INI");
    EXPECT_EQ(ini.readString("SYNCHUB", "BANCO", "ERP"), "ERP");
}

TEST(ServiceIni, ConvertsThirtyTwoBitIntegers) {
    struct Case {
        const char* text;
        std::optional<int> expected;
    };
    const Case cases[] = {{"0", 0},
                          {"-5", -5},
                          {" 12 ", 12},
                          {"+7", 7},
                          {"2147483647", 2147483647},
                          {"2147483648", std::nullopt},
                          {"", std::nullopt},
                          {"12a", std::nullopt},
                          {"abc", std::nullopt},
                          {"1.5", std::nullopt}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseInt32(c.text), c.expected);
    }
    try {
        (void)toInt32("x1");
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "'x1' is not a valid integer value");
    }
}

}  // namespace
}  // namespace synchub::service
