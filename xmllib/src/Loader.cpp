// Loading a document from a string or a file into the node list.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "Parser.h"
#include "ReaderState.h"
#include "Support.h"
#include "Text.h"
#include "olmix/Errors.h"
#include "olmix/Reader.h"

namespace olmix::detail {

ReaderState& reader() {
    thread_local ReaderState state;
    return state;
}

namespace {

constexpr std::uint64_t kWholeFileLimit = 64000;
constexpr std::uint64_t kChunkBytes = 32001;
constexpr std::size_t kReadBlock = 1 << 16;

class LoadClock {
  public:
    ~LoadClock() {
        auto elapsed = std::chrono::steady_clock::now() - start_;
        reader().loadTimeHundredths = std::uint32_t(
            std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() / 10);
    }

  private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

void prepare(ReaderState& r, bool append) {
    if (append) return;
    r.store.clear();
    r.currentPath = NodeStore::kRoot;
}

class Progress {
  public:
    Progress(const ReaderState& r, std::uint64_t total)
        : total_(total), active_(total >= r.progressMinimum && progressWanted()) {
        text_ = r.progressText.empty() ? "Loading XML Data ..." : r.progressText;
        if (active_) reportProgress(text_, 0, total_);
    }
    void update(std::uint64_t done) {
        if (active_) reportProgress(text_, done < total_ ? done : total_, total_);
    }
    ~Progress() {
        if (active_) reportProgress(text_, total_, total_);
    }

  private:
    std::uint64_t total_;
    bool active_;
    std::string text_;
};

enum class LineEnd { CrLf, Cr, Lf };

// Reads a file line by line with a fixed line end.
class LineReader {
  public:
    explicit LineReader(int fd) : fd_(fd) {}

    // The first bytes of the file, for deciding the line end.
    std::string_view peek() {
        while (!eof_ && buffer_.size() < kReadBlock) fill();
        return buffer_;
    }
    void setLineEnd(LineEnd lineEnd) { lineEnd_ = lineEnd; }
    int error() const { return error_; }
    std::uint64_t bytesRead() const { return bytesRead_; }

    // The next line without its end; false at the end of the file.
    bool next(std::string_view& line, std::size_t& rawLength) {
        while (true) {
            std::size_t end = findEnd();
            if (end != std::string_view::npos) {
                std::size_t endLength = lineEnd_ == LineEnd::CrLf ? 2 : 1;
                line = std::string_view(buffer_).substr(pos_, end - pos_);
                rawLength = end - pos_ + endLength;
                pos_ = end + endLength;
                scan_ = pos_;
                return true;
            }
            if (eof_) {
                if (pos_ >= buffer_.size()) return false;
                line = std::string_view(buffer_).substr(pos_);
                rawLength = line.size();
                pos_ = scan_ = buffer_.size();
                return true;
            }
            fill();
        }
    }

  private:
    std::size_t findEnd() {
        const char wanted = lineEnd_ == LineEnd::Lf ? '\n' : '\r';
        while (scan_ < buffer_.size()) {
            const void* hit = std::memchr(buffer_.data() + scan_, wanted, buffer_.size() - scan_);
            if (!hit) {
                scan_ = buffer_.size();
                return std::string_view::npos;
            }
            std::size_t at = std::size_t(static_cast<const char*>(hit) - buffer_.data());
            if (lineEnd_ != LineEnd::CrLf) return at;
            if (at + 1 >= buffer_.size()) {
                scan_ = at;  // the LF may follow in the next block
                return std::string_view::npos;
            }
            if (buffer_[at + 1] == '\n') return at;
            scan_ = at + 1;
        }
        return std::string_view::npos;
    }

    void fill() {
        if (pos_ > 0) {
            buffer_.erase(0, pos_);
            scan_ -= pos_;
            pos_ = 0;
        }
        std::size_t old = buffer_.size();
        buffer_.resize(old + kReadBlock);
        ssize_t n;
        do {
            n = ::read(fd_, buffer_.data() + old, kReadBlock);
        } while (n < 0 && errno == EINTR);
        if (n < 0) error_ = errno;
        if (n <= 0) {
            eof_ = true;
            n = 0;
        }
        buffer_.resize(old + std::size_t(n));
        bytesRead_ += std::uint64_t(n);
    }

