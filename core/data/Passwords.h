#pragma once
// Salted password hashes (Argon2id, at least the interactive limits).

#include <string>
#include <string_view>

namespace qv::data {

std::string hashPassword(std::string_view password);
// False for a malformed or empty hash as well as for a wrong password.
bool verifyPassword(const std::string& hash, std::string_view password);
bool passwordNeedsRehash(const std::string& hash);
// Checks `password` against a hash no user has, so that an unknown user id
// costs the same time as a known one.
void spendPasswordCheck(std::string_view password);

}  // namespace qv::data
