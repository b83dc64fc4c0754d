#include "toolkit/os_version.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

// A service-pack field as the system fills it: the text, then zeros to the field's end.
std::string Field(const std::string& text)
{
    std::string field = text;
    field.resize(kServicePackFieldSize, '\0');
    return field;
}

VersionSource Returning(std::uint32_t platform, std::uint32_t major, std::uint32_t minor,
                        std::uint32_t build, const std::string& servicePack)
{
    return [=](OsVersionRecord& record) {
        record.platform = platform;
        record.major = major;
        record.minor = minor;
        record.build = build;
        record.servicePack = servicePack;
        return true;
    };
}

struct NamingCase {
    const char* what;
    std::uint32_t platform, major, minor, build;
    std::string servicePack;
    std::int32_t code;
    std::string text;
};

void PrintTo(const NamingCase& c, std::ostream* os)
{
    *os << c.what;
}

class NameWindowsVersionTest : public ::testing::TestWithParam<NamingCase> {};

TEST_P(NameWindowsVersionTest, GivesCodeAndText)
{
    const NamingCase& c = GetParam();
    std::string text = "left as it was";
    const std::int32_t code = NameWindowsVersion(Returning(c.platform, c.major, c.minor, c.build, c.servicePack), text);
    EXPECT_EQ(code, c.code);
    EXPECT_EQ(text, c.text);
}

const std::string kUnchanged = "left as it was";

INSTANTIATE_TEST_SUITE_P(
    Versions, NameWindowsVersionTest,
    ::testing::Values(
        NamingCase{"XpWithServicePack", 2, 5, 1, 2600, Field("Service Pack 3"), 2,
                   "Windows XP (Version 5.1) Build 2600 (Service Pack 3)"},
        NamingCase{"XpWithoutServicePack", 2, 5, 1, 2600, Field(""), 2, "Windows XP (Version 5.1) Build 2600"},
        NamingCase{"Win2000WithoutServicePack", 2, 5, 0, 2195, Field(""), 4, "Windows 2000 (Version 5.0) Build 2195"},
        NamingCase{"Win2000WithServicePack", 2, 5, 0, 2195, Field("Service Pack 4"), 4,
                   "Windows 2000 (Version 5.0) Build 2195 (Service Pack 4)"},
        // Any other 5.x of the NT family is still taken for 2000.
        NamingCase{"NtFiveThreeIsTakenFor2000", 2, 5, 3, 4000, Field(""), 4, "Windows 2000 (Version 5.3) Build 4000"},
        NamingCase{"DotNetServer", 2, 5, 2, 3790, Field("Service Pack 2"), 3,
                   "Windows .NET Server (Version 5.2) Build 3790 (Service Pack 2)"},
        NamingCase{"Nt40", 2, 4, 0, 1381, Field("Service Pack 6"), 8, "Windows NT 4.0 Build 1381 (Service Pack 6)"},
        NamingCase{"Nt40WithoutServicePack", 2, 4, 0, 1381, Field(""), 8, "Windows NT 4.0 Build 1381"},
        NamingCase{"Nt351", 2, 3, 51, 1057, Field(""), 8, "Windows NT 3.51 Build 1057"},
        // The build is written as the field holds it, large numbers too, without leading zeros.
        NamingCase{"NtBuildUnchanged", 2, 4, 0, 4294967295u, Field(""), 8, "Windows NT 4.0 Build 4294967295"},
        NamingCase{"Win95", 1, 4, 0, 0x04000395, Field(" A "), 7, "Windows 95"},
        NamingCase{"Win98", 1, 4, 10, 0x040A08AE, Field(" A "), 6, "Windows 98"},
        NamingCase{"WinMe", 1, 4, 90, 0x045A0BB8, Field(" "), 5, "Windows Millenium"},
        // The 95 rule asks only for platform and minor, so it comes after 98 and Me in effect.
        NamingCase{"Win95FamilyMinorZeroAnyMajor", 1, 7, 0, 1, Field(""), 7, "Windows 95"},
        NamingCase{"Win95FamilyOtherMinor", 1, 4, 3, 1, Field(""), 1, kUnchanged},
        NamingCase{"MeNeedsMajorFour", 1, 5, 90, 1, Field(""), 1, kUnchanged},
        NamingCase{"Vista", 2, 6, 0, 6002, Field("Service Pack 2"), 1, kUnchanged},
        NamingCase{"Win10", 2, 10, 0, 19045, Field(""), 1, kUnchanged},
        NamingCase{"UnknownPlatform", 0, 5, 1, 2600, Field(""), 1, kUnchanged},
        // The suffix holds the text up to the first zero only, even when more follows it.
        NamingCase{"ServicePackCutAtFirstZero", 2, 5, 1, 2600, std::string("SP2\0junk", 8) + std::string(120, '\0'), 2,
                   "Windows XP (Version 5.1) Build 2600 (SP2)"},
        NamingCase{"ServicePackFieldWithoutZero", 2, 5, 1, 2600, std::string(128, 'x'), 2,
                   "Windows XP (Version 5.1) Build 2600 (" + std::string(128, 'x') + ")"},
        NamingCase{"ServicePackWithAnsiBytes", 2, 5, 1, 2600, Field("Paquete de servicio \xFA" "nico"), 2,
                   "Windows XP (Version 5.1) Build 2600 (Paquete de servicio \xFA" "nico)"}),
    [](const ::testing::TestParamInfo<NamingCase>& info) { return std::string(info.param.what); });

