#pragma once
// A grid table measured and cut into pieces that fit the pages, each piece
// headed by the table's header rows, and drawn piece by piece. Cells look as
// the document would draw them: the look of each kind of cell (font,
// colour, background, alignment, padding) is read from the document itself,
// with the report's style sheet.

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QGlyphRun>
#include <QSizeF>

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "engine/GridTable.h"
#include "engine/GridText.h"

class QPainter;

namespace qv::engine {

struct CellLook {
    QFont font;
    QColor colour = Qt::black;
    QBrush background;
    Qt::Alignment align = Qt::AlignLeft;
    double padLeft = 0, padRight = 0, padTop = 0, padBottom = 0;
    double lineHeight = 0;  // of one line of text
};

// Rows [from, to) of the body under the header rows.
struct GridPiece {
    int from = 0, to = 0;
    bool newPage = false;  // starts on a page of its own
};

class GridLayout {
public:
    // `width`: the width the table's own width (a percentage) is taken of.
    GridLayout(GridTable table, const QFont& defaultFont, double width);

    // Pieces that fit: the first in `firstRoom` (or on a new page when even
    // its header and first row do not), the rest in a page each.
    std::vector<GridPiece> paginate(double firstRoom, double pageHeight) const;
    QSizeF pieceSize(const GridPiece& piece) const;
    void drawPiece(QPainter& painter, QPointF topLeft, const GridPiece& piece) const;

    double topMargin() const { return topMargin_; }
    double bottomMargin() const { return bottomMargin_; }
    Qt::Alignment alignment() const { return align_; }
    const CellLook& look(int index) const { return looks_[index]; }
    double columnLeft(int column) const { return columnX_[column] * scale_; }
    double rowHeight(int row) const { return rowHeights_[row] * scale_; }
    int bodyRows() const { return static_cast<int>(table_.rows.size()) - table_.headerRows; }

private:
    // The text of a row in one colour and font, all its cells' glyphs in one
    // run: drawn in one go.
    struct Ink {
        QColor colour;
        QGlyphRun run;
    };
    void readLooks(const QFont& defaultFont);
    void measure(double width);
    void inkRows(const std::vector<std::vector<const GridText::Shaped*>>& shaped);
    // The left and right edges of a cell from `column` spanning `span` columns.
    std::pair<double, double> cellEdges(int column, int span) const;
    double rowsHeight(int from, int to) const;  // unscaled, spacing below each row included
    void drawRow(QPainter& painter, int row, double y) const;

    GridTable table_;
    std::vector<CellLook> looks_;
    std::vector<GridText*> texts_;  // per look
    std::map<QString, std::unique_ptr<GridText>> fonts_;  // by font, shared by the looks that use it
    std::vector<std::vector<Ink>> ink_;  // per row
    std::vector<double> columnX_;   // left edge of each column, and the right edge last
    std::vector<double> rowHeights_;
    double spacing_ = 0, width_ = 0, scale_ = 1;
    double topMargin_ = 0, bottomMargin_ = 0;
    QBrush tableBackground_;
    Qt::Alignment align_ = Qt::AlignLeft;
    enum class Width { Natural, Percent, Fixed } widthKind_ = Width::Natural;
    double widthValue_ = 0;
};

}  // namespace qv::engine
