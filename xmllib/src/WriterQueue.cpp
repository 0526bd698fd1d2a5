// Writing whole records: XML_ADDFROMQUEUE and XML_ADDFROMGROUP.

#include <algorithm>

#include "Support.h"
#include "Text.h"
#include "WriterState.h"
#include "olmix/Writer.h"

namespace olmix::detail {

namespace {

// One entry per field of the record, in field-number order.
struct PlanEntry {
    std::string name;      // the label without its prefix
    std::string openTag;   // "<name>" with the element prefix
    std::string closeTag;  // "</name>" with the element prefix
    std::uint16_t level = 0;
    std::uint32_t dimension = 1;
    bool group = false;
    std::size_t field = 0;
};

std::vector<PlanEntry> buildPlan(const WriterState& w, const Record& record, bool lowerCase) {
    std::vector<PlanEntry> plan;
    for (std::size_t n = 1; n <= record.fieldCount(); ++n) {
        const FieldInfo& info = record.field(n);
        if (info.label.empty()) break;
        std::string_view name = info.label;
        if (auto colon = name.find(':'); colon != std::string_view::npos)
            name.remove_prefix(colon + 1);
        PlanEntry entry;
        entry.name = lowerCase ? lower(name) : std::string(name);
        std::string qualified = w.prefix.empty() ? "" : w.prefix + ":";
        qualified.append(clip(entry.name));
        entry.openTag = "<" + qualified + ">";
        entry.closeTag = "</" + qualified + ">";
        entry.level = info.level;
        entry.dimension = info.dimension;
        entry.group = info.type == FieldType::Group;
        entry.field = n;
        plan.push_back(std::move(entry));
    }
    return plan;
}

class RecordWriter {
  public:
    RecordWriter(WriterState& w, const Record& layout, const std::vector<PlanEntry>& plan,
                 bool attributeMode, bool selfClose)
        : w_(w),
          layout_(layout),
          plan_(plan),
          attributeMode_(attributeMode),
          selfClose_(selfClose) {}

    void write(const std::vector<FieldValue>& values, std::string_view rowName) {
        values_ = &values;
        groups_.clear();
        createParent(w_, rowName);
        rowOpen_ = false;
        if (!attributeMode_) openRow();

        for (std::size_t i = 0; i < plan_.size();) {
            const PlanEntry& entry = plan_[i];
            // Leaving groups: close them down to the entry's level.
            while (groups_.size() > entry.level) {
                closeParent(w_);
                groups_.pop_back();
            }
            if (entry.group) {
                openRow();
                createParent(w_, entry.name);
                addParent(w_, false, {});
                groups_.push_back(entry.name);
                ++i;
            } else if (entry.dimension > 1) {
                i = writeArrayRun(i);
            } else {
                std::string_view text = valueText(entry, 1);
                if (rowOpen_)
                    element(entry, text);
                else
                    createAttribute(w_, entry.name, text);
                ++i;
            }
        }

        bool selfClosed = false;
        if (!rowOpen_) {
            selfClosed = selfClose_;
            addParent(w_, selfClosed, {});
        }
        while (!groups_.empty()) {
            closeParent(w_);
            groups_.pop_back();
        }
        if (!selfClosed) closeParent(w_);
    }

  private:
    void openRow() {
        if (rowOpen_) return;
        addParent(w_, false, {});
        rowOpen_ = true;
    }

    std::string_view valueText(const PlanEntry& entry, std::uint32_t element) {
        const FieldInfo& info = layout_.field(entry.field);
        std::size_t slot = info.firstSlot + element - 1;
        if (slot >= values_->size()) return {};
        if (info.type == FieldType::Text) return clip((*values_)[slot].text);
        text_.clear();
        layout_.appendText(text_, entry.field, (*values_)[slot]);
        return clip(text_);
    }

    // One element on a line of its own, indented like its parent's start tag.
    void element(const PlanEntry& entry, std::string_view value) {
        if (!w_.writing()) return;
        beginLine(w_);
        w_.out.append(w_.parents.size(), ' ');
        w_.out.append(entry.openTag);
        appendEscaped(w_.out, value);
        w_.out.append(entry.closeTag);
        endLine(w_);
    }

    // The consecutive array fields at one level, index by index. Each index
    // after the first gets its own copy of the enclosing group element.
    std::size_t writeArrayRun(std::size_t first) {
        openRow();
        std::size_t end = first;
        std::uint32_t maxDimension = 0;
        while (end < plan_.size() && plan_[end].level == plan_[first].level && !plan_[end].group &&
               plan_[end].dimension > 1) {
            maxDimension = std::max(maxDimension, plan_[end].dimension);
            ++end;
        }
        // Outside any group there is no element to repeat.
        bool repeatGroup = !groups_.empty();
        for (std::uint32_t index = 1; index <= maxDimension; ++index) {
            bool wrote = false;
            for (std::size_t k = first; k < end; ++k) {
                if (index > plan_[k].dimension) continue;
                std::string_view text = valueText(plan_[k], index);
                if (text.empty()) continue;
                if (!wrote && index > 1 && repeatGroup) {
                    closeParent(w_);
                    createParent(w_, groups_.back());
                    addParent(w_, false, {});
                }
                wrote = true;
                element(plan_[k], text);
            }
            if (!wrote) break;
        }
        return end;
    }

    WriterState& w_;
    const Record& layout_;
    const std::vector<PlanEntry>& plan_;
    bool attributeMode_;
    bool selfClose_;
    const std::vector<FieldValue>* values_ = nullptr;
    std::vector<std::string_view> groups_;  // names of the groups open in the row
    bool rowOpen_ = false;
    std::string text_;
};

}  // namespace
}  // namespace olmix::detail

using namespace olmix::detail;

void XML_ADDFROMQUEUE(const olmix::RecordQueue& queue, std::string_view rowName,
                      std::optional<std::uint8_t> attributeMode,
                      std::optional<std::uint8_t> selfClose,
                      std::optional<std::uint8_t> lowerCase) {
    guarded("XML:ADDFROMQUEUE", [&] {
        if (queue.records() == 0) return;
        WriterState& w = writer();
        auto plan = buildPlan(w, queue, lowerCase.value_or(0) == 1);
        RecordWriter rows(w, queue, plan, attributeMode.value_or(0) != 0,
                          selfClose.value_or(0) == 1);
        for (std::size_t i = 1; i <= queue.records(); ++i)
            rows.write(queue.recordValues(i), rowName);
    });
}

void XML_ADDFROMGROUP(const olmix::Record& record, std::string_view name,
                      std::optional<std::uint8_t> attributeMode,
                      std::optional<std::uint8_t> selfClose) {
    guarded("XML:ADDFROMGROUP", [&] {
        WriterState& w = writer();
        auto plan = buildPlan(w, record, false);
        RecordWriter row(w, record, plan, attributeMode.value_or(0) != 0,
                         selfClose.value_or(0) == 1);
        row.write(record.values(), name);
    });
}
