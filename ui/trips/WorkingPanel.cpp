#include "ui/trips/WorkingPanel.h"
#include <QScrollBar>

namespace qv::trips {

namespace {

QString escaped(const std::string& s) { return QString::fromStdString(s).toHtmlEscaped(); }

QString signedValue(Decimal v) {
    return QString::fromStdString((v < Decimal(0) ? "" : "+") + v.toString(2));
}

}  // namespace

WorkingPanel::WorkingPanel(QWidget* parent) : QTextBrowser(parent) {
    setObjectName("working");
    setReadOnly(true);
    setOpenLinks(false);
    // Information to read, not an entry: the Tab key passes it by.
    setFocusPolicy(Qt::ClickFocus);
}

void WorkingPanel::showWorking(const scoring::Working& working) {
    const int scroll = verticalScrollBar()->value();
    setHtml(workingHtml(working));
    verticalScrollBar()->setValue(scroll);
}

QString workingHtml(const scoring::Working& w) {
    QString h = "<p style='color:#1f3a5f'><b>" + escaped(w.mode) + "</b></p>";
    for (const scoring::WorkingSection& s : w.sections) {
        const bool wins = s.title == "Handicap";
        h += "<p style='margin-top:8px'><b>" + escaped(s.title) + "</b></p><table width='100%' cellspacing='0'>";
        for (const scoring::WorkingLine& l : s.lines)
            h += "<tr><td>" + escaped(l.term) + "</td><td style='color:#555'>" + escaped(l.rule) +
                 "</td><td align='right'>" + (wins ? QString("a win") : signedValue(l.value)) + "</td></tr>";
        h += "<tr><td colspan='2' style='border-top:1px solid #999'><i>" + escaped(s.resultRule) +
             "</i></td><td align='right' style='border-top:1px solid #999'><b>" +
             QString::fromStdString(s.result.toString(wins ? 0 : 2)) + "</b></td></tr></table>";
        if (s.differs)
            h += "<p style='color:#a33'>The trip member holds " +
                 QString::fromStdString(s.held.toString(wins ? 0 : 2)) + ".</p>";
    }
    if (!w.warnings.empty()) h += "<p style='color:#a33'>" + escaped(w.warnings.text()) + "</p>";
    return h;
}

}  // namespace qv::trips
