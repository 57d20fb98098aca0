#include "app/AppTexts.h"
#include "core/constants/Settings.h"
#include "service/ServiceTexts.h"
#include "settings/SettingsPage.h"
#include "settings/SettingsViewAccount.h"
#include "shell/BackButton.h"
#include "shell/HomeView.h"
#include "shell/MainWindow.h"
#include "shell/OneButtonDialog.h"
#include "shell/PageHeader.h"
#include "shell/PageHistory.h"
#include "shell/ShellConstants.h"
#include "tests/support/TestSupport.h"
#include "tools/demoservice/DemoCatalogue.h"
#include "tools/demoservice/DemoPictures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <functional>
#include <unistd.h>

// The start command as a person runs it, on a machine without a display: it builds
// (nothing, here), starts the demo service, a session bus, a virtual screen and the
// program, says where to look, and leaves nothing behind however the program ends.
// The test clicks and types on the virtual screen and reads the screen's pictures
// and the demo service's request log, and signs in on the settings page with the
// account the command printed.

namespace {

constexpr int START_TIMEOUT_MS = 60000;   // the command may have to build
constexpr int STEP_TIMEOUT_MS = 20000;
const QString SCREEN_LINE = QStringLiteral("Krelvox runs full screen on a virtual 800x480 screen");

// One run of "bash tools/setup.sh run" in a process group of its own, as in a terminal.
class StartCommand
{
public:
    explicit StartCommand(const TestEnvironment& environment, const QStringList& extraEnvironment = {})
        : myRunFolder(environment.runFolder())
    {
        QProcessEnvironment env = environment.headlessEnvironment();
        env.insert(QStringLiteral("KRELVOX_BUILD_DIR"), QStringLiteral(KRELVOX_BUILD_DIR));
        for (const QString& item : extraEnvironment)
            env.insert(item.section(QLatin1Char('='), 0, 0), item.section(QLatin1Char('='), 1));
        myProcess.setProcessEnvironment(env);
        myProcess.setProcessChannelMode(QProcess::MergedChannels);
        myProcess.setChildProcessModifier([] { ::setsid(); });
        mySinceStart.start();
        myProcess.start(QStringLiteral("bash"), {QStringLiteral(KRELVOX_SOURCE_DIR "/tools/setup.sh"), QStringLiteral("run")});
        myGroup = myProcess.processId();
    }

    ~StartCommand()
    {
        // Also what a failed test left behind of a command that has ended.
        if (myProcess.state() != QProcess::NotRunning || !liveProcesses().isEmpty()) {
            ::kill(-pid_t(myGroup), SIGKILL);
            myProcess.waitForFinished(5000);
        }
    }

    // The command's process id, which is also its group's.
    qint64 group() const { return myGroup; }
    qint64 elapsedMs() const { return mySinceStart.elapsed(); }
    QString runFolder() const { return myRunFolder; }
    QString output() const { return myOutput; }

    // The first output line that contains the text; "" when none came in time.
    QString waitForLine(const QString& text, int timeoutMs = START_TIMEOUT_MS)
    {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < timeoutMs) {
            myOutput += QString::fromUtf8(myProcess.readAll());
            for (const QString& line : myOutput.split(QLatin1Char('\n')))
                if (line.contains(text) && myOutput.contains(line + QLatin1Char('\n')))
                    return line;
            if (myProcess.state() == QProcess::NotRunning && !myProcess.bytesAvailable())
                return QString();
            myProcess.waitForReadyRead(50);
        }
        return QString();
    }

    // The command's exit status once it has ended as a shell gives it (128 + the
    // signal that killed it), -1 when it did not end in time.
    int waitForEnd(int timeoutMs = STEP_TIMEOUT_MS)
    {
        if (!myProcess.waitForFinished(timeoutMs) && myProcess.state() != QProcess::NotRunning)
            return -1;
        myOutput += QString::fromUtf8(myProcess.readAll());
        // After a signal, QProcess gives its number as the exit code.
        return myProcess.exitStatus() == QProcess::NormalExit ? myProcess.exitCode() : 128 + myProcess.exitCode();
    }

