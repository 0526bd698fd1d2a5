// Moving through the node list and reading nodes.

#include <vector>

#include "ReaderState.h"
#include "Support.h"
#include "Text.h"
#include "olmix/Errors.h"
#include "olmix/Reader.h"

namespace olmix::detail {
namespace {

namespace err = olmix::error;

std::int16_t gotoChild(ReaderState& r) {
    if (!r.onNode()) return err::kNoRecord;
    const NodeStore& s = r.store;
    std::uint32_t depth = r.depth();
    // The first node two levels down: it lies inside a child that has children.
    for (std::uint32_t i = r.current; i <= s.count(); ++i) {
        std::uint32_t p = s.nodePath(i);
        if (!s.inside(p, r.currentPath)) return err::kChildNotFound;
        if (s.depth(p) >= depth + 2) {
            r.moveTo(i, depth + 1);
            return 0;
        }
    }
    return err::kChildNotFound;
}

std::int16_t gotoSibling(ReaderState& r) {
    if (!r.onNode()) return err::kNoRecord;
    const NodeStore& s = r.store;
    std::uint32_t depth = r.depth();
    for (std::uint32_t i = r.current + 1; i <= s.count(); ++i) {
        std::uint32_t p = s.nodePath(i);
        if (!s.inside(p, r.currentPath)) return err::kSiblingNotFound;
        if (s.depth(p) > depth) continue;
        // Node i closes the current record; the next one must start another.
        if (i + 1 > s.count() || !s.inside(s.nodePath(i + 1), r.currentPath))
            return err::kSiblingNotFound;
        r.current = i + 1;
        return 0;
    }
    return err::kSiblingNotFound;
}

std::int16_t gotoParent(ReaderState& r) {
    if (!r.onNode()) return err::kNoRecord;
    std::uint32_t depth = r.depth();
    if (depth == 0) return err::kParentNotFound;
    const NodeStore& s = r.store;
    std::uint32_t first = 1;
    for (std::uint32_t i = r.current - 1; i >= 1; --i) {
        if (s.depth(s.nodePath(i)) < depth) {
            first = i + 1;
            break;
        }
    }
    r.currentPath = s.path(r.currentPath).parent;
    r.current = first;
    return 0;
}

// The lower-case name ids of the path of a node, root first.
void levelsOf(const NodeStore& s, std::uint32_t path, std::vector<std::uint32_t>& names,
              std::vector<std::uint32_t>& paths) {
    std::uint32_t depth = s.depth(path);
    names.resize(depth);
    paths.resize(depth);
    for (std::uint32_t level = depth; level >= 1; --level) {
        paths[level - 1] = path;
        names[level - 1] = s.path(s.path(path).canonical).name;
        path = s.path(path).parent;
    }
}

std::int16_t findNextNode(ReaderState& r, const std::vector<std::string_view>& wanted) {
    const NodeStore& s = r.store;
    if (wanted.empty() || clip(wanted[0]).empty()) return err::kInvalidParameters;
    std::vector<std::uint32_t> ids;
    for (std::string_view name : wanted) {
        std::uint32_t id = s.findName(lower(clip(name)));
        if (id == NodeStore::kNoName) return err::kNodeNotFound;
        ids.push_back(id);
    }
    std::uint32_t start = r.onNode() ? r.current : 1;
    std::uint32_t depth = r.depth();
    std::vector<std::uint32_t> names, paths;
    for (std::uint32_t i = start; i <= s.count(); ++i) {
        std::uint32_t p = s.nodePath(i);
        if (!s.inside(p, r.currentPath)) return err::kNodeNotFound;
        levelsOf(s, p, names, paths);
        for (std::size_t level = 0; level + ids.size() <= names.size(); ++level) {
            bool match = true;
            for (std::size_t k = 0; k < ids.size() && match; ++k)
                match = names[level + k] == ids[k];
            if (!match) continue;
            std::uint32_t last =
                std::uint32_t(level + ids.size());  // level of the last name, from 1
            if (i == start && r.onNode() && last == depth) continue;
            r.current = i;
            r.currentPath = s.path(paths[last - 1]).canonical;
            return 0;
        }
    }
    return err::kNodeNotFound;
}

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = toUpper(c);
    return out;
}

std::int16_t findNextContent(ReaderState& r, std::string_view text, bool exact,
                             bool caseSensitive) {
    if (text.empty()) return err::kInvalidParameters;
    const NodeStore& s = r.store;
    std::string wanted = caseSensitive ? std::string(text) : upper(text);
    for (std::uint32_t i = r.current + 1; i <= s.count(); ++i) {
        std::uint32_t p = s.nodePath(i);
        if (!s.inside(p, r.currentPath)) return err::kContentNotFound;
        std::string_view value = s.value(i);
        std::string folded;
        if (!caseSensitive) {
            folded = upper(value);
            value = folded;
        }
        bool found = exact ? value == wanted : value.find(wanted) != std::string_view::npos;
        if (found) {
            r.current = i;
            r.currentPath = s.path(p).canonical;
            return 0;
        }
    }
    return err::kContentNotFound;
}

enum class Step { Stay, Next, Previous };

std::int16_t readRecord(ReaderState& r, Step step, RecordQueue& names, std::string& value) {
    if (!r.onNode()) return err::kNoRecord;
    std::size_t field = 0;
    for (std::size_t n = 1; n <= names.fieldCount() && !field; ++n)
        if (!names.isGroup(n)) field = n;
    if (!field) return err::kInvalidParameters;
    const NodeStore& s = r.store;
    if (step == Step::Next) {
        if (r.current + 1 > s.count()) return err::kPastEnd;
        ++r.current;
    } else if (step == Step::Previous) {
        if (r.current <= 1) return err::kPastBeginning;
        --r.current;
    }
    std::vector<std::uint32_t> levels;
    for (std::uint32_t p = s.nodePath(r.current); p != NodeStore::kRoot; p = s.path(p).parent)
        levels.push_back(p);
    names.freeRecords();
    for (auto it = levels.rbegin(); it != levels.rend(); ++it) {
        names.clear();
        names.setText(field, s.pathName(*it));
        names.add();
    }
    value.assign(s.value(r.current));
    return 0;
}

}  // namespace
}  // namespace olmix::detail

