#pragma once
// The outcome of a file-layer operation: success, "no such record" (the end
// of a walk, a key value that is not there) or a failure carrying the message
// to show.

#include <string>

#include "core/messages/StandardMessages.h"

namespace qv::data {

class Status {
public:
    static Status ok() { return Status(Kind::Ok); }
    static Status notFound() { return Status(Kind::NotFound); }
    static Status failed(Message m) {
        Status s(Kind::Failed);
        s.message_ = std::move(m);
        return s;
    }

    bool isOk() const { return kind_ == Kind::Ok; }
    bool isNotFound() const { return kind_ == Kind::NotFound; }
    bool isFailed() const { return kind_ == Kind::Failed; }
    explicit operator bool() const { return isOk(); }

    const Message& message() const { return message_; }
    // The storage error text: the failure's, or "Record not found (1)".
    std::string errorText() const;

private:
    enum class Kind { Ok, NotFound, Failed };
    explicit Status(Kind k) : kind_(k) {}
    Kind kind_;
    Message message_;
};

// Error text of the file layer's own conditions, as "text (code)".
inline constexpr const char* kRecordNotFound = "Record not found (1)";

inline std::string Status::errorText() const {
    if (isNotFound()) return kRecordNotFound;
    if (isFailed()) return message_.errorText.empty() ? message_.text : message_.errorText;
    return {};
}

}  // namespace qv::data
