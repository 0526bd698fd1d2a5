#pragma once
// Line charts in a report page. A definition asks for one with an image
// whose source names the chart's data:
//
//   <img src="chart:TITLE~X CAPTION~Y CAPTION|X1~X2~...|NAME~V1~V2~...|NAME~..." width="W" height="H"/>
//
// sections split by "|", items by "~" (both may come percent-encoded, as
// the stylesheet processor writes a source). The engine draws each such
// chart into an image at print resolution and hands it to the document
// before the page is laid out. Data that cannot be read gives an empty
// frame of the asked size, never a failure.

#include <QImage>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

class QTextDocument;

namespace qv::engine {

struct ChartSeries {
    QString name;
    std::vector<double> values;  // one per x label at most, from the first
};

struct ChartData {
    QString title, xCaption, yCaption;
    QStringList labels;
    std::vector<ChartSeries> series;
};

inline constexpr int kChartMaxSeries = 12;
inline constexpr int kChartMaxPoints = 400;

// The chart named by an image source "chart:..."; nullopt when the source
// is not one or cannot be read.
std::optional<ChartData> parseChart(const QString& source);

// The chart drawn into an image of `size` (96-dpi pixels) times `scale`;
// no data gives an empty frame.
QImage drawChart(const std::optional<ChartData>& chart, QSizeF size, double scale);

// Draws every chart image of `html` and adds it to `doc` as the image
// resource its source names.
void addChartResources(QTextDocument& doc, const std::string& html);

}  // namespace qv::engine
