#pragma once
// The one way windows show messages. A backend shows them (message boxes in
// the program); tests put in a backend that answers in advance and records
// what was shown.

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/messages/StandardMessages.h"

class QWidget;

namespace qv::ui {

enum class Answer { Ok, Yes, No, Cancel };

enum class Buttons { Ok, YesNo, YesNoCancel };

struct Shown {
    Message message;
    Buttons buttons;
    Answer answer;
    Answer defaultAnswer;  // what Enter would have chosen
};

class MessageBackend {
public:
    virtual ~MessageBackend() = default;
    virtual Answer show(QWidget* parent, const Message& m, Buttons buttons, Answer defaultAnswer) = 0;
};

// Answers given in advance, in order; when they run out, the default answer.
class ScriptedMessages : public MessageBackend {
public:
    Answer show(QWidget* parent, const Message& m, Buttons buttons, Answer defaultAnswer) override;
    void answer(Answer a) { answers_.push_back(a); }
    const std::vector<Shown>& shown() const { return shown_; }
    void clear() { shown_.clear(); }

private:
    std::deque<Answer> answers_;
    std::vector<Shown> shown_;
};

// Puts `backend` in place for the life of the returned guard.
class MessageBackendScope {
public:
    explicit MessageBackendScope(MessageBackend* backend);
    ~MessageBackendScope();

private:
    MessageBackend* previous_;
};

// Shows a message with an OK button.
void inform(QWidget* parent, const Message& m);
// Shows the program's own message (title "Quillavon").
void inform(QWidget* parent, const std::string& text);
// Shows a question; Yes/No or Yes/No/Cancel.
Answer ask(QWidget* parent, const Message& m, Buttons buttons, Answer defaultAnswer);

// Raises standard message `number`: questions ask Yes/No and return 0 for
// Yes, 4 for No; notifications return 5. A question whose Yes loses data
// ("Confirm Delete", "Changes will be lost!") defaults to No, the others to
// Yes. A fatal message ends the program
// after OK (through the fatal handler).
int raiseMessage(QWidget* parent, int number, const MessageContext& ctx = {});

// Whether Yes to standard question `number` deletes or discards data.
bool yesLosesData(int number);

// What ends the program after a fatal message; the default exits.
void setFatalHandler(std::function<void()> handler);
// Shows a failure from the file layer; fatal ones end the program.
void showFailure(QWidget* parent, const Message& m);

}  // namespace qv::ui
