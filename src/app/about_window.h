#pragma once

#include <QDialog>

namespace tallyvex {

class CommandPanel;
class Session;

/// The about window: program name, version and the web address of the installation. It closes
/// only through its panel, so a stray Escape does not dismiss it.
class TFAB : public QDialog {
    Q_OBJECT
public:
    explicit TFAB(Session& session, QWidget* parent = nullptr);

    /// The closing command of Panel1.
    void closeWindow();
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Session& session_;
    CommandPanel* close_;
    bool closing_ = false;
};

} // namespace tallyvex
