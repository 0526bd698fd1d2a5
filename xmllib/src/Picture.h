#pragma once

#include <string>
#include <string_view>

namespace olmix::detail {

// Formats `value` with a display picture: "@Sw" keeps the first w
// characters; "@N[0]w[.d]" writes the number with d places right-aligned in
// w characters, zero-filled when the width starts with 0. Any other picture
// leaves the value as it is.
std::string formatPicture(std::string_view value, std::string_view picture);

}  // namespace olmix::detail
