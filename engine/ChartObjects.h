#pragma once
// The charts of a report in its document: each chart image the definition
// asked for becomes an object of the same size that the engine paints in
// place, so that it prints in lines and text rather than as a picture.

#include <QObject>
#include <QTextObjectInterface>

#include <optional>
#include <vector>

#include "engine/Chart.h"

class QTextDocument;

namespace qv::engine {

class ChartObjects : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    // Turns the chart images of `doc` into chart objects; the handler
    // becomes the document's child. Call before the document is laid out.
    explicit ChartObjects(QTextDocument& doc);

    QSizeF intrinsicSize(QTextDocument* doc, int position, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* doc, int position,
                    const QTextFormat& format) override;

private:
    struct Chart {
        std::optional<ChartData> data;
        QSizeF size;
    };
    std::vector<Chart> charts_;
};

}  // namespace qv::engine
