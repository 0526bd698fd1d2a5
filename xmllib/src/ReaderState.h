#pragma once
// The reader's per-thread state: the node list, the position, the saved
// positions and the options of XML_LOADQUEUE.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "NodeStore.h"

namespace olmix::detail {

struct SavedPosition {
    bool used = false;
    std::uint32_t node = 0;
    std::uint32_t depth = 0;
};

struct AttributeField {
    bool required = false;
    std::string picture;
};

struct ReaderState {
    NodeStore store;
    std::uint32_t current = 0;                     // node number, 0 = none
    std::uint32_t currentPath = NodeStore::kRoot;  // a canonical (lower-case) path
    std::int16_t lastError = 0;
    std::uint32_t loadTimeHundredths = 0;
    std::string lastFile;
    std::array<SavedPosition, 16> saved{};

    std::vector<std::pair<std::string, std::string>> primaryFields;  // name, value
    std::vector<std::string> primaryKeys;
    std::map<std::string, AttributeField> attributeFields;
    std::map<std::string, bool> qualifyFields;  // name, with grandparent
    bool autoRootSet = false;
    std::uint32_t autoRootNode = 0;
    std::uint32_t autoRootDepth = 0;

    std::uint32_t progressMinimum = 0;
    std::string progressText;

    bool onNode() const { return current >= 1 && current <= store.count(); }
    std::uint32_t depth() const { return store.depth(currentPath); }
    // Makes node `number` current with the path of its first `depth` levels.
    void moveTo(std::uint32_t number, std::uint32_t depth) {
        current = number;
        currentPath = store.path(store.ancestor(store.nodePath(number), depth)).canonical;
    }
    std::int16_t result(std::int16_t code) {
        lastError = code;
        return code;
    }
};

ReaderState& reader();

}  // namespace olmix::detail
