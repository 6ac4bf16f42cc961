#include "club_window.h"

#include "app/help_window.h"
#include "app/session.h"
#include "data/tdm.h"
#include "list_window_parts.h"
#include "masterdata_prompts.h"
#include "widgets/colors.h"
#include "widgets/command_panel.h"
#include "widgets/data_grid.h"
#include "widgets/db_navigator.h"
#include "widgets/field_binders.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace tallyvex {

namespace {
struct ClubColumn {
    const char* field;
    const char* german;
    const char* english;
    const char* index; ///< null: the title does not sort
    int width;
};
// The column titled "Land" shows the short field `Abkuerzung`, not the number `Land`.
const ClubColumn clubColumns[] = {
    {"Vereinsname", "Vereinsname", "Club name:", "I_N", 280},
    {"Ansprechperson", "Ansprechperson", "Attn:", nullptr, 200},
    {"Abkuerzung", "Land", "Country", "I_A", 90},
    {"Postleitzahl", "Postleitzahl", "Zip-Code:", "I_P", 90},
    {"Ort", "Ort:", "Town:", nullptr, 200},
    {"Strasse", "Strasse", "Street:", nullptr, 200},
};

const PanelCaption bottomBar[] = {
    {"Panel17", " H E L P", " H E L P"},
    {"Panel8", "Etiketten drucken", "Print labels"},
    {"Panel3", "Adressen exportieren", "Export adresses"},
    {"Panel5", "Nach Vereinsname suchen", "Search"},
    {"Panel4", "SCHLIESSEN", "Close"},
};
} // namespace

QVector<GridColumn> TF_VER::gridColumns() {
    QVector<GridColumn> columns;
    for (const ClubColumn& c : clubColumns) {
        GridColumn g;
        g.field = QString::fromLatin1(c.field);
        g.titleDe = QString::fromUtf8(c.german);
        g.titleEn = QString::fromUtf8(c.english);
        g.width = c.width;
        g.titleColor = c.index ? colors::panelYellow() : colors::silver();
        columns << g;
    }
    return columns;
}

QString TF_VER::indexOfField(const QString& field) {
    for (const ClubColumn& c : clubColumns)
        if (field.compare(QLatin1String(c.field), Qt::CaseInsensitive) == 0)
            return c.index ? QString::fromLatin1(c.index) : QString();
    return {};
}

TF_VER::TF_VER(Session& session, QWidget* parent)
    : FullSizeWindow(mainWindowOf(parent), session), session_(session) {
    setObjectName(QStringLiteral("TF_VER"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colors::windowLime());
    setPalette(pal);

    auto* layout = new QVBoxLayout(this);
    banner_ = makeBanner(QStringLiteral("Panel1"), this);
    banner_->setText(QStringLiteral("Vereinsverwaltung"));
    layout->addWidget(banner_);

    grid_ = makeListGrid(this, session_, clubs(), gridColumns());
    layout->addWidget(grid_, 1);
    navigator_ = makeListNavigator(this, session_, clubs());
    layout->addWidget(navigator_, 0, Qt::AlignLeft);
    layout->addWidget(makeCommandBar(this, bottomBar, panels_));
    panels_[QStringLiteral("Panel8")]->setPicture(
        style()->standardPixmap(QStyle::SP_FileDialogDetailedView)); // Image2

    auto command = [this](const char* name, void (TF_VER::*action)()) {
        connect(panels_[QString::fromLatin1(name)], &CommandPanel::clicked, this,
                [this, action] { runCommand(this, [this, action] { (this->*action)(); }); });
    };
    command("Panel17", &TF_VER::showHelp);
    command("Panel8", &TF_VER::printLabels);
    command("Panel3", &TF_VER::exportAddresses);
    command("Panel5", &TF_VER::search);
    command("Panel4", &TF_VER::closeCommand);
    connect(grid_, &DataGrid::titleClicked, this, [this](const QString& field) {
        runCommand(this, [this, field] { sortByField(field); });
    });
}

TF_VER::~TF_VER() = default;

Cursor& TF_VER::clubs() const {
    return session_.tdm().Vereine();
}

void TF_VER::showEvent(QShowEvent* event) {
    FullSizeWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    runCommand(this, [this] { showStep(); });
}

void TF_VER::showStep() {
    // No cell editor may be open while the rows take their order: the view would hand its
    // text to whatever row then stands in its place.
    grid_->setEditing(false);
    Cursor& c = clubs();
    if (!c.isOpen())
        c.open();
    c.setIndexName(QStringLiteral("I_N"));
    c.refresh();
    c.first();
    grid_->setEditing(true);
    const bool en = session_.english();
    banner_->setText(en ? QStringLiteral("Club administration:")
                        : QStringLiteral("Vereinsverwaltung"));
    grid_->setLanguage(session_.language());
    navigator_->setLanguage(session_.language());
    for (CommandPanel* p : std::as_const(panels_))
        p->applyLanguage(session_.language());
}

void TF_VER::sortByField(const QString& field) {
    const QString index = indexOfField(field);
    if (index.isEmpty())
        return;
    closeGridEditor(grid_);
    Cursor& c = clubs();
    c.setIndexName(index);
    c.refresh();
}

void TF_VER::search() {
    closeGridEditor(grid_);
    const QString text =
        askText(this, QStringLiteral("QUORVANE-TALLYVEX"), QStringLiteral("Vereinsname:"));
    clubs().findNearest(text);
}

void TF_VER::printLabels() {
    closeGridEditor(grid_);
    previewAddressLabels(this, session_, clubs(), AddressList::Clubs);
}

void TF_VER::exportAddresses() {
    closeGridEditor(grid_);
    exportAddressesOf(this, session_, clubs(), AddressList::Clubs);
}

void TF_VER::showHelp() {
    session_.showHelp(HelpTopic::Clubs);
}

void TF_VER::closeCommand() {
    closeGridEditor(grid_);
    Cursor& c = clubs();
    if (!FieldLink::commitControls(c))
        return;
    c.post();
    closeWindow();
}

} // namespace tallyvex
