#include "core/VideoEntry.h"
#include "player/NormalScreenView.h"
#include "player/SendLinkWidget.h"
#include "player/VideoInfoWidget.h"
#include "service/account/AccountConstants.h"
#include "shell/PageHeader.h"
#include "social/StatisticsWidget.h"
#include "tests/support/TestSupport.h"

#include <QImage>
#include <QLabel>

#include <functional>

// Texts that come from outside (a video's document, the account's profile, the
// service's reasons, the player's) are shown as they stand. A label takes text that
// starts like markup as rich text, and rich text loads the files its images name: a
// description of "<img src='/dev/zero'>" read until the memory ran out.
class TestOutsideTexts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void shownAsTheyStand_data();
    void shownAsTheyStand();
};

// Puts the text where the row says, into a widget made on the window.
using Placement = std::function<QWidget*(TestWorld&, const QString&)>;
Q_DECLARE_METATYPE(Placement)

namespace {

constexpr int PICTURE_SIDE = 3000;

NormalScreenView* infoView(TestWorld& world, const VideoEntry& video)
{
    auto* view = new NormalScreenView(world.history, &world.window());
    view->setVideo(video, -1);
    return view;
}

} // namespace

void TestOutsideTexts::shownAsTheyStand_data()
{
    QTest::addColumn<Placement>("place");
    const auto add = [](const char* name, const Placement& place) { QTest::newRow(name) << place; };
    add("video title", [](TestWorld& w, const QString& text) {
        VideoEntry video = videoWithId(QStringLiteral("v1"));
        video.setName(text);
        return infoView(w, video);
    });
    add("video description", [](TestWorld& w, const QString& text) {
        VideoEntry video = videoWithId(QStringLiteral("v1"));
        video.setDescription(text);
        return infoView(w, video);
    });
    add("author", [](TestWorld& w, const QString& text) {
        VideoEntry video = videoWithId(QStringLiteral("v1"));
        video.setAuthor(text);
        return infoView(w, video);
    });
    add("rating refused with the service's reason", [](TestWorld& w, const QString& text) {
        NormalScreenView* view = infoView(w, videoWithId(QStringLiteral("v1")));
        view->getInfoWidget()->setRatingNote(text);
        return view;
    });
    add("link refused with the service's reason", [](TestWorld& w, const QString& text) {
        NormalScreenView* view = infoView(w, videoWithId(QStringLiteral("v1")));
        view->getSendLinkWidget()->setResult(text);
        view->showPane(NormalScreenView::eSendPane);
        return view;
    });
    add("the player's reason", [](TestWorld& w, const QString& text) {
        NormalScreenView* view = infoView(w, videoWithId(QStringLiteral("v1")));
        view->setStatusText(QStringLiteral("The video cannot be played: ") + text);
        return view;
    });
    add("contact to send the link to", [](TestWorld& w, const QString& text) {
        NormalScreenView* view = infoView(w, videoWithId(QStringLiteral("v1")));
        view->getSendLinkWidget()->setContacts({text});
        view->showPane(NormalScreenView::eSendPane);
        return view;
    });
    add("page title", [](TestWorld& w, const QString& text) { return new PageHeader(text, &w.window()); });
    add("profile figure", [](TestWorld& w, const QString& text) {
        auto* figures = new StatisticsWidget(&w.window());
        figures->setData({{PROFILE_FAVORITES, text}});
        return figures;
    });
}

void TestOutsideTexts::shownAsTheyStand()
{
    QFETCH(Placement, place);
    TestWorld world;
    const QString picture = world.environment.root() + QStringLiteral("/p.png");
    QImage image(PICTURE_SIDE, PICTURE_SIDE, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(picture));
    const QString text = QStringLiteral("<img src='%1'>").arg(picture);

    QWidget* widget = place(world, text);
    widget->resize(world.window().size());
    QVERIFY(world.show());
    const QList<QLabel*> labels = widget->findChildren<QLabel*>();
    const auto showing = std::count_if(labels.cbegin(), labels.cend(),
                                       [&text](const QLabel* label) { return label->text().contains(text); });
    QVERIFY(showing >= 1);
    // The picture is never drawn: no label grows to its size.
    for (const QLabel* label : labels)
        QVERIFY2(label->sizeHint().height() < PICTURE_SIDE / 2, qPrintable(label->text()));
}

QTEST_MAIN(TestOutsideTexts)
#include "tst_outsidetexts.moc"
