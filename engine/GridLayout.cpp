#include "engine/GridLayout.h"

#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>
#include <numeric>

namespace qv::engine {

namespace {

constexpr double kSlack = 0.5;  // room kept at a page's foot for rounding in the document's layout

void tablesIn(QTextFrame* frame, std::vector<QTextTable*>& out) {
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child)) out.push_back(table);
        else tablesIn(child, out);
    }
}

double padding(const QTextTableCellFormat& cell, const QTextTableFormat& table, QTextFormat::Property side,
               double value) {
    return cell.hasProperty(side) ? value : table.cellPadding();
}

}  // namespace

GridLayout::GridLayout(GridTable table, const QFont& defaultFont, double width) : table_(std::move(table)) {
    readLooks(defaultFont);
    measure(width);
}

void GridLayout::readLooks(const QFont& defaultFont) {
    QTextDocument doc;
    doc.setUndoRedoEnabled(false);
    doc.setDefaultFont(defaultFont);
    doc.setHtml(table_.looksHtml);
    std::vector<QTextTable*> tables;
    tablesIn(doc.rootFrame(), tables);
    CellLook plain;
    plain.font = defaultFont;
    looks_.assign(table_.lookCount, plain);
    for (int i = 0; i < table_.lookCount && i < static_cast<int>(tables.size()); ++i) {
        const QTextTableFormat tf = tables[i]->format();
        if (i == 0) {
            spacing_ = tf.cellSpacing();
            topMargin_ = tf.topMargin();
            bottomMargin_ = tf.bottomMargin();
            tableBackground_ = tf.background();
            align_ = tf.alignment() & Qt::AlignHorizontal_Mask;
            const QTextLength w = tf.width();
            widthKind_ = w.type() == QTextLength::PercentageLength ? Width::Percent
                         : w.type() == QTextLength::FixedLength    ? Width::Fixed
                                                                   : Width::Natural;
            widthValue_ = w.rawValue();
        }
        const QTextTableCell cell = tables[i]->cellAt(0, 0);
        const QTextTableCellFormat cf = cell.format().toTableCellFormat();
        const QTextBlock block = cell.firstCursorPosition().block();
        const QTextCharFormat ch = block.begin() != block.end() ? block.begin().fragment().charFormat() : block.charFormat();
        CellLook& look = looks_[i];
        look.font = ch.font().resolve(defaultFont);
        if (ch.foreground().style() != Qt::NoBrush) look.colour = ch.foreground().color();
        look.background = cf.background();
        look.align = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
        look.padLeft = padding(cf, tf, QTextFormat::TableCellLeftPadding, cf.leftPadding());
        look.padRight = padding(cf, tf, QTextFormat::TableCellRightPadding, cf.rightPadding());
        look.padTop = padding(cf, tf, QTextFormat::TableCellTopPadding, cf.topPadding());
        look.padBottom = padding(cf, tf, QTextFormat::TableCellBottomPadding, cf.bottomPadding());
    }
    for (CellLook& look : looks_) {
        std::unique_ptr<GridText>& text = fonts_[look.font.key()];
        if (!text) text = std::make_unique<GridText>(look.font);
        texts_.push_back(text.get());
        look.lineHeight = text->lineHeight();
    }
}

void GridLayout::measure(double width) {
    const int columns = std::max(1, table_.columnCount());
    std::vector<double> natural(columns, 0);
    std::vector<std::vector<const GridText::Shaped*>> shaped(table_.rows.size());
    rowHeights_.assign(table_.rows.size(), 0);
    struct Span {
        int first, count;
        double need;
    };
    std::vector<Span> spans;
    for (size_t r = 0; r < table_.rows.size(); ++r) {
        int column = 0;
        for (const GridCell& cell : table_.rows[r].cells) {
            const CellLook& look = looks_[cell.look];
            const GridText::Shaped& text = texts_[cell.look]->shape(cell.text);
            shaped[r].push_back(&text);
            const double need = look.padLeft + text.advance + look.padRight;
            if (cell.span == 1) natural[column] = std::max(natural[column], need);
            else spans.push_back({column, std::min(cell.span, columns - column), need});
            rowHeights_[r] = std::max(rowHeights_[r], look.padTop + look.lineHeight + look.padBottom);
            column += cell.span;
        }
    }
    // A spanning cell wider than its columns widens them alike.
    for (const Span& s : spans) {
        const double have = std::accumulate(natural.begin() + s.first, natural.begin() + s.first + s.count, 0.0) +
                            spacing_ * (s.count - 1);
        if (have < s.need)
            for (int c = s.first; c < s.first + s.count; ++c) natural[c] += (s.need - have) / s.count;
    }

    const double spacings = spacing_ * (columns + 1);
    const double wanted = std::accumulate(natural.begin(), natural.end(), 0.0) + spacings;
    double target = wanted;
    if (widthKind_ == Width::Percent) target = width * widthValue_ / 100.0;
    else if (widthKind_ == Width::Fixed) target = widthValue_;
    target = std::min(target, width);
    if (wanted < target) {
        // Room to spare goes to the columns alike, so that a narrow column
        // (a place, a count) stands as clear of its neighbours as a wide one.
        const double extra = (target - wanted) / columns;
        for (double& w : natural) w += extra;
    }
    width_ = std::max(wanted, target);
    scale_ = width_ > width && width > 0 ? width / width_ : 1.0;  // too wide: drawn smaller, never cut
    columnX_.assign(columns + 1, 0);
    double x = spacing_;
    for (int c = 0; c < columns; ++c) {
        columnX_[c] = x;
        x += natural[c] + spacing_;
    }
    columnX_[columns] = x - spacing_;
    inkRows(shaped);
}

