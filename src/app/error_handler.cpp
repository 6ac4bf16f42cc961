#include "error_handler.h"

#include "data/errors.h"

#include <QFile>
#include <QMessageBox>
#include <cstdlib>
#include <cxxabi.h>
#include <typeinfo>

namespace tallyvex {

QByteArray ErrorLog::line(const QDateTime& when, const QString& text) {
    return (when.toString(QStringLiteral("dd.MM.yy hh:mm")) + QStringLiteral(" QTVA:") + text)
               .toUtf8() +
           "\r\n";
}

void ErrorLog::append(const QString& logPath, const QString& text, const QDateTime& when) {
    if (logPath.isEmpty() || !QFile::exists(logPath))
        return;
    QFile file(logPath);
    // ExistingOnly: a file removed in the meantime stays removed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::ExistingOnly))
        return;
    file.write(line(when, text));
    file.flush();
    file.close();
}

namespace {
QString typeName(const std::exception& error) {
    const char* mangled = typeid(error).name();
    int status = 0;
    char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    QString name = QString::fromLatin1(status == 0 && demangled ? demangled : mangled);
    std::free(demangled);
    return name;
}
} // namespace

QString errorText(const std::exception& error) {
    if (const auto* own = dynamic_cast<const Error*>(&error))
        return own->kind() + QStringLiteral(" ==> ") + own->message();
    return typeName(error) + QStringLiteral(" ==> ") + QString::fromLocal8Bit(error.what());
}

TallyvexApplication::TallyvexApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void TallyvexApplication::report(const QString& text) {
    ErrorLog::append(logFile_, text);
    if (messageHook_) {
        messageHook_(text);
    } else {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Quorvane Tallyvex"), text,
                        QMessageBox::Ok);
        box.exec();
    }
    processEvents();
}

void TallyvexApplication::handle(const std::exception& error) {
    const QString text = errorText(error);
    if (auto* app = qobject_cast<TallyvexApplication*>(QCoreApplication::instance())) {
        app->report(text);
        return;
    }
    QMessageBox::critical(nullptr, QStringLiteral("Quorvane Tallyvex"), text);
}

bool TallyvexApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        report(errorText(error));
    }
    return false;
}

} // namespace tallyvex
