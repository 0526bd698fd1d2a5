// Whatever the writer writes from a queue, the reader loads back into an
// equal queue, through a file and through a string.

#include <random>

#include "XmlTestSupport.h"

namespace {

class RoundTrip : public XmlTest {
  protected:
    static std::string randomText(std::mt19937& rng) {
        static const std::string chars = "abcXYZ 019&<>'\";#=/!?-_.,:";
        std::uniform_int_distribution<int> length(0, 12);
        std::uniform_int_distribution<std::size_t> pick(0, chars.size() - 1);
        std::string text;
        for (int n = length(rng); n > 0; --n) text.push_back(chars[pick(rng)]);
        while (!text.empty() && text.back() == ' ') text.pop_back();  // values are stored clipped
        return text;
    }

    static void fill(olmix::RecordQueue& q, int records, std::mt19937& rng) {
        std::uniform_int_distribution<std::int32_t> integer(
            std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
        std::uniform_int_distribution<std::int64_t> units(-99999999999LL, 99999999999LL);
        std::uniform_int_distribution<int> used(0, 3);
        for (int i = 0; i < records; ++i) {
            q.clear();
            for (std::size_t n = 1; n <= q.fieldCount(); ++n) {
                const olmix::FieldInfo& f = q.field(n);
                // Array elements are written in order, so they are filled from the front.
                std::uint32_t count = f.dimension == 1 ? 1 : std::uint32_t(used(rng));
                for (std::uint32_t e = 1; e <= count; ++e) {
                    switch (f.type) {
                        case olmix::FieldType::Text:
                            q.setText(n, f.dimension == 1 ? randomText(rng) : "v" + randomText(rng),
                                      e);
                            break;
                        case olmix::FieldType::Integer:
                            q.setInteger(n, integer(rng), e);
                            break;
                        case olmix::FieldType::Decimal:
                            q.setDecimal(n, olmix::Decimal{units(rng), f.places}, e);
                            break;
                        case olmix::FieldType::Group:
                            break;
                    }
                }
            }
            q.add();
        }
    }

    static void expectSame(const olmix::RecordQueue& a, const olmix::RecordQueue& b) {
        ASSERT_EQ(a.records(), b.records());
        for (std::size_t i = 1; i <= a.records(); ++i) {
            const auto& va = a.recordValues(i);
            const auto& vb = b.recordValues(i);
            for (std::size_t s = 0; s < va.size(); ++s) {
                EXPECT_EQ(va[s].text, vb[s].text) << "record " << i << " slot " << s;
                EXPECT_EQ(va[s].number, vb[s].number) << "record " << i << " slot " << s;
            }
        }
    }

    // Writes `q` in the way of the program's export files, reads it back from
    // the first row on and compares.
    void roundTrip(const olmix::RecordQueue& q, std::uint8_t attributeMode, bool file) {
        const std::string name = path("trip.xml");
        std::string text;
        if (file) {
            ASSERT_EQ(XML_CREATEXMLFILE(name, "1.0", "", 1), 0);
        } else {
            ASSERT_EQ(XML_CREATEXMLSTRING("1.0", "", 1), 0);
        }
        XML_ADDCOMMENT("Round trip");
        XML_CREATEPARENT("Data");
        XML_ADDPARENT();
        XML_ADDFROMQUEUE(q, "Row", attributeMode, 1, 1);
        XML_CLOSEPARENT();
        if (file) {
            XML_CLOSEXMLFILE();
            ASSERT_EQ(XML_LOADFROMFILE(name), 0);
        } else {
            ASSERT_EQ(XML_LOADFROMSTRING(XML_CLOSEXMLSTRING()), 0);
        }
        XML_GOTOTOP();
        ASSERT_EQ(XML_GOTOCHILD(), 0);
        ASSERT_EQ(XML_FINDNEXTNODE("Row"), 0);

        olmix::RecordQueue back = q;
        back.freeRecords();
        XML_LOADQUEUE(back, 1, 1);
        expectSame(q, back);
    }
};

TEST_F(RoundTrip, PlainFieldsAsElementsAndAsAttributes) {
    std::mt19937 rng(20240607);
    olmix::RecordQueue q;
    q.addText("EX1:NAME");
    q.addInteger("EX1:ID");
    q.addDecimal("EX1:POINTS", 2);
    q.addDecimal("EX1:WEIGHT", 3);
    q.addText("EX1:NOTE");
    fill(q, 500, rng);
    for (bool file : {true, false}) {
        roundTrip(q, 0, file);
        roundTrip(q, 1, file);
    }
}

TEST_F(RoundTrip, GroupsAndArrays) {
    std::mt19937 rng(7);
    olmix::RecordQueue q;
    q.addInteger("T:TRIPID");
    q.beginGroup("T:CATCH");
    q.addText("T:SPECIES", 4);
    q.addDecimal("T:LENGTH", 2, 4);
    q.endGroup();
    q.beginGroup("T:SCORE");
    q.addDecimal("T:TOTAL", 2);
    q.endGroup();
    fill(q, 200, rng);
    roundTrip(q, 0, true);
    roundTrip(q, 0, false);
}

}  // namespace
