#include "src/info/os_description.h"

#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <vector>

namespace tavlin {

namespace {

// A system as the description sees it, remembering what it was asked.
class FakeSystem final : public OsQueries {
 public:
  bool QueryVersion(bool extended, OsVersionRecord& record) override {
    asked.push_back(extended ? "extended" : "basic");
    if (throws_on_extended && extended) throw std::bad_alloc();
    const bool known = extended ? has_extended : has_basic;
    if (known) record = this->record;
    return known;
  }
  std::optional<std::string> ProductType() override {
    asked.push_back("ProductOptions");
    return product_type;
  }
  bool HotfixQ246009Exists() override {
    asked.push_back("Q246009");
    return has_q246009;
  }

  OsVersionRecord record;
  bool has_extended = true;
  bool has_basic = true;
  bool throws_on_extended = false;
  std::optional<std::string> product_type;
  bool has_q246009 = false;
  std::vector<std::string> asked;
};

OsVersionRecord Nt(std::uint32_t major, std::uint32_t minor,
                   std::uint32_t build, std::uint8_t type, std::uint16_t suite,
                   std::string service_pack) {
  return {major, minor, build, kPlatformNt, std::move(service_pack),
          suite, type};
}

OsVersionRecord NineX(std::uint32_t major, std::uint32_t minor,
                      std::string service_pack) {
  return {major, minor, 0, kPlatformWindows, std::move(service_pack), 0, 0};
}

struct DescriptionCase {
  const char* name;
  OsVersionRecord record;
  bool extended;
  std::optional<std::string> product_type;
  bool q246009;
  std::string expected;
};

std::ostream& operator<<(std::ostream& out, const DescriptionCase& c) {
  return out << c.name;
}

class DetailedDescription : public testing::TestWithParam<DescriptionCase> {};

TEST_P(DetailedDescription, FollowsTheDecisionTable) {
  const DescriptionCase& c = GetParam();
  FakeSystem system;
  system.record = c.record;
  system.has_extended = c.extended;
  system.product_type = c.product_type;
  system.has_q246009 = c.q246009;
  EXPECT_EQ(GetOSDetailedDescription(system).bytes(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedResults, DetailedDescription,
    testing::Values(
        DescriptionCase{"XpProfessional",
                        Nt(5, 1, 2600, 1, 0x0100, "Service Pack 2"),
                        true,
                        {},
                        false,
                        "Microsoft Windows XP Professional Service Pack 2 "
                        "(Build 2600)"},
        DescriptionCase{"XpHome",
                        Nt(5, 1, 2600, 1, 0x0300, ""),
                        true,
                        {},
                        false,
                        "Microsoft Windows XP Home Edition  (Build 2600)"},
        DescriptionCase{"Server2003Web",
                        Nt(5, 2, 3790, 3, 0x0400, ""),
                        true,
                        {},
                        false,
                        "Microsoft Windows .NET Server 2003 family, Web "
                        "Edition  (Build 3790)"},
        DescriptionCase{"Server2003BladeAndMoreIsStandard",
                        Nt(5, 2, 3790, 3, 0x0410, ""),
                        true,
                        {},
                        false,
                        "Microsoft Windows .NET Server 2003 family, Standard "
                        "Edition  (Build 3790)"},
        DescriptionCase{"Server2003DatacenterBeatsEnterprise",
                        Nt(5, 2, 3790, 3, 0x0082, ""),
                        true,
                        {},
                        false,
                        "Microsoft Windows .NET Server 2003 family, Datacenter "
                        "Edition  (Build 3790)"},
        DescriptionCase{"Server2003Enterprise",
                        Nt(5, 2, 3790, 3, 0x0002, ""),
                        true,
                        {},
                        false,
                        "Microsoft Windows .NET Server 2003 family, "
                        "Enterprise Edition  (Build 3790)"},
        DescriptionCase{"Windows2000Datacenter",
                        Nt(5, 0, 2195, 3, 0x0082, "Service Pack 4"),
                        true,
                        {},
                        false,
                        "Microsoft Windows 2000 Datacenter Server Service Pack "
                        "4 (Build 2195)"},
        DescriptionCase{"Windows2000Advanced",
                        Nt(5, 0, 2195, 3, 0x0002, "Service Pack 4"),
                        true,
                        {},
                        false,
                        "Microsoft Windows 2000 Advanced Server Service Pack 4 "
                        "(Build 2195)"},
        DescriptionCase{"Windows2000Server",
                        Nt(5, 0, 2195, 3, 0, ""),
                        true,
                        {},
                        false,
                        "Microsoft Windows 2000 Server  (Build 2195)"},
        DescriptionCase{"DomainControllerHasNoEdition",
                        Nt(5, 0, 2195, 2, 0, "Service Pack 4"),
                        true,
                        {},
                        false,
                        "Microsoft Windows 2000 Service Pack 4 (Build 2195)"},
        DescriptionCase{"Nt4Sp6a",
                        Nt(4, 0, 1381, 1, 0, "Service Pack 6"),
                        true,
                        {},
                        true,
                        "Microsoft Windows NT Workstation 4.0 Service Pack 6a "
                        "(Build 1381)"},
        DescriptionCase{"Nt4Sp6LowerCaseWithoutHotfix",
                        Nt(4, 0, 1381, 1, 0x0200, "service pack 6"),
                        true,
                        {},
                        false,
                        "Microsoft Windows NT Workstation 4.0 service pack 6 "
                        "(Build 1381)"},
        DescriptionCase{"Nt4Sp6aTextIsPrintedAsItIs",
                        Nt(4, 0, 1381, 1, 0, "Service Pack 6a"),
                        true,
                        {},
                        true,
                        "Microsoft Windows NT Workstation 4.0 Service Pack 6a "
                        "(Build 1381)"},
        DescriptionCase{"Nt4ServerEnterprise",
                        Nt(4, 0, 1381, 3, 0x0002, ""),
                        true,
                        {},
                        false,
                        "Microsoft Windows NT Server 4.0, Enterprise Edition  "
                        "(Build 1381)"},
        DescriptionCase{"Nt4FromTheRegistry",
                        Nt(4, 0, 1381, 0, 0, "Service Pack 5"), false,
                        std::string("WinNT"), false,
                        "Microsoft Windows NT Workstation 4.0Service Pack 5 "
                        "(Build 1381)"},
        DescriptionCase{"Nt4LanManNt", Nt(4, 0, 1381, 0, 0, "Service Pack 5"),
                        false, std::string("LanManNT"), false,
                        "Microsoft Windows NT Server 4.0Service Pack 5 (Build "
                        "1381)"},
        DescriptionCase{
            "Nt4ServerNt", Nt(4, 0, 1381, 0, 0, ""), false,
            std::string("ServerNT"), false,
            "Microsoft Windows NT Advanced Server 4.0 (Build 1381)"},
        DescriptionCase{"Nt4UnknownProductType", Nt(4, 0, 1381, 0, 0, "SP"),
                        false, std::string("Enterprise"), false,
                        "Microsoft Windows NT 4.0SP (Build 1381)"},
        DescriptionCase{"Nt351FromTheRegistry",
                        Nt(3, 51, 1057, 0, 0, "Service Pack 5"), false,
                        std::string("WinNT"), false,
                        "Microsoft Windows NT Workstation 3.51Service Pack 5 "
                        "(Build 1057)"},
        DescriptionCase{"Nt4WithoutProductOptions",
                        Nt(4, 0, 1381, 0, 0, "Service Pack 5"), false,
                        std::nullopt, false, "Microsoft Windows NT "},
        DescriptionCase{"Windows7",
                        Nt(6, 1, 7601, 1, 0x0100, "Service Pack 1"),
                        true,
                        {},
                        false,
                        "Windows NT product family? Professional Service Pack "
                        "1 (Build 7601)"},
        DescriptionCase{"Server2008",
                        Nt(6, 0, 6002, 3, 0x0110, "Service Pack 2"),
                        true,
                        {},
                        false,
                        "Windows NT product family? Server 4.0 Service Pack 2 "
                        "(Build 6002)"},
        DescriptionCase{"BuildIsItsLow16Bits",
                        Nt(5, 1, 0x040A08AE, 1, 0, "SP"),
                        true,
                        {},
                        false,
                        "Microsoft Windows XP Professional SP (Build 2222)"},
        DescriptionCase{"Windows98Se",
                        NineX(4, 10, " A "),
                        true,
                        {},
                        false,
                        "Microsoft Windows 98 SE "},
        DescriptionCase{"Windows95Osr2",
                        NineX(4, 0, " C"),
                        true,
                        {},
                        false,
                        "Microsoft Windows 95 OSR2 "},
        DescriptionCase{"Windows95Osr2MarkedB",
                        NineX(4, 0, " B"),
                        true,
                        {},
                        false,
                        "Microsoft Windows 95 OSR2 "},
        DescriptionCase{"Windows95LowerCaseMarker",
                        NineX(4, 0, " c"),
                        true,
                        {},
                        false,
                        "Microsoft Windows 95 "},
        DescriptionCase{"WindowsMe",
                        NineX(4, 90, ""),
                        true,
                        {},
                        false,
                        "Microsoft Windows Millennium Edition"},
        DescriptionCase{
            "Unknown9x", NineX(4, 3, ""), true, {}, false, "Unknown"},
        DescriptionCase{"Win32s",
                        {3, 1, 0, kPlatformWin32s, "", 0, 0},
                        true,
                        {},
                        false,
                        "Microsoft Win32s"},
        DescriptionCase{"UnknownPlatform",
                        {5, 0, 0, 3, "", 0, 0},
                        true,
                        {},
                        false,
                        "Unknown"}),
    [](const auto& info) { return info.param.name; });

TEST(OsDescription, AsksTheRegistryOnlyWhenTheExtendedRecordIsMissing) {
  FakeSystem extended;
  extended.record = Nt(4, 0, 1381, 1, 0, "Service Pack 5");
  GetOSDetailedDescription(extended);
  EXPECT_EQ(extended.asked, (std::vector<std::string>{"extended"}));

  FakeSystem basic;
  basic.record = extended.record;
  basic.has_extended = false;
  basic.product_type = "WINNT";
  GetOSDetailedDescription(basic);
  EXPECT_EQ(basic.asked,
            (std::vector<std::string>{"extended", "basic", "ProductOptions"}));
}

TEST(OsDescription, AsksForTheHotfixOnlyForNt4WithServicePack6) {
  FakeSystem nt4;
  nt4.record = Nt(4, 0, 1381, 1, 0, "SERVICE PACK 6");
  GetOSDetailedDescription(nt4);
  EXPECT_EQ(nt4.asked, (std::vector<std::string>{"extended", "Q246009"}));

  FakeSystem xp;
  xp.record = Nt(5, 1, 2600, 1, 0, "Service Pack 6");
  GetOSDetailedDescription(xp);
  EXPECT_EQ(xp.asked, (std::vector<std::string>{"extended"}));
}

TEST(OsDescription, BothQueriesFailingGivesUnknown) {
  FakeSystem system;
  system.has_extended = false;
  system.has_basic = false;
  EXPECT_EQ(GetOSDescription(system).bytes(), "Unknown");
}

TEST(OsDescription, AFailureFallsBackToTheBasicDescription) {
  FakeSystem system;
  system.record = {4, 10, 0x040A08AE, kPlatformWindows, " A ", 0, 0};
  system.throws_on_extended = true;
  EXPECT_EQ(GetOSDescription(system).bytes(),
            "Windows 95 Version 4.10 (Build 67766446 :  A )");
}

TEST(OsDescription, BasicDescriptionUsesAZeroRecordAfterAFailedQuery) {
  FakeSystem system;
  system.has_basic = false;
  system.record = Nt(6, 1, 7601, 1, 0, "x");
  EXPECT_EQ(GetOSBasicDescription(system).bytes(),
            "Windows 3.1 Version 0.0 (Build 0 : )");
}

TEST(OsDescription, PlatformNames) {
  EXPECT_EQ(GetOSPlatformName(0), "Windows 3.1");
  EXPECT_EQ(GetOSPlatformName(1), "Windows 95");
  EXPECT_EQ(GetOSPlatformName(2), "Windows NT");
  EXPECT_EQ(GetOSPlatformName(3), "");
}

TEST(OsDescription, OnlyTheFirstMicrosoftGoes) {
  EXPECT_EQ(WithoutFirstMicrosoft(
                ShiftJisText("Microsoft Windows XP Microsoft Edition"))
                .bytes(),
            "Windows XP Microsoft Edition");
  EXPECT_EQ(WithoutFirstMicrosoft(ShiftJisText("Windows NT product family? "))
                .bytes(),
            "Windows NT product family? ");
  EXPECT_EQ(WithoutFirstMicrosoft(ShiftJisText("microsoft Windows")).bytes(),
            "microsoft Windows");
}

}  // namespace

}  // namespace tavlin
