#include "ui/framework/StandardForm.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QTabWidget>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <set>

#include "ui/framework/MessageService.h"
#include "ui/framework/TabOrder.h"
#include "ui/framework/WindowPlacement.h"

namespace qv::ui {

using namespace qv::data;

namespace {

// Messages by which the file layer refuses a record: shown, and the form
// stays open with the user's entries.
bool isRefusal(int number) {
    static const std::set<int> refusals = {7, 15, 16, 17, 18, 19, 20, 33, 34};
    return refusals.count(number) > 0;
}

const char* kValue = "qvValue";  // the stored value of a radio button

QString valueOf(QWidget* w) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* c = qobject_cast<QCheckBox*>(w)) return c->property(c->isChecked() ? "qvOn" : "qvOff").toString();
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentData().toString();
    if (auto* t = qobject_cast<QPlainTextEdit*>(w)) return t->toPlainText();
    for (auto* r : w->findChildren<QRadioButton*>())
        if (r->isChecked()) return r->property(kValue).toString();
    return {};
}

void setValueOf(QWidget* w, const QString& v) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(v);
        e->setCursorPosition(0);
    } else if (auto* c = qobject_cast<QCheckBox*>(w)) {
        c->setChecked(v == c->property("qvOn").toString());
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        int i = c->findData(v);
        if (i < 0 && !v.isEmpty()) {
            // A stored value no longer offered still shows.
            c->addItem(v, v);
            i = c->count() - 1;
        }
        c->setCurrentIndex(i);
    } else if (auto* t = qobject_cast<QPlainTextEdit*>(w)) {
        t->setPlainText(v);
    } else if (auto* group = w->findChild<QButtonGroup*>()) {
        // No choice made yet: no button checked.
        group->setExclusive(false);
        for (auto* r : w->findChildren<QRadioButton*>()) r->setChecked(r->property(kValue).toString() == v);
        group->setExclusive(true);
    }
}

}  // namespace

Choices recordChoices(AppContext& ctx, const std::string& file, const std::string& key,
                      const std::string& valueField, const std::string& textField,
                      const std::function<bool(const Record&)>& keep) {
    Choices out;
    FileUse use(ctx.store, file);
    std::unique_ptr<Cursor> c;
    if (!use || !ctx.store.walk(file, key, {}, false, c)) return out;
    Record r = ctx.store.newRecord(file);
    const int value = r.field(valueField), text = r.field(textField);
    while (c->next(r))
        if (!keep || keep(r))
            out.emplace_back(QString::fromStdString(r.display(value)), QString::fromStdString(r.display(text)));
    return out;
}

std::function<Choices(AppContext&)> choicesOf(std::string file, std::string key, std::string valueField,
                                              std::string textField) {
    return [=](AppContext& ctx) { return recordChoices(ctx, file, key, valueField, textField); };
}

