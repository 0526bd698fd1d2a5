// XML_LOADQUEUE and its loading options.

#include <algorithm>
#include <unordered_map>

#include "Picture.h"
#include "ReaderState.h"
#include "Support.h"
#include "Text.h"
#include "olmix/Reader.h"

namespace olmix::detail {
namespace {

// The name a queue field is matched by: its label in lower case, without the
// prefix unless it is kept.
std::string matchName(std::string_view label, bool keepPrefix) {
    if (!keepPrefix) {
        if (auto colon = label.find(':'); colon != std::string_view::npos)
            label.remove_prefix(colon + 1);
    }
    return lower(label);
}

class QueueLoad {
  public:
    QueueLoad(ReaderState& r, RecordQueue& queue, bool keepPrefix) : r_(r), queue_(queue) {
        const std::size_t fields = queue.fieldCount();
        primaryKey_.assign(fields + 1, false);
        attribute_.assign(fields + 1, nullptr);
        filled_.assign(fields + 1, false);
        std::size_t slots = 0;
        for (std::size_t n = 1; n <= fields; ++n) {
            const FieldInfo& info = queue.field(n);
            if (info.type == FieldType::Group) continue;
            slots = std::max(slots, info.firstSlot + info.dimension);
            std::string name = matchName(info.label, keepPrefix);
            if (std::find(r.primaryKeys.begin(), r.primaryKeys.end(), name) != r.primaryKeys.end())
                primaryKey_[n] = true;
            if (auto it = r.attributeFields.find(name); it != r.attributeFields.end())
                attribute_[n] = &it->second;
            byName_.emplace(std::move(name), n);  // the first field of a name wins
        }
        assigned_.assign(slots, false);
    }

    void run(bool allLevels, bool recordEnd) {
        queue_.clear();
        putPrimaryFields();
        const NodeStore& s = r_.store;
        if (s.count() == 0) return;
        const std::uint32_t start = r_.onNode() ? r_.current : 1;
        const std::uint32_t depth = r_.depth();
        std::uint32_t last = start;
        for (std::uint32_t i = start; i <= s.count(); ++i) {
            std::uint32_t p = s.nodePath(i);
            if (!s.inside(p, r_.currentPath)) break;
            last = i;
            std::uint32_t nodeDepth = s.depth(p);
            if (nodeDepth == depth) {
                if (!recordEnd) break;
                if (anyFilled_) endRecord();
                continue;
            }
            if (!allLevels && nodeDepth != depth + 1) continue;
            auto it = byName_.find(fieldName(p));
            if (it != byName_.end()) assign(it->second, s.value(i));
        }
        if (anyFilled_) endRecord();
        r_.current = last;
    }

  private:
    std::string_view fieldName(std::uint32_t path) {
        const NodeStore& s = r_.store;
        const std::string& name = s.lowerName(path);
        auto q = r_.qualifyFields.find(name);
        if (q == r_.qualifyFields.end()) return name;
        qualified_.clear();
        std::uint32_t parent = s.path(path).parent;
        if (q->second && parent != NodeStore::kRoot) {
            std::uint32_t grandparent = s.path(parent).parent;
            if (grandparent != NodeStore::kRoot) qualified_.append(s.lowerName(grandparent));
        }
        if (parent != NodeStore::kRoot) qualified_.append(s.lowerName(parent));
        qualified_.append(name);
        return qualified_;
    }

    void assign(std::size_t field, std::string_view value) {
        std::string formatted;
        if (AttributeField* attribute = attribute_[field]; attribute && !clip(value).empty()) {
            if (!attribute->picture.empty()) {
                formatted = formatPicture(value, attribute->picture);
                value = formatted;
            }
            filled_[field] = true;
        }
        const FieldInfo& info = queue_.field(field);
        std::uint32_t element = 1;
        while (element <= info.dimension && assigned_[info.firstSlot + element - 1]) ++element;
        if (element > info.dimension) {
            // The field is full: its new value starts the next record.
            endRecord();
            element = 1;
            if (attribute_[field] && !clip(value).empty()) filled_[field] = true;
        }
        queue_.setText(field, value, element);
        assigned_[info.firstSlot + element - 1] = true;
        anyFilled_ = true;
    }

    void endRecord() {
        bool complete = true;
        for (std::size_t n = 1; n < attribute_.size(); ++n)
            if (attribute_[n] && attribute_[n]->required && !filled_[n]) complete = false;
        if (complete) queue_.add();
        for (std::size_t n = 1; n <= queue_.fieldCount(); ++n)
            if (!primaryKey_[n]) queue_.clearField(n);
        std::fill(assigned_.begin(), assigned_.end(), false);
        std::fill(filled_.begin(), filled_.end(), false);
        anyFilled_ = false;
        putPrimaryFields();
    }

    void putPrimaryFields() {
        for (const auto& [name, value] : r_.primaryFields)
            if (auto it = byName_.find(name); it != byName_.end())
                queue_.setText(it->second, value);
    }