    // The processes of the command's group that are not dead: "pid name" each.
    QStringList liveProcesses() const
    {
        QStringList found;
        const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString& pid : entries) {
            QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
            if (!stat.open(QIODevice::ReadOnly))
                continue;
            // "pid (name) state ppid pgrp ...": the name may hold spaces and brackets.
            const QByteArray text = stat.readAll();
            const int open = text.indexOf('(');
            const int close = text.lastIndexOf(')');
            const QList<QByteArray> fields = text.mid(close + 2).split(' ');
            if (open < 0 || close < open || fields.size() < 3 || fields.at(0) == "Z")
                continue;
            if (group() > 0 && fields.at(2).toLongLong() == group())
                found.append(pid + QLatin1Char(' ') + QString::fromUtf8(text.mid(open + 1, close - open - 1)));
        }
        return found;
    }

    qint64 pidOf(const QString& name) const
    {
        for (const QString& process : liveProcesses())
            if (process.section(QLatin1Char(' '), 1) == name)
                return process.section(QLatin1Char(' '), 0, 0).toLongLong();
        return 0;
    }

private:
    QString myRunFolder;
    QProcess myProcess;
    qint64 myGroup = 0;
    QElapsedTimer mySinceStart;
    QString myOutput;
};

// The virtual screen as the command announced it: clicks, keys and its pictures.
class VirtualScreen
{
public:
    VirtualScreen(const QString& announcement, const QString& runFolder) : myPicture(runFolder + QStringLiteral("/screen.png"))
    {
        const QRegularExpressionMatch match =
            QRegularExpression(QStringLiteral("DISPLAY=(\\S+) XAUTHORITY=(\\S+)\\)")).match(announcement);
        myEnvironment = QProcessEnvironment::systemEnvironment();
        myEnvironment.insert(QStringLiteral("DISPLAY"), match.captured(1));
        myEnvironment.insert(QStringLiteral("XAUTHORITY"), match.captured(2));
        myValid = match.hasMatch();
    }

    bool isValid() const { return myValid; }

    bool xdotool(const QStringList& arguments) const
    {
        QProcess tool;
        tool.setProcessEnvironment(myEnvironment);
        tool.start(QStringLiteral("xdotool"), arguments);
        return tool.waitForFinished(STEP_TIMEOUT_MS) && tool.exitCode() == 0;
    }
    bool click(const QPoint& point) const
    {
        return xdotool({QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y()),
                        QStringLiteral("click"), QStringLiteral("1")});
    }
    bool type(const QString& text) const
    {
        return xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), text});
    }
    bool press(const QString& key) const { return xdotool({QStringLiteral("key"), key}); }

    // The first picture of the screen written after this call.
    QImage nextPicture() const
    {
        const QDateTime after = QFileInfo(myPicture).lastModified();
        QImage picture;
        (void)QTest::qWaitFor(
            [&] {
                const QFileInfo file(myPicture);
                if (file.exists() && file.lastModified() > after)
                    picture = QImage(myPicture);
                return !picture.isNull();
            },
            STEP_TIMEOUT_MS);
        return picture;
    }

    // The first picture from now on that shows what is asked for; the last one taken
    // when none did in time.
    QImage pictureThatShows(const std::function<bool(const QImage&)>& shows) const
    {
        QElapsedTimer waited;
        waited.start();
        QImage picture;
        while (waited.elapsed() < STEP_TIMEOUT_MS) {
            picture = nextPicture();
            if (picture.isNull() || shows(picture))
                break;
        }
        return picture;
    }

private:
    QString myPicture;
    QProcessEnvironment myEnvironment;
    bool myValid = false;
};