StandardForm::StandardForm(AppContext& ctx, FormSpec design, Request request, Record record, QWidget* parent)
    : QDialog(parent), ctx_(ctx), design_(std::move(design)), request_(request), buffer_(std::move(record)),
      saved_(buffer_) {
    use_ = std::make_unique<FileUse>(ctx_.store, design_.file);
    if (!*use_) showFailure(this, use_->status().message());
    setWindowTitle(design_.title);
    setObjectName(design_.procedure);
    auto* layout = new QVBoxLayout(this);
    mode_ = new QLabel(this);
    mode_->setObjectName("modeText");
    QFont f = mode_->font();
    f.setBold(true);
    mode_->setFont(f);
    mode_->setText(request_ == Request::Insert   ? design_.modes.insert
                   : request_ == Request::Change ? design_.modes.change
                   : request_ == Request::Delete ? design_.modes.remove
                                                 : design_.modes.view);
    mode_->setVisible(!mode_->text().isEmpty());
    layout->addWidget(mode_);
    buildFields();
    // A new record's check boxes start unticked, and store that.
    if (request_ == Request::Insert)
        for (const FormField& ff : design_.fields) {
            auto* box = qobject_cast<QCheckBox*>(widgets_[ff.field]);
            if (!box) continue;
            const int fi = buffer_.def().fieldIndex(ff.field);
            const QString v = QString::fromStdString(buffer_.display(fi));
            if (v != box->property("qvOn").toString() && v != box->property("qvOff").toString()) {
                buffer_.assign(fi, box->property("qvOff").toString().toStdString());
                saved_[fi] = buffer_[fi];
            }
        }
    extra_ = new QVBoxLayout;
    layout->addLayout(extra_);
    layout->addStretch(1);

    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton("&OK", QDialogButtonBox::AcceptRole);
    close_ = buttons->addButton(request_ == Request::View ? "&Close" : "&Cancel", QDialogButtonBox::RejectRole);
    ok_->setToolTip("Accept data and close the window");
    close_->setToolTip("Cancel operation");
    ok_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &StandardForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &StandardForm::reject);
    layout->addWidget(buttons);

    showRecord();
    setMinimumWidth(460);
    keepPlacement(this, design_.procedure, ctx_.iniPath());
    if (design_.onOpen) design_.onOpen(*this);
    focusFirstField();
}

bool StandardForm::focusNextPrevChild(bool next) {
    return focusNextInReadingOrder(this, next) || QDialog::focusNextPrevChild(next);
}

