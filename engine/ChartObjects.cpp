#include "engine/ChartObjects.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace qv::engine {

namespace {

constexpr int kChartObject = QTextFormat::UserObject + 8;
constexpr int kChartProperty = QTextFormat::UserProperty + 80;
constexpr double kDefaultWidth = 640, kDefaultHeight = 260;
constexpr int kMaxCharts = 64;  // per document; more are left as they are

double side(double asked, double fallback) { return asked >= 1 && asked <= kChartMaxSide ? asked : fallback; }

}  // namespace

ChartObjects::ChartObjects(QTextDocument& doc) : QObject(&doc) {
    doc.documentLayout()->registerHandler(kChartObject, this);
    struct Found {
        int position;
        QTextCharFormat format;
    };
    std::vector<Found> found;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const QTextCharFormat format = f.charFormat();
            if (!format.isImageFormat() || !format.toImageFormat().name().startsWith("chart:", Qt::CaseInsensitive))
                continue;
            for (int i = 0; i < f.length() && static_cast<int>(found.size()) < kMaxCharts; ++i)
                found.push_back({f.position() + i, format});
        }
    QTextCursor cursor(&doc);
    for (const Found& f : found) {
        const QTextImageFormat image = f.format.toImageFormat();
        charts_.push_back({parseChart(image.name()), QSizeF(side(image.width(), kDefaultWidth),
                                                            side(image.height(), kDefaultHeight))});
        QTextCharFormat object = f.format;
        object.setObjectType(kChartObject);
        object.setProperty(kChartProperty, static_cast<int>(charts_.size()) - 1);
        cursor.setPosition(f.position);
        cursor.setPosition(f.position + 1, QTextCursor::KeepAnchor);
        cursor.setCharFormat(object);
    }
}

QSizeF ChartObjects::intrinsicSize(QTextDocument*, int, const QTextFormat& format) {
    const int i = format.intProperty(kChartProperty);
    return i >= 0 && i < static_cast<int>(charts_.size()) ? charts_[i].size : QSizeF();
}

void ChartObjects::drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat& format) {
    const int i = format.intProperty(kChartProperty);
    if (i < 0 || i >= static_cast<int>(charts_.size())) return;
    if (painter->hasClipping() && !painter->clipBoundingRect().intersects(rect)) return;
    painter->save();
    painter->translate(rect.topLeft());
    paintChartFrame(*painter, charts_[i].data, charts_[i].size);
    painter->restore();
}

}  // namespace qv::engine
