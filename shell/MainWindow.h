#ifndef KRELVOX_MAINWINDOW_H
#define KRELVOX_MAINWINDOW_H

#include <QMainWindow>
#include <QMenu>
#include <QPointer>

class PageBase;
class QAction;
class QStackedWidget;

// The application window: a stack of pages, one of them current. F6 toggles full
// screen and F4 opens the application menu. Closing the window is handed to whoever
// listens to closeRequested() (the controller's exit path); with no listener the
// window just closes.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    void addPage(PageBase* page);
    PageBase* currentPage() const;
    int pageCount() const;

    // The menu that F4 opens; not owned.
    void setMenu(QMenu* menu);
    QMenu* getMenu() const { return myMenu; }

public Q_SLOTS:
    // Clears the keyboard focus, blocks the UI signals of the current page, makes the
    // page current (arming its back button, also when it was current already),
    // unblocks its UI signals, gives it the focus and emits screenSize with the size
    // of the page frame.
    void showPage(PageBase* page);
    void toggleFullScreen();
    // Opens the menu at the window's top left corner; an entry chosen from it is
    // announced through menuEntryChosen.
    void showMenu();

Q_SIGNALS:
    void screenSize(int width, int height);
    void menuEntryChosen(QAction* action);
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QStackedWidget* myPages;
    QPointer<QMenu> myMenu;
};

#endif
