#pragma once

#include <QFrame>
#include <QString>

class QLabel;

namespace tallyvex {

/// The office's button: a flat panel with a caption that reacts to a click. It is yellow while
/// the command can be used and takes the colour of the window face, ignoring clicks, while it
/// cannot. Each panel carries its caption in German and English; the window picks the one of
/// the session's language.
class CommandPanel : public QFrame {
    Q_OBJECT
public:
    explicit CommandPanel(const QString& objectName, QWidget* parent = nullptr);
    CommandPanel(const QString& objectName, const QString& german, const QString& english,
                 QWidget* parent = nullptr);

    void setCaptions(const QString& german, const QString& english);
    const QString& germanCaption() const { return german_; }
    const QString& englishCaption() const { return english_; }
    /// Shows the caption of the language ("DE" or "EN").
    void applyLanguage(const QString& language);
    /// Shows a caption of its own (the design caption before a language is applied).
    void setCaption(const QString& text);
    QString caption() const;

    /// Usable: yellow and reacting to clicks. Not usable: the window face, inert.
    void setUsable(bool usable);
    bool isUsable() const { return usable_; }

    /// A small picture at the right end of the panel; a click on it acts like one on the panel.
    void setPicture(const QPixmap& picture);

    /// Acts as a click of the user: emits clicked() when the panel is usable and visible.
    void click();

    static QColor usableColour();

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void paintState();

    QString german_, english_;
    QLabel* text_ = nullptr;
    QLabel* picture_ = nullptr;
    bool usable_ = true;
    bool pressed_ = false;
};

} // namespace tallyvex