TEST(NameWindowsVersion, FailingSourceLeavesTextAndReturnsOne)
{
    std::string text = "before";
    EXPECT_EQ(NameWindowsVersion([](OsVersionRecord&) { return false; }, text), 1);
    EXPECT_EQ(text, "before");
    EXPECT_EQ(NameWindowsVersion(VersionSource(), text), 1);
    EXPECT_EQ(text, "before");
}

TEST(NameWindowsVersion, ReadsAFreshRecordOnEveryCall)
{
    int calls = 0;
    const VersionSource source = [&calls](OsVersionRecord& record) {
        ++calls;
        record.platform = 2;
        record.major = 5;
        record.minor = calls == 1 ? 0 : 1;
        record.build = 2600;
        return true;
    };
    std::string text;
    EXPECT_EQ(NameWindowsVersion(source, text), 4);
    EXPECT_EQ(NameWindowsVersion(source, text), 2);
    EXPECT_EQ(calls, 2);
}

TEST(OsBuildNumber, KeepsOnlyTheLowWordOnTheWin95Family)
{
    struct Case {
        std::uint32_t platform, build, expected;
    } const cases[] = {
        {1, 0x040A08AE, 2222},      // 98: 4.10 in the high word
        {1, 0x045A0BB8, 3000},      // Me
        {1, 0x0000FFFF, 0xFFFF},
        {1, 0xFFFF0000, 0},
        {2, 0x040A08AE, 0x040A08AE}, // the NT family keeps the whole field
        {2, 2600, 2600},
        {0, 0x12345678, 0x12345678},
    };
    for (const Case& c : cases) {
        OsVersionRecord record;
        record.platform = c.platform;
        record.build = c.build;
        EXPECT_EQ(OsBuildNumber(record), c.expected) << c.platform << " " << c.build;
    }
}

TEST(CutAtFirstZero, EndsTheTextAtItsFirstZero)
{
    EXPECT_EQ(CutAtFirstZero(std::string("abc\0def", 7)), "abc");
    EXPECT_EQ(CutAtFirstZero(std::string("\0abc", 4)), "");
    EXPECT_EQ(CutAtFirstZero("no zero"), "no zero");
    EXPECT_EQ(CutAtFirstZero(""), "");
}

} // namespace