using namespace olmix::detail;

void XML_GOTOTOP() {
    guarded("XML:GOTOTOP", [&] {
        ReaderState& r = reader();
        r.current = r.store.count() > 0 ? 1 : 0;
        r.currentPath = NodeStore::kRoot;
        r.lastError = 0;
    });
}

std::int16_t XML_GOTOCHILD() {
    return guarded("XML:GOTOCHILD", olmix::error::kChildNotFound,
                   [&] { return reader().result(gotoChild(reader())); });
}

std::int16_t XML_GOTOSIBLING() {
    return guarded("XML:GOTOSIBLING", olmix::error::kSiblingNotFound,
                   [&] { return reader().result(gotoSibling(reader())); });
}

std::int16_t XML_GOTOPARENT() {
    return guarded("XML:GOTOPARENT", olmix::error::kParentNotFound,
                   [&] { return reader().result(gotoParent(reader())); });
}

std::int16_t XML_SETPOINTER(std::int32_t node) {
    return guarded("XML:SETPOINTER", olmix::error::kInvalidParameters, [&]() -> std::int16_t {
        ReaderState& r = reader();
        if (node < 0) return r.result(olmix::error::kInvalidParameters);
        if (std::uint32_t(node) > r.store.count()) return r.result(olmix::error::kPastEnd);
        r.current = std::uint32_t(node);
        return r.result(0);
    });
}

std::int32_t XML_GETPOINTER() {
    return std::int32_t(reader().current);
}

std::int16_t XML_FINDNEXTNODE(std::string_view name, std::optional<std::string_view> name2,
                              std::optional<std::string_view> name3,
                              std::optional<std::string_view> name4,
                              std::optional<std::string_view> name5) {
    return guarded("XML:FINDNEXTNODE", olmix::error::kNodeNotFound, [&] {
        std::vector<std::string_view> wanted{name};
        for (const auto& further : {name2, name3, name4, name5}) {
            if (!further || clip(*further).empty()) break;
            wanted.push_back(*further);
        }
        return reader().result(findNextNode(reader(), wanted));
    });
}

std::int16_t XML_FINDNEXTCONTENT(std::string_view text, std::uint8_t exactMatch,
                                 std::uint8_t caseSensitive) {
    return guarded("XML:FINDNEXTCONTENT", olmix::error::kContentNotFound, [&] {
        return reader().result(
            findNextContent(reader(), text, exactMatch == 1, caseSensitive == 1));
    });
}

std::int16_t XML_READCURRENTRECORD(olmix::RecordQueue& names, std::string& value) {
    return guarded("XML:READCURRENTRECORD", olmix::error::kNoRecord,
                   [&] { return reader().result(readRecord(reader(), Step::Stay, names, value)); });
}

std::int16_t XML_READNEXTRECORD(olmix::RecordQueue& names, std::string& value) {
    return guarded("XML:READNEXTRECORD", olmix::error::kNoRecord,
                   [&] { return reader().result(readRecord(reader(), Step::Next, names, value)); });
}

std::int16_t XML_READPREVIOUSRECORD(olmix::RecordQueue& names, std::string& value) {
    return guarded("XML:READPREVIOUSRECORD", olmix::error::kNoRecord, [&] {
        return reader().result(readRecord(reader(), Step::Previous, names, value));
    });
}

std::int16_t XML_SAVESTATE() {
    return guarded("XML:SAVESTATE", std::int16_t(0), [&]() -> std::int16_t {
        ReaderState& r = reader();
        for (std::size_t i = 0; i < r.saved.size(); ++i) {
            if (r.saved[i].used) continue;
            r.saved[i] = SavedPosition{true, r.current, r.depth()};
            return std::int16_t(i + 1);
        }
        return 0;
    });
}

std::int16_t XML_RESTORESTATE(std::int16_t slot) {
    return guarded("XML:RESTORESTATE", olmix::error::kStateNeverSaved, [&]() -> std::int16_t {
        ReaderState& r = reader();
        if (slot < 1 || slot > std::int16_t(r.saved.size()))
            return r.result(olmix::error::kInvalidParameters);
        const SavedPosition& saved = r.saved[std::size_t(slot - 1)];
        if (!saved.used) return r.result(olmix::error::kStateNeverSaved);
        if (saved.node > r.store.count()) return r.result(olmix::error::kPastEnd);
        if (saved.node == 0) {
            r.current = 0;
            r.currentPath = NodeStore::kRoot;
        } else {
            r.moveTo(saved.node, saved.depth);
        }
        return r.result(0);
    });
}

void XML_FREESTATE(std::int16_t slot) {
    guarded("XML:FREESTATE", [&] {
        ReaderState& r = reader();
        if (slot >= 1 && slot <= std::int16_t(r.saved.size())) r.saved[std::size_t(slot - 1)] = {};
    });
}
