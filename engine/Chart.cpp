#include "engine/Chart.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace qv::engine {

namespace {


// Colours that stay apart in grey too (dark, mid and light alternate), each
// with its own marker and dash so that a grey print still tells lines apart.
const QColor kColours[] = {QColor(0x1f, 0x3a, 0x5f), QColor(0xe0, 0x7b, 0x10), QColor(0x2a, 0x9d, 0x5c),
                           QColor(0xc0, 0x2f, 0x3a), QColor(0x7b, 0x5c, 0xb8), QColor(0x8a, 0x6a, 0x3b),
                           QColor(0x17, 0x9c, 0xc4), QColor(0x55, 0x55, 0x55), QColor(0xd4, 0x4f, 0x9e),
                           QColor(0x9a, 0xa6, 0x1c), QColor(0x00, 0x60, 0x60), QColor(0xa0, 0x30, 0x10)};
const Qt::PenStyle kDashes[] = {Qt::SolidLine, Qt::DashLine, Qt::SolidLine, Qt::DotLine, Qt::DashDotLine, Qt::SolidLine};
enum class Marker { Circle, Square, Triangle, Diamond, Cross, Plus };
constexpr int kMarkers = 6;

bool readNumber(const QString& text, double& out) {
    bool ok = false;
    out = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(out);
}

// A tick step of 1, 2 or 5 times a power of ten giving about `ticks` steps.
double niceStep(double span, int ticks) {
    if (!(span > 0)) return 1;
    const double raw = span / ticks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (raw <= m * power) return m * power;
    return 10 * power;
}

QString tickText(double v, double step) {
    const int places = step >= 1 ? 0 : std::min(3, static_cast<int>(std::ceil(-std::log10(step))));
    return QString::number(v, 'f', places);
}

void drawMarker(QPainter& p, Marker m, QPointF c, double r) {
    switch (m) {
        case Marker::Circle: p.drawEllipse(c, r, r); break;
        case Marker::Square: p.drawRect(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r)); break;
        case Marker::Triangle:
            p.drawPolygon(QPolygonF({QPointF(c.x(), c.y() - r * 1.2), QPointF(c.x() + r * 1.1, c.y() + r * 0.8),
                                     QPointF(c.x() - r * 1.1, c.y() + r * 0.8)}));
            break;
        case Marker::Diamond:
            p.drawPolygon(QPolygonF({QPointF(c.x(), c.y() - r * 1.3), QPointF(c.x() + r * 1.1, c.y()),
                                     QPointF(c.x(), c.y() + r * 1.3), QPointF(c.x() - r * 1.1, c.y())}));
            break;
        case Marker::Cross:
            p.drawLine(c + QPointF(-r, -r), c + QPointF(r, r));
            p.drawLine(c + QPointF(-r, r), c + QPointF(r, -r));
            break;
        case Marker::Plus:
            p.drawLine(c + QPointF(-r * 1.2, 0), c + QPointF(r * 1.2, 0));
            p.drawLine(c + QPointF(0, -r * 1.2), c + QPointF(0, r * 1.2));
            break;
    }
}

// Sets the pen and brush of series `i`: its colour, dash and marker fill.
void seriesPen(QPainter& p, int i, bool forMarker) {
    const QColor c = kColours[i % std::size(kColours)];
    QPen pen(c, forMarker ? 1.2 : 1.8);
    pen.setStyle(forMarker ? Qt::SolidLine : kDashes[i % std::size(kDashes)]);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    // Every other marker is hollow, which also tells lines apart in grey.
    p.setBrush(forMarker && i % 2 == 0 ? QBrush(c) : QBrush(Qt::white));
}

