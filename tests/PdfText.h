#pragma once
// The text of a PDF as pdftotext reads it, with the font's ligatures read
// as their letters, for tests that check what a report prints.

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>

namespace qvtest {

inline std::string pdfText(const std::filesystem::path& pdf) {
    const std::string cmd = "pdftotext -layout '" + pdf.string() + "' - 2>/dev/null";
    std::string out;
    FILE* p = ::popen(cmd.c_str(), "r");
    char buf[4096];
    for (size_t n; p && (n = std::fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
    if (p) ::pclose(p);
    for (const auto& [ligature, letters] : {std::pair{"\xef\xac\x80", "ff"}, {"\xef\xac\x81", "fi"}, {"\xef\xac\x82", "fl"}})
        for (size_t at; (at = out.find(ligature)) != std::string::npos;) out.replace(at, 3, letters);
    return out;
}

}  // namespace qvtest
