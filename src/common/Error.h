#pragma once

#include <QString>

#include <stdexcept>

namespace tiravo {

// The one error type of the program. Its text is exactly what the operator
// reads in the error box, so it is written for people, not for developers.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}

    const QString& message() const noexcept { return message_; }

private:
    QString message_;
};

} // namespace tiravo