    int fd_;
    std::string buffer_;
    std::size_t pos_ = 0;   // start of the next line
    std::size_t scan_ = 0;  // where the search for its end goes on
    bool eof_ = false;
    int error_ = 0;
    std::uint64_t bytesRead_ = 0;
    LineEnd lineEnd_ = LineEnd::CrLf;
};

// The first line, up to the first CR LF, decides: a CR in it means lines end
// at CR, else an LF in it means lines end at LF, else at CR LF.
LineEnd detectLineEnd(std::string_view start) {
    std::string_view first = start.substr(0, start.find("\r\n"));
    if (first.find('\r') != std::string_view::npos) return LineEnd::Cr;
    if (first.find('\n') != std::string_view::npos) return LineEnd::Lf;
    return LineEnd::CrLf;
}

std::int16_t loadFile(ReaderState& r, const std::string& fileName, bool quiet) {
    int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return fileErrorCode(errno, fileName);
    struct stat st {};
    std::uint64_t size = ::fstat(fd, &st) == 0 ? std::uint64_t(st.st_size) : 0;
    r.lastFile = fileName;

    Progress progress(r, size);
    LineReader lines(fd);
    lines.setLineEnd(detectLineEnd(lines.peek()));
    const std::uint64_t chunkBytes = size <= kWholeFileLimit ? UINT64_MAX : kChunkBytes;

    Parser parser(r.store, quiet);
    std::string chunk;
    std::uint64_t base = 0;      // position of chunk[0] in the joined text
    std::uint64_t chunkRaw = 0;  // file bytes behind the chunk since the last parse
    std::size_t carryFloor = 0;  // parse again only once the text left over has doubled
    std::string_view line;
    std::size_t rawLength = 0;
    while (!parser.error() && lines.next(line, rawLength)) {
        chunk.append(trim(line));
        chunkRaw += rawLength;
        if (chunkRaw >= chunkBytes && chunk.size() >= carryFloor) {
            std::size_t used = parser.parse(chunk, base, false);
            base += used;
            chunk.erase(0, used);
            chunkRaw = 0;
            carryFloor = 2 * chunk.size();
            progress.update(lines.bytesRead());
        }
    }
    if (!parser.error()) parser.parse(chunk, base, true);
    parser.finish();
    ::close(fd);
    if (parser.error()) return parser.error();
    if (lines.error()) return fileErrorCode(lines.error(), fileName);
    return 0;
}

}  // namespace
}  // namespace olmix::detail

using namespace olmix::detail;

std::int16_t XML_LOADFROMSTRING(std::string_view text, std::optional<std::uint8_t> append,
                                std::optional<std::uint8_t> quiet) {
    return guarded("XML:LOADFROMSTRING", olmix::error::kParse, [&]() -> std::int16_t {
        ReaderState& r = reader();
        LoadClock clock;
        prepare(r, append.value_or(0) == 1);
        Progress progress(r, text.size());
        Parser parser(r.store, quiet.value_or(0) == 1);
        parser.parse(text, 0, true);
        parser.finish();
        return r.result(parser.error());
    });
}

std::int16_t XML_LOADFROMFILE(std::string_view fileName, std::optional<std::uint8_t> append,
                              std::optional<std::uint8_t> quiet) {
    return guarded("XML:LOADFROMFILE", olmix::error::kParse, [&]() -> std::int16_t {
        ReaderState& r = reader();
        LoadClock clock;
        prepare(r, append.value_or(0) == 1);
        return r.result(loadFile(r, std::string(fileName), quiet.value_or(0) == 1));
    });
}

void XML_FREE() {
    guarded("XML:FREE", [&] {
        ReaderState& r = reader();
        r.store.clear();
        r.current = 0;
        r.currentPath = NodeStore::kRoot;
        r.saved = {};
        r.primaryFields.clear();
        r.primaryKeys.clear();
        r.attributeFields.clear();
        r.qualifyFields.clear();
        r.autoRootSet = false;
        r.autoRootNode = r.autoRootDepth = 0;
    });
}

void XML_SETPROGRESSWINDOW(std::uint32_t minimumSize, std::optional<std::string_view> text) {
    guarded("XML:SETPROGRESSWINDOW", [&] {
        ReaderState& r = reader();
        r.progressMinimum = minimumSize;
        r.progressText.assign(clip(text.value_or("")));
    });
}

namespace olmix {

ReaderInfo readerInfo() {
    ReaderState& r = reader();
    return ReaderInfo{r.store.count(), r.store.deepest(), r.loadTimeHundredths, r.lastFile};
}

bool nodeAt(std::uint32_t number, std::string& path, std::string& value) {
    ReaderState& r = reader();
    if (number < 1 || number > r.store.count()) return false;
    std::vector<std::uint32_t> levels;
    for (std::uint32_t p = r.store.nodePath(number); p != NodeStore::kRoot;
         p = r.store.path(p).parent)
        levels.push_back(p);
    path.clear();
    for (auto it = levels.rbegin(); it != levels.rend(); ++it) {
        if (!path.empty()) path.push_back('/');
        path.append(r.store.pathName(*it));
    }
    value.assign(r.store.value(number));
    return true;
}

}  // namespace olmix
