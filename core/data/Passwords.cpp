#include "core/data/Passwords.h"

#include <sodium.h>

#include <stdexcept>

namespace qv::data {

namespace {

void ensureSodium() {
    static const bool ready = sodium_init() >= 0;
    if (!ready) throw std::runtime_error("the password library could not start");
}

}  // namespace

std::string hashPassword(std::string_view password) {
    ensureSodium();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw std::runtime_error("out of memory while hashing a password");
    return out;
}

bool verifyPassword(const std::string& hash, std::string_view password) {
    ensureSodium();
    if (hash.empty() || hash.size() >= crypto_pwhash_STRBYTES) return false;
    return crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

void spendPasswordCheck(std::string_view password) {
    // Made with the interactive limits, as stored hashes are.
    static const std::string kNobody =
        "$argon2id$v=19$m=65536,t=2,p=1$RUVKbhikBlQeXyc7gqpERg$"
        "q88GFaBt8+uDnSsgtGcvUWLAryPOWbEDwucuqBRpH0I";
    (void)verifyPassword(kNobody, password);
}

bool passwordNeedsRehash(const std::string& hash) {
    ensureSodium();
    return crypto_pwhash_str_needs_rehash(hash.c_str(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0;
}

}  // namespace qv::data
