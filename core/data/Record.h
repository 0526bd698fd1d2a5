#pragma once
// A record in its generic form: one value per field of its file definition.
// Numbers (integers, switches, decimals in units of their places, day
// numbers) live in `num`, texts in `text`.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/Date.h"
#include "core/data/Decimal.h"
#include "core/data/Definitions.h"

namespace qv::data {

struct FieldValue {
    int64_t num = 0;
    std::string text;
    bool operator==(const FieldValue&) const = default;
};

// Where a record came from: its record number and the change count it had
// when it was read, so that a write can tell whether another station changed
// it in the meantime. Zero for a record not read from the store.
struct RecordStamp {
    int64_t recno = 0;
    int64_t rev = 0;
    bool operator==(const RecordStamp&) const = default;
};

class Record {
public:
    explicit Record(const FileDef& def);

    const FileDef& def() const { return *def_; }
    size_t size() const { return values_.size(); }
    RecordStamp stamp;
    // Set by primeForInsert: the number it gave the auto-numbered field, which
    // insert renews when it is still unchanged.
    int64_t primedNumber = 0;

    const FieldValue& operator[](size_t i) const { return values_[i]; }
    FieldValue& operator[](size_t i) { return values_[i]; }
    std::vector<FieldValue>& values() { return values_; }
    const std::vector<FieldValue>& values() const { return values_; }

    // Typed access by field index.
    int64_t number(int i) const { return values_[i].num; }
    void setNumber(int i, int64_t v) { values_[i].num = v; }
    const std::string& text(int i) const { return values_[i].text; }
    void setText(int i, std::string_view v);  // cut to the field's width and clipped
    Decimal decimal(int i) const;
    void setDecimal(int i, Decimal v);  // brought to the field's places
    // Access by field name ("Name" or "PFX:Name"); the name must exist.
    int field(std::string_view name) const;

    // The value as the user sees and types it.
    std::string display(int i) const;
    // Sets a field from its text form; false (and `error`) when the text does
    // not fit the field's kind.
    bool assign(int i, std::string_view value, std::string* error = nullptr);

    void clear();
    bool sameValues(const Record& other) const { return values_ == other.values_; }

private:
    const FileDef* def_;
    std::vector<FieldValue> values_;
};

// Limits of a field's kind, for checks before writing.
bool fitsField(const FieldDef& f, int64_t value);

}  // namespace qv::data
