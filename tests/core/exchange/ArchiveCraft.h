#pragma once
// Builds 7z archives entry by entry, including the kinds of entry a careful
// reader must refuse.

#include <archive.h>
#include <archive_entry.h>

#include <string>
#include <vector>

namespace qvtest {

struct CraftedEntry {
    CraftedEntry(std::string n, std::string b, unsigned t = AE_IFREG, std::string link = {})
        : name(std::move(n)), bytes(std::move(b)), type(t), linkTarget(std::move(link)) {}
    std::string name;
    std::string bytes;
    unsigned type;  // AE_IFLNK for a link
    std::string linkTarget;
};

inline bool craftArchive(const std::string& path, const std::vector<CraftedEntry>& entries) {
    archive* a = archive_write_new();
    archive_write_set_format_7zip(a);
    if (archive_write_open_filename(a, path.c_str()) != ARCHIVE_OK) return false;
    for (const CraftedEntry& c : entries) {
        archive_entry* e = archive_entry_new();
        archive_entry_set_pathname(e, c.name.c_str());
        archive_entry_set_filetype(e, c.type);
        archive_entry_set_perm(e, 0644);
        if (c.type == AE_IFLNK) archive_entry_set_symlink(e, c.linkTarget.c_str());
        archive_entry_set_size(e, c.type == AE_IFREG ? static_cast<la_int64_t>(c.bytes.size()) : 0);
        archive_write_header(a, e);
        if (c.type == AE_IFREG) archive_write_data(a, c.bytes.data(), c.bytes.size());
        archive_entry_free(e);
    }
    const bool ok = archive_write_close(a) == ARCHIVE_OK;
    archive_write_free(a);
    return ok;
}

}  // namespace qvtest