    ReaderState& r_;
    RecordQueue& queue_;
    std::unordered_map<std::string, std::size_t, StringHash, std::equal_to<>> byName_;
    std::vector<bool> primaryKey_;
    std::vector<AttributeField*> attribute_;
    std::vector<bool> filled_;    // required attribute fields given in this record
    std::vector<bool> assigned_;  // values given in this record, per element
    bool anyFilled_ = false;
    std::string qualified_;
};

std::string optionName(std::string_view name) {
    return lower(clip(name));
}

}  // namespace
}  // namespace olmix::detail

using namespace olmix::detail;

std::uint8_t XML_LOADQUEUE(olmix::RecordQueue& queue, std::optional<std::uint8_t> allLevels,
                           std::optional<std::uint8_t> recordEnd,
                           std::optional<std::uint8_t> keepPrefix) {
    return guarded("XML:LOADQUEUE", std::uint8_t(0), [&] {
        ReaderState& r = reader();
        QueueLoad load(r, queue, keepPrefix.value_or(0) == 1);
        load.run(allLevels.value_or(0) == 1, recordEnd.value_or(0) == 1);
        if (r.autoRootSet) {
            if (r.autoRootNode >= 1 && r.autoRootNode <= r.store.count()) {
                r.moveTo(r.autoRootNode, r.autoRootDepth);
            } else {
                r.current = 0;
                r.currentPath = NodeStore::kRoot;
            }
        }
        return std::uint8_t(queue.records() & 0xFF);
    });
}

void XML_PRIMARYFIELDCASCADE(std::string_view value, std::string_view fieldName) {
    guarded("XML:PRIMARYFIELDCASCADE", [&] {
        auto& fields = reader().primaryFields;
        std::string name = optionName(fieldName);
        auto it = std::find_if(fields.begin(), fields.end(),
                               [&](const auto& f) { return f.first == name; });
        if (it != fields.end())
            it->second.assign(value);
        else
            fields.emplace_back(std::move(name), std::string(value));
    });
}

void XML_PRIMARYFIELDCLEAR() {
    guarded("XML:PRIMARYFIELDCLEAR", [&] { reader().primaryFields.clear(); });
}

void XML_PRIMARYKEYCASCADE(
    std::string_view name1, std::optional<std::string_view> name2,
    std::optional<std::string_view> name3, std::optional<std::string_view> name4,
    std::optional<std::string_view> name5, std::optional<std::string_view> name6,
    std::optional<std::string_view> name7, std::optional<std::string_view> name8,
    std::optional<std::string_view> name9, std::optional<std::string_view> name10) {
    guarded("XML:PRIMARYKEYCASCADE", [&] {
        auto& keys = reader().primaryKeys;
        for (const auto& given : {std::optional<std::string_view>(name1), name2, name3, name4,
                                  name5, name6, name7, name8, name9, name10}) {
            if (!given) continue;
            std::string name = optionName(*given);
            if (!name.empty() && std::find(keys.begin(), keys.end(), name) == keys.end())
                keys.push_back(std::move(name));
        }
    });
}

void XML_PRIMARYKEYCLEAR() {
    guarded("XML:PRIMARYKEYCLEAR", [&] { reader().primaryKeys.clear(); });
}

void XML_ATTRIBUTEFIELDSET(std::string_view fieldName, std::optional<std::uint8_t> required,
                           std::optional<std::string_view> picture) {
    guarded("XML:ATTRIBUTEFIELDSET", [&] {
        auto [it, added] = reader().attributeFields.try_emplace(optionName(fieldName));
        if (required || added) it->second.required = required.value_or(0) == 1;
        if (picture || added) it->second.picture.assign(trim(picture.value_or("")));
    });
}

void XML_ATTRIBUTEFIELDCLEAR(std::optional<std::string_view> fieldName) {
    guarded("XML:ATTRIBUTEFIELDCLEAR", [&] {
        auto& fields = reader().attributeFields;
        if (fieldName)
            fields.erase(optionName(*fieldName));
        else
            fields.clear();
    });
}

void XML_QUALIFYFIELDSET(std::string_view fieldName, std::optional<std::uint8_t> level) {
    guarded("XML:QUALIFYFIELDSET", [&] {
        auto [it, added] = reader().qualifyFields.try_emplace(optionName(fieldName), false);
        if (level || added) it->second = level.value_or(0) == 1;
    });
}

void XML_QUALIFYFIELDCLEAR(std::optional<std::string_view> fieldName) {
    guarded("XML:QUALIFYFIELDCLEAR", [&] {
        auto& fields = reader().qualifyFields;
        if (fieldName)
            fields.erase(optionName(*fieldName));
        else
            fields.clear();
    });
}

void XML_AUTOROOTSET() {
    guarded("XML:AUTOROOTSET", [&] {
        ReaderState& r = reader();
        r.autoRootSet = true;
        r.autoRootNode = r.current;
        r.autoRootDepth = r.depth();
    });
}

void XML_AUTOROOTCLEAR() {
    guarded("XML:AUTOROOTCLEAR", [&] {
        ReaderState& r = reader();
        r.autoRootSet = false;
        r.autoRootNode = r.autoRootDepth = 0;
    });
}
