#include "ui/framework/MessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <cstdlib>

namespace qv::ui {

namespace {

class BoxMessages : public MessageBackend {
public:
    Answer show(QWidget* parent, const Message& m, Buttons buttons, Answer defaultAnswer) override {
        QMessageBox box(parent);
        box.setWindowTitle(QString::fromStdString(m.title));
        box.setText(QString::fromStdString(displayText(m.text)));
        box.setIcon(m.level == MessageLevel::Question       ? QMessageBox::Question
                    : m.level == MessageLevel::Fatal        ? QMessageBox::Critical
                    : m.level == MessageLevel::ProgramError ? QMessageBox::Warning
                                                            : QMessageBox::Information);
        QMessageBox::StandardButtons set = QMessageBox::Ok;
        if (buttons == Buttons::YesNo) set = QMessageBox::Yes | QMessageBox::No;
        if (buttons == Buttons::YesNoCancel)
            set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        box.setStandardButtons(set);
        QMessageBox::StandardButton def = defaultAnswer == Answer::Yes      ? QMessageBox::Yes
                                          : defaultAnswer == Answer::No     ? QMessageBox::No
                                          : defaultAnswer == Answer::Cancel ? QMessageBox::Cancel
                                                                            : QMessageBox::Ok;
        if (set & def) box.setDefaultButton(def);
        if (buttons != Buttons::Ok) box.setEscapeButton(set & QMessageBox::Cancel ? QMessageBox::Cancel : QMessageBox::No);
        switch (box.exec()) {
            case QMessageBox::Yes: return Answer::Yes;
            case QMessageBox::No: return Answer::No;
            case QMessageBox::Cancel: return Answer::Cancel;
            default: return Answer::Ok;
        }
    }
};

BoxMessages& boxes() {
    static BoxMessages b;
    return b;
}

MessageBackend*& current() {
    static MessageBackend* backend = &boxes();
    return backend;
}

std::function<void()>& fatalHandler() {
    static std::function<void()> handler = [] {
        if (QCoreApplication::instance()) QCoreApplication::exit(3);
        std::exit(3);
    };
    return handler;
}

}  // namespace

Answer ScriptedMessages::show(QWidget*, const Message& m, Buttons buttons, Answer defaultAnswer) {
    Answer a = defaultAnswer;
    if (buttons == Buttons::Ok) {
        a = Answer::Ok;
    } else if (!answers_.empty()) {
        a = answers_.front();
        answers_.pop_front();
    }
    shown_.push_back({m, buttons, a, buttons == Buttons::Ok ? Answer::Ok : defaultAnswer});
    return a;
}

MessageBackendScope::MessageBackendScope(MessageBackend* backend) : previous_(current()) {
    current() = backend;
}
MessageBackendScope::~MessageBackendScope() { current() = previous_; }

void inform(QWidget* parent, const Message& m) { current()->show(parent, m, Buttons::Ok, Answer::Ok); }

void inform(QWidget* parent, const std::string& text) { inform(parent, programMessage(text)); }

Answer ask(QWidget* parent, const Message& m, Buttons buttons, Answer defaultAnswer) {
    return current()->show(parent, m, buttons, defaultAnswer);
}

void setFatalHandler(std::function<void()> handler) { fatalHandler() = std::move(handler); }

void showFailure(QWidget* parent, const Message& m) {
    if (m.level == MessageLevel::Fatal) {
        Message fatal = m;
        fatal.text += "  Press OK to end this application";
        inform(parent, fatal);
        fatalHandler()();
        return;
    }
    inform(parent, m);
}

bool yesLosesData(int number) {
    return number == 10    // "Changes will be lost!": Yes drops the entries
           || number == 11;  // "Confirm Delete"
}

int raiseMessage(QWidget* parent, int number, const MessageContext& ctx) {
    Message m = standardMessage(number, ctx);
    switch (m.level) {
        case MessageLevel::Benign: return 0;
        case MessageLevel::Question:
        case MessageLevel::Cancel:
            return ask(parent, m, Buttons::YesNo, yesLosesData(number) ? Answer::No : Answer::Yes) == Answer::Yes
                       ? 0
                       : 4;
        case MessageLevel::Fatal: showFailure(parent, m); return 3;
        default: inform(parent, m); return static_cast<int>(m.level);
    }
}

}  // namespace qv::ui
