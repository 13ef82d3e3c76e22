#pragma once

#include "platform/platform.h"
#include "tools/firstrunrules.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSlider;

// The first-run settings dialog: the favorites folder and five optional features. Shown
// at start until it has been completed once, and from the Tools menu at any time.
// Modeless and on top of every window; the close box saves nothing.
class FirstRunDialog : public QDialog
{
    Q_OBJECT
public:
    explicit FirstRunDialog(platform::Platform services, QWidget *parent = nullptr);

    // Chooses the defaults from the system version and, when the dialog was completed
    // before, from the stored settings. Runs once, before show().
    void load();

    // The folder option selected, None when there is none.
    firstrun::FolderOption selectedOption() const;

    void browseForFolder(); // 参照...
    void saveSettings();    // 設定完了

Q_SIGNALS:
    // The main window's translucency command shows its check mark exactly when on.
    void translucencyMarked(bool on);
    // The main window takes this opacity, 255 being opaque.
    void translucencyChanged(int opacity);

private:
    void buildControls();
    void select(firstrun::FolderOption option);
    void loadSettings();
    void applyVersionRules(const firstrun::VersionRules &rules);
    // The typed folder exists, or the user had it made. false keeps the dialog open.
    bool ensureTypedFolder(const QString &folder);

    platform::Platform m_services;
    QRadioButton *m_option1 = nullptr;
    QRadioButton *m_option2 = nullptr;
    QRadioButton *m_option3 = nullptr;
    QRadioButton *m_option4 = nullptr;
    QRadioButton *m_option5 = nullptr;
    QLineEdit *m_text1 = nullptr;
    QCheckBox *m_check1 = nullptr; // Netscape-only tags
    QCheckBox *m_check2 = nullptr; // cookie editor
    QCheckBox *m_check3 = nullptr; // broadband accelerator
    QCheckBox *m_check4 = nullptr; // translucency
    QCheckBox *m_check5 = nullptr; // visual style
    QSlider *m_slider = nullptr;   // Slider1
};