void GridLayout::inkRows(const std::vector<std::vector<const GridText::Shaped*>>& shaped) {
    struct Builder {
        QColor colour;
        QGlyphRun model;
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };
    const int columns = static_cast<int>(columnX_.size()) - 1;
    ink_.assign(table_.rows.size(), {});
    for (size_t r = 0; r < table_.rows.size(); ++r) {
        std::vector<Builder> builders;
        int column = 0;
        for (size_t i = 0; i < table_.rows[r].cells.size() && column < columns; ++i) {
            const GridCell& cell = table_.rows[r].cells[i];
            const GridText::Shaped& text = *shaped[r][i];
            const CellLook& look = looks_[cell.look];
            auto [left, right] = cellEdges(column, cell.span);
            left += look.padLeft;
            right -= look.padRight;
            double x = left;
            if (look.align & Qt::AlignRight) x = right - text.advance;
            else if (look.align & Qt::AlignHCenter) x = (left + right - text.advance) / 2;
            const QPointF at(x, look.padTop);
            for (const QGlyphRun& g : text.glyphs) {
                auto b = std::find_if(builders.begin(), builders.end(), [&](const Builder& b) {
                    return b.colour == look.colour && b.model.rawFont() == g.rawFont() && b.model.flags() == g.flags();
                });
                if (b == builders.end()) b = builders.insert(builders.end(), Builder{look.colour, g, {}, {}});
                b->glyphs += g.glyphIndexes();
                for (const QPointF& p : g.positions()) b->positions.push_back(p + at);
            }
            column += cell.span;
        }
        for (Builder& b : builders) {
            b.model.setGlyphIndexes(b.glyphs);
            b.model.setPositions(b.positions);
            ink_[r].push_back({b.colour, std::move(b.model)});
        }
    }
}

std::pair<double, double> GridLayout::cellEdges(int column, int span) const {
    const int columns = static_cast<int>(columnX_.size()) - 1;
    const int last = std::min(columns, column + span);
    return {columnX_[column], columnX_[last] - (last < columns ? spacing_ : 0)};
}

double GridLayout::rowsHeight(int from, int to) const {
    double h = 0;
    for (int r = from; r < to; ++r) h += rowHeights_[r] + spacing_;
    return h;
}

std::vector<GridPiece> GridLayout::paginate(double firstRoom, double pageHeight) const {
    const int header = table_.headerRows, body = bodyRows();
    const double head = spacing_ + rowsHeight(0, header);
    std::vector<GridPiece> pieces;
    double room = firstRoom;
    bool newPage = false;
    int row = 0;
    do {
        double used = head;
        const int from = row;
        while (row < body) {
            const double next = used + rowHeights_[header + row] + spacing_;
            if (next * scale_ > room - kSlack) break;
            used = next;
            ++row;
        }
        if (row == from && (body > 0 || head * scale_ > room - kSlack)) {
            if (!newPage && room < pageHeight) {  // try a fresh page first
                newPage = true;
                room = pageHeight;
                continue;
            }
            if (body > 0) ++row;  // taller than a page: it has one to itself
        }
        pieces.push_back({from, row, newPage});
        newPage = true;
        room = pageHeight;
    } while (row < body);
    return pieces;
}

QSizeF GridLayout::pieceSize(const GridPiece& piece) const {
    const int header = table_.headerRows;
    const double h = spacing_ + rowsHeight(0, header) + rowsHeight(header + piece.from, header + piece.to);
    return {width_ * scale_, h * scale_};
}

void GridLayout::drawRow(QPainter& p, int row, double y) const {
    const GridRow& cells = table_.rows[row];
    const double h = rowHeights_[row];
    const int columns = static_cast<int>(columnX_.size()) - 1;
    // Backgrounds first, neighbours of one colour as one rectangle, so no
    // hairline shows between them.
    int column = 0;
    double runLeft = 0, runRight = 0;
    const QBrush* runBrush = nullptr;
    auto flush = [&] {
        if (runBrush) p.fillRect(QRectF(runLeft, y, runRight - runLeft, h), *runBrush);
        runBrush = nullptr;
    };
    for (const GridCell& cell : cells.cells) {
        if (column >= columns) break;
        const auto [left, right] = cellEdges(column, cell.span);
        const QBrush& brush = looks_[cell.look].background;
        if (brush.style() == Qt::NoBrush) {
            flush();
        } else if (runBrush && *runBrush == brush && spacing_ == 0) {
            runRight = right;
        } else {
            flush();
            runBrush = &brush;
            runLeft = left;
            runRight = right;
        }
        column += cell.span;
    }
    flush();

    for (const Ink& ink : ink_[row]) {
        p.setPen(ink.colour);
        p.drawGlyphRun(QPointF(0, y), ink.run);
    }
}

void GridLayout::drawPiece(QPainter& p, QPointF topLeft, const GridPiece& piece) const {
    p.save();
    p.translate(topLeft);
    p.scale(scale_, scale_);
    const QSizeF size = pieceSize(piece);
    if (tableBackground_.style() != Qt::NoBrush)
        p.fillRect(QRectF(0, 0, size.width() / scale_, size.height() / scale_), tableBackground_);
    double y = spacing_;
    const int header = table_.headerRows;
    for (int r = 0; r < header; ++r) {
        drawRow(p, r, y);
        y += rowHeights_[r] + spacing_;
    }
    for (int r = header + piece.from; r < header + piece.to; ++r) {
        drawRow(p, r, y);
        y += rowHeights_[r] + spacing_;
    }
    p.restore();
}

}  // namespace qv::engine
