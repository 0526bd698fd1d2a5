#pragma once
// The texts of one look of grid cell, shaped once each. Plain text in
// the look's own font (digits, names, Latin letters and punctuation) is
// put together glyph by glyph from a table of the font's characters, which
// is many times quicker than shaping it; anything else (another script, a
// character the font lacks) is shaped as the document would shape it.

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QRawFont>
#include <QString>

#include <unordered_map>
#include <utility>

namespace qv::engine {

class GridText {
public:
    struct Shaped {
        QList<QGlyphRun> glyphs;  // baseline at the line's ascent below 0
        double advance = 0;
    };

    explicit GridText(const QFont& font);

    // The shaped text, kept for the next time it is asked for.
    const Shaped& shape(const QString& text);
    double lineHeight() const { return lineHeight_; }

private:
    bool assemble(const QString& text, Shaped& out);

    QFont font_;
    QRawFont raw_;  // invalid when the font asks for more than glyphs side by side
    double ascent_ = 0, lineHeight_ = 0;
    QHash<char16_t, std::pair<quint32, double>> glyphs_;  // glyph 0: the font lacks the character
    std::unordered_map<QString, Shaped> shaped_;  // what shape() hands out stays put
};

}  // namespace qv::engine
