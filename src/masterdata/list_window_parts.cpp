#include "list_window_parts.h"

#include "address_labels.h"
#include "app/session.h"
#include "app/wait_window.h"
#include "data/cursor.h"
#include "data/errors.h"
#include "masterdata_prompts.h"
#include "reports/print_dialogs.h"
#include "reports/report_engine.h"
#include "reports/row_source.h"
#include "widgets/colors.h"
#include "widgets/command_panel.h"
#include "widgets/data_grid.h"
#include "widgets/db_navigator.h"
#include "widgets/error_presenter.h"
#include "widgets/field_binders.h"
#include "widgets/help_picture.h"

#include <QHBoxLayout>
#include <QLabel>

namespace tallyvex {

QLabel* makeBanner(const QString& objectName, QWidget* parent) {
    auto* banner = new QLabel(parent);
    banner->setObjectName(objectName);
    banner->setAutoFillBackground(true);
    QPalette pal = banner->palette();
    pal.setColor(QPalette::Window, colors::bannerGreen());
    pal.setColor(QPalette::WindowText, Qt::yellow);
    banner->setPalette(pal);
    QFont f = banner->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.6);
    banner->setFont(f);
    banner->setMargin(8);
    return banner;
}

QWidget* mainWindowOf(QWidget* parent) {
    QWidget* w = parent;
    while (w && w->parentWidget())
        w = w->parentWidget();
    return w;
}

void closeGridEditor(DataGrid* grid) {
    grid->commitEditor();
}

void runCommand(QWidget* window, const std::function<void()>& command) {
    try {
        command();
    } catch (const Error& error) {
        presentError(window, error);
    }
}

bool confirmRowDelete(QWidget* window, const Session& session) {
    return confirm(window, session.inLanguage(QStringLiteral("Datensatz löschen?"),
                                              QStringLiteral("Delete record?")));
}

void exportAddressesOf(QWidget* window, Session& session, Cursor& cursor, AddressList list) {
    if (!FieldLink::commitControls(cursor))
        return;
    const QString path = session.dataFile(addressFileDef(list).fileName);
    {
        WaitGuard wait(session.waitWindow(), session.language());
        exportAddresses(cursor, list, path);
    }
    inform(window, addressExportMessage(list, path, session.english()));
}

void previewAddressLabels(QWidget* window, Session& session, Cursor& cursor, AddressList list) {
    if (!FieldLink::commitControls(cursor))
        return;
    cursor.post();
    auto layout = addressLabelLayout(list);
    const ReportContext context = session.reportContext();
    RenderedReport report;
    {
        CursorRows rows(cursor);
        cursor.disableControls();
        struct Resume {
            Cursor& c;
            ~Resume() { c.enableControls(); }
        } resume{cursor};
        report = renderReport(*layout, &rows, context);
    }
    labelPrintDialogs().showPreview(report, context, window);
}

DataGrid* makeListGrid(QWidget* window, const Session& session, Cursor& cursor,
                       const QVector<GridColumn>& columns) {
    auto* grid = new DataGrid(window);
    grid->setObjectName(QStringLiteral("GRID"));
    grid->setColumns(columns);
    grid->setCursor(&cursor);
    grid->setRowSelect(false);
    grid->setEditing(true);
    grid->setAlwaysShowEditor(true);
    grid->setTabKeyNavigation(true);
    grid->setConfirmDelete([window, &session] { return confirmRowDelete(window, session); });
    grid->tableModel()->setErrorParent(window);
    return grid;
}

DbNavigator* makeListNavigator(QWidget* window, const Session& session, Cursor& cursor) {
    auto* navigator = new DbNavigator(window);
    navigator->setObjectName(QStringLiteral("DBNavigator1"));
    navigator->setVisibleButtons(DbNavigator::allButtons());
    navigator->setCursor(&cursor);
    navigator->setConfirmDelete([window, &session] { return confirmRowDelete(window, session); });
    return navigator;
}

QWidget* makeCommandBar(QWidget* window, std::span<const PanelCaption> captions,
                        QHash<QString, CommandPanel*>& panels) {
    auto* bar = new QWidget(window);
    bar->setObjectName(QStringLiteral("Panel2"));
    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(0, 4, 0, 4);
    for (const PanelCaption& c : captions) {
        auto* p = new CommandPanel(QString::fromLatin1(c.panel), QString::fromUtf8(c.german),
                                   QString::fromUtf8(c.english), bar);
        p->setMinimumHeight(36);
        barLayout->addWidget(p, 1);
        panels.insert(p->objectName(), p);
    }
    if (CommandPanel* help = panels.value(QStringLiteral("Panel17")))
        help->setPicture(helpPanelPicture()); // Image4
    return bar;
}

} // namespace tallyvex
