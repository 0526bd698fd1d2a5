#pragma once
// The document parser. It adds nodes to a NodeStore as elements complete and
// can be fed a document piece by piece: a construct cut off at the end of a
// piece is left for the next one.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "NodeStore.h"

namespace olmix::detail {

class Parser {
  public:
    Parser(NodeStore& store, bool quiet);

    // Parses `text`, whose first character stands at position `base` (from
    // 0) of the whole input. Returns how many characters were used; unless
    // `final`, an unfinished construct at the end is not used.
    std::size_t parse(std::string_view text, std::uint64_t base, bool final);
    // Drops text left after the last element.
    void finish();
    std::int16_t error() const { return error_; }

  private:
    static constexpr std::size_t kNeedMore = std::string_view::npos;

    std::size_t markup(std::string_view text, std::size_t at, std::uint64_t base, bool final);
    void tag(std::string_view tag);
    void attributes(std::uint32_t path, std::string_view text);
    void appendText(std::string_view text);
    void clearPending();
    void addElementNode(std::uint32_t path);
    void fail(const std::string& message);

    NodeStore& store_;
    bool quiet_;
    std::int16_t error_ = 0;
    std::vector<std::uint32_t> open_;  // paths of the open elements
    std::uint64_t pendingStart_;  // the pending text runs from here to the end of the value buffer
};

}  // namespace olmix::detail
