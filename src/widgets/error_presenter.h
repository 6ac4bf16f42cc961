#pragma once

#include "data/errors.h"

#include <QString>
#include <functional>

class QWidget;

namespace tallyvex {

/// Shows an error that a control refused a value with. Every control of the kit goes through
/// this one hook, so the program can log the error like any other (the shell installs its
/// handler) and tests can catch the message instead of a modal box.
using ErrorPresenter = std::function<void(QWidget* parent, const QString& text)>;

/// The text the office sees: the error's kind, " ==> " and its message.
QString errorText(const Error& error);

/// Shows the error through the installed presenter (a message box unless replaced).
void presentError(QWidget* parent, const Error& error);

/// Installs a presenter; an empty one restores the message box. Returns the previous one.
ErrorPresenter setErrorPresenter(ErrorPresenter presenter);

/// Replaces the presenter for one scope (a test, a walk that collects errors).
class ScopedErrorPresenter final {
public:
    explicit ScopedErrorPresenter(ErrorPresenter presenter)
        : previous_(setErrorPresenter(std::move(presenter))) {}
    ~ScopedErrorPresenter() { setErrorPresenter(std::move(previous_)); }
    ScopedErrorPresenter(const ScopedErrorPresenter&) = delete;
    ScopedErrorPresenter& operator=(const ScopedErrorPresenter&) = delete;

private:
    ErrorPresenter previous_;
};

} // namespace tallyvex
