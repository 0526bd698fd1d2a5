#include "olmix/Record.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <stdexcept>

#include "Text.h"

namespace olmix {

namespace {
const FieldInfo kNoField{};
}

std::size_t Record::add(std::string_view label, FieldType type, std::uint32_t dimension,
                        int places) {
    FieldInfo info;
    info.label = std::string(label);
    info.type = type;
    info.dimension = type == FieldType::Group ? 1 : std::max<std::uint32_t>(dimension, 1);
    info.places = std::uint8_t(std::clamp(places, 0, Decimal::kMaxPlaces));
    info.level = std::uint16_t(openGroups_.size());
    info.firstSlot = slotCount_;
    if (type != FieldType::Group) slotCount_ += info.dimension;
    fields_.push_back(std::move(info));
    buffer_.resize(slotCount_);
    return fields_.size();
}

std::size_t Record::addText(std::string_view label, std::uint32_t dimension) {
    return add(label, FieldType::Text, dimension, 0);
}
std::size_t Record::addInteger(std::string_view label, std::uint32_t dimension) {
    return add(label, FieldType::Integer, dimension, 0);
}
std::size_t Record::addDecimal(std::string_view label, int places, std::uint32_t dimension) {
    return add(label, FieldType::Decimal, dimension, places);
}
std::size_t Record::beginGroup(std::string_view label) {
    std::size_t n = add(label, FieldType::Group, 1, 0);
    openGroups_.push_back(n);
    return n;
}
void Record::endGroup() {
    if (!openGroups_.empty()) openGroups_.pop_back();
}

const FieldInfo& Record::field(std::size_t n) const {
    return n >= 1 && n <= fields_.size() ? fields_[n - 1] : kNoField;
}

std::size_t Record::find(std::string_view label) const {
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (detail::equalsIgnoreCase(fields_[i].label, label)) return i + 1;
    return 0;
}

FieldValue* Record::slot(std::size_t n, std::uint32_t element) {
    const FieldInfo& info = field(n);
    if (info.type == FieldType::Group || element < 1 || element > info.dimension) return nullptr;
    return &buffer_[info.firstSlot + element - 1];
}
const FieldValue* Record::slot(std::size_t n, std::uint32_t element) const {
    return const_cast<Record*>(this)->slot(n, element);
}

std::string Record::text(std::size_t n, std::uint32_t element) const {
    std::string out;
    if (const FieldValue* v = slot(n, element)) appendText(out, n, *v);
    return out;
}

std::int32_t Record::integer(std::size_t n, std::uint32_t element) const {
    const FieldValue* v = slot(n, element);
    if (!v) return 0;
    switch (field(n).type) {
        case FieldType::Integer:
            return std::int32_t(v->number);
        case FieldType::Decimal:
            return detail::clampToInt32(
                Decimal::parse(Decimal{v->number, field(n).places}.toString(), 0).units);
        default:
            return detail::clampToInt32(Decimal::parse(v->text, 0).units);
    }
}

Decimal Record::decimal(std::size_t n, std::uint32_t element) const {
    const FieldValue* v = slot(n, element);
    if (!v) return {};
    const FieldInfo& info = field(n);
    switch (info.type) {
        case FieldType::Decimal:
            return Decimal{v->number, info.places};
        case FieldType::Integer:
            return Decimal{v->number, 0};
        default:
            return Decimal::parse(v->text, Decimal::kMaxPlaces / 2);
    }
}

void Record::setText(std::size_t n, std::string_view value, std::uint32_t element) {
    FieldValue* v = slot(n, element);
    if (!v) return;
    const FieldInfo& info = field(n);
    switch (info.type) {
        case FieldType::Integer:
            v->number = detail::clampToInt32(Decimal::parse(value, 0).units);
            break;
        case FieldType::Decimal:
            v->number = Decimal::parse(value, info.places).units;
            break;
        default:
            v->text.assign(value);
    }
}

void Record::setInteger(std::size_t n, std::int32_t value, std::uint32_t element) {
    FieldValue* v = slot(n, element);
    if (!v) return;
    const FieldInfo& info = field(n);
    if (info.type == FieldType::Text) {
        v->text = std::to_string(value);
    } else if (info.type == FieldType::Decimal) {
        v->number = Decimal::parse(std::to_string(value), info.places).units;
    } else {
        v->number = value;
    }
}

void Record::setDecimal(std::size_t n, const Decimal& value, std::uint32_t element) {
    setText(n, value.toString(), element);
}

void Record::clear() {
    for (FieldValue& v : buffer_) {
        v.number = 0;
        v.text.clear();
    }
}

void Record::clearField(std::size_t n) {
    const FieldInfo& info = field(n);
    if (info.type == FieldType::Group) return;
    for (std::uint32_t e = 0; e < info.dimension; ++e) {
        buffer_[info.firstSlot + e].number = 0;
        buffer_[info.firstSlot + e].text.clear();
    }
}

void Record::appendText(std::string& out, std::size_t n, const FieldValue& value) const {
    const FieldInfo& info = field(n);
    switch (info.type) {
        case FieldType::Text:
            out.append(value.text);
            break;
        case FieldType::Integer: {
            char digits[24];
            auto end = std::to_chars(digits, digits + sizeof digits, value.number).ptr;
            out.append(digits, end);
            break;
        }
        case FieldType::Decimal:
            Decimal{value.number, info.places}.appendTo(out);
            break;
        case FieldType::Group:
            break;
    }
}

void RecordQueue::add() {
    records_.push_back(buffer_);
}

bool RecordQueue::get(std::size_t i) {
    if (i < 1 || i > records_.size()) return false;
    buffer_ = records_[i - 1];
    return true;
}

}  // namespace olmix
