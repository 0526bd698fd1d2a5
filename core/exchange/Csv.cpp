#include "core/exchange/Csv.h"

namespace qv::exchange {

std::string csvField(std::string_view value) {
    std::string v;
    if (!value.empty() && (value[0] == '=' || value[0] == '+' || value[0] == '-' || value[0] == '@')) v = "'";
    v += value;
    if (v.find_first_of(",\"\r\n") == std::string::npos) return v;
    std::string quoted = "\"";
    for (char c : v) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace qv::exchange
