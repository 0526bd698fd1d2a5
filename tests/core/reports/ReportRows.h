#pragma once
// Reads a report's data file back as rows of field name → text, in file
// order, for the builders' tests.

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace qvtest {

using ReportRow = std::map<std::string, std::string>;

inline std::string readText(const std::filesystem::path& p) {
    std::ifstream in(p);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::vector<ReportRow> readRows(const std::string& text, const std::string& rowName = "Row") {
    std::vector<ReportRow> rows;
    const std::regex row("<" + rowName + ">([\\s\\S]*?)</" + rowName + ">");
    const std::regex field("<([a-z0-9]+)>([^<]*)</\\1>|<([a-z0-9]+)/>");
    for (auto r = std::sregex_iterator(text.begin(), text.end(), row); r != std::sregex_iterator(); ++r) {
        ReportRow out;
        const std::string body = (*r)[1];
        for (auto f = std::sregex_iterator(body.begin(), body.end(), field); f != std::sregex_iterator(); ++f)
            if ((*f)[1].matched)
                out[(*f)[1]] = (*f)[2];
            else
                out[(*f)[3]] = "";
        rows.push_back(out);
    }
    return rows;
}

// The rows of one member, in file order.
inline std::vector<ReportRow> rowsOf(const std::vector<ReportRow>& rows, int memberId) {
    std::vector<ReportRow> out;
    for (const ReportRow& r : rows)
        if (r.at("memberid") == std::to_string(memberId)) out.push_back(r);
    return out;
}

}  // namespace qvtest
