#include "core/messages/StandardMessages.h"

#include <iterator>

namespace qv {

namespace {

using L = MessageLevel;

const StandardMessage kTable[] = {
    {30, L::Notification, "Invalid Key", "%File key file is invalid. Key must be rebuilt."},
    {29, L::Fatal, "Key was not built", "Error: (%ErrorText) repairing key for %File."},
    {12, L::Fatal, "File Creation Error", "Error: (%ErrorText) creating %File."},
    {27, L::Notification, "Procedure not defined", "The Procedure %Message has not been defined."},
    {19, L::Notification, "Range Error", "The value of %Field must be lower than %Message."},
    {20, L::Notification, "Range Error", "The value of %Field must be higher than %Message."},
    {18, L::Notification, "Range Error", "The value of %Field must be in range %Message."},
    {16, L::Notification, "Field contents error",
     "The value of %Field must be found in the %Message file."},
    {34, L::Notification, "Referential Integrity Update Error",
     "This record is referenced from the file %File. Linking field(s) have been restricted from "
     "change and have been reset to original values."},
    {33, L::Notification, "Referential Integrity Delete Error",
     "This record is referenced from the file %File. This record cannot be deleted while these "
     "references exist."},
    {4, L::Notification, "Record Insert Error",
     "An error was experienced during the creation of a record.|File: %File|Error: %ErrorText."},
    {7, L::Notification, "Record Was Not Updated", "This record was changed by another station."},
    {8, L::Notification, "Record Was Not Updated",
     "This record was changed by another station. Those changes will now be displayed. Use the "
     "Ditto Button or Ctrl+H to recall your changes."},
    {37, L::Question, "Record Update Error",
     "An error was experienced changing this record. Do you want to try to save again?"},
    {36, L::Question, "Record Delete Error",
     "An error was experienced deleting this record. Do you want to try to delete it again?"},
    {23, L::Notification, "Invalid Request", "This form cannot be used to insert a record"},
    {41, L::Notification, "Invalid Request", "This form cannot be used to update a record"},
    {14, L::Notification, "Invalid Request", "This form cannot be used to delete a record"},
    {10, L::Question, "Changes will be lost!", "Are you sure you want to cancel?"},
    {15, L::Notification, "Duplicate Key Error",
     "Adding this record creates a duplicate entry for the key: %Message"},
    {35, L::Question, "Auto Increment Error",
     "Attempts to automatically number this record have failed.|File: %File|Key: %Key|Error: "
     "%ErrorText.|Try Again?"},
    {21, L::Notification, "File Load Error", "%File File Load Error.  Error: %ErrorText."},
    {39, L::Question, "Beginning of File Error",
     "The beginning of the file %File was encountered. Do you want to start again from the end of "
     "the file?"},
    {40, L::Question, "End of File Error",
     "The end of the file %File was encountered. Do you want to start again from the beginning?"},
    {6, L::Notification, "File Access Error", "File %File could not be closed.  Error: %ErrorText."},
    {26, L::Fatal, "File Access Error", "File %File could not be opened.  Error: %ErrorText."},
    {28, L::Notification, "Record was not updated",
     "An error (%ErrorText) was experienced when making changes to the %File file."},
    {13, L::Notification, "Record was not deleted",
     "An error (%ErrorText) was experienced when deleting a record from the %File file."},
    {11, L::Question, "Confirm Delete", "Are you sure you want to delete the highlighted record?"},
    {38, L::Question, "Save Record", "Do you want to save the changes to this record?"},
    {24, L::Notification, "Transaction cancelled",
     "Error: (%ErrorText) attempting to frame the transaction on %File."},
    {1, L::Notification, "Record Retrieval Error",
     "Error: (%ErrorText) attempting to access a record from the %File file.  Returning to "
     "previous window."},
    {43, L::Notification, "View Open Error",
     "Error: (%ErrorText) attempting to open the current VIEW. Filter and Range Limits ignored."},
    {3, L::Question, "Record Added",
     "This record has been added to the file. Do you want to add another record?"},
    {31, L::Notification, "Record not read",
     "A record held by another station was encountered reading from the %File file."},
    {5, L::Notification, "Add New Record?", "Record match not found, do you wish to add a new one?"},
    {17, L::Notification, "Value Error", "The value of %Field must be in the list : %Message."},
    {25, L::Notification, "No Records", "There are no records available to process."},
    {2, L::Notification, "Access Denied", "Could not get write access to %File so trying read-only."},
    {42, L::ProgramError, "File Usage Error", "Attempt to use file (%File) before it was opened"},
    {9, L::Notification, "Record Retrieval Error",
     "This record was changed or deleted by another station.|Error: (%ErrorText) attempting to "
     "access a record from the %File file."},
};

void replaceAll(std::string& text, std::string_view what, std::string_view with) {
    size_t pos = 0;
    while ((pos = text.find(what, pos)) != std::string::npos) {
        text.replace(pos, what.size(), with);
        pos += with.size();
    }
}

}  // namespace

const StandardMessage* findStandardMessage(int number) {
    for (const auto& m : kTable)
        if (m.number == number) return &m;
    return nullptr;
}

const StandardMessage* standardMessages(size_t* count) {
    if (count) *count = std::size(kTable);
    return kTable;
}

std::string fillPlaceholders(std::string text, const MessageContext& ctx) {
    // The longer names go first so that "%File" does not eat "%FileError".
    // The storage layer has no separate driver code or text: both are the
    // storage error text.
    replaceAll(text, "%FileErrorCode", ctx.errorCode);
    replaceAll(text, "%FileError", ctx.errorText);
    replaceAll(text, "%File", ctx.file);
    replaceAll(text, "%Key", ctx.key);
    replaceAll(text, "%ErrorCode", ctx.errorCode);
    replaceAll(text, "%ErrorText", ctx.errorText);
    replaceAll(text, "%Error", ctx.errorText);
    replaceAll(text, "%Message", ctx.message);
    replaceAll(text, "%Field", ctx.field);
    replaceAll(text, "%Procedure", ctx.procedure);
    replaceAll(text, "%Category", "");
    replaceAll(text, "%Previous", "");
    return text;
}

Message standardMessage(int number, const MessageContext& ctx) {
    Message m;
    m.number = number;
    m.file = ctx.file;
    m.key = ctx.key;
    m.errorText = ctx.errorText;
    if (const StandardMessage* s = findStandardMessage(number)) {
        m.level = s->level;
        m.title = s->title;
        m.text = fillPlaceholders(s->text, ctx);
    } else {
        m.title = "Quillavon";
        m.text = "Message " + std::to_string(number) + " is not defined.";
    }
    return m;
}

Message programMessage(std::string text) {
    Message m;
    m.title = "Quillavon";
    m.text = std::move(text);
    return m;
}

std::string displayText(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '|') c = '\n';
    return out;
}

}  // namespace qv
