#include "NodeStore.h"

#include <stdexcept>

#include "Text.h"

namespace olmix::detail {

void NodeStore::clear() {
    names_.clear();
    lowerNames_.clear();
    nameIds_.clear();
    paths_.clear();
    children_.clear();
    nodes_.clear();
    values_.clear();
    deepest_ = 0;
    internName("");
    paths_.push_back(Path{kRoot, 0, 0, kRoot});
}

std::uint32_t NodeStore::internName(std::string_view name) {
    if (auto it = nameIds_.find(name); it != nameIds_.end()) return it->second;
    std::uint32_t id = std::uint32_t(names_.size());
    names_.emplace_back(name);
    nameIds_.emplace(names_.back(), id);
    std::string folded = lower(name);
    if (folded == name) {
        lowerNames_.push_back(id);
    } else {
        lowerNames_.push_back(0);  // filled in below; interning may grow the vectors
        std::uint32_t lowerId = internName(folded);
        lowerNames_[id] = lowerId;
    }
    return id;
}

std::uint32_t NodeStore::child(std::uint32_t parent, std::string_view name) {
    return childById(parent, internName(name));
}

std::uint32_t NodeStore::childById(std::uint32_t parent, std::uint32_t nameId) {
    std::uint64_t key = (std::uint64_t(parent) << 32) | nameId;
    if (auto it = children_.find(key); it != children_.end()) return it->second;
    if (paths_.size() >= 0xFFFFFFF0u) throw std::length_error("too many distinct paths");
    std::uint32_t id = std::uint32_t(paths_.size());
    paths_.push_back(Path{parent, nameId, paths_[parent].depth + 1, id});
    children_.emplace(key, id);
    std::uint32_t canonicalParent = paths_[parent].canonical;
    std::uint32_t lowerId = lowerNames_[nameId];
    if (canonicalParent != parent || lowerId != nameId) {
        std::uint32_t canonical = childById(canonicalParent, lowerId);
        paths_[id].canonical = canonical;
    }
    return id;
}

void NodeStore::addNode(std::uint32_t path, std::string_view value) {
    std::uint64_t offset = values_.size();
    values_.append(value);
    addNodeFromTail(path, offset);
}

void NodeStore::addNodeFromTail(std::uint32_t path, std::uint64_t offset) {
    std::uint64_t length = values_.size() - offset;
    if (length > 0xFFFFFFFFu || nodes_.size() >= 0x7FFFFFFFu)
        throw std::length_error("node list too large");
    nodes_.push_back(Node{path, std::uint32_t(length), offset});
    if (paths_[path].depth > deepest_) deepest_ = paths_[path].depth;
}

}  // namespace olmix::detail
