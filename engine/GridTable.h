#pragma once
// Grid tables: the long rows-and-columns tables of season and catch reports
// (hundreds of rows of one-line cells), which a definition marks with
// class="grid". A document lays out and draws such a table cell by cell, a
// few hundred times slower than the engine does it itself, so the engine
// takes each grid table out of the HTML before the document reads it and
// leaves a marker paragraph in its place.
//
// A table stays with the document, as HTML, when it is not a plain grid:
// a cell holding anything but text, a row span, a nested table, a border or
// a character reference the engine does not know.

#include <QString>

#include <string>
#include <vector>

namespace qv::engine {

struct GridCell {
    QString text;  // white space collapsed, as HTML shows it
    int look = 0;  // index into GridTable::looks
    int span = 1;
};

struct GridRow {
    std::vector<GridCell> cells;
};

struct GridTable {
    int headerRows = 0;           // the first rows, from <thead>: repeated on every page
    std::vector<GridRow> rows;    // header rows first
    // One mini HTML table for each distinct look of a cell (its row's and
    // its own attributes), in the table's own surroundings; the document
    // reads them all with the report's style sheet, and table n's one cell
    // gives looks[n]. Built by the extraction.
    QString looksHtml;
    int lookCount = 0;
    int columnCount() const;
};

struct ExtractedGrids {
    std::string html;               // with each grid table replaced by its marker
    std::vector<GridTable> tables;  // in document order
};

// The marker paragraph text left for grid table `index`.
QString gridMarker(int index);

// Takes the grid tables out of `html`. HTML without one comes back as it was.
ExtractedGrids extractGridTables(const std::string& html);

}  // namespace qv::engine
