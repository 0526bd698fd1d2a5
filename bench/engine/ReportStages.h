#pragma once
// The engine's stages of one built report, timed run by run: the definition
// run (XSLT to HTML), the page layout and the PDF. The definition's trees
// are freed on the engine's disposal worker while the layout runs: that
// work shows in the processor time of the later stages, not in the elapsed.

#include <filesystem>
#include <memory>
#include <string>

#include "bench/core/data/BenchSupport.h"
#include "core/reports/ReportRun.h"
#include "engine/PagedReport.h"
#include "engine/ReportEngine.h"
#include "engine/Transform.h"

namespace qv::bench {

struct EngineStages {
    Best definition, layout, pdf;
    int pageCount = 0;
};

// Runs the built report's definition as the engine would for `setup`, lays
// out its pages and writes `pdf`, keeping each stage's best time in `out`.
inline void timeEngineStages(const engine::EngineSetup& setup, const reports::ReportRun& run,
                             const std::filesystem::path& pdf, EngineStages& out) {
    const std::string definition = engine::ReportEngine(setup).locate(run.reportFile);
    check(!definition.empty(), "no definition " + run.reportFile);
    engine::TransformResult html;
    {
        Timing t(out.definition);
        html = engine::transform(definition, "file://" + (std::filesystem::path(setup.startFolder) / "DATA").string() + "/");
    }
    check(html.ok, "definition " + definition + ": " + html.error);
    std::unique_ptr<engine::PagedReport> report;
    {
        Timing t(out.layout);
        report = std::make_unique<engine::PagedReport>(html.html, setup.heading);
        out.pageCount = report->pageCount();
    }
    Timing t(out.pdf);
    check(report->writePdf(pdf.string()), "pdf");
}

}  // namespace qv::bench
