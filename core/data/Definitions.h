#pragma once
// Table-driven definitions of the record files: fields, keys, range rules,
// defaults and the relations between files. The schema, the unique checks,
// the messages and all generic record access read these tables.

#include <cstdint>
#include <string>
#include <vector>

namespace qv::data {

enum class FieldKind {
    Long,     // 32-bit signed integer
    Short,    // 16-bit signed integer
    Byte,     // 8-bit unsigned on/off switch (1 or 0)
    Text,     // fixed-width text
    Decimal,  // packed decimal of 7 digits with 2 or 3 places
    Date,     // day number
};

struct FieldDef {
    std::string name;  // without prefix, e.g. "DivisionName"
    FieldKind kind;
    int width;   // text width or storage bytes
    int places;  // decimal places (Decimal only)
    // A password: what is written is kept only as a salted hash beside the
    // record; the field itself always reads blank.
    bool secret = false;
    // A password kept as typed because it is sent elsewhere (the FTP
    // password): never printed, and never taken from a command line.
    bool confidential = false;
    // The values the field may take ("Y", "N"); empty when any value fits.
    // Blank is always allowed: it reads as "not set".
    std::vector<std::string> choices = {};
    // Byte size in the record layout.
    int bytes() const;
};

struct KeyComponent {
    int field;  // index into FileDef::fields
    bool descending = false;
};

struct KeyDef {
    std::string name;  // without prefix, e.g. "byDivisionName"
    std::vector<KeyComponent> components;
    bool unique = false;
    bool primary = false;
    bool autoNumber = false;
    bool caseSensitive = false;
    std::string description;  // quoted by the duplicate-key message
};

struct RangeRule {
    int field;
    long long low;
    long long high;
    std::string fieldDescription;
    std::string rangeText;
};

struct FieldDefault {
    int field;
    std::string value;  // in the field's text form
};

enum class Location { Club, Workstation };

// One record file (or an alias: a second buffer over the same table).
struct FileDef {
    std::string label;     // "Division", "SeasonBrowse"
    std::string prefix;    // "DIV", "SEB"
    std::string diskName;  // the name the file had on disk, e.g. "DIVISION.TPS"
    std::string table;     // SQL table (the label of the file an alias stands for)
    Location location = Location::Club;
    bool singleRecord = false;  // the one record sits at record number 2
    int recordBytes = 0;        // layout size stated for the file
    std::vector<FieldDef> fields;
    std::vector<KeyDef> keys;
    std::vector<RangeRule> ranges;
    std::vector<FieldDefault> defaults;

    bool isAlias() const { return table != label; }
    int fieldIndex(std::string_view name) const;  // -1 when unknown; accepts "PFX:Name"
    const KeyDef* key(std::string_view name) const;  // accepts "PFX:byX"
    const KeyDef* primaryKey() const;
    const KeyDef* autoNumberKey() const;
    // The auto-numbered field, which is also the record number; -1 when none.
    int autoNumberField() const;
    // The password field, or -1.
    int secretField() const;
    // A password of either kind: hashed (secret) or kept (confidential).
    bool isPassword(int field) const;
    int layoutBytes() const;
};

enum class Mode { None, Restrict, Cascade, Clear };

struct LinkPair {
    int parentField;
    int childField;
};

struct RelationDef {
    const FileDef* parent;
    const FileDef* child;
    const KeyDef* childKey;
    std::vector<LinkPair> links;
    Mode update = Mode::None;
    Mode remove = Mode::None;
};

// Every file, alias and relation of the program, built once.
class Catalog {
public:
    static const Catalog& instance();

    const std::vector<const FileDef*>& files() const { return files_; }
    const FileDef* file(std::string_view label) const;  // nullptr when unknown
    // Relations in which `label`'s table is the parent (in table order).
    std::vector<const RelationDef*> childrenOf(const FileDef& parent) const;
    const std::vector<RelationDef>& relations() const { return relations_; }
    // Files opened together with `label` (relations, lookups and the
    // opened-together list), without `label` itself.
    const std::vector<const FileDef*>& related(const FileDef& f) const;

private:
    Catalog();
    std::vector<const FileDef*> files_;
    std::vector<RelationDef> relations_;
    std::vector<std::vector<const FileDef*>> related_;  // by index in files_
};

}  // namespace qv::data
