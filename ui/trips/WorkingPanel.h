#pragma once
// "How these points were made": the working behind the trip scoring form's
// numbers, term by term with the rule that made each, as the rule book gives
// it. Read only; it follows every edit.

#include <QTextBrowser>

#include "core/scoring/Explain.h"

namespace qv::trips {

class WorkingPanel : public QTextBrowser {
    Q_OBJECT
public:
    explicit WorkingPanel(QWidget* parent = nullptr);
    void showWorking(const scoring::Working& working);
};

// The working as the panel shows it, as HTML.
QString workingHtml(const scoring::Working& working);

}  // namespace qv::trips