void paintChart(QPainter& p, const ChartData& chart, QRectF area) {
    QFont font("DejaVu Sans");
    font.setPixelSize(10);
    QFont bold = font;
    bold.setBold(true);
    bold.setPixelSize(12);
    const QFontMetricsF fm(font), bm(bold);
    const int points = static_cast<int>(chart.labels.size());

    // The title along the top.
    double top = area.top() + 6;
    if (!chart.title.isEmpty()) {
        p.setFont(bold);
        p.setPen(QColor(0x1f, 0x3a, 0x5f));
        p.drawText(QRectF(area.left() + 8, top, area.width() - 16, bm.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   bm.elidedText(chart.title, Qt::ElideRight, area.width() - 16));
        top += bm.height() + 6;
    }

    // The legend on the right.
    double legendWidth = 0;
    for (const ChartSeries& s : chart.series) legendWidth = std::max(legendWidth, fm.horizontalAdvance(s.name));
    legendWidth = std::min(legendWidth + 34, area.width() * 0.38);

    // The value range, from 0 unless a value lies below it.
    double lo = 0, hi = 0;
    for (const ChartSeries& s : chart.series)
        for (double v : s.values) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    if (hi - lo <= 0) hi = lo + 1;
    const double step = niceStep(hi - lo, 5);
    lo = std::floor(lo / step) * step;
    hi = std::ceil(hi / step) * step;

    double tickWidth = 0;
    for (double v = lo; v <= hi + step / 2; v += step) tickWidth = std::max(tickWidth, fm.horizontalAdvance(tickText(v, step)));
    const double left = area.left() + 8 + (chart.yCaption.isEmpty() ? 0 : fm.height() + 4) + tickWidth + 6;
    const double bottom = area.bottom() - 6 - fm.height() - 4 - (chart.xCaption.isEmpty() ? 0 : fm.height() + 2);
    const QRectF plot(left, top + 4, std::max(10.0, area.right() - legendWidth - 12 - left),
                      std::max(10.0, bottom - top - 4));
    auto yOf = [&](double v) { return plot.bottom() - (v - lo) / (hi - lo) * plot.height(); };
    // The first and last points stand a little in from the axes.
    const double inset = points > 1 ? std::min(10.0, plot.width() / (points - 1) / 2) : 0;
    auto xOf = [&](int i) {
        return points <= 1 ? plot.center().x() : plot.left() + inset + (plot.width() - 2 * inset) * i / (points - 1);
    };

    // Grid, value ticks and the axes.
    p.setFont(font);
    for (double v = lo; v <= hi + step / 2; v += step) {
        const double y = yOf(v);
        p.setPen(QPen(QColor(0xdd, 0xe2, 0xe8), 0.8));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(QColor(0x44, 0x44, 0x44));
        p.drawText(QRectF(plot.left() - tickWidth - 6, y - fm.height() / 2, tickWidth, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, tickText(v, step));
    }
    p.setPen(QPen(QColor(0x44, 0x44, 0x44), 1));
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    if (lo < 0) {
        p.setPen(QPen(QColor(0x88, 0x88, 0x88), 0.8));
        p.drawLine(QPointF(plot.left(), yOf(0)), QPointF(plot.right(), yOf(0)));
    }

    // Category labels, thinned out so that they never overlap.
    double widest = 0;
    for (const QString& l : chart.labels) widest = std::max(widest, fm.horizontalAdvance(l));
    const double slot = points > 1 ? (plot.width() - 2 * inset) / (points - 1) : plot.width();
    const int every = std::max(1, static_cast<int>(std::ceil((widest + 6) / std::max(1.0, slot))));
    p.setPen(QColor(0x44, 0x44, 0x44));
    for (int i = 0; i < points; ++i) {
        p.drawLine(QPointF(xOf(i), plot.bottom()), QPointF(xOf(i), plot.bottom() + 3));
        if (i % every) continue;
        p.drawText(QRectF(xOf(i) - widest / 2 - 3, plot.bottom() + 4, widest + 6, fm.height()), Qt::AlignCenter,
                   chart.labels[i]);
    }
    if (!chart.xCaption.isEmpty())
        p.drawText(QRectF(plot.left(), plot.bottom() + 4 + fm.height() + 2, plot.width(), fm.height()),
                   Qt::AlignCenter, chart.xCaption);
    if (!chart.yCaption.isEmpty()) {
        p.save();
        p.translate(area.left() + 8 + fm.height() / 2, plot.center().y());
        p.rotate(-90);
        p.drawText(QRectF(-plot.height() / 2, -fm.height() / 2, plot.height(), fm.height()), Qt::AlignCenter,
                   chart.yCaption);
        p.restore();
    }

    // The lines, then their markers on top.
    p.save();
    p.setClipRect(plot.adjusted(-6, -6, 6, 6));
    for (size_t s = 0; s < chart.series.size(); ++s) {
        const ChartSeries& series = chart.series[s];
        QPainterPath path;
        for (size_t i = 0; i < series.values.size(); ++i) {
            const QPointF at(xOf(static_cast<int>(i)), yOf(series.values[i]));
            i == 0 ? path.moveTo(at) : path.lineTo(at);
        }
        seriesPen(p, static_cast<int>(s), false);
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        seriesPen(p, static_cast<int>(s), true);
        for (size_t i = 0; i < series.values.size(); ++i)
            drawMarker(p, static_cast<Marker>(s % kMarkers), QPointF(xOf(static_cast<int>(i)), yOf(series.values[i])),
                       2.6);
    }
    p.restore();

    // The legend: a stretch of line with its marker, then the name.
    double y = plot.top();
    const double lx = plot.right() + 14;
    p.setFont(font);
    for (size_t s = 0; s < chart.series.size() && y + fm.height() <= area.bottom(); ++s) {
        const double mid = y + fm.height() / 2;
        seriesPen(p, static_cast<int>(s), false);
        p.drawLine(QPointF(lx, mid), QPointF(lx + 22, mid));
        seriesPen(p, static_cast<int>(s), true);
        drawMarker(p, static_cast<Marker>(s % kMarkers), QPointF(lx + 11, mid), 2.6);
        p.setPen(QColor(0x22, 0x22, 0x22));
        p.drawText(QRectF(lx + 28, y, area.right() - lx - 32, fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   fm.elidedText(chart.series[s].name, Qt::ElideRight, area.right() - lx - 32));
        y += fm.height() + 5;
    }
}

}  // namespace

std::optional<ChartData> parseChart(const QString& source) {
    if (!source.startsWith("chart:", Qt::CaseInsensitive)) return std::nullopt;
    const QString text = QString::fromUtf8(QByteArray::fromPercentEncoding(source.mid(6).toUtf8()));
    const QStringList sections = text.split('|');
    if (sections.size() < 2) return std::nullopt;
    ChartData chart;
    const QStringList head = sections[0].split('~');
    chart.title = head.value(0).trimmed();
    chart.xCaption = head.value(1).trimmed();
    chart.yCaption = head.value(2).trimmed();
    if (!sections[1].isEmpty()) chart.labels = sections[1].split('~');
    if (chart.labels.size() > kChartMaxPoints) return std::nullopt;
    for (qsizetype i = 2; i < sections.size() && static_cast<int>(chart.series.size()) < kChartMaxSeries; ++i) {
        if (sections[i].isEmpty()) continue;
        const QStringList items = sections[i].split('~');
        if (items.size() - 1 > chart.labels.size()) return std::nullopt;
        ChartSeries s;
        s.name = items[0].trimmed();
        for (qsizetype k = 1; k < items.size(); ++k) {
            double v = 0;
            if (!readNumber(items[k], v)) return std::nullopt;
            s.values.push_back(v);
        }
        chart.series.push_back(std::move(s));
    }
    return chart;
}

void paintChartFrame(QPainter& p, const std::optional<ChartData>& chart, QSizeF size) {
    const double w = std::clamp(size.width(), 1.0, kChartMaxSide), h = std::clamp(size.height(), 1.0, kChartMaxSide);
    const QRectF area(0, 0, w, h);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(area, Qt::white);
    p.setPen(QPen(QColor(0xc8, 0xd0, 0xda), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(area.adjusted(0.5, 0.5, -0.5, -0.5));
    if (chart && !chart->labels.isEmpty() && w >= 120 && h >= 80) paintChart(p, *chart, area);
    p.restore();
}

QImage drawChart(const std::optional<ChartData>& chart, QSizeF size, double scale) {
    const double w = std::clamp(size.width(), 1.0, kChartMaxSide), h = std::clamp(size.height(), 1.0, kChartMaxSide);
    // At most about twelve million pixels, whatever size is asked for.
    scale = std::clamp(std::min(scale, std::sqrt(12e6 / (w * h))), 0.1, 4.0);
    QImage image(QSize(qRound(w * scale), qRound(h * scale)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(scale, scale);
    paintChartFrame(p, chart, QSizeF(w, h));
    p.end();
    // Laid out at its size in the page, whatever resolution it is drawn at.
    image.setDevicePixelRatio(scale);
    return image;
}

}  // namespace qv::engine
