#pragma once
// A report definition is an XSLT 1.0 stylesheet. It reads its own data
// files with document(), relative to the data folder it is given as the
// parameter `data`, and makes HTML. Definitions may read files but never
// write one or reach the network.

#include <string>

namespace qv::engine {

struct TransformResult {
    bool ok = false;
    std::string html;
    std::string error;  // the stylesheet processor's own text when not ok
};

// Runs `definition` with $data set to `dataFolder` (ending with "/").
TransformResult transform(const std::string& definition, const std::string& dataFolder);

}  // namespace qv::engine
