#pragma once

#include <QString>
#include <stdexcept>

namespace mhbk {

// An error that ends the handler it arose in and goes to the general error report.
// It carries its text as Unicode; what() gives the UTF-8 form for logs and tests.
class AppError : public std::runtime_error {
public:
    explicit AppError(const QString &message)
        : std::runtime_error(message.toStdString()), message_(message) {}

    const QString &message() const { return message_; }

private:
    QString message_;
};

// A text that is not a floating-point number.
class ConversionError : public AppError {
public:
    using AppError::AppError;
};

} // namespace mhbk
