#pragma once
// Reading a file the code under test wrote, and counting what stands in it.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace qvtest {

// The whole file, byte for byte; empty when it cannot be read.
inline std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// How many times `what` stands in `text`, overlaps included.
inline int occurrences(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

}  // namespace qvtest
