#pragma once
// The table of standard record-handling messages and the message values that
// the core returns instead of showing anything.

#include <string>
#include <string_view>

namespace qv {

enum class MessageLevel : int {
    Benign = 0,
    Question = 1,
    ProgramError = 2,
    Fatal = 3,
    Cancel = 4,
    Notification = 5,
};

// A message for a window or the command line to show: the standard message
// number (0 for the program's own texts), level, title and filled text, and
// the file and key it concerns.
struct Message {
    int number = 0;
    MessageLevel level = MessageLevel::Notification;
    std::string title;
    std::string text;
    std::string file;
    std::string key;
    // The storage error text the message was filled with, when any.
    std::string errorText;
};

// What a caller supplies to fill a standard message.
struct MessageContext {
    std::string file;
    std::string key;
    std::string field;
    std::string message;    // fills %Message
    std::string errorText;  // fills %ErrorText (already "text (code)")
    std::string errorCode;  // fills %ErrorCode
    std::string procedure;  // fills %Procedure
};

struct StandardMessage {
    int number;
    MessageLevel level;
    const char* title;
    const char* text;
};

// The entry for `number`, or nullptr.
const StandardMessage* findStandardMessage(int number);
// The whole table, in its stored order.
const StandardMessage* standardMessages(size_t* count);

// Fills the placeholders of `text` in the standard order.
std::string fillPlaceholders(std::string text, const MessageContext& ctx);
// Builds the message value of standard message `number`.
Message standardMessage(int number, const MessageContext& ctx);

// A message of the program's own, titled "Quillavon".
Message programMessage(std::string text);

// The text as a message box shows it: each "|" starts a new line.
std::string displayText(std::string_view text);

}  // namespace qv
