// Decimal values and the self-description of records.

#include <gtest/gtest.h>

#include <limits>

#include "olmix/Decimal.h"
#include "olmix/Record.h"

using olmix::Decimal;

TEST(Decimal, TextShowsEveryPlace) {
    EXPECT_EQ((Decimal{500, 2}).toString(), "5.00");
    EXPECT_EQ((Decimal{-50, 2}).toString(), "-0.50");
    EXPECT_EQ((Decimal{5, 3}).toString(), "0.005");
    EXPECT_EQ((Decimal{7, 0}).toString(), "7");
    EXPECT_EQ((Decimal{std::numeric_limits<std::int64_t>::min(), 0}).toString(),
              "-9223372036854775808");
}

TEST(Decimal, ParseRoundsHalfAwayFromZero) {
    EXPECT_EQ(Decimal::parse("12.345", 2).units, 1235);
    EXPECT_EQ(Decimal::parse("-12.345", 2).units, -1235);
    EXPECT_EQ(Decimal::parse("12.344999", 2).units, 1234);
    EXPECT_EQ(Decimal::parse("  +.5", 1).units, 5);
    EXPECT_EQ(Decimal::parse("3", 3).units, 3000);
}

TEST(Decimal, ParseStopsAtJunkAndHoldsAtTheRangeEnds) {
    EXPECT_EQ(Decimal::parse("abc", 2).units, 0);
    EXPECT_EQ(Decimal::parse("", 2).units, 0);
    EXPECT_EQ(Decimal::parse("4.5kg", 1).units, 45);
    EXPECT_EQ(Decimal::parse("99999999999999999999999", 2).units,
              std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(Decimal::parse("-99999999999999999999999", 0).units,
              std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(Decimal::parse("9223372036854775807.5", 0).units,
              std::numeric_limits<std::int64_t>::max());
}

TEST(Record, DescribesFieldsGroupsAndArrays) {
    olmix::Record r;
    EXPECT_EQ(r.addText("LQ1:NAME"), 1u);
    EXPECT_EQ(r.beginGroup("LQ1:CATCH"), 2u);
    r.addDecimal("LQ1:WEIGHT", 3, 4);
    r.endGroup();
    r.addInteger("LQ1:ID");
    ASSERT_EQ(r.fieldCount(), 4u);
    EXPECT_TRUE(r.isGroup(2));
    EXPECT_EQ(r.field(3).level, 1);
    EXPECT_EQ(r.dimension(3), 4u);
    EXPECT_EQ(r.field(4).level, 0);
    EXPECT_EQ(r.label(9), "");
    EXPECT_EQ(r.find("lq1:id"), 4u);
}

TEST(Record, ValuesConvertBetweenTextAndNumbers) {
    olmix::Record r;
    r.addText("A:TEXT");
    r.addInteger("A:INT");
    r.addDecimal("A:DEC", 2, 3);
    r.setText(2, "-42");
    r.setText(3, "5", 2);
    r.setInteger(1, 17);
    EXPECT_EQ(r.text(1), "17");
    EXPECT_EQ(r.integer(2), -42);
    EXPECT_EQ(r.text(3, 1), "0.00");
    EXPECT_EQ(r.text(3, 2), "5.00");
    r.setText(2, "99999999999");
    EXPECT_EQ(r.integer(2), std::numeric_limits<std::int32_t>::max());
    // Out-of-range field numbers and elements are ignored.
    r.setText(3, "1", 4);
    r.setText(7, "1");
    EXPECT_EQ(r.text(3, 4), "");
    r.clear();
    EXPECT_EQ(r.text(1), "");
    EXPECT_EQ(r.text(2), "0");
}

TEST(RecordQueue, StoresCopiesOfTheBuffer) {
    olmix::RecordQueue q;
    q.addText("Q:NAME");
    q.setText(1, "first");
    q.add();
    q.setText(1, "second");
    q.add();
    ASSERT_EQ(q.records(), 2u);
    ASSERT_TRUE(q.get(1));
    EXPECT_EQ(q.text(1), "first");
    EXPECT_FALSE(q.get(3));
    q.freeRecords();
    EXPECT_EQ(q.records(), 0u);
}
