#pragma once
// The engine's stages of one built report, timed run by run: the definition
// run (HTML), the page layout and the PDF.

#include <filesystem>
#include <string>

#include "bench/core/data/BenchSupport.h"
#include "core/reports/ReportRun.h"
#include "engine/ReportEngine.h"

namespace qv::bench {

struct EngineStages {
    Best definition, pages, pdf;
    int pageCount = 0;
};

// Opens the built report in `engine`, lays out its pages and writes `pdf`,
// keeping each stage's best time in `out`.
inline void timeEngineStages(engine::ReportEngine& engine, const reports::ReportRun& run,
                             const std::filesystem::path& pdf, EngineStages& out) {
    {
        Timing t(out.definition);
        check(engine.openReport(run.reportFile), "open " + run.reportFile);
    }
    {
        Timing t(out.pages);
        out.pageCount = engine.report()->pageCount();
    }
    Timing t(out.pdf);
    check(engine.exportToDiskFile(engine::kExportPdf, pdf.string()), "pdf");
}

}  // namespace qv::bench
