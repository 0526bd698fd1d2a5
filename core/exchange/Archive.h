#pragma once
// 7z archives of the club's data. Every operation answers 0 for success or
// an error number that the user is shown ("An error (n) occurred during
// file compression."), with the reason in plain words beside it.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qv::exchange {

// The error numbers: a failure of the files or the archive, and a lack of memory.
inline constexpr int kArchiveFailed = 2;
inline constexpr int kArchiveNoMemory = 8;

// Reads `length` bytes at `offset` into `buffer`; false with the reason.
using ReadAt = std::function<bool(int64_t offset, char* buffer, size_t length, std::string& why)>;

struct ArchiveMember {
    std::string name;  // the name inside the archive
    std::string path;  // the file on disk, or, when `read` is set, what it is called in messages
    // Instead of the file: `size` bytes read through `read`.
    ReadAt read;
    int64_t size = 0;
};

// How the files are packed: deflated (small, for the network) or stored
// as they are (fast, for an archive that stays on this workstation).
enum class Packing { Deflate, Store };

// Writes a new archive holding `members`. It is written under another name
// and put in place only when whole, so an archive that was there before is
// never left half-written.
int packArchive(const std::string& archive, const std::vector<ArchiveMember>& members, std::string& why,
                Packing packing = Packing::Deflate);

// Limits on what an archive may unpack to.
struct ExtractLimits {
    uint64_t entryBytes = 4ull << 30;   // one file
    uint64_t totalBytes = 8ull << 30;   // all files
    int entries = 256;
};

// Unpacks the regular files of `archive` into `folder` (which must exist and
// be empty), each under its own name without the folders stored with it.
// They are work files, not flushed to the disk.
// The whole archive is refused when any entry has an absolute name or a ".."
// step, is a link or a device, two entries share a name, or the sizes pass
// the limits; what was unpacked before a refusal is removed again.
int extractArchive(const std::string& archive, const std::string& folder, const ExtractLimits& limits,
                   std::vector<std::string>& names, std::string& why);

}  // namespace qv::exchange
