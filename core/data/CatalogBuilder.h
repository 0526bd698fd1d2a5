#pragma once
// Small helpers with which the file tables are written down.

#include <memory>
#include <string>
#include <vector>

#include "core/data/Definitions.h"

namespace qv::data::build {

enum KeyFlags : unsigned {
    Dup = 0,
    Unique = 1,
    Primary = 2 | Unique,
    Auto = 4,
    CaseSensitive = 8,
};

FileDef file(std::string label, std::string prefix, std::string diskName, Location location,
             int recordBytes, std::vector<FieldDef> fields);
// `components`: field names separated by commas, " desc" after a descending one.
void key(FileDef& f, std::string name, std::string components, unsigned flags,
         std::string description);
void range(FileDef& f, std::string field, long long low, long long high,
           std::string fieldDescription, std::string rangeText);
void defaultValue(FileDef& f, std::string field, std::string value);
// The values a field may take, separated by commas ("Y,N").
void choices(FileDef& f, std::string field, std::string values);
// "Y"/"N" flags.
void flags(FileDef& f, std::initializer_list<const char*> fields);
// A second buffer over `base`'s table, with its own label and prefix.
FileDef alias(const FileDef& base, std::string label, std::string prefix);

void addClubFiles(std::vector<std::unique_ptr<FileDef>>& out);
void addTripFiles(std::vector<std::unique_ptr<FileDef>>& out);
void addWorkstationFiles(std::vector<std::unique_ptr<FileDef>>& out);

}  // namespace qv::data::build
