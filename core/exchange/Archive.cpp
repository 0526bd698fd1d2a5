#include "core/exchange/Archive.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <cstring>
#include <filesystem>
#include <memory>
#include <set>

namespace qv::exchange {

namespace fs = std::filesystem;

namespace {

struct ArchiveFree {
    void operator()(archive* a) const { archive_free(a); }
};
using ArchivePtr = std::unique_ptr<archive, ArchiveFree>;
struct EntryFree {
    void operator()(archive_entry* e) const { archive_entry_free(e); }
};

int fail(std::string& why, const std::string& text, int code = kArchiveFailed) {
    why = text;
    return code;
}

std::string errorOf(archive* a) {
    const char* s = archive_error_string(a);
    return s ? s : "unknown archive error";
}

// The entry's bytes, a buffer at a time, from `read`.
int copyIn(archive* a, const ArchiveMember& m, const ReadAt& read, int64_t size, std::string& why) {
    std::vector<char> buffer(1 << 20);
    for (int64_t done = 0; done < size;) {
        const size_t n = static_cast<size_t>(std::min<int64_t>(size - done, static_cast<int64_t>(buffer.size())));
        if (!read(done, buffer.data(), n, why)) return fail(why, m.path + ": " + why);
        if (archive_write_data(a, buffer.data(), n) != static_cast<la_ssize_t>(n)) return fail(why, errorOf(a));
        done += static_cast<int64_t>(n);
    }
    return 0;
}

int writeHeader(archive* a, const ArchiveMember& m, int64_t size, time_t mtime, std::string& why) {
    std::unique_ptr<archive_entry, EntryFree> e(archive_entry_new());
    archive_entry_set_pathname(e.get(), m.name.c_str());
    archive_entry_set_filetype(e.get(), AE_IFREG);
    archive_entry_set_perm(e.get(), 0644);
    archive_entry_set_size(e.get(), size);
    archive_entry_set_mtime(e.get(), mtime, 0);
    return archive_write_header(a, e.get()) == ARCHIVE_OK ? 0 : fail(why, errorOf(a));
}

// Copies one member into the archive being written.
int addMember(archive* a, const ArchiveMember& m, std::string& why) {
    if (m.read) {
        const int rc = writeHeader(a, m, m.size, ::time(nullptr), why);
        return rc ? rc : copyIn(a, m, m.read, m.size, why);
    }
    const int fd = ::open(m.path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return fail(why, m.path + ": " + std::strerror(errno));
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return fail(why, m.path + ": not a file");
    const ReadAt read = [fd](int64_t offset, char* buffer, size_t length, std::string& error) {
        for (size_t done = 0; done < length;) {
            const ssize_t n = ::pread(fd, buffer + done, length - done, static_cast<off_t>(offset) + done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                error = n < 0 ? std::strerror(errno) : "shorter than expected";
                return false;
            }
            done += static_cast<size_t>(n);
        }
        return true;
    };
    const int rc = writeHeader(a, m, st.st_size, st.st_mtime, why);
    return rc ? rc : copyIn(a, m, read, st.st_size, why);
}

// A name that could land outside the folder it is unpacked into.
bool unsafeName(const std::string& name) {
    if (name.empty() || name[0] == '/' || name[0] == '\\') return true;
    if (name.size() >= 2 && name[1] == ':') return true;  // a drive letter
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of("/\\", start);
        if (end == std::string::npos) end = name.size();
        if (name.compare(start, end - start, "..") == 0 && end - start == 2) return true;
        start = end + 1;
    }
    return false;
}

std::string baseName(const std::string& name) {
    const size_t slash = name.find_last_of("/\\");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

}  // namespace

int packArchive(const std::string& archivePath, const std::vector<ArchiveMember>& members, std::string& why,
                Packing packing) {
    const std::string temp = archivePath + ".new";
    std::error_code ec;
    fs::remove(temp, ec);
    ArchivePtr a(archive_write_new());
    if (!a) return fail(why, "out of memory", kArchiveNoMemory);
    // Deflate at a low level: the club database packs to half its size
    // quickly, and every 7z reader can open it.
    const bool deflate = packing == Packing::Deflate;
    if (archive_write_set_format_7zip(a.get()) != ARCHIVE_OK ||
        archive_write_set_format_option(a.get(), "7zip", "compression", deflate ? "deflate" : "copy") != ARCHIVE_OK ||
        (deflate && archive_write_set_format_option(a.get(), "7zip", "compression-level", "1") != ARCHIVE_OK))
        return fail(why, errorOf(a.get()));
    if (archive_write_open_filename(a.get(), temp.c_str()) != ARCHIVE_OK)
        return fail(why, temp + ": " + errorOf(a.get()));
    int rc = 0;
    for (const ArchiveMember& m : members)
        if ((rc = addMember(a.get(), m, why)) != 0) break;
    if (archive_write_close(a.get()) != ARCHIVE_OK && rc == 0) rc = fail(why, errorOf(a.get()));
    a.reset();
    if (rc == 0) {
        fs::rename(temp, archivePath, ec);
        if (ec) rc = fail(why, archivePath + ": " + ec.message());
    }
    if (rc != 0) fs::remove(temp, ec);
    return rc;
}

int extractArchive(const std::string& archivePath, const std::string& folder, const ExtractLimits& limits,
                   std::vector<std::string>& names, std::string& why) {
    names.clear();
    ArchivePtr a(archive_read_new());
    if (!a) return fail(why, "out of memory", kArchiveNoMemory);
    archive_read_support_format_7zip(a.get());
    if (archive_read_open_filename(a.get(), archivePath.c_str(), 1 << 20) != ARCHIVE_OK)
        return fail(why, archivePath + ": " + errorOf(a.get()));

    std::set<std::string> seen;
    uint64_t total = 0;
    int rc = 0;
    auto refuse = [&](const std::string& text) { rc = fail(why, text); };
    archive_entry* e = nullptr;
    for (;;) {
        const int r = archive_read_next_header(a.get(), &e);
        if (r == ARCHIVE_EOF) break;
        if (r != ARCHIVE_OK) {
            refuse(archivePath + ": " + errorOf(a.get()));
            break;
        }
        const char* raw = archive_entry_pathname(e);
        const std::string name = raw ? raw : "";
        const mode_t type = archive_entry_filetype(e);
        if (unsafeName(name)) {
            refuse("the archive holds an entry outside its folder: " + name);
            break;
        }
        if (type == AE_IFDIR) continue;
        if (type != AE_IFREG || archive_entry_hardlink(e) || archive_entry_symlink(e)) {
            refuse("the archive holds a link or a device: " + name);
            break;
        }
        if (static_cast<int>(seen.size()) >= limits.entries) {
            refuse("the archive holds more than " + std::to_string(limits.entries) + " files");
            break;
        }
        const std::string base = baseName(name);
        if (base.empty() || base == "." || !seen.insert(base).second) {
            refuse("the archive holds two files named " + base);
            break;
        }
        if (archive_entry_size_is_set(e) &&
            (static_cast<uint64_t>(archive_entry_size(e)) > limits.entryBytes ||
             total + static_cast<uint64_t>(archive_entry_size(e)) > limits.totalBytes)) {
            refuse("the archive's file " + base + " is larger than this program accepts");
            break;
        }
        const std::string target = folder + "/" + base;
        const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            refuse(target + ": " + std::strerror(errno));
            break;
        }
        names.push_back(base);
        uint64_t size = 0;
        for (;;) {
            // The unpacked blocks as they come, without a copy of each.
            const void* block = nullptr;
            size_t n = 0;
            la_int64_t offset = 0;
            const int r = archive_read_data_block(a.get(), &block, &n, &offset);
            if (r == ARCHIVE_EOF) break;
            if (r != ARCHIVE_OK || offset < 0) {
                refuse(archivePath + ": " + errorOf(a.get()));
                break;
            }
            // The sizes in the header are not trusted: count what arrives.
            size = std::max<uint64_t>(size, static_cast<uint64_t>(offset) + n);
            if (size > limits.entryBytes || total + size > limits.totalBytes) {
                refuse("the archive's file " + base + " is larger than this program accepts");
                break;
            }
            for (size_t done = 0; done < n;) {
                const ssize_t w = ::pwrite(fd, static_cast<const char*>(block) + done, n - done,
                                           static_cast<off_t>(offset + static_cast<la_int64_t>(done)));
                if (w < 0 && errno == EINTR) continue;
                if (w <= 0) {
                    refuse(target + ": " + std::strerror(errno));
                    break;
                }
                done += static_cast<size_t>(w);
            }
            if (rc) break;
        }
        // No flush to the disk: what is unpacked is a work file, read back
        // at once; what must last is written later under SQLite's journal.
        if (::close(fd) != 0 && !rc) refuse(target + ": " + std::strerror(errno));
        if (rc) break;
        total += size;
    }
    if (rc) {
        std::error_code ec;
        for (const std::string& n : names) fs::remove(folder + "/" + n, ec);
        names.clear();
    }
    return rc;
}

}  // namespace qv::exchange
