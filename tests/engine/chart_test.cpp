// Line charts in report pages: the source a definition writes, the image
// the engine draws from it, and sources it cannot read.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <filesystem>
#include <fstream>
#include <random>

#include "engine/Chart.h"
#include "engine/PagedReport.h"
#include "engine/ReportEngine.h"

namespace {

namespace fs = std::filesystem;
using namespace qv::engine;

// Pixels within a small distance of `c`: the first series is dark blue, the second orange.
int pixelsLike(const QImage& image, QColor c) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (std::abs(p.red() - c.red()) + std::abs(p.green() - c.green()) + std::abs(p.blue() - c.blue()) < 30) ++n;
        }
    return n;
}
const QColor kFirst(0x1f, 0x3a, 0x5f), kSecond(0xe0, 0x7b, 0x10);

TEST(Chart, TheSourceCarriesTitleLabelsAndSeries) {
    const auto chart = parseChart("chart:A%20Grade~Trip~Points|1~2~3|Ann Smith (L)~1~3.5~6|Bob%C3%A9~0~-2");
    ASSERT_TRUE(chart);
    EXPECT_EQ(chart->title, "A Grade");
    EXPECT_EQ(chart->xCaption, "Trip");
    EXPECT_EQ(chart->yCaption, "Points");
    EXPECT_EQ(chart->labels, (QStringList{"1", "2", "3"}));
    ASSERT_EQ(chart->series.size(), 2u);
    EXPECT_EQ(chart->series[0].name, "Ann Smith (L)");
    EXPECT_EQ(chart->series[0].values, (std::vector<double>{1, 3.5, 6}));
    EXPECT_EQ(chart->series[1].name, QString::fromUtf8("Bob\xC3\xA9"));
    EXPECT_EQ(chart->series[1].values, (std::vector<double>{0, -2}));
    // A chart without series is still a chart: axes and no lines.
    EXPECT_TRUE(parseChart("chart:Empty|1~2"));
}

TEST(Chart, SourcesThatCannotBeReadGiveAnEmptyFrame) {
    for (const char* bad : {"chart:", "chart:title only", "chart:T|1~2|Ann~1~x", "chart:T|1~2|Ann~1~2~3",
                            "chart:T|1|Ann~nan", "chart:T|1|Ann~1e999", "picture.png"})
        EXPECT_FALSE(parseChart(bad)) << bad;
    std::string many = "chart:T|";
    for (int i = 0; i <= kChartMaxPoints; ++i) many += "1~";
    EXPECT_FALSE(parseChart(QString::fromStdString(many)));

    const QImage empty = drawChart(std::nullopt, QSizeF(200, 100), 2);
    EXPECT_EQ(empty.size(), QSize(400, 200));
    EXPECT_EQ(pixelsLike(empty, kFirst), 0);
    // Any size asked for is held to a sane image.
    const QImage huge = drawChart(parseChart("chart:T|1~2|Ann~1~2"), QSizeF(1e9, -5), 4);
    EXPECT_LE(static_cast<double>(huge.width()) * huge.height(), 12.5e6);
}

TEST(Chart, EachSeriesIsDrawnInItsOwnColour) {
    const QImage image = drawChart(parseChart("chart:A|1~2~3~4|Ann~1~5~9~12|Bob~0~2~3~11"), QSizeF(400, 200), 2);
    EXPECT_EQ(image.size(), QSize(800, 400));
    EXPECT_DOUBLE_EQ(image.devicePixelRatio(), 2.0) << "laid out at the size asked for";
    EXPECT_GT(pixelsLike(image, kFirst), 200);
    EXPECT_GT(pixelsLike(image, kSecond), 200);
}

// The page draws what the definition's image source names, also when the
// stylesheet processor has percent-encoded it.
TEST(Chart, ReportPagesShowTheirCharts) {
    std::random_device rd;
    const fs::path start = fs::temp_directory_path() / ("quillavon-chart-" + std::to_string(rd()));
    fs::create_directories(start / "reports");
    fs::create_directories(start / "DATA");
    std::ofstream(start / "reports" / "rptChart.rpt")
        << R"(<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">)"
           R"(<xsl:output method="html"/><xsl:param name="data"/><xsl:template match="/"><html><body>)"
           R"(<img src="chart:Grade A~Trip~Points|1~2|Zoë Ann~5~900|Bob~1~800" width="400" height="200"/>)"
           R"(<img src="chart:broken|1|x~y" width="300" height="100"/>)"
           R"(</body></html></xsl:template></xsl:stylesheet>)";
    ReportEngine e({start.string(), {}, {"Test Club", "Chart", "07/12/2026"}});
    ASSERT_TRUE(e.openReport("reports/rptChart.rpt")) << e.lastError()->text;
    EXPECT_NE(e.report()->html().find("%20"), std::string::npos) << "the source came out percent-encoded";
    // Orange is the second series' colour and nowhere else on the page.
    EXPECT_GT(pixelsLike(e.report()->pageImage(0, 96), kSecond), 100);
    fs::remove_all(start);

    // Straight HTML, entities in the source included.
    PagedReport page(R"(<html><body><img src="chart:Q &amp; A|1~2|Ann~1~2|Bob~2~1" width="300" height="150"></body></html>)",
                     {"Club", "T", "07/12/2026"});
    EXPECT_GT(pixelsLike(page.pageImage(0, 96), kSecond), 100);
}

}  // namespace
