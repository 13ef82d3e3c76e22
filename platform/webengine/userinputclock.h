#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

class QWidget;

namespace platform {

// When the user last clicked or pressed a key inside a page's view. Input in the window's
// own widgets (the address box, the bars, a dialog) is not the page's to use: a page must
// not take a click on the address box for permission to save a file.
class UserInputClock : public QObject
{
    Q_OBJECT
public:
    UserInputClock(QWidget *view, QObject *parent);
    ~UserInputClock() override;

    // Milliseconds on a clock that never goes back.
    qint64 now() const { return m_clock.elapsed(); }
    // -1 before the first.
    qint64 lastInput() const { return m_lastInput; }
    // What the program counts as the user's own act in the page (an item of its menu).
    void noteInput();

    // The last input allows one download; true when it had not been used yet.
    bool takeDownloadAllowance();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_view;
    QElapsedTimer m_clock;
    qint64 m_lastInput = -1;
    qint64 m_downloadAllowanceUsed = -1; // the input whose allowance went to a download
};

} // namespace platform
