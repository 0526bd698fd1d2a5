// Value types (decimals, dates, times, fixed-width texts), the field rules of
// the generic record, and the consistency of the file definitions.

#include <gtest/gtest.h>

#include <map>

#include "core/data/Date.h"
#include "core/data/Decimal.h"
#include "core/data/FixedText.h"
#include "core/data/Record.h"
#include "core/data/SystemSettings.h"

using qv::Date;
using qv::Decimal;
using qv::TimeOfDay;
using namespace qv::data;

namespace {
Decimal dec(const char* text) {
    return Decimal::parse(text).value();
}
}  // namespace

TEST(Values, DecimalRoundingAndArithmetic) {
    EXPECT_EQ(dec("2.345").toString(2), "2.35");
    EXPECT_EQ(dec("-2.345").toString(2), "-2.35");
    EXPECT_EQ(dec("2.3449").toString(2), "2.34");
    EXPECT_EQ(dec("-0.5").toWhole(), -1);
    EXPECT_EQ(dec("5").toString(2), "5.00");
    EXPECT_EQ(dec("0.1") + dec("0.2"), dec("0.3"));
    Decimal sum;
    for (int i = 0; i < 1000; ++i) sum += dec("0.01");
    EXPECT_EQ(sum, Decimal(10));
    EXPECT_EQ((dec("1.15") * dec("3")).toString(2), "3.45");
    EXPECT_EQ(Decimal::divide(2, 3, 2).toString(), "0.67");
    EXPECT_EQ(Decimal::divide(-2, 3, 2).toString(), "-0.67");
    EXPECT_EQ(Decimal::divide(dec("1.5"), dec("0.25"), 0).toString(), "6");
    for (const char* bad : {"", "-", ".", "1.2.3", "1,5", "12a", "1e3"})
        EXPECT_FALSE(Decimal::parse(bad).has_value()) << bad;
}

TEST(Values, DayNumbersAndPictures) {
    EXPECT_EQ(Date(1).format("D6"), "29/12/1800");
    EXPECT_FALSE(Date::fromCivil(1800, 12, 28).has_value());
    const std::pair<const char*, int32_t> known[] = {
        {"01/01/2000", 72687}, {"29/02/2000", 72746}, {"01/03/1900", 36222}, {"29/02/2024", 81512}};
    for (const auto& [text, day] : known) {
        EXPECT_EQ(Date::parse(text).value_or(Date()).dayNumber(), day) << text;
        EXPECT_EQ(Date(day).format("d6"), text);
    }
    EXPECT_EQ(Date::parse("1/2/2020")->format(), "01/02/2020");
    for (const char* bad : {"31/02/2020", "29/02/1900", "01/13/2020", "01/01/20", "2020-01-01"})
        EXPECT_FALSE(Date::parse(bad).has_value()) << bad;
    EXPECT_TRUE(Date::parse("  ")->isBlank());
    EXPECT_EQ(Date().format(), "");

    EXPECT_EQ(TimeOfDay::fromClock(0, 0, 0).format("T4"), "00:00:00");  // not the blank time
    EXPECT_EQ(TimeOfDay::fromClock(13, 5, 9, 50).format("T4"), "13:05:09");
    EXPECT_EQ(TimeOfDay::fromClock(23, 59, 59, 99).format("t01"), "23:59");
    EXPECT_EQ(TimeOfDay().format("T4"), "");
}

