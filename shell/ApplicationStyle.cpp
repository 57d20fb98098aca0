#include "shell/ApplicationStyle.h"

#include "shell/ShellStyles.h"

#include <QApplication>

// Where two rules give a widget the same property, the more specific selector wins
// and of two as specific the later one: so the page's frames come first, and the
// header, dialog and button rules after them name their place as precisely. The
// buttons' rules use ".QPushButton", which leaves out the button classes of their
// own (the back button). Buttons and fields elsewhere are styled where they are made
// (STYLE_PUSH_BUTTON, STYLE_LINE_EDIT): a rule for all of them would also reach the
// ones that a page styles its own way, wherever that page's sheet is silent.
QString applicationStyleSheet()
{
    const QString button = QStringLiteral("HomeView .QPushButton%1, BaseDialog .QPushButton%1");
    return QStringList{
        // Pages and every frame in them (labels, lists, panels).
        styleRule(QStringLiteral("PageBase, PageBase QFrame"), LOOK_PAGE),
        // The header band, its logo and title, and its back button.
        styleRule(QStringLiteral("PageHeader, PageBase PageHeader"), LOOK_HEADER_BAND),
        styleRule(QStringLiteral("PageHeader > QLabel"), LOOK_BOLD_18),
        styleRule(QStringLiteral("BackButton"), LOOK_BACK_BUTTON),
        styleRule(QStringLiteral("BackButton:focus"), LOOK_FOCUS_FRAME),
        // The buttons of the home view and the dialogs.
        styleRule(button.arg(QString()), LOOK_BUTTON),
        styleRule(button.arg(QStringLiteral(":focus")), LOOK_BUTTON_FOCUS),
        styleRule(button.arg(QStringLiteral(":pressed")), LOOK_BUTTON_PRESSED),
        styleRule(button.arg(QStringLiteral(":disabled")), LOOK_BUTTON_DISABLED),
        styleRule(QStringLiteral("HomeView .QPushButton"), LOOK_HOME_BUTTON_TEXT),
        // Dialogs: the frame, title, message and progress bar.
        styleRule(QStringLiteral("BaseDialog"), LOOK_DIALOG),
        styleRule(QStringLiteral("BaseDialog QLabel#dialogTitle"), LOOK_BOLD_18),
        styleRule(QStringLiteral("BaseDialog QLabel#dialogText"), LOOK_LABEL_16),
        styleRule(QStringLiteral("BaseDialog QProgressBar"), LOOK_PROGRESS_BAR),
        styleRule(QStringLiteral("BaseDialog QProgressBar::chunk"), LOOK_PROGRESS_CHUNK),
        // The application menu.
        styleRule(QStringLiteral("QMenu"), LOOK_MENU),
        styleRule(QStringLiteral("QMenu::item"), LOOK_MENU_ITEM),
        styleRule(QStringLiteral("QMenu::item:selected"), LOOK_MENU_ITEM_SELECTED),
    }
        .join(QLatin1Char('\n'));
}

void ensureApplicationStyle()
{
    auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (application && application->styleSheet().isEmpty())
        application->setStyleSheet(applicationStyleSheet());
}
