#pragma once

#include <QWidget>

class QLabel;

namespace tallyvex {

/// The "please wait" notice shown while a long walk or printout is prepared. It stays above
/// every other window, the modal ones included, and is painted before the work starts.
class TF_WAIT : public QWidget {
    Q_OBJECT
public:
    explicit TF_WAIT(QWidget* parent = nullptr);

    /// Shows the notice in the language and lets it paint. Calls nest: the notice goes away
    /// with the last end().
    void begin(const QString& language);
    void end();
    int depth() const { return depth_; }
    QString text() const;

private:
    QLabel* panel_;
    int depth_ = 0;
};

/// Shows the wait window for the life of the guard, so it disappears again even when the work
/// ends in an error.
class WaitGuard final {
public:
    WaitGuard(TF_WAIT& wait, const QString& language) : wait_(&wait) { wait.begin(language); }
    ~WaitGuard() { release(); }
    WaitGuard(const WaitGuard&) = delete;
    WaitGuard& operator=(const WaitGuard&) = delete;
    /// Hides the window now (a window that is ready before the guard ends).
    void release() {
        if (wait_)
            wait_->end();
        wait_ = nullptr;
    }

private:
    TF_WAIT* wait_;
};

} // namespace tallyvex