TEST(Values, FixedTexts) {
    EXPECT_EQ(qv::fitText("abc   d", 5), "abc");  // cut, then clipped
    EXPECT_EQ(qv::fitText("  x", 5), "  x");
    // A character of several bytes is never split.
    EXPECT_EQ(qv::fitText("a\xC3\xA9", 2), "a");
    EXPECT_EQ(qv::fitText("a\xE2\x82\xAC"
                          "b",
                          3),
              "a");
    EXPECT_EQ(qv::fitText("a\xE2\x82\xAC"
                          "b",
                          4),
              "a\xE2\x82\xAC");
    EXPECT_EQ(qv::compareText("abc  ", "abc", true), 0);
    EXPECT_EQ(qv::compareText("ABC", "abc ", false), 0);
    EXPECT_LT(qv::compareText("ABC", "abc", true), 0);
    EXPECT_GT(qv::compareText("b", "ABC", false), 0);

    EXPECT_EQ(qv::numericValue(" 02008 "), 2008);
    EXPECT_EQ(qv::numericValue(""), 0);
    EXPECT_EQ(qv::numericValue("12abc"), 0);
    // A number too long for any range still reads as out of range, not as 0.
    EXPECT_GT(qv::numericValue("99999999999999999999"), 9999);
    EXPECT_LT(qv::numericValue("-99999999999999999999"), 0);
}

TEST(Values, RecordFieldsKeepTheirWidthAndPlaces) {
    Record r(*Catalog::instance().file("Species"));
    int ff = r.field("SPE:FightFactor");
    ASSERT_TRUE(r.assign(ff, "-2.345"));
    EXPECT_EQ(r.display(ff), "-2.35");
    EXPECT_TRUE(r.assign(ff, "99999.99"));
    EXPECT_FALSE(r.assign(ff, "100000"));  // more than 7 digits
    EXPECT_EQ(r.display(ff), "99999.99");  // a refused value leaves the field alone
    EXPECT_FALSE(r.assign(r.field("ReportPosition"), "32768"));
    Record score(*Catalog::instance().file("TripScore"));
    score.setDecimal(score.field("HeaviestWeight"), dec("1.2345"));
    EXPECT_EQ(score.display(score.field("HeaviestWeight")), "1.235");
}

TEST(Definitions, LayoutsAddUpToTheirRecordSizes) {
    for (const FileDef* f : Catalog::instance().files())
        EXPECT_EQ(f->layoutBytes(), f->recordBytes) << f->label;
    // The System record keeps the shipped byte offsets.
    const FileDef& sys = *Catalog::instance().file("System");
    std::map<std::string, int> offsets;
    int at = 0;
    for (const FieldDef& fd : sys.fields) {
        offsets[fd.name] = at;
        at += fd.bytes();
    }
    EXPECT_EQ(sys.fields.size(), 27u);
    EXPECT_EQ(offsets["FtpHostName"], 382);
    EXPECT_EQ(offsets["ScorePreviousSeason"], 914);
}

TEST(Definitions, RelationsResolve) {
    const Catalog& cat = Catalog::instance();
    EXPECT_EQ(cat.relations().size(), 19u);
    for (const RelationDef& r : cat.relations()) {
        ASSERT_TRUE(r.parent && r.child && r.childKey);
        ASSERT_EQ(r.links.size(), 1u);
        const FieldDef& pf = r.parent->fields[r.links[0].parentField];
        const FieldDef& cf = r.child->fields[r.links[0].childField];
        EXPECT_EQ(pf.kind, cf.kind) << r.parent->label << "-" << r.child->label;
        EXPECT_EQ(pf.width, cf.width) << r.parent->label << "-" << r.child->label;
        // The child key starts with the linking field, so children are found by it.
        EXPECT_EQ(r.childKey->components[0].field, r.links[0].childField) << r.child->label;
    }
}

TEST(Definitions, ClubDatabaseIsNamedFromTheDataFolderText) {
    EXPECT_EQ(clubDbPath("/club/data/"), "/club/data/QUILLAVON.DB");
    EXPECT_EQ(clubDbPath("/club/data"), "/club/dataQUILLAVON.DB");
    EXPECT_EQ(clubDbPath(std::string(95, 'd')), std::string(95, 'd') + "QUILL");
    EXPECT_EQ(workstationDbPath("/ws/"), "/ws/DATA/WORKSTATION.DB");
}