// The account view of the settings page as the program draws it on the screen, with
// the demo account signed out and signed in, and the notice of a verified account.
struct AccountScreens
{
    QPoint userName;
    QPoint password;
    QRect signButton;
    QImage signedOut;
    QImage signedIn;
    QRect notice;
    QPoint noticeButton;
    QImage noticePicture;
};

// The centre of the widget in the window's coordinates.
QPoint centreIn(const QWidget* widget, const QWidget* window)
{
    return widget->mapTo(window, widget->rect().center());
}

// Pixels of the picture's rectangle within a small distance of the colour.
int pixelsNear(const QImage& picture, const QRect& area, const QColor& colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = picture.pixelColor(x, y);
            count += qAbs(pixel.red() - colour.red()) + qAbs(pixel.green() - colour.green())
                    + qAbs(pixel.blue() - colour.blue()) < 40;
        }
    return count;
}

// The share of pixels that two pictures of one size have (nearly) alike.
double likeness(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 0;
    const QImage first = a.convertToFormat(QImage::Format_RGB32);
    const QImage second = b.convertToFormat(QImage::Format_RGB32);
    int alike = 0;
    for (int y = 0; y < first.height(); ++y)
        for (int x = 0; x < first.width(); ++x) {
            const QRgb p = first.pixel(x, y);
            const QRgb q = second.pixel(x, y);
            alike += qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q)) < 48;
        }
    return double(alike) / (first.width() * first.height());
}

// The lines of the request log that contain the text.
QStringList logLines(const QString& log, const QString& text)
{
    QFile file(log);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')).filter(text);
}

bool waitForLog(const QString& log, const QStringList& texts)
{
    return QTest::qWaitFor(
        [&] {
            return std::all_of(texts.begin(), texts.end(),
                               [&log](const QString& text) { return !logLines(log, text).isEmpty(); });
        },
        STEP_TIMEOUT_MS);
}

} // namespace

class TestStartCommand : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void nothingIsLeftBehind_data();
    void nothingIsLeftBehind();
    void browsesSearchesAndSignsIn();
    void startQuestionIsPictured();

private:
    // Where the home view's buttons and a page's back button are on the 800x480 screen.
    QPoint homeButton(HomeView::eHomeEntry entry);
    QPoint backButton();
    QImage homeView();
    AccountScreens accountScreens();
};

