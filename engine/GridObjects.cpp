#include "engine/GridObjects.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cmath>

namespace qv::engine {

namespace {

constexpr int kGridObject = QTextFormat::UserObject + 7;
constexpr int kGridProperty = QTextFormat::UserProperty + 70;
constexpr int kPieceProperty = QTextFormat::UserProperty + 71;

QTextBlock markerBlock(const QTextDocument& doc, const QString& marker) {
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (b.length() == marker.size() + 1 && b.text() == marker) return b;
    return {};
}

}  // namespace

GridObjects::GridObjects(QTextDocument& doc, std::vector<GridTable> tables) : QObject(&doc) {
    doc.documentLayout()->registerHandler(kGridObject, this);
    const double width = doc.pageSize().width() - 2 * doc.documentMargin();
    for (GridTable& t : tables) grids_.push_back(std::make_unique<GridLayout>(std::move(t), doc.defaultFont(), width));
    pieces_.resize(grids_.size());
    for (int i = 0; i < static_cast<int>(grids_.size()); ++i) place(doc, i);
}

// Grid `index` goes where its marker stands, after the grids before it are
// in place, so that its first piece gets the room left on its page.
void GridObjects::place(QTextDocument& doc, int index) {
    const QTextBlock block = markerBlock(doc, gridMarker(index));
    if (!block.isValid()) return;
    const GridLayout& grid = *grids_[index];
    const double pageHeight = doc.pageSize().height();
    const double top = doc.documentLayout()->blockBoundingRect(block).top() + grid.topMargin();
    const double room = pageHeight > 0 ? pageHeight * (std::floor(top / pageHeight) + 1) - top : 1e9;
    pieces_[index] = grid.paginate(room, pageHeight > 0 ? pageHeight : 1e9);

    QTextCursor cursor(block);
    cursor.beginEditBlock();
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    const auto& pieces = pieces_[index];
    for (size_t k = 0; k < pieces.size(); ++k) {
        QTextBlockFormat paragraph;
        paragraph.setAlignment(grid.alignment());
        paragraph.setTopMargin(k == 0 ? grid.topMargin() : 0);
        paragraph.setBottomMargin(k + 1 == pieces.size() ? grid.bottomMargin() : 0);
        if (pieces[k].newPage) paragraph.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        if (k == 0) cursor.setBlockFormat(paragraph);
        else cursor.insertBlock(paragraph);
        QTextCharFormat object;
        object.setObjectType(kGridObject);
        object.setProperty(kGridProperty, index);
        object.setProperty(kPieceProperty, static_cast<int>(k));
        cursor.insertText(QString(QChar::ObjectReplacementCharacter), object);
    }
    cursor.endEditBlock();
}

const GridPiece* GridObjects::pieceOf(const QTextFormat& format, const GridLayout** grid) const {
    const int g = format.intProperty(kGridProperty), k = format.intProperty(kPieceProperty);
    if (g < 0 || g >= static_cast<int>(grids_.size()) || k < 0 || k >= static_cast<int>(pieces_[g].size()))
        return nullptr;
    *grid = grids_[g].get();
    return &pieces_[g][k];
}

QSizeF GridObjects::intrinsicSize(QTextDocument*, int, const QTextFormat& format) {
    const GridLayout* grid = nullptr;
    const GridPiece* piece = pieceOf(format, &grid);
    return piece ? grid->pieceSize(*piece) : QSizeF();
}

void GridObjects::drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat& format) {
    // A page's clip that only touches a piece (the piece above or below it)
    // draws nothing of it: nothing is sent to the printer for it.
    if (painter->hasClipping() && !painter->clipBoundingRect().intersects(rect.adjusted(0, 0.5, 0, -0.5))) return;
    const GridLayout* grid = nullptr;
    if (const GridPiece* piece = pieceOf(format, &grid)) grid->drawPiece(*painter, rect.topLeft(), *piece);
}

}  // namespace qv::engine
