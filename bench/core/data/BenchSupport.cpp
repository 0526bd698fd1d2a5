#include "bench/core/data/BenchSupport.h"

#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>

#include "core/data/Workstation.h"

namespace fs = std::filesystem;

namespace qv::bench {

double since(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

double cpuNow() {
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

void check(bool ok, const std::string& what) {
    if (ok) return;
    std::cerr << "failed: " << what << '\n';
    std::exit(1);
}

Timing::~Timing() {
    best_.wall = std::min(best_.wall, since(wall_));
    best_.cpu = std::min(best_.cpu, cpuNow() - cpu_);
}

BenchWorkstation::~BenchWorkstation() {
    store.reset();
    if (!kept && !folder.empty()) {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
}

void openBenchWorkstation(const std::string& name, const char* keep, BenchWorkstation& out) {
    out.kept = keep != nullptr;
    out.folder = keep ? fs::path(keep)
                      : fs::temp_directory_path() / ("quillavon-bench-" + name + "-" + std::to_string(::getpid()));
    out.reuse = keep && fs::exists(out.folder / "DATA");
    if (!out.reuse) {
        fs::remove_all(out.folder);
        fs::create_directories(out.folder);
        check(data::initWorkstation(out.folder.string()).isOk(), "workstation");
    }
    check(data::openWorkstation(out.folder.string(), out.store, &out.settings).isOk(), "open");
}

}  // namespace qv::bench
