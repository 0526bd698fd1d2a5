#include "core/data/Record.h"

#include <charconv>
#include <stdexcept>

#include "core/data/FixedText.h"

namespace qv::data {

Record::Record(const FileDef& def) : def_(&def), values_(def.fields.size()) {}

void Record::setText(int i, std::string_view v) {
    values_[i].text = fitText(v, static_cast<size_t>(def_->fields[i].width));
}

Decimal Record::decimal(int i) const {
    return Decimal::fromUnits(values_[i].num, def_->fields[i].places);
}

void Record::setDecimal(int i, Decimal v) { values_[i].num = v.unitsAt(def_->fields[i].places); }

int Record::field(std::string_view name) const {
    int i = def_->fieldIndex(name);
    if (i < 0) throw std::invalid_argument("unknown field " + std::string(name));
    return i;
}

std::string Record::display(int i) const {
    const FieldDef& f = def_->fields[i];
    switch (f.kind) {
        case FieldKind::Text: return values_[i].text;
        case FieldKind::Decimal: return decimal(i).toString();
        case FieldKind::Date: return Date(static_cast<int32_t>(values_[i].num)).format("D6");
        default: return std::to_string(values_[i].num);
    }
}

bool Record::assign(int i, std::string_view value, std::string* error) {
    const FieldDef& f = def_->fields[i];
    auto fail = [&](const char* what) {
        if (error) *error = "\"" + std::string(value) + "\" is not " + what + " for " + f.name;
        return false;
    };
    auto refuse = [&](std::string why) {
        if (error) *error = f.name + " " + why;
        return false;
    };
    // The choices are compared with the value as the field will hold it.
    auto allowed = [&](const std::string& v) {
        if (f.choices.empty() || (f.kind == FieldKind::Text && v.empty())) return true;
        for (const std::string& c : f.choices)
            if (c == v) return true;
        return false;
    };
    auto choiceList = [&] {
        std::string l;
        for (const std::string& c : f.choices) l += (l.empty() ? "" : ", ") + c;
        return l;
    };
    switch (f.kind) {
        case FieldKind::Text: {
            if (!isValidUtf8(value)) return refuse("takes only UTF-8 text");
            const std::string_view v = clip(value);
            if (v.size() > static_cast<size_t>(f.width))
                return refuse("takes at most " + std::to_string(f.width) + " bytes (" +
                              std::to_string(v.size()) + " given)");
            if (!allowed(std::string(v)))
                return refuse("must be one of " + choiceList() + " (\"" + std::string(v) +
                              "\" given)");
            setText(i, v);
            return true;
        }
        case FieldKind::Decimal: {
            auto d = clip(value).empty() ? Decimal() : Decimal::parse(value);
            if (!d) return fail("a number");
            int64_t units = d->unitsAt(f.places);
            if (!fitsField(f, units)) return fail("within the field's digits");
            values_[i].num = units;
            return true;
        }
        case FieldKind::Date: {
            auto d = Date::parse(value);
            if (!d) return fail("a date (dd/mm/yyyy)");
            values_[i].num = d->dayNumber();
            return true;
        }
        default: {
            std::string_view v = value;
            while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
            v = clip(v);
            if (v.empty()) {
                values_[i].num = 0;
                return true;
            }
            int64_t n = 0;
            auto [p, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
            if (ec != std::errc() || p != v.data() + v.size()) return fail("a whole number");
            if (!fitsField(f, n)) return fail("within the field's range");
            if (!allowed(std::to_string(n))) return refuse("must be one of " + choiceList());
            values_[i].num = n;
            return true;
        }
    }
}

void Record::clear() {
    for (auto& v : values_) {
        v.num = 0;
        v.text.clear();
    }
    stamp = {};
    primedNumber = 0;
}

bool fitsField(const FieldDef& f, int64_t v) {
    switch (f.kind) {
        case FieldKind::Long:
        case FieldKind::Date: return v >= INT32_MIN && v <= INT32_MAX;
        case FieldKind::Short: return v >= INT16_MIN && v <= INT16_MAX;
        case FieldKind::Byte: return v >= 0 && v <= 255;
        case FieldKind::Decimal: return v >= -9999999 && v <= 9999999;
        case FieldKind::Text: return true;
    }
    return true;
}

}  // namespace qv::data
