#include "ui/framework/Choosers.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>

#include "ui/framework/StandardForm.h"

namespace qv::ui {

QComboBox* addDivisionChoice(AppContext& ctx, QBoxLayout* row, QWidget* parent) {
    auto* division = new QComboBox(parent);
    division->setObjectName("divisionChoice");
    division->setMinimumContentsLength(20);
    division->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    division->addItem(QString(), 0);
    for (const auto& [id, name] : recordChoices(ctx, "Division", "byDivisionName", "DivisionId", "DivisionName"))
        division->addItem(name, id.toInt());
    auto* label = new QLabel("Di&vision:", parent);
    label->setBuddy(division);
    row->addWidget(label);
    row->addWidget(division);
    return division;
}

}  // namespace qv::ui
