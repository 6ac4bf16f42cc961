#pragma once

#include <QDialog>

class QPushButton;

namespace tallyvex {

class Cursor;
class Session;

/// The per-competition details of one entry (`TF_WKS_DETAIL`): name, address, nation, ID card,
/// class, start number and squad as this competition knows them. Changes stay with the entry;
/// the shooter database keeps its own record. Changing the class here leaves the fee alone.
class TF_WKS_DETAIL : public QDialog {
    Q_OBJECT
public:
    TF_WKS_DETAIL(Session& session, Cursor& entries, Cursor& classes, QWidget* parent = nullptr);
    ~TF_WKS_DETAIL() override;

    /// "SCHLIESSEN": stores the entry and closes (Escape drops the changes). A field that
    /// refuses its value keeps the
    /// dialog open with the field focused.
    void closeDetails();

protected:
    void done(int result) override;

private:
    Cursor& entries_;
    Cursor& classes_;
    bool classesWereOpen_;
    QPushButton* close_;
};

} // namespace tallyvex
