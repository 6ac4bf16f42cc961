#include "error_presenter.h"

#include <QApplication>
#include <QMessageBox>

namespace tallyvex {

namespace {

void showMessageBox(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, QApplication::applicationName(), text);
}

ErrorPresenter& installed() {
    static ErrorPresenter presenter = showMessageBox;
    return presenter;
}

} // namespace

QString errorText(const Error& error) {
    return error.kind() + QStringLiteral(" ==> ") + error.message();
}

void presentError(QWidget* parent, const Error& error) {
    installed()(parent, errorText(error));
}

ErrorPresenter setErrorPresenter(ErrorPresenter presenter) {
    ErrorPresenter previous = std::move(installed());
    installed() = presenter ? std::move(presenter) : ErrorPresenter(showMessageBox);
    return previous;
}

} // namespace tallyvex
