#pragma once
// The grid tables of a report in its document: each piece of a grid is one
// object in a paragraph of its own, as tall as the piece, with a page break
// before every piece but the first, so that the document pages them and the
// engine draws them.

#include <QObject>
#include <QTextObjectInterface>

#include <memory>
#include <vector>

#include "engine/GridLayout.h"

class QTextDocument;

namespace qv::engine {

class GridObjects : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    // Lays out `tables` and puts their pieces in place of their markers in
    // `doc` (laid out on pages already), whose child this becomes.
    GridObjects(QTextDocument& doc, std::vector<GridTable> tables);

    QSizeF intrinsicSize(QTextDocument* doc, int position, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* doc, int position,
                    const QTextFormat& format) override;

private:
    void place(QTextDocument& doc, int index);
    const GridPiece* pieceOf(const QTextFormat& format, const GridLayout** grid) const;

    std::vector<std::unique_ptr<GridLayout>> grids_;
    std::vector<std::vector<GridPiece>> pieces_;
};

}  // namespace qv::engine
