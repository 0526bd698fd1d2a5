#pragma once
// Reading back the data files a builder wrote, for the report tests.

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/TextFiles.h"

namespace qvtest {

// The texts of every `<name>` element, in file order (empty elements too).
inline std::vector<std::string> elements(const std::string& xml, const std::string& name) {
    std::vector<std::string> out;
    const std::regex re("<" + name + "(?:/>|>([^<]*)</" + name + ">)");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), re); it != std::sregex_iterator(); ++it)
        out.push_back((*it)[1].str());
    return out;
}

// The file without the line that dates it.
inline std::string undated(const std::string& text) {
    std::string out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.find("XML document written") == std::string::npos) out += line + "\n";
    return out;
}

}  // namespace qvtest