void TestStartCommand::initTestCase()
{
    for (const char* tool : {"Xvfb", "xauth", "xdotool", "dbus-daemon"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QSKIP(qPrintable(QStringLiteral("%1 is not installed (tools/setup.sh installs it)").arg(tool)));
}

QPoint TestStartCommand::homeButton(HomeView::eHomeEntry entry)
{
    MainWindow window;
    PageHistory history;
    auto* home = new HomeView(&window, history);
    window.addPage(home);
    window.showPage(home);
    window.resize(SCREEN_WIDTH, SCREEN_HEIGHT);
    window.show();
    QCoreApplication::processEvents();
    QPushButton* button = home->getButton(entry);
    return button->mapTo(&window, button->rect().center());
}

QPoint TestStartCommand::backButton()
{
    PageHeader header(QStringLiteral("Most viewed"));
    header.resize(SCREEN_WIDTH, HEADER_HEIGHT);
    header.show();
    QCoreApplication::processEvents();
    BackButton* button = header.getBackButton();
    return button->mapTo(&header, button->rect().center());
}

QImage TestStartCommand::homeView()
{
    MainWindow window;
    PageHistory history;
    auto* home = new HomeView(&window, history);
    window.addPage(home);
    window.resize(SCREEN_WIDTH, SCREEN_HEIGHT);
    window.show();
    window.showPage(home);
    QCoreApplication::processEvents();
    return window.grab().toImage();
}

AccountScreens TestStartCommand::accountScreens()
{
    AccountScreens screens;
    for (bool signedIn : {false, true}) {
        TestWorld world;   // folders of its own, apart from the program's
        world.storeAccount(DemoCatalogue::USER, DemoCatalogue::PASSWORD);
        world.setSignedIn(signedIn);
        MainWindow window;
        auto* page = new SettingsPage(&window, world.repository.get(), &world.history);
        window.addPage(page);
        window.resize(SCREEN_WIDTH, SCREEN_HEIGHT);
        window.show();
        window.showPage(page);
        page->focusFirstTab();
        QCoreApplication::processEvents();
        const SettingsViewAccount* view = page->getAccountView();
        screens.userName = centreIn(view->getUserNameEdit(), &window);
        screens.password = centreIn(view->getPasswordEdit(), &window);
        const QPushButton* sign = view->getSignButton();
        screens.signButton = QRect(sign->mapTo(&window, QPoint(0, 0)), sign->size());
        (signedIn ? screens.signedIn : screens.signedOut) = window.grab().toImage();
        if (!signedIn)
            continue;
        OneButtonDialog notice(&window);
        notice.setTitle(TEXT_ACCOUNT_VERIFIED());
        notice.setText(TEXT_ACCOUNT_SIGNED_IN());
        notice.show();
        QCoreApplication::processEvents();
        screens.notice = QRect(notice.pos() - window.pos(), notice.size());
        screens.noticeButton = screens.notice.topLeft() + centreIn(notice.getButton(), &notice);
        screens.noticePicture = notice.grab().toImage();
    }
    return screens;
}

void TestStartCommand::nothingIsLeftBehind_data()
{
    QTest::addColumn<QString>("ending");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("the program exits") << "exit" << 0;
    QTest::newRow("the program is killed") << "kill program" << 128 + SIGKILL;
    QTest::newRow("Ctrl-C") << "interrupt" << 128 + SIGINT;
    QTest::newRow("the command is terminated") << "terminate" << 128 + SIGTERM;
    QTest::newRow("the command is killed") << "kill command" << 128 + SIGKILL;
}

void TestStartCommand::nothingIsLeftBehind()
{
    QFETCH(QString, ending);
    QFETCH(int, exitCode);

    TestEnvironment environment;
    const bool quits = ending == QLatin1String("exit");
    StartCommand command(environment, quits ? QStringList{QStringLiteral("KRELVOX_QUIT_AFTER_HOME_PAINT=1")}
                                            : QStringList());
    const QString announcement = command.waitForLine(SCREEN_LINE);
    QVERIFY2(!announcement.isEmpty(), qPrintable(command.output()));
    QVERIFY2(announcement.contains(QLatin1String("Ctrl-C stops it")), qPrintable(announcement));
    QVERIFY2(announcement.contains(command.runFolder() + QStringLiteral("/screen.png")), qPrintable(announcement));
    if (quits) {
        QVERIFY2(!command.waitForLine(QStringLiteral("home view painted")).isEmpty(), qPrintable(command.output()));
        qInfo("from the command to the home view: %lld ms", command.elapsedMs());
    } else {
        // Everything has started once the program has asked the demo service for the categories.
        QVERIFY(waitForLog(command.runFolder() + QStringLiteral("/demoservice.log"), {QStringLiteral("categories.cat 200")}));
        const QStringList started = command.liveProcesses().replaceInStrings(QRegularExpression(QStringLiteral("^\\d+ ")), QString());
        for (const char* name : {"bash", "krelvox-demoser", "dbus-daemon", "Xvfb", "krelvox"})
            QVERIFY2(started.contains(QLatin1String(name)), qPrintable(started.join(QLatin1String(", "))));
    }

    if (ending == QLatin1String("kill program"))
        ::kill(pid_t(command.pidOf(QStringLiteral("krelvox"))), SIGKILL);
    else if (ending == QLatin1String("interrupt"))
        ::kill(-pid_t(command.group()), SIGINT);   // what a terminal sends on Ctrl-C
    else if (ending == QLatin1String("terminate"))
        ::kill(pid_t(command.group()), SIGTERM);   // to the command alone
    else if (ending == QLatin1String("kill command"))
        ::kill(pid_t(command.group()), SIGKILL);   // the command cannot trap it
    QCOMPARE(command.waitForEnd(), exitCode);
    QTRY_COMPARE_WITH_TIMEOUT(command.liveProcesses(), QStringList(), 5000);
}

void TestStartCommand::browsesSearchesAndSignsIn()
{
    TestEnvironment environment;
    const QPoint mostViewed = homeButton(HomeView::eEntryMostViewed);
    const QPoint search = homeButton(HomeView::eEntrySearch);
    const QPoint settings = homeButton(HomeView::eEntrySettings);
    const AccountScreens account = accountScreens();
    const QPoint back = backButton();
    const QImage expectedHome = homeView();

    StartCommand command(environment);
    const QString service = command.waitForLine(QStringLiteral("Demo service at "));
    const QRegularExpressionMatch printed =
        QRegularExpression(QStringLiteral("Demo service at (\\S+), demo account: user name (\\S+), password (\\S+);"))
            .match(service);
    QVERIFY2(printed.hasMatch(), qPrintable(command.output()));
    QCOMPARE(printed.captured(2), DemoCatalogue::USER);
    const VirtualScreen screen(command.waitForLine(SCREEN_LINE), command.runFolder());
    QVERIFY2(screen.isValid(), qPrintable(command.output()));
    const QString log = command.runFolder() + QStringLiteral("/demoservice.log");

    // 1. The home view.
    const QImage home = screen.nextPicture();
    QVERIFY2(likeness(home, expectedHome) > 0.95, qPrintable(QString::number(likeness(home, expectedHome))));

    // 2. "Most viewed" lists the demo videos with their pictures, in the list's left column.
    const DemoCatalogue catalogue;
    const QList<FakeVideo> viewed = *catalogue.standardFeed(QStringLiteral("most_viewed"), QStringLiteral("today"));
    QVERIFY(screen.click(mostViewed));
    QStringList shown{QStringLiteral("GET /gdata/feeds/api/standardfeeds/most_viewed?")};
    for (int row = 0; row < 4; ++row)
        shown.append(QStringLiteral("GET /ytimg/vi/%1/default.jpg 200").arg(viewed.at(row).id));
    QVERIFY2(waitForLog(log, shown), qPrintable(shown.join(QLatin1Char('\n'))));
    QVERIFY(logLines(log, shown.first()).first().endsWith(QLatin1String(" 200")));
    const QRect pictureColumn(0, HEADER_HEIGHT, 120, SCREEN_HEIGHT - HEADER_HEIGHT);
    screen.nextPicture();   // may have been taken before the pictures were painted
    QImage list = screen.nextPicture();
    for (int row = 0; row < 4; ++row) {
        const QColor own = DemoPictures::signatureColour(catalogue.indexOf(viewed.at(row).id));
        QVERIFY2(pixelsNear(list, pictureColumn, own) > 100, qPrintable(viewed.at(row).title));
    }

    // 3. Back home, the printed account signs in on the settings page: the notice of
    // the verified account is closed, and the page offers to sign out.
    QVERIFY(screen.click(back));
    QVERIFY(screen.click(settings));
    QVERIFY(screen.click(account.userName) && screen.type(printed.captured(2)));
    QVERIFY(screen.click(account.password) && screen.type(printed.captured(3)));
    QVERIFY(screen.click(account.signButton.center()));
    QVERIFY(waitForLog(log, {QStringLiteral("POST /google/accounts/ClientLogin ")}));
    // The notice's place differs by the width of a window frame, so it is told from
    // the page behind it by which it resembles more.
    const auto showsNotice = [&account](const QImage& picture) {
        const QImage area = picture.copy(account.notice);
        return likeness(area, account.noticePicture) > likeness(area, account.signedOut.copy(account.notice));
    };
    QVERIFY(showsNotice(screen.pictureThatShows(showsNotice)));
    QVERIFY(screen.click(account.noticeButton));
    const auto signButtonLikeness = [&account](const QImage& picture, const QImage& expected) {
        return likeness(picture.copy(account.signButton), expected.copy(account.signButton));
    };
    const QImage signedIn = screen.pictureThatShows([&](const QImage& picture) {
        return signButtonLikeness(picture, account.signedIn) > signButtonLikeness(picture, account.signedOut);
    });
    const double asSignedIn = signButtonLikeness(signedIn, account.signedIn);
    const double asSignedOut = signButtonLikeness(signedIn, account.signedOut);
    QVERIFY2(asSignedIn > 0.95 && asSignedIn > asSignedOut,
             qPrintable(QStringLiteral("%1 like signed in, %2 like signed out").arg(asSignedIn).arg(asSignedOut)));
    QCOMPARE(logLines(log, QStringLiteral("POST /google/accounts/ClientLogin ")),
             QStringList({QStringLiteral("POST /google/accounts/ClientLogin 200")}));

    // 4. Back home, a search finds the demo video typed for.
    QVERIFY(screen.click(back));
    QVERIFY(screen.click(search));
    QVERIFY(screen.type(QStringLiteral("northern")) && screen.press(QStringLiteral("Return")));
    const FakeVideo found = catalogue.search({QStringLiteral("northern"), QString(), QString(), QStringLiteral("today")}).value(0);
    QCOMPARE(found.title, QStringLiteral("Northern lights over the fells"));
    QVERIFY(waitForLog(log, {QStringLiteral("GET /gdata/feeds/api/videos?q=northern&"),
                             QStringLiteral("GET /ytimg/vi/%1/default.jpg 200").arg(found.id)}));
    screen.nextPicture();
    list = screen.nextPicture();
    QVERIFY(pixelsNear(list, pictureColumn, DemoPictures::signatureColour(catalogue.indexOf(found.id))) > 100);

    // 5. Ctrl-C ends it all.
    ::kill(-pid_t(command.group()), SIGINT);
    QCOMPARE(command.waitForEnd(), 128 + SIGINT);
    QTRY_COMPARE_WITH_TIMEOUT(command.liveProcesses(), QStringList(), 5000);
}

QTEST_MAIN(TestStartCommand)
// A question the program asks while it starts (here: whether to go on with the
// download queue left from the last run) is in the screen's pictures, so that the
// person sees it and can answer it.
void TestStartCommand::startQuestionIsPictured()
{
    TestEnvironment environment;
    {
        Repository repository(environment.paths());
        QCOMPARE(repository.openDatabase(), 0);
        VideoEntry queued = testVideo(QStringLiteral("queued1"), QStringLiteral("Left in the queue"));
        QCOMPARE(repository.addFavorite(&queued, false), 0);
        repository.setSetting(SETTING_BACKGROUND_DOWNLOADING_ENABLED, 1);
    }
    const QImage expectedHome = homeView();

    StartCommand command(environment);
    const VirtualScreen screen(command.waitForLine(SCREEN_LINE), command.runFolder());
    QVERIFY2(screen.isValid(), qPrintable(command.output()));
    const QImage asked = screen.nextPicture();
    QVERIFY(!asked.isNull());
    QVERIFY(likeness(asked, expectedHome) < 0.95);
    QVERIFY(screen.press(QStringLiteral("Escape")));
    const QImage home = screen.pictureThatShows([&](const QImage& picture) { return likeness(picture, expectedHome) > 0.95; });
    QVERIFY2(likeness(home, expectedHome) > 0.95, qPrintable(QString::number(likeness(home, expectedHome))));
}

#include "tst_startcommand.moc"