void StandardForm::buildFields() {
    auto* outer = static_cast<QVBoxLayout*>(layout());
    QTabWidget* tabs = nullptr;
    std::map<QString, QVBoxLayout*> pages;
    // A run of fields of the same tab and group shares one form layout.
    std::pair<QString, QString> lastPlace;
    QFormLayout* lastForm = nullptr;
    const bool readOnly = request_ == Request::View || request_ == Request::Delete;

    // The form layout a field goes in, made on first use in field order.
    auto formFor = [&](const FormField& ff) -> QFormLayout* {
        auto place = std::make_pair(ff.tab, ff.group);
        if (lastForm && place == lastPlace) return lastForm;
        QVBoxLayout* host = outer;
        QWidget* hostWidget = this;
        if (!ff.tab.isEmpty()) {
            if (!tabs) {
                tabs = new QTabWidget(this);
                tabs->setObjectName("tabs");
                outer->addWidget(tabs);
            }
            if (!pages.count(ff.tab)) {
                auto* page = new QWidget(tabs);
                pages[ff.tab] = new QVBoxLayout(page);
                tabs->addTab(page, ff.tab);
            }
            host = pages[ff.tab];
            hostWidget = tabs;
        }
        auto* form = new QFormLayout;
        form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
        form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
        if (ff.group.isEmpty()) {
            host->addLayout(form);
        } else {
            auto* box = new QGroupBox(ff.group, hostWidget);
            box->setLayout(form);
            host->addWidget(box);
        }
        lastPlace = place;
        lastForm = form;
        return form;
    };

    for (const FormField& ff : design_.fields) {
        const int fi = buffer_.def().fieldIndex(ff.field);
        const FieldDef& fd = buffer_.def().fields.at(fi);
        QWidget* w = nullptr;
        switch (ff.widget) {
            case FieldWidget::Check: {
                auto* c = new QCheckBox(ff.checkText, this);
                const bool sw = fd.kind == FieldKind::Byte;
                c->setProperty("qvOn", ff.on.isEmpty() ? (sw ? "1" : "Y") : ff.on);
                c->setProperty("qvOff", ff.off.isEmpty() ? (sw ? "0" : "N") : ff.off);
                connect(c, &QCheckBox::clicked, this, [this, name = ff.field] {
                    if (design_.onChange) design_.onChange(*this, name);
                });
                w = c;
                break;
            }
            case FieldWidget::Choice: {
                auto* c = new QComboBox(this);
                c->setMinimumContentsLength(16);
                c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
                if (ff.choices)
                    for (const auto& [value, text] : ff.choices(ctx_)) c->addItem(text, value);
                connect(c, &QComboBox::activated, this, [this, name = ff.field] {
                    if (design_.onChange) design_.onChange(*this, name);
                });
                w = c;
                break;
            }
            case FieldWidget::Options: {
                auto* box = new QWidget(this);
                auto* row = new QHBoxLayout(box);
                row->setContentsMargins(0, 0, 0, 0);
                auto* group = new QButtonGroup(box);
                if (ff.choices)
                    for (const auto& [value, text] : ff.choices(ctx_)) {
                        auto* r = new QRadioButton(text, box);
                        r->setProperty(kValue, value);
                        r->setObjectName(QString::fromStdString(ff.field) + "_" + value);
                        group->addButton(r);
                        row->addWidget(r);
                    }
                row->addStretch(1);
                connect(group, &QButtonGroup::buttonClicked, this, [this, name = ff.field] {
                    if (design_.onChange) design_.onChange(*this, name);
                });
                w = box;
                break;
            }
            case FieldWidget::Memo: {
                auto* t = new QPlainTextEdit(this);
                t->setTabChangesFocus(true);
                t->setMaximumHeight(80);
                w = t;
                break;
            }
            default: {
                auto* e = new QLineEdit(this);
                if (fd.kind == FieldKind::Text) e->setMaxLength(fd.width);
                if (ff.widget == FieldWidget::Password || ff.masked) e->setEchoMode(QLineEdit::Password);
                if (ff.widget == FieldWidget::Date) {
                    e->setPlaceholderText("dd/mm/yyyy");
                    e->setValidator(new QRegularExpressionValidator(
                        QRegularExpression(R"(\d{0,2}(/\d{0,2}(/\d{0,4})?)?)"), e));
                } else if (fd.kind == FieldKind::Long || fd.kind == FieldKind::Short) {
                    e->setValidator(new QRegularExpressionValidator(QRegularExpression(R"(-?\d{0,10})"), e));
                    e->setAlignment(Qt::AlignRight);
                } else if (fd.kind == FieldKind::Decimal) {
                    const int places = ff.places >= 0 ? ff.places : fd.places;
                    e->setValidator(new QRegularExpressionValidator(
                        QRegularExpression(QString(R"(-?\d{0,7}(\.\d{0,%1})?)").arg(places)), e));
                    e->setAlignment(Qt::AlignRight);
                }
                // Short fields get a short box.
                if (fd.kind != FieldKind::Text || fd.width <= 20)
                    e->setMaximumWidth(e->fontMetrics().horizontalAdvance('M') *
                                           std::max(8, std::min(fd.width, 20)) + 16);
                connect(e, &QLineEdit::editingFinished, this, [this, e, name = ff.field] {
                    if (!e->isModified()) return;
                    e->setModified(false);
                    if (design_.onChange) design_.onChange(*this, name);
                    if (design_.onLeave && !design_.onLeave(*this, name)) {
                        e->setFocus();
                        e->selectAll();
                    }
                });
                w = e;
                break;
            }
        }
        w->setObjectName(QString::fromStdString(ff.field));
        w->setEnabled(!readOnly);
        widgets_[ff.field] = w;
        QFormLayout* form = formFor(ff);
        QWidget* cell = w;
        if (!ff.buttonText.isEmpty()) {
            // The field with its button on one line.
            cell = new QWidget(this);
            auto* row = new QHBoxLayout(cell);
            row->setContentsMargins(0, 0, 0, 0);
            row->addWidget(w, 1);
            auto* b = new QPushButton(ff.buttonText, cell);
            b->setObjectName(QString::fromStdString(ff.field) + "_button");
            b->setAutoDefault(false);
            b->setEnabled(!readOnly);
            connect(b, &QPushButton::clicked, this, [this, name = ff.field] {
                if (const FormField* f = fieldDesign(name); f && f->onButton) f->onButton(*this);
            });
            row->addWidget(b);
        }
        if (ff.widget == FieldWidget::Check && ff.prompt.isEmpty() && ff.group.isEmpty()) {
            form->addRow(QString(), cell);
        } else if (ff.prompt.isEmpty()) {
            form->addRow(cell);
        } else {
            auto* l = new QLabel(ff.prompt, this);
            l->setBuddy(w);
            labels_[ff.field] = l;
            form->addRow(l, cell);
        }
        if (!ff.note.isEmpty()) {
            auto* note = new QLabel(ff.note, this);
            note->setWordWrap(true);
            note->setStyleSheet("color: #555555;");
            form->addRow(QString(), note);
        }
    }
    for (auto& [tab, page] : pages) page->addStretch(1);
}

