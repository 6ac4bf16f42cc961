#include "masterdata_prompts.h"

#include "reports/print_dialogs.h"

#include <QDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <utility>

namespace tallyvex {

namespace {
MasterDataPrompts& installed() {
    static MasterDataPrompts prompts;
    return prompts;
}
} // namespace

const MasterDataPrompts& masterDataPrompts() {
    return installed();
}

QString askText(QWidget* parent, const QString& title, const QString& prompt) {
    if (const auto& f = installed().askText)
        return f(parent, title, prompt);
    bool ok = false;
    const QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, {}, &ok);
    return ok ? text : QString();
}

bool confirm(QWidget* parent, const QString& question) {
    if (const auto& f = installed().confirm)
        return f(parent, question);
    return QMessageBox::question(parent, QString(), question, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void inform(QWidget* parent, const QString& text) {
    if (const auto& f = installed().inform) {
        f(parent, text);
        return;
    }
    QMessageBox::information(parent, QString(), text, QMessageBox::Ok);
}

void runDialog(QDialog& dialog) {
    if (const auto& f = installed().runDialog) {
        f(dialog);
        return;
    }
    dialog.exec();
}

PrintDialogs& labelPrintDialogs() {
    if (PrintDialogs* d = installed().printDialogs)
        return *d;
    static QtPrintDialogs desktop;
    return desktop;
}

ScopedMasterDataPrompts::ScopedMasterDataPrompts(MasterDataPrompts prompts)
    : previous_(std::exchange(installed(), std::move(prompts))) {}

ScopedMasterDataPrompts::~ScopedMasterDataPrompts() {
    installed() = std::move(previous_);
}

} // namespace tallyvex
