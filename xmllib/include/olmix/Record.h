#pragma once
// Self-describing records. A Record declares its fields (labels such as
// "LQ1:DIVISIONNAME", groups, arrays) and holds one set of values, its
// buffer; a RecordQueue adds an ordered list of stored records.
//
// Fields are numbered 1, 2, ... in declaration order; a group and each of its
// members have a number of their own, the members following their group.
//
// Text form of a value, as the writer puts it into XML:
//   text     the text as stored
//   integer  its decimal digits, "-" in front when negative
//   decimal  all of the field's places: 5 in a 2-place field is "5.00"
// Setting a numeric field from text reads the number as Decimal::parse does;
// an integer field rounds to a whole number and is held at the 32-bit ends.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "olmix/Decimal.h"
#include "olmix/Export.h"

namespace olmix {

enum class FieldType : std::uint8_t { Text, Integer, Decimal, Group };

struct FieldInfo {
    std::string label;
    FieldType type = FieldType::Text;
    std::uint32_t dimension = 1;  // elements of an array field, 1 for a plain field
    std::uint8_t places = 0;      // decimal fields only
    std::uint16_t level = 0;      // 0 at the top, one more inside each group
    std::size_t firstSlot = 0;    // where the field's values start in a record
};

// One element of one field. Text fields use `text`, numeric fields `number`
// (an integer, or a decimal's units).
struct FieldValue {
    std::int64_t number = 0;
    std::string text;
};

class OLMIX_API Record {
  public:
    // Layout. Each call returns the new field's number.
    std::size_t addText(std::string_view label, std::uint32_t dimension = 1);
    std::size_t addInteger(std::string_view label, std::uint32_t dimension = 1);
    std::size_t addDecimal(std::string_view label, int places, std::uint32_t dimension = 1);
    // Fields added until the matching endGroup() are members of the group.
    std::size_t beginGroup(std::string_view label);
    void endGroup();

    // Self-description; numbers outside 1..fieldCount() give an empty label,
    // no group, dimension 0.
    std::size_t fieldCount() const { return fields_.size(); }
    const FieldInfo& field(std::size_t n) const;
    const std::string& label(std::size_t n) const { return field(n).label; }
    bool isGroup(std::size_t n) const { return field(n).type == FieldType::Group; }
    std::uint32_t dimension(std::size_t n) const { return field(n).dimension; }
    // The number of the first field whose label equals `label` ignoring case; 0 when none.
    std::size_t find(std::string_view label) const;

    // Values of the buffer; `element` counts from 1. Out-of-range numbers read
    // as empty or zero and are ignored when set.
    std::string text(std::size_t n, std::uint32_t element = 1) const;
    std::int32_t integer(std::size_t n, std::uint32_t element = 1) const;
    Decimal decimal(std::size_t n, std::uint32_t element = 1) const;
    void setText(std::size_t n, std::string_view value, std::uint32_t element = 1);
    void setInteger(std::size_t n, std::int32_t value, std::uint32_t element = 1);
    void setDecimal(std::size_t n, const Decimal& value, std::uint32_t element = 1);
    // Blanks or zeroes every value of the buffer, or of one field.
    void clear();
    void clearField(std::size_t n);

    // Appends the text form of a stored value to `out`.
    void appendText(std::string& out, std::size_t n, const FieldValue& value) const;
    const std::vector<FieldValue>& values() const { return buffer_; }

  protected:
    std::vector<FieldInfo> fields_;
    std::vector<FieldValue> buffer_;
    std::vector<std::size_t> openGroups_;
    std::size_t slotCount_ = 0;

  private:
    std::size_t add(std::string_view label, FieldType type, std::uint32_t dimension, int places);
    FieldValue* slot(std::size_t n, std::uint32_t element);
    const FieldValue* slot(std::size_t n, std::uint32_t element) const;
};

class OLMIX_API RecordQueue : public Record {
  public:
    // Appends a copy of the buffer as the last record.
    void add();
    std::size_t records() const { return records_.size(); }
    // Copies stored record i (from 1) into the buffer; false when there is none.
    bool get(std::size_t i);
    // The values of stored record i (from 1), without touching the buffer.
    const std::vector<FieldValue>& recordValues(std::size_t i) const { return records_.at(i - 1); }
    // Drops every stored record; the buffer stays.
    void freeRecords() { records_.clear(); }

  private:
    std::vector<std::vector<FieldValue>> records_;
};

}  // namespace olmix
