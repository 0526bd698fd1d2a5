// Who receives a season's report, and which season is current.

#include "core/mail/Recipients.h"
#include "tests/core/mail/MailFixture.h"

namespace qvtest {
namespace {

using RecipientsTest = MailTest;

std::vector<std::string> names(const std::vector<Members>& members) {
    std::vector<std::string> out;
    for (const Members& m : members) out.push_back(m.FirstName);
    return out;
}

TEST_F(RecipientsTest, ActiveMembersWithAnAddressWhoFishedTheSeasonAndDivisionOnceEach) {
    const int32_t other = division();
    const int32_t t1 = trip(div, "2024"), t2 = trip(div, "2024");
    const int32_t earlier = trip(div, "2023"), elsewhere = trip(other, "2024");
    const int32_t twice = memberWith("Twice", "twice@club.test");
    const int32_t once = memberWith("Once", "once@club.test");
    const int32_t inactive = memberWith("Inactive", "gone@club.test", "Y");
    const int32_t noAddress = memberWith("NoAddress", "   ");
    const int32_t lastSeason = memberWith("LastSeason", "last@club.test");
    const int32_t otherDivision = memberWith("OtherDivision", "other@club.test");
    memberWith("NeverFished", "never@club.test");
    for (int32_t t : {t1, t2}) angler(t, twice, "10");
    angler(t2, once, "5");
    for (int32_t m : {inactive, noAddress}) angler(t1, m, "1");
    angler(earlier, lastSeason, "1");
    angler(elsewhere, otherDivision, "1");
    angler(t1, 0, "3", 0, 0, nonMember(t1, grade("A")));  // a visitor is no member

    std::vector<Members> got;
    ASSERT_TRUE(mail::qualifyingMembers(*store, div, "2024", got).isOk());
    EXPECT_EQ(names(got), (std::vector<std::string>{"Twice", "Once"}));

    ASSERT_TRUE(mail::qualifyingMembers(*store, div, "2023", got).isOk());
    EXPECT_EQ(names(got), (std::vector<std::string>{"LastSeason"}));
    ASSERT_TRUE(mail::qualifyingMembers(*store, other, "2023", got).isOk());
    EXPECT_TRUE(got.empty());
}

TEST_F(RecipientsTest, TheLastSeasonFlaggedCurrentIsTheCurrentOne) {
    std::string current;
    ASSERT_TRUE(mail::currentSeason(*store, current).isOk());
    EXPECT_EQ(current, "2024");
    season("2025", "W", "P", "Y");
    season("2019", "W", "P", "Y");
    ASSERT_TRUE(mail::currentSeason(*store, current).isOk());
    EXPECT_EQ(current, "2025");
}

TEST_F(RecipientsTest, MailServerSettingsAreKeptPerWorkstationWithTheirDefaults) {
    mail::MailServer s;
    ASSERT_TRUE(mail::readMailServer(*store, s).isOk());
    EXPECT_EQ(s.tls, mail::TlsMode::StartTls);  // secure unless told otherwise
    EXPECT_EQ(s.effectivePort(), 587);
    s.port = 2525;
    s.tls = mail::TlsMode::Implicit;
    s.user = "club";
    s.password = "p@ss word";
    ASSERT_TRUE(mail::writeMailServer(*store, s).isOk());
    mail::MailServer back;
    ASSERT_TRUE(mail::readMailServer(*store, back).isOk());
    EXPECT_EQ(back.port, 2525);
    EXPECT_EQ(back.tls, mail::TlsMode::Implicit);
    EXPECT_EQ(back.user, "club");
    EXPECT_EQ(back.password, "p@ss word");
    back.port = 0;
    EXPECT_EQ(back.effectivePort(), 465);
}

}  // namespace
}  // namespace qvtest
