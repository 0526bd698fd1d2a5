#include "engine/GridText.h"

#include <QTextLayout>

namespace qv::engine {

namespace {

// Characters that stand for one glyph each, left to right, whatever their
// neighbours: Latin letters, digits, punctuation and the like.
bool simple(char16_t c) {
    if (c < 0x20) return false;
    if (c < 0x0300) return true;
    if (c >= 0x2000 && c < 0x2070) return c != 0x200c && c != 0x200d && !(c >= 0x202a && c <= 0x202e) &&
                                          !(c >= 0x2066 && c <= 0x2069);
    return c >= 0x20a0 && c < 0x20d0;
}

}  // namespace

GridText::GridText(const QFont& font) : font_(font) {
    // Decorations, capitals and spacing are the shaper's work.
    if (!font.underline() && !font.overline() && !font.strikeOut() && font.capitalization() == QFont::MixedCase &&
        font.letterSpacing() == 0 && font.wordSpacing() == 0)
        raw_ = QRawFont::fromFont(font);
    QTextLayout probe("X", font);
    probe.beginLayout();
    QTextLine line = probe.createLine();
    line.setNumColumns(1);
    probe.endLayout();
    ascent_ = line.ascent();
    lineHeight_ = line.height();
}

bool GridText::assemble(const QString& text, Shaped& out) {
    if (!raw_.isValid()) return false;
    QList<quint32> indexes;
    QList<QPointF> positions;
    indexes.reserve(text.size());
    positions.reserve(text.size());
    double x = 0;
    for (QChar qc : text) {
        const char16_t c = qc.unicode();
        if (!simple(c)) return false;
        auto it = glyphs_.constFind(c);
        if (it == glyphs_.constEnd()) {
            const QList<quint32> g = raw_.glyphIndexesForString(QString(qc));
            std::pair<quint32, double> entry{0, 0};
            if (g.size() == 1 && g[0] != 0) entry = {g[0], raw_.advancesForGlyphIndexes(g).value(0).x()};
            it = glyphs_.insert(c, entry);
        }
        if (it->first == 0) return false;
        indexes.push_back(it->first);
        positions.push_back(QPointF(x, ascent_));
        x += it->second;
    }
    QGlyphRun run;
    run.setRawFont(raw_);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    out.glyphs = {run};
    out.advance = x;
    return true;
}

const GridText::Shaped& GridText::shape(const QString& text) {
    if (auto it = shaped_.find(text); it != shaped_.end()) return it->second;
    Shaped s;
    if (!text.isEmpty() && !assemble(text, s)) {
        QTextLayout layout(text, font_);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setNumColumns(text.size());
        layout.endLayout();
        s.advance = line.naturalTextWidth();
        s.glyphs = layout.glyphRuns();
    }
    return shaped_.emplace(text, std::move(s)).first->second;
}

}  // namespace qv::engine
