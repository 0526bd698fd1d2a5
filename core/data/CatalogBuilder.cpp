#include "core/data/CatalogBuilder.h"

#include <sstream>
#include <stdexcept>

namespace qv::data::build {

namespace {

int needField(const FileDef& f, const std::string& name) {
    int i = f.fieldIndex(name);
    if (i < 0) throw std::logic_error(f.label + ": unknown field " + name);
    return i;
}

std::string trim(std::string s) {
    while (!s.empty() && s.front() == ' ') s.erase(s.begin());
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

}  // namespace

FileDef file(std::string label, std::string prefix, std::string diskName, Location location,
             int recordBytes, std::vector<FieldDef> fields) {
    FileDef f;
    f.table = label;
    f.label = std::move(label);
    f.prefix = std::move(prefix);
    f.diskName = std::move(diskName);
    f.location = location;
    f.recordBytes = recordBytes;
    f.fields = std::move(fields);
    return f;
}

void key(FileDef& f, std::string name, std::string components, unsigned flags,
         std::string description) {
    KeyDef k;
    k.name = std::move(name);
    k.description = std::move(description);
    k.unique = flags & Unique;
    k.primary = (flags & Primary) == Primary;
    k.autoNumber = flags & Auto;
    k.caseSensitive = flags & CaseSensitive;
    std::stringstream in(components);
    std::string part;
    while (std::getline(in, part, ',')) {
        part = trim(part);
        bool desc = false;
        if (part.size() > 5 && part.ends_with(" desc")) {
            desc = true;
            part = trim(part.substr(0, part.size() - 5));
        }
        k.components.push_back({needField(f, part), desc});
    }
    f.keys.push_back(std::move(k));
}

void range(FileDef& f, std::string field, long long low, long long high,
           std::string fieldDescription, std::string rangeText) {
    f.ranges.push_back(
        {needField(f, field), low, high, std::move(fieldDescription), std::move(rangeText)});
}

void defaultValue(FileDef& f, std::string field, std::string value) {
    f.defaults.push_back({needField(f, field), std::move(value)});
}

void choices(FileDef& f, std::string field, std::string values) {
    std::vector<std::string>& out = f.fields[needField(f, field)].choices;
    size_t start = 0;
    while (start <= values.size()) {
        size_t comma = values.find(',', start);
        if (comma == std::string::npos) comma = values.size();
        out.push_back(values.substr(start, comma - start));
        start = comma + 1;
    }
}

void flags(FileDef& f, std::initializer_list<const char*> fields) {
    for (const char* name : fields) choices(f, name, "Y,N");
}

FileDef alias(const FileDef& base, std::string label, std::string prefix) {
    FileDef a = base;
    a.label = std::move(label);
    a.prefix = std::move(prefix);
    a.table = base.table;
    return a;
}

}  // namespace qv::data::build
