#pragma once

#include "app/session.h"
#include "data/cursor.h"
#include "data/tdm.h"
#include "masterdata/masterdata_prompts.h"
#include "reports/print_dialogs.h"
#include "widgets/error_presenter.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tallyvex::test {

/// Keeps the label printouts instead of previewing them.
class LabelRecorder final : public PrintDialogs {
public:
    void showPreview(const RenderedReport& report, const ReportContext&, QWidget*) override {
        reports.push_back(report);
    }
    bool setUpPrinter(QPrinter&, const ReportContext&, QWidget*) override { return false; }
    QString choosePdfFolder(const QString&, const ReportContext&, QWidget*) override { return {}; }
    void inform(const QString&, QWidget*) override {}
    std::vector<RenderedReport> reports;
};

/// A session on a fresh data folder, with every box of the master-data windows answered by
/// the test: the input box returns `typed` (empty: cancelled), notices and errors are kept.
class MasterDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        session = std::make_unique<Session>(dir.path());
        session->setDataModule(TDM::open(dir.filePath(QStringLiteral("DBX.db"))));
    }
    TDM& tdm() { return session->tdm(); }
    Cursor& shooters() {
        Cursor& c = tdm().T_TEILNEHMER();
        if (!c.isOpen())
            c.open();
        return c;
    }
    Cursor& clubs() {
        Cursor& c = tdm().Vereine();
        if (!c.isOpen())
            c.open();
        return c;
    }

    using Values = std::initializer_list<std::pair<const char*, QVariant>>;
    static void add(Cursor& c, Values values) {
        c.append();
        for (const auto& [f, v] : values)
            c.setValue(QString::fromLatin1(f), v);
        c.post();
    }
    void addShooter(Values values) { add(shooters(), values); }
    void addClub(Values values) { add(clubs(), values); }

    QByteArray fileBytes(const QString& name) const {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    std::unique_ptr<Session> session;
    QString typed;
    QStringList asked; ///< title and prompt of each input box
    QStringList notices;
    QStringList errors;
    LabelRecorder labels;
    std::function<void(QDialog&)> onDialog = [](QDialog&) {};
    ScopedMasterDataPrompts prompts{
        MasterDataPrompts{[this](QWidget*, const QString& title, const QString& prompt) {
                              asked << title << prompt;
                              return typed;
                          },
                          [](QWidget*, const QString&) { return true; },
                          [this](QWidget*, const QString& text) { notices << text; },
                          [this](QDialog& d) { onDialog(d); }, &labels}};
    ScopedErrorPresenter errorCapture{[this](QWidget*, const QString& text) { errors << text; }};
};

} // namespace tallyvex::test