const FormField* StandardForm::fieldDesign(const std::string& field) const {
    for (const FormField& ff : design_.fields)
        if (ff.field == field) return &ff;
    return nullptr;
}

QString StandardForm::shownValue(const FormField& ff) const {
    if (ff.widget == FieldWidget::Password) return {};
    const int fi = buffer_.def().fieldIndex(ff.field);
    // A choice of a record by its number: 0 is no choice yet.
    if (ff.widget == FieldWidget::Choice && buffer_.def().fields[fi].kind != FieldKind::Text &&
        buffer_.number(fi) == 0)
        return {};
    if (ff.places >= 0 && buffer_.def().fields[fi].kind == FieldKind::Decimal)
        return QString::fromStdString(buffer_.decimal(fi).toString(ff.places));
    return QString::fromStdString(buffer_.display(fi));
}

QLabel* StandardForm::label(const std::string& field) const {
    auto it = labels_.find(field);
    return it == labels_.end() ? nullptr : it->second;
}

QRadioButton* StandardForm::option(const std::string& field, const QString& value) const {
    QWidget* w = fieldWidget(field);
    if (!w) return nullptr;
    for (auto* r : w->findChildren<QRadioButton*>())
        if (r->property(kValue).toString() == value) return r;
    return nullptr;
}

void StandardForm::setFieldVisible(const std::string& field, bool visible) {
    if (QWidget* w = fieldWidget(field)) w->setVisible(visible);
    if (QLabel* l = label(field)) l->setVisible(visible);
}

void StandardForm::setFieldValue(const std::string& field, const QString& value) {
    if (QWidget* w = fieldWidget(field)) setValueOf(w, value);
}

void StandardForm::setRecordValue(const std::string& field, const QString& value) {
    buffer_.assign(buffer_.def().fieldIndex(field), value.toStdString());
}

QString StandardForm::fieldValue(const std::string& field) const {
    QWidget* w = fieldWidget(field);
    return w ? valueOf(w) : QString();
}

void StandardForm::showRecord() {
    shown_.clear();
    for (const FormField& ff : design_.fields) {
        setValueOf(widgets_[ff.field], shownValue(ff));
        shown_[ff.field] = valueOf(widgets_[ff.field]);
    }
}

bool StandardForm::readFields(bool showErrors) {
    for (const FormField& ff : design_.fields) {
        QWidget* w = widgets_[ff.field];
        const QString v = valueOf(w);
        // A field the user did not touch keeps the stored value exactly.
        if (v == shown_[ff.field]) continue;
        const int fi = buffer_.def().fieldIndex(ff.field);
        std::string error;
        if (!buffer_.assign(fi, v.toStdString(), &error)) {
            if (showErrors) {
                inform(this, programMessage("The value of " + ff.prompt.toStdString() +
                                            " is not valid: " + error + "."));
                w->setFocus();
            }
            return false;
        }
    }
    return true;
}

const Record& StandardForm::buffer() {
    readFields(false);
    return buffer_;
}

