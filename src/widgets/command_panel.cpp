#include "command_panel.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace tallyvex {

CommandPanel::CommandPanel(const QString& objectName, QWidget* parent) : QFrame(parent) {
    setObjectName(objectName);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(1);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(2);
    text_ = new QLabel(this);
    text_->setAlignment(Qt::AlignCenter);
    text_->setWordWrap(false);
    // Clicks on the caption belong to the panel.
    text_->setAttribute(Qt::WA_TransparentForMouseEvents);
    layout->addWidget(text_, 1);
    QFont f = font();
    f.setBold(true);
    text_->setFont(f);
    paintState();
}

CommandPanel::CommandPanel(const QString& objectName, const QString& german, const QString& english,
                           QWidget* parent)
    : CommandPanel(objectName, parent) {
    setCaptions(german, english);
    setCaption(german);
}

void CommandPanel::setCaptions(const QString& german, const QString& english) {
    german_ = german;
    english_ = english;
}

void CommandPanel::applyLanguage(const QString& language) {
    setCaption(language == QLatin1String("EN") ? english_ : german_);
}

void CommandPanel::setCaption(const QString& text) {
    text_->setText(text);
    setAccessibleName(text);
}

QString CommandPanel::caption() const {
    return text_->text();
}

void CommandPanel::setUsable(bool usable) {
    if (usable_ == usable)
        return;
    usable_ = usable;
    pressed_ = false;
    paintState();
}

void CommandPanel::setPicture(const QPixmap& picture) {
    if (!picture_) {
        picture_ = new QLabel(this);
        picture_->setAttribute(Qt::WA_TransparentForMouseEvents);
        picture_->setObjectName(QStringLiteral("Image4"));
        layout()->addWidget(picture_);
    }
    picture_->setPixmap(picture);
}

void CommandPanel::click() {
    if (usable_ && isVisible())
        Q_EMIT clicked();
}

QColor CommandPanel::usableColour() {
    return QColor(Qt::yellow);
}

void CommandPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && usable_) {
        pressed_ = true;
        setFrameShadow(QFrame::Sunken);
    }
    event->accept();
}

void CommandPanel::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = pressed_;
    pressed_ = false;
    setFrameShadow(QFrame::Raised);
    event->accept();
    if (wasPressed && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()))
        click();
}

void CommandPanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QFrame::keyPressEvent(event);
}

void CommandPanel::paintState() {
    QPalette p = palette();
    const QColor face = parentWidget() ? parentWidget()->palette().color(QPalette::Window)
                                       : QPalette().color(QPalette::Window);
    p.setColor(QPalette::Window, usable_ ? usableColour() : face);
    p.setColor(QPalette::WindowText, usable_ ? QColor(Qt::black) : QColor(Qt::darkGray));
    setPalette(p);
    setCursor(usable_ ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

} // namespace tallyvex
