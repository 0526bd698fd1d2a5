#pragma once
// The node list and its interned paths. A path is stored once, as a name
// and the id of its parent path; a node is a path id plus where its value
// lies in one shared text buffer.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace olmix::detail {

struct StringHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

class NodeStore {
  public:
    static constexpr std::uint32_t kRoot = 0;  // the empty path

    struct Path {
        std::uint32_t parent;
        std::uint32_t name;
        std::uint32_t depth;
        std::uint32_t canonical;  // the same path with every name in lower case
    };
    struct Node {
        std::uint32_t path;
        std::uint32_t length;
        std::uint64_t offset;
    };

    NodeStore() { clear(); }
    void clear();

    static constexpr std::uint32_t kNoName = 0xFFFFFFFFu;

    std::uint32_t internName(std::string_view name);
    // The id of a name already seen, kNoName otherwise.
    std::uint32_t findName(std::string_view name) const {
        auto it = nameIds_.find(name);
        return it == nameIds_.end() ? kNoName : it->second;
    }
    std::uint32_t lowerNameId(std::uint32_t nameId) const { return lowerNames_[nameId]; }
    // The path `parent` + `name`, created on first use.
    std::uint32_t child(std::uint32_t parent, std::string_view name);
    std::uint32_t childById(std::uint32_t parent, std::uint32_t nameId);

    const Path& path(std::uint32_t id) const { return paths_[id]; }
    std::uint32_t depth(std::uint32_t id) const { return paths_[id].depth; }
    const std::string& name(std::uint32_t nameId) const { return names_[nameId]; }
    const std::string& pathName(std::uint32_t id) const { return names_[paths_[id].name]; }
    // The lower-case name of a path's last level.
    const std::string& lowerName(std::uint32_t id) const {
        return names_[lowerNames_[paths_[id].name]];
    }
    // The ancestor of `id` at `depth` (id itself when it is not deeper).
    std::uint32_t ancestor(std::uint32_t id, std::uint32_t depth) const {
        while (paths_[id].depth > depth) id = paths_[id].parent;
        return id;
    }
    // Whether path `id` is `canonicalPath` or lies below it, ignoring case.
    bool inside(std::uint32_t id, std::uint32_t canonicalPath) const {
        std::uint32_t d = paths_[canonicalPath].depth;
        if (paths_[id].depth < d) return false;
        return paths_[ancestor(paths_[id].canonical, d)].canonical == canonicalPath;
    }

    // Nodes are numbered from 1.
    std::uint32_t count() const { return std::uint32_t(nodes_.size()); }
    void addNode(std::uint32_t path, std::string_view value);
    const Node& node(std::uint32_t number) const { return nodes_[number - 1]; }
    std::uint32_t nodePath(std::uint32_t number) const { return nodes_[number - 1].path; }
    std::string_view value(std::uint32_t number) const {
        const Node& n = nodes_[number - 1];
        return std::string_view(values_.data() + n.offset, n.length);
    }
    // The text buffer a node's value is built in before addNodeFromTail().
    std::string& valueBuffer() { return values_; }
    void addNodeFromTail(std::uint32_t path, std::uint64_t offset);

    std::uint32_t deepest() const { return deepest_; }
    void resetDeepest() { deepest_ = 0; }

  private:
    std::vector<std::string> names_;
    std::vector<std::uint32_t> lowerNames_;
    std::unordered_map<std::string, std::uint32_t, StringHash, std::equal_to<>> nameIds_;
    std::vector<Path> paths_;
    std::unordered_map<std::uint64_t, std::uint32_t> children_;
    std::vector<Node> nodes_;
    std::string values_;
    std::uint32_t deepest_ = 0;
};

}  // namespace olmix::detail
