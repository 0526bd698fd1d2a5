#pragma once
// The writer's per-thread state and the steps the operations are built from.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace olmix::detail {

enum class OutputMode : std::uint8_t { None = 0, File = 1, String = 2 };

struct WriterState {
    OutputMode mode = OutputMode::None;
    std::vector<std::string> parents;  // created, not yet closed; the last is innermost
    std::vector<std::pair<std::string, std::string>> attributes;  // for the next start tag
    std::string prefix;                                           // element prefix, empty = none
    std::string out;  // file: bytes not yet written; string: the whole document
    std::size_t lineStart = 0;
    int fd = -1;
    std::string fileName;

    WriterState() = default;
    WriterState(const WriterState&) = delete;
    WriterState& operator=(const WriterState&) = delete;
    ~WriterState();

    bool writing() const { return mode == OutputMode::String || fd >= 0; }
};

WriterState& writer();

// A line starts: a string document puts CR LF between lines.
void beginLine(WriterState& w);
// The line ends: trailing blanks go, a file line gets its CR LF.
void endLine(WriterState& w);

void createParent(WriterState& w, std::string_view name);
void createAttribute(WriterState& w, std::string_view name, std::string_view value);
void addParent(WriterState& w, bool closeAtOnce, std::string_view value);
void closeParent(WriterState& w);
void addElement(WriterState& w, std::string_view name, std::string_view value, bool rawSection);
// Ends the open document: flushes and closes the file, resets the state.
void closeDocument(WriterState& w, bool closeAll);

// Local date and time texts.
std::string bannerText();
std::string iso8601Now();

}  // namespace olmix::detail
