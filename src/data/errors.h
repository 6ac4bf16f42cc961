#pragma once

#include <QString>
#include <stdexcept>

namespace tallyvex {

/// Base of every error the program raises on purpose. The kind is what the office sees in
/// front of " ==> " in the message box and the error log.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    virtual QString kind() const = 0;
    const QString& message() const { return message_; }

private:
    QString message_;
};

/// The database could not do what was asked: locked, unreadable, not a database, full disk.
class StorageError : public Error {
public:
    using Error::Error;
    QString kind() const override { return QStringLiteral("StorageError"); }
};

/// A text that should be a number, date or time is not one.
class ConversionError : public Error {
public:
    using Error::Error;
    QString kind() const override { return QStringLiteral("ConversionError"); }
};

/// A value lies outside the range a field allows.
class RangeError : public Error {
public:
    using Error::Error;
    QString kind() const override { return QStringLiteral("RangeError"); }
};

/// A file of the data folder could not be read or written.
class FileError : public Error {
public:
    using Error::Error;
    QString kind() const override { return QStringLiteral("FileError"); }
};

} // namespace tallyvex
