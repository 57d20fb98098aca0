#ifndef KRELVOX_TESTS_UPLOADTESTSUPPORT_H
#define KRELVOX_TESTS_UPLOADTESTSUPPORT_H

#include "shell/OneButtonDialog.h"
#include "social/UploadVideoController.h"
#include "social/UploadVideoPage.h"
#include "tests/support/TestSupport.h"
#include "widgets/SelectionBox.h"
#include "widgets/SelectionList.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <functional>

// The service's categories as the fake service lists them (the empty term first).
inline CategoryMap uploadCategories()
{
    return {{QString(), QStringLiteral("All")},
            {QStringLiteral("Autos"), QStringLiteral("Autos & Vehicles")},
            {QStringLiteral("People"), QStringLiteral("People & Blogs")},
            {QStringLiteral("Travel"), QStringLiteral("Travel & Events")}};
}

// A file of size bytes in a repeating pattern.
inline QByteArray writeVideoFile(const QString& path, qint64 size)
{
    QByteArray data(int(size), Qt::Uninitialized);
    for (int i = 0; i < data.size(); ++i)
        data[i] = char((i * 131 + i / 4099) % 251);
    if (!writeFile(path, data))
        qFatal("cannot write %s", qPrintable(path));
    return data;
}

// Picks the row of the category box as a finger does: opens the list, taps the row.
inline void pickCategory(UploadVideoPage* page, int row)
{
    SelectionBox* box = page->getCategoryBox();
    box->showListBox();
    tapRow(box->listBox()->listView(), row);
}

// The form as the user filled it, to compare before and after an upload.
inline QStringList formContents(UploadVideoPage* page)
{
    return {page->getVideoFile(), page->getFileField()->text(), page->getTitleField()->text(),
            page->getDescriptionBox()->toPlainText(), page->getCategoryBox()->text(),
            page->getTagsField()->text()};
}

// Fills the whole form: the file through the controller's chooser and "Browse...",
// the texts, then the category (a row of the list).
inline void fillUploadForm(UploadVideoController* controller, const QString& file, int categoryRow)
{
    UploadVideoPage* page = controller->getUploadPage();
    controller->setVideoFileChooser([file](QWidget*, const QString&, const QString&, const QString&) { return file; });
    QTest::mouseClick(page->getBrowseButton(), Qt::LeftButton);
    page->getTitleField()->setText(QStringLiteral("Revontulet Saariselällä"));
    page->getDescriptionBox()->setPlainText(QStringLiteral("Aikavälikuvaus\ntammikuun yöltä."));
    page->getTagsField()->setText(QStringLiteral("lappi, yö"));
    pickCategory(page, categoryRow);
}

// What the controller's dialog shows: "title|text|progress", the progress only while
// the bar is shown, " (hidden)" for a dialog that is not on screen; "-" without one.
inline QString dialogState(UploadVideoController* controller)
{
    OneButtonDialog* dialog = controller->getCurrentDialog();
    if (!dialog)
        return QStringLiteral("-");
    QString state = dialog->getTitle() + QLatin1Char('|') + dialog->getText();
    if (dialog->isProgressIndicatorShown())
        state += QLatin1Char('|') + QString::number(dialog->getProgressIndicatorValue());
    if (!dialog->isVisible())
        state += QStringLiteral(" (hidden)");
    return state;
}

// Closes every result dialog the controller opens, from inside its loop, and notes
// what it said. Progress dialogs are left to the upload.
class ResultCloser : public QObject
{
public:
    explicit ResultCloser(UploadVideoController* controller) : myController(controller)
    {
        connect(&myTimer, &QTimer::timeout, this, [this] { poll(); });
        myTimer.start(5);
    }
    QStringList results; // "title|text"

private:
    void poll()
    {
        OneButtonDialog* dialog = myController->getCurrentDialog();
        if (!dialog || !dialog->isVisible() || dialog->isProgressIndicatorShown())
            return;
        results << dialog->getTitle() + QLatin1Char('|') + dialog->getText();
        dialog->getButton()->click();
    }

    QPointer<UploadVideoController> myController;
    QTimer myTimer;
};

// Runs steps one after another, each from a timer of its own, so that a step that
// opens a modal dialog does not hold up the next: that one runs inside the dialog's
// loop. Before each step, and once all have run, it notes the controller's dialog.
class StepRunner : public QObject
{
public:
    StepRunner(UploadVideoController* controller, const QList<std::function<void()>>& steps)
        : myController(controller), mySteps(steps)
    {
        QTimer::singleShot(0, this, [this] { runNext(); });
    }
    bool finished() const { return myDone; }
    QStringList states;

private:
    void runNext()
    {
        states << dialogState(myController);
        if (myNext == mySteps.size()) {
            myDone = true;
            return;
        }
        const std::function<void()> step = mySteps.at(myNext++);
        QTimer::singleShot(10, this, [this] { runNext(); });
        step();
    }

    QPointer<UploadVideoController> myController;
    QList<std::function<void()>> mySteps;
    int myNext = 0;
    bool myDone = false;
};

#endif
