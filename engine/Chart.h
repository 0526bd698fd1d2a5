#pragma once
// Line charts in a report page. A definition asks for one with an image
// whose source names the chart's data:
//
//   <img src="chart:TITLE~X CAPTION~Y CAPTION|X1~X2~...|NAME~V1~V2~...|NAME~..." width="W" height="H"/>
//
// sections split by "|", items by "~" (both may come percent-encoded, as
// the stylesheet processor writes a source). The engine draws each such
// chart in the page itself, in lines and text (sharp on paper, small in a
// PDF). Data that cannot be read gives an empty frame of the asked size,
// never a failure.

#include <QImage>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

class QPainter;

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
inline constexpr double kChartMaxSide = 2000;  // 96-dpi pixels, either way

// The chart named by an image source "chart:..."; nullopt when the source
// is not one or cannot be read.
std::optional<ChartData> parseChart(const QString& source);

// The chart in its frame, painted at the painter's origin, `size` in
// 96-dpi pixels; no data gives an empty frame.
void paintChartFrame(QPainter& painter, const std::optional<ChartData>& chart, QSizeF size);

// The same drawn into an image of `size` times `scale`.
QImage drawChart(const std::optional<ChartData>& chart, QSizeF size, double scale);

}  // namespace qv::engine
