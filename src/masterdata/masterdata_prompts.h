#pragma once

#include <QString>
#include <functional>

class QDialog;
class QWidget;

namespace tallyvex {

class PrintDialogs;

/// The questions and notices the shooter and club windows put to the office: the search input
/// box, the question before a row is deleted, the notice after an export, the modal details
/// dialog and the label preview. They all go through this one set, so a test (or another
/// window's test that opens the shooter database) puts in answers and never blocks on a box.
/// An empty member falls back to the real dialog of the desktop.
struct MasterDataPrompts {
    /// The input box: the typed text, or the empty text when the box was cancelled.
    std::function<QString(QWidget* parent, const QString& title, const QString& prompt)> askText;
    /// A yes/no question; true for yes.
    std::function<bool(QWidget* parent, const QString& question)> confirm;
    /// A notice with one OK button.
    std::function<void(QWidget* parent, const QString& text)> inform;
    /// Shows a modal dialog until it is closed.
    std::function<void(QDialog& dialog)> runDialog;
    /// Where the label printouts are previewed; null: the desktop's preview.
    PrintDialogs* printDialogs = nullptr;
};

/// The prompts in force, with the desktop's dialogs where nothing else was installed.
const MasterDataPrompts& masterDataPrompts();

QString askText(QWidget* parent, const QString& title, const QString& prompt);
bool confirm(QWidget* parent, const QString& question);
void inform(QWidget* parent, const QString& text);
void runDialog(QDialog& dialog);
PrintDialogs& labelPrintDialogs();

/// Replaces the prompts for one scope (a test); the previous ones come back at its end.
class ScopedMasterDataPrompts final {
public:
    explicit ScopedMasterDataPrompts(MasterDataPrompts prompts);
    ~ScopedMasterDataPrompts();
    ScopedMasterDataPrompts(const ScopedMasterDataPrompts&) = delete;
    ScopedMasterDataPrompts& operator=(const ScopedMasterDataPrompts&) = delete;

private:
    MasterDataPrompts previous_;
};

} // namespace tallyvex
