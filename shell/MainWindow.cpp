#include "shell/MainWindow.h"
#include "shell/ApplicationStyle.h"
#include "shell/PageBase.h"
#include "shell/ShellConstants.h"

#include "shell/ShellLogging.h"
#include "shell/ShellTexts.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMetaMethod>
#include <QShortcut>
#include <QStackedWidget>

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), myPages(new QStackedWidget(this))
{
    ensureApplicationStyle();
    setWindowTitle(TEXT_APPLICATION_NAME());
    setCentralWidget(myPages);
    resize(SCREEN_WIDTH, SCREEN_HEIGHT);

    // Window-wide keys: they work whichever control of the page has the focus.
    auto* fullScreenKey = new QShortcut(QKeySequence(Qt::Key_F6), this);
    connect(fullScreenKey, &QShortcut::activated, this, &MainWindow::toggleFullScreen);
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F4), this);
    connect(menuKey, &QShortcut::activated, this, &MainWindow::showMenu);
}

MainWindow::~MainWindow() = default;

void MainWindow::addPage(PageBase* page)
{
    if (!page) {
        qCWarning(lcShell, "void MainWindow::addPage(PageBase*) - NULL page");
        return;
    }
    if (myPages->indexOf(page) < 0)
        myPages->addWidget(page);
}

PageBase* MainWindow::currentPage() const
{
    return qobject_cast<PageBase*>(myPages->currentWidget());
}

int MainWindow::pageCount() const
{
    return myPages->count();
}

void MainWindow::setMenu(QMenu* menu)
{
    myMenu = menu;
}

void MainWindow::showPage(PageBase* page)
{
    if (!page) {
        qCWarning(lcShell, "void MainWindow::showPage(PageBase*) - NULL page, page not changed");
        return;
    }
    if (myPages->indexOf(page) < 0) {
        qCWarning(lcShell, "void MainWindow::showPage(PageBase*) - page was not added, adding it");
        addPage(page);
    }

    if (QWidget* focused = QApplication::focusWidget())
        focused->clearFocus();
    if (PageBase* old = currentPage())
        old->blockUiSignals(true);
    myPages->setCurrentWidget(page);
    page->armBackButton();
    page->blockUiSignals(false);
    page->setPageFocus();
    Q_EMIT screenSize(myPages->width(), myPages->height());
}

void MainWindow::toggleFullScreen()
{
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
}

void MainWindow::showMenu()
{
    if (!myMenu)
        return;
    QAction* chosen = myMenu->exec(mapToGlobal(QPoint(0, 0)));
    if (chosen)
        Q_EMIT menuEntryChosen(chosen);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (isSignalConnected(QMetaMethod::fromSignal(&MainWindow::closeRequested))) {
        // The controller decides (it may ask about a running download) and ends the
        // program itself.
        event->ignore();
        Q_EMIT closeRequested();
        return;
    }
    QMainWindow::closeEvent(event);
}
