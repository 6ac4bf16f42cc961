#pragma once

#include <QApplication>
#include <QDateTime>
#include <exception>
#include <functional>

namespace tallyvex {

/// The office's error log qtv.log in the data folder: one line per error that no window
/// answered. The log is kept only while the file exists; deleting it turns logging off.
class ErrorLog final {
public:
    /// "dd.mm.yy hh:nn QTVA:" + text + CR LF.
    static QByteArray line(const QDateTime& when, const QString& text);
    /// Appends one line when the file exists; never creates it, and a failure to write is
    /// ignored (the error is shown anyway).
    static void append(const QString& logPath, const QString& text,
                       const QDateTime& when = QDateTime::currentDateTime());
};

/// kind + " ==> " + message: our error kinds by their class name, other exceptions by their
/// C++ type.
QString errorText(const std::exception& error);

/// The program's application object. Every exception that leaves an operation reaches
/// notify(), where it is logged and shown; the operation ends there and the program goes on.
class TallyvexApplication : public QApplication {
    Q_OBJECT
public:
    TallyvexApplication(int& argc, char** argv);

    /// The log file of the data folder.
    void setLogFile(const QString& path) { logFile_ = path; }
    const QString& logFile() const { return logFile_; }

    /// Replaces the message box (tests look at the text instead).
    using MessageHook = std::function<void(const QString& text)>;
    void setMessageHook(MessageHook hook) { messageHook_ = std::move(hook); }

    /// Logs and shows an error text.
    void report(const QString& text);

    /// Logs and shows an exception caught outside the event loop (the start of the program).
    static void handle(const std::exception& error);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    QString logFile_;
    MessageHook messageHook_;
};

} // namespace tallyvex