bool StandardForm::changed() {
    readFields(false);
    for (const FormField& ff : design_.fields)
        if (valueOf(widgets_[ff.field]) != shown_[ff.field]) return true;
    return !buffer_.sameValues(saved_);
}

QWidget* StandardForm::fieldWidget(const std::string& field) const {
    auto it = widgets_.find(field);
    return it == widgets_.end() ? nullptr : it->second;
}

void StandardForm::focusFirstField() {
    for (const FormField& ff : design_.fields) {
        QWidget* w = widgets_[ff.field];
        if (w->isEnabled()) {
            w->setFocus();
            return;
        }
    }
}

StandardForm::WriteOutcome StandardForm::write() {
    for (;;) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        Status s = design_.write                ? design_.write(*this, buffer_)
                   : request_ == Request::Insert ? ctx_.store.insert(buffer_)
                                                 : ctx_.store.update(buffer_);
        QApplication::restoreOverrideCursor();
        if (s) return WriteOutcome::Written;
        const Message& m = s.message();
        if (m.number == 34) showRecord();  // the restricted link was put back
        showFailure(this, m);
        if (design_.failureCloses) return WriteOutcome::GaveUp;
        if (isRefusal(m.number)) {
            focusFirstField();
            return WriteOutcome::KeptOpen;
        }
        switch (ask(this, standardMessage(37, {}), Buttons::YesNoCancel, Answer::Cancel)) {
            case Answer::Yes: continue;
            case Answer::No: return WriteOutcome::GaveUp;
            default: focusFirstField(); return WriteOutcome::KeptOpen;
        }
    }
}

void StandardForm::startFreshRecord() {
    Record fresh = ctx_.store.newRecord(design_.file);
    ctx_.store.primeForInsert(fresh);
    buffer_ = fresh;
    saved_ = fresh;
    showRecord();
    focusFirstField();
}

void StandardForm::accept() {
    if (request_ == Request::View) {
        QDialog::accept();
        return;
    }
    if (request_ == Request::Delete) {
        for (;;) {
            if (design_.confirmDelete && raiseMessage(this, 11) != 0) return;  // No: stays
            Status s = ctx_.store.remove(buffer_);
            if (s) {
                QDialog::accept();
                return;
            }
            showFailure(this, s.message());
            switch (ask(this, standardMessage(36, {}), Buttons::YesNoCancel, Answer::Cancel)) {
                case Answer::Yes: continue;
                case Answer::No: QDialog::reject(); return;
                default: return;
            }
        }
    }
    if (!readFields(true)) return;
    if (design_.check && !design_.check(*this)) return;
    if (request_ == Request::Change && buffer_.sameValues(saved_) && !design_.write) {
        QDialog::accept();  // nothing changed, nothing written
        return;
    }
    switch (write()) {
        case WriteOutcome::KeptOpen: return;
        case WriteOutcome::GaveUp: QDialog::reject(); return;
        case WriteOutcome::Written: break;
    }
    saved_ = buffer_;
    showRecord();
    if (design_.afterWrite) design_.afterWrite(*this);
    if (request_ == Request::Insert && design_.askAddAnother && raiseMessage(this, 3) == 0) {
        startFreshRecord();
        return;
    }
    QDialog::accept();
}

void StandardForm::reject() {
    if (request_ == Request::View || request_ == Request::Delete || design_.guard == CloseGuard::None ||
        !changed()) {
        QDialog::reject();
        return;
    }
    if (design_.guard == CloseGuard::WarnLost) {
        if (raiseMessage(this, 10) == 0) QDialog::reject();
        return;
    }
    switch (ask(this, standardMessage(38, {}), Buttons::YesNoCancel, Answer::Cancel)) {
        case Answer::Yes: accept(); return;
        case Answer::No: QDialog::reject(); return;
        default: return;
    }
}

}  // namespace qv::ui
