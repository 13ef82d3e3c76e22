#include "platform/dialogs.h"
#include "tests/support/scripteddialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace Qt::StringLiterals;
using namespace platform;

Q_DECLARE_METATYPE(platform::MessageButtons)
Q_DECLARE_METATYPE(platform::MessageIcon)
Q_DECLARE_METATYPE(platform::MessageAnswer)

namespace {

// Acts on the modal dialog of type T once it shows. A dialog that never shows leaves
// found false; anything modal still open after the wait is rejected so the test ends.
template <typename T> void whenModal(bool &found, std::function<void(T *)> act)
{
    found = false;
    auto *timer = new QTimer;
    int tries = 0;
    QObject::connect(timer, &QTimer::timeout, [timer, act, &found, tries]() mutable {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *dialog = qobject_cast<T *>(modal); dialog && dialog->isVisible()) {
            timer->stop();
            timer->deleteLater();
            found = true;
            act(dialog);
        } else if (++tries > 1000) {
            timer->stop();
            timer->deleteLater();
            if (auto *other = qobject_cast<QDialog *>(modal))
                other->reject();
        }
    });
    timer->start(10);
}

// What the user types. QFileDialog::selectFile leaves the name box alone once it has the
// focus, which it has after the first dialog of a run.
void typeFileName(QFileDialog *dialog, const QString &name)
{
    auto *edit = dialog->findChild<QLineEdit *>(u"fileNameEdit"_s);
    QVERIFY(edit);
    edit->setText(name);
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void nameFilters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("text and all") << u"テキストファイル (*.txt)|*.txt|すべてのファイル (*.*)|*.*|"_s
                                      << QStringList {u"テキストファイル (*.txt)"_s, u"すべてのファイル (*)"_s};
        QTest::newRow("no closing bar") << u"HTML (*.htm)|*.htm;*.html"_s << QStringList {u"HTML (*.htm *.html)"_s};
        QTest::newRow("name without patterns") << u"Bitmap|*.bmp|"_s << QStringList {u"Bitmap (*.bmp)"_s};
        QTest::newRow("name shows other patterns")
            << u"Text (*.txt)|*.txt; *.log|"_s << QStringList {u"Text (*.txt *.log)"_s};
        QTest::newRow("parentheses inside the name")
            << u"Page (saved) files|*.mht|"_s << QStringList {u"Page (saved) files (*.mht)"_s};
        QTest::newRow("empty patterns") << u"Any||"_s << QStringList {u"Any (*)"_s};
        QTest::newRow("empty name") << u"|*.ini|"_s << QStringList {u"*.ini (*.ini)"_s};
        QTest::newRow("odd part ignored") << u"Text|*.txt|Orphan|"_s << QStringList {u"Text (*.txt)"_s};
        QTest::newRow("empty") << QString() << QStringList();
    }
    void nameFilters()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        QCOMPARE(qtNameFilters(filter), expected);
    }

    void defaultExtension_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("expected");
        QTest::newRow("added") << u"/d/memo"_s << u"txt"_s << u"/d/memo.txt"_s;
        QTest::newRow("with a dot") << u"/d/memo"_s << u".txt"_s << u"/d/memo.txt"_s;
        QTest::newRow("has one") << u"/d/memo.log"_s << u"txt"_s << u"/d/memo.log"_s;
        QTest::newRow("dot in folder only") << u"/d.x/memo"_s << u"txt"_s << u"/d.x/memo.txt"_s;
        QTest::newRow("no default") << u"/d/memo"_s << QString() << u"/d/memo"_s;
        QTest::newRow("no path") << QString() << u"txt"_s << QString();
    }
    void defaultExtension()
    {
        QFETCH(QString, path);
        QFETCH(QString, extension);
        QFETCH(QString, expected);
        QCOMPARE(withDefaultExtension(path, extension), expected);
    }

    void realMessageBox_data()
    {
        QTest::addColumn<MessageButtons>("buttons");
        QTest::addColumn<MessageIcon>("icon");
        QTest::addColumn<QString>("press"); // "yes", "no", "ok", "close"
        QTest::addColumn<MessageAnswer>("expected");
        QTest::newRow("yes") << MessageButtons::YesNo << MessageIcon::Question << u"yes"_s << MessageAnswer::Yes;
        QTest::newRow("no") << MessageButtons::YesNo << MessageIcon::Question << u"no"_s << MessageAnswer::No;
        QTest::newRow("closed is no") << MessageButtons::YesNo << MessageIcon::Warning << u"close"_s
                                      << MessageAnswer::No;
        QTest::newRow("enter: the default, yes")
            << MessageButtons::YesNo << MessageIcon::Question << u"enter"_s << MessageAnswer::Yes;
        QTest::newRow("enter on no by default")
            << MessageButtons::YesNoDefaultNo << MessageIcon::Question << u"enter"_s << MessageAnswer::No;
        QTest::newRow("ok") << MessageButtons::Ok << MessageIcon::Information << u"ok"_s << MessageAnswer::Ok;
        QTest::newRow("ok closed") << MessageButtons::Ok << MessageIcon::None << u"close"_s << MessageAnswer::Ok;
    }
    void realMessageBox()
    {
        QFETCH(MessageButtons, buttons);
        QFETCH(MessageIcon, icon);
        QFETCH(QString, press);
        QFETCH(MessageAnswer, expected);
        QtDialogs dialogs;
        bool found = false;
        QString seenText, seenTitle;
        QMessageBox::Icon seenIcon {};
        QMessageBox::StandardButtons seenButtons;
        whenModal<QMessageBox>(found, [&](QMessageBox *box) {
            seenText = box->text();
            seenTitle = box->windowTitle();
            seenIcon = box->icon();
            seenButtons = box->standardButtons();
            if (press == u"yes"_s)
                box->button(QMessageBox::Yes)->click();
            else if (press == u"no"_s)
                box->button(QMessageBox::No)->click();
            else if (press == u"ok"_s)
                box->button(QMessageBox::Ok)->click();
            else if (press == u"enter"_s)
                QTest::keyClick(box, Qt::Key_Return);
            else
                QTest::keyClick(box, Qt::Key_Escape);
        });
        const MessageAnswer answer = dialogs.message(nullptr, u"終了しますか？"_s, u"ゆらぎね"_s, buttons, icon);
        QVERIFY(found);
        QCOMPARE(answer, expected);
        QCOMPARE(seenText, u"終了しますか？"_s);
        QCOMPARE(seenTitle, u"ゆらぎね"_s);
        const QMessageBox::Icon icons[] = {QMessageBox::NoIcon, QMessageBox::Question, QMessageBox::Information,
                                           QMessageBox::Warning};
        QCOMPARE(seenIcon, icons[int(icon)]);
        QCOMPARE(seenButtons,
                 buttons != MessageButtons::Ok ? QMessageBox::Yes | QMessageBox::No
                                               : QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    // A question a page raised stands over its window without blocking a close request;
    // until answered, the window itself takes no input.
    void pageQuestionLeavesTheWindowClosable_data()
    {
        QTest::addColumn<QString>("act"); // "yes", "click the window", "close the window"
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("windowOpen");
        QTest::newRow("answered yes") << u"yes"_s << true << true;
        QTest::newRow("a click on the window does not reach it") << u"click the window"_s << false << true;
        QTest::newRow("closing the window cancels it, then closes") << u"close the window"_s << false << false;
    }
    void pageQuestionLeavesTheWindowClosable()
    {
        QFETCH(QString, act);
        QFETCH(bool, answer);
        QFETCH(bool, windowOpen);
        auto *window = new QWidget;
        window->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<QWidget> alive(window);
        auto *button = new QPushButton(u"押す"_s, window);
        int pressed = 0;
        connect(button, &QPushButton::clicked, [&pressed] { ++pressed; });
        window->resize(300, 200);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        bool modal = true;
        bool found = false;
        auto *timer = new QTimer(window);
        connect(timer, &QTimer::timeout, [&] {
            QMessageBox *box = window->findChild<QMessageBox *>();
            if (!box || !box->isVisible())
                return;
            timer->stop();
            found = true;
            modal = QApplication::activeModalWidget() != nullptr;
            if (act == u"yes"_s) {
                box->button(QMessageBox::Yes)->click();
            } else if (act == u"click the window"_s) {
                QTest::mouseClick(button, Qt::LeftButton);
                box->button(QMessageBox::No)->click();
            } else {
                // As the window system asks: an event, not a call.
                QCoreApplication::postEvent(window, new QCloseEvent);
            }
        });
        timer->start(10);
        QtDialogs dialogs;
        QCOMPARE(dialogs.askAboutPage(window, u"このページが通知を求めています。"_s, u"確認"_s), answer);
        QVERIFY(found);
        QVERIFY(!modal); // Qt would drop the window system's close request
        QCOMPARE(pressed, 0);
        QVERIFY(alive); // the close waits until the caller has returned
        QTRY_COMPARE(bool(alive), windowOpen);
        if (alive)
            QTRY_VERIFY(!alive->findChild<QMessageBox *>());
        delete alive.data();
    }

    void realOpenDialog()
    {
        QFile existing(m_dir.filePath(u"memo.txt"_s));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.close();
        QtDialogs dialogs;
        FileDialogRequest request;
        request.title = u"開く"_s;
        request.filter = u"テキストファイル (*.txt)|*.txt|すべてのファイル (*.*)|*.*|"_s;
        request.filterIndex = 2;
        request.folder = m_dir.path();
        request.mustExist = true;
        bool found = false;
        QStringList seenFilters;
        QString seenFilter, seenTitle;
        QFileDialog::FileMode seenMode {};
        whenModal<QFileDialog>(found, [&](QFileDialog *dialog) {
            seenFilters = dialog->nameFilters();
            seenFilter = dialog->selectedNameFilter();
            seenTitle = dialog->windowTitle();
            seenMode = dialog->fileMode();
            typeFileName(dialog, u"memo.txt"_s);
            static_cast<QDialog *>(dialog)->accept(); // QFileDialog's own accept is protected
        });
        const FileDialogResult result = dialogs.openFile(nullptr, request);
        QVERIFY(found);
        QCOMPARE(seenTitle, u"開く"_s);
        QCOMPARE(seenFilters, qtNameFilters(request.filter));
        QCOMPARE(seenFilter, u"すべてのファイル (*)"_s);
        QCOMPARE(seenMode, QFileDialog::ExistingFile);
        QVERIFY(result.accepted);
        QCOMPARE(QFileInfo(result.path).canonicalFilePath(), QFileInfo(existing).canonicalFilePath());
        QCOMPARE(result.filterIndex, 2);
    }

    void realSaveDialogAddsTheExtension()
    {
        QtDialogs dialogs;
        FileDialogRequest request;
        request.filter = u"テキストファイル (*.txt)|*.txt|"_s;
        request.folder = m_dir.path();
        request.defaultExtension = u"txt"_s;
        bool found = false;
        bool confirms = true;
        whenModal<QFileDialog>(found, [&](QFileDialog *dialog) {
            confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
            typeFileName(dialog, u"新しいメモ"_s);
            static_cast<QDialog *>(dialog)->accept(); // QFileDialog's own accept is protected
        });
        const FileDialogResult result = dialogs.saveFile(nullptr, request);
        QVERIFY(found);
        QVERIFY(!confirms);
        QVERIFY(result.accepted);
        QCOMPARE(QFileInfo(result.path).fileName(), u"新しいメモ.txt"_s);
        QCOMPARE(result.filterIndex, 1);
    }

    void realFileDialogCancel()
    {
        QtDialogs dialogs;
        FileDialogRequest request;
        request.folder = m_dir.path();
        request.overwritePrompt = true;
        bool found = false;
        bool confirms = false;
        whenModal<QFileDialog>(found, [&](QFileDialog *dialog) {
            confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
            dialog->reject();
        });
        const FileDialogResult result = dialogs.saveFile(nullptr, request);
        QVERIFY(found);
        QVERIFY(confirms);
        QVERIFY(!result.accepted);
        QVERIFY(result.path.isEmpty());
    }

    void realFontDialog()
    {
        QtDialogs dialogs;
        FontChoice initial;
        for (const QString &family : QFontDatabase::families()) {
            if (QFontDatabase::styles(family).contains(u"Bold"_s)) {
                initial.name = family;
                break;
            }
        }
        if (initial.name.isEmpty())
            QSKIP("no font with a bold style");
        initial.pointSize = 12;
        initial.bold = true;
        initial.color = Qt::blue;
        bool found = false, foundColor = false;
        QFont seen;
        QString title;
        whenModal<QFontDialog>(found, [&](QFontDialog *dialog) {
            seen = dialog->currentFont();
            title = dialog->windowTitle();
            QFont changed = seen;
            changed.setUnderline(true);
            changed.setStrikeOut(true);
            dialog->setCurrentFont(changed);
            whenModal<QColorDialog>(foundColor, [](QColorDialog *colors) {
                colors->setCurrentColor(Qt::red);
                colors->accept();
            });
            dialog->accept();
        });
        const auto choice = dialogs.chooseFont(nullptr, u"フォント設定"_s, initial, true);
        QVERIFY(found);
        QVERIFY(foundColor);
        QCOMPARE(title, u"フォント設定"_s);
        QCOMPARE(seen.pointSizeF(), 12.0);
        QCOMPARE(seen.family(), initial.name);
        QVERIFY(seen.bold());
        QVERIFY(choice);
        QCOMPARE(choice->name, initial.name);
        QVERIFY(choice->bold);
        QVERIFY(choice->underline);
        QVERIFY(choice->strikeOut);
        QVERIFY(!choice->italic);
        QCOMPARE(choice->pointSize, 12.0);
        QCOMPARE(choice->color, QColor(Qt::red));
    }

    void realFontDialogCancel()
    {
        QtDialogs dialogs;
        FontChoice initial;
        initial.color = Qt::green;
        bool found = false, foundColor = false;
        whenModal<QFontDialog>(found, [](QFontDialog *dialog) { dialog->reject(); });
        QVERIFY(!dialogs.chooseFont(nullptr, u"フォント設定"_s, initial, true));
        QVERIFY(found);

        // A cancelled colour keeps the colour, not the font.
        whenModal<QFontDialog>(found, [&](QFontDialog *dialog) {
            whenModal<QColorDialog>(foundColor, [](QColorDialog *colors) { colors->reject(); });
            dialog->accept();
        });
        const auto choice = dialogs.chooseFont(nullptr, u"フォント設定"_s, initial, true);
        QVERIFY(foundColor);
        QVERIFY(choice);
        QCOMPARE(choice->color, QColor(Qt::green));
    }

    void realFolderDialog()
    {
        QtDialogs dialogs;
        QVERIFY(QDir(m_dir.path()).mkpath(u"sub"_s));
        bool found = false;
        whenModal<QFileDialog>(found, [&](QFileDialog *dialog) {
            typeFileName(dialog, m_dir.filePath(u"sub"_s));
            static_cast<QDialog *>(dialog)->accept();
        });
        const auto folder = dialogs.chooseFolder(nullptr, u"フォルダの選択"_s, m_dir.path());
        QVERIFY(found);
        QVERIFY(folder);
        QCOMPARE(QFileInfo(*folder).canonicalFilePath(), QFileInfo(m_dir.filePath(u"sub"_s)).canonicalFilePath());

        whenModal<QFileDialog>(found, [](QFileDialog *dialog) { dialog->reject(); });
        QVERIFY(!dialogs.chooseFolder(nullptr, QString(), m_dir.path()));
        QVERIFY(found);
    }

    void realPrintDialogsCancel()
    {
        QtDialogs dialogs;
        QPrinter printer;
        bool found = false;
        whenModal<QPrintDialog>(found, [](QPrintDialog *dialog) { dialog->reject(); });
        QVERIFY(!dialogs.print(nullptr, printer));
        QVERIFY(found);
        whenModal<QPageSetupDialog>(found, [](QPageSetupDialog *dialog) { dialog->reject(); });
        QVERIFY(!dialogs.pageSetup(nullptr, printer));
        QVERIFY(found);
    }

    void scriptedAnswersInOrder()
    {
        ScriptedDialogs dialogs;
        dialogs.answerMessage(MessageAnswer::Yes);
        dialogs.answerMessage(MessageAnswer::Ok); // anything but Yes on a Yes/No box is No
        dialogs.answerSaveFile(u"/tmp/out"_s, 2);
        dialogs.cancelOpenFile();
        FontChoice font {u"IPAGothic"_s, 10.5, true, false, false, true, Qt::red};
        dialogs.answerFont(font);
        dialogs.answerPrint(true, [](QPrinter &p) { p.setPageOrientation(QPageLayout::Landscape); });
        dialogs.answerPageSetup(false);
        dialogs.answerFolder(u"/tmp"_s);

        QCOMPARE(dialogs.message(nullptr, u"q1"_s, u"t"_s, MessageButtons::YesNo, MessageIcon::Question),
                 MessageAnswer::Yes);
        QCOMPARE(dialogs.message(nullptr, u"q2"_s, u"t"_s, MessageButtons::YesNo, MessageIcon::Question),
                 MessageAnswer::No);
        FileDialogRequest save;
        save.filter = u"テキスト|*.txt|"_s;
        save.defaultExtension = u"txt"_s;
        const auto saved = dialogs.saveFile(nullptr, save);
        QVERIFY(saved.accepted);
        QCOMPARE(saved.path, u"/tmp/out.txt"_s);
        QCOMPARE(saved.filterIndex, 2);
        QVERIFY(!dialogs.openFile(nullptr, {}).accepted);
        FontChoice withoutColor = font;
        withoutColor.color = Qt::black;
        QCOMPARE(dialogs.chooseFont(nullptr, u"フォント設定"_s, {}, false), std::optional(withoutColor));
        QPrinter printer;
        QVERIFY(dialogs.print(nullptr, printer));
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
        QVERIFY(!dialogs.pageSetup(nullptr, printer));
        QCOMPARE(dialogs.chooseFolder(nullptr, u"f"_s, u"/"_s), std::optional(u"/tmp"_s));

        QVERIFY(!dialogs.hadUnexpected());
        QCOMPARE(dialogs.unansweredCount(), 0);
        QCOMPARE(dialogs.requests().size(), 8);
        QCOMPARE(dialogs.messageTexts(), (QStringList {u"q1"_s, u"q2"_s}));
        QCOMPARE(dialogs.requests()[0].icon, MessageIcon::Question);
        QCOMPARE(dialogs.requests()[2].file.filter, u"テキスト|*.txt|"_s);
        QCOMPARE(dialogs.requests()[7].title, u"f"_s);
    }

    void scriptedUnexpected()
    {
        ScriptedDialogs dialogs;
        dialogs.setFailOnUnexpected(false);
        QCOMPARE(dialogs.message(nullptr, u"消しますか"_s, u"確認"_s, MessageButtons::YesNo, MessageIcon::Warning),
                 MessageAnswer::No);
        dialogs.answerFolder(u"/tmp"_s);
        QVERIFY(!dialogs.saveFile(nullptr, {}).accepted); // the script waits for a folder
        QCOMPARE(dialogs.unansweredCount(), 1);
        QCOMPARE(dialogs.unexpected().size(), 2);
        QVERIFY(dialogs.unexpected()[0].contains(u"消しますか"_s));
        QVERIFY(dialogs.unexpected()[1].contains(u"folder"_s));
        QCOMPARE(dialogs.requests().size(), 2);
        QCOMPARE(dialogs.chooseFolder(nullptr, {}, {}), std::optional(u"/tmp"_s));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
