#include "shell/PageHistory.h"
#include "social/UploadTexts.h"
#include "tests/social/UploadTestSupport.h"
#include "tests/support/TestSupport.h"

#include <QSignalSpy>

// The upload form on its own: when "Upload" may be pressed, and the map it hands
// over for what the user typed and picked.
class TestUploadPage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void uploadButtonFollowsTheForm_data();
    void uploadButtonFollowsTheForm();
    void formIsSentAsTyped_data();
    void formIsSentAsTyped();

private:
    std::unique_ptr<TestWorld> myWorld;
    UploadVideoPage* myPage = nullptr;
};

void TestUploadPage::init()
{
    myWorld = std::make_unique<TestWorld>(TestWorld::Folders);
    myPage = new UploadVideoPage(&myWorld->window(), myWorld->history);
    QVERIFY(myWorld->show());
}

void TestUploadPage::cleanup()
{
    myWorld.reset();
}

void TestUploadPage::uploadButtonFollowsTheForm_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("description");
    QTest::addColumn<int>("category"); // row picked last; -1: none
    QTest::addColumn<QString>("tags");
    QTest::addColumn<bool>("enabled");
    const QString file = QStringLiteral("/media/mmc1/DCIM/sauna.mp4");
    QTest::newRow("complete") << file << "Sauna" << "Kesäilta" << 2 << "kesä" << true;
    QTest::newRow("no file") << "" << "Sauna" << "Kesäilta" << 2 << "kesä" << false;
    QTest::newRow("no title") << file << "" << "Kesäilta" << 2 << "kesä" << false;
    QTest::newRow("no description") << file << "Sauna" << "" << 2 << "kesä" << false;
    QTest::newRow("blanks are a description") << file << "Sauna" << "  \n " << 2 << "kesä" << true;
    QTest::newRow("no category picked") << file << "Sauna" << "Kesäilta" << -1 << "kesä" << false;
    QTest::newRow("All passes as a category") << file << "Sauna" << "Kesäilta" << 0 << "kesä" << true;
    QTest::newRow("no tags") << file << "Sauna" << "Kesäilta" << 2 << "" << false;
}

void TestUploadPage::uploadButtonFollowsTheForm()
{
    QFETCH(QString, file);
    QFETCH(QString, title);
    QFETCH(QString, description);
    QFETCH(int, category);
    QFETCH(QString, tags);
    QFETCH(bool, enabled);
    myPage->setCategories(uploadCategories());
    myPage->resetUploadCriteria();
    QCOMPARE(myPage->getCategoryBox()->text(), TEXT_CHOOSE_CATEGORY());
    QVERIFY(!myPage->getUploadButton()->isEnabled());

    myPage->setVideoFile(file);
    myPage->getTitleField()->setText(title);
    myPage->getDescriptionBox()->setPlainText(description);
    myPage->getTagsField()->setText(tags);
    if (category >= 0)
        pickCategory(myPage, category);
    QCOMPARE(myPage->getUploadButton()->isEnabled(), enabled);

    // A press that still reaches the form sends it only with every text filled.
    QSignalSpy requests(myPage, &UploadVideoPage::uploadRequested);
    QMetaObject::invokeMethod(myPage, "uploadClicked");
    const bool textsFilled = !file.isEmpty() && !title.isEmpty() && !description.isEmpty() && !tags.isEmpty();
    QCOMPARE(requests.count(), textsFilled ? 1 : 0);

    // Emptied again, the form cannot be sent, whatever it held.
    myPage->resetUploadCriteria();
    QVERIFY(!myPage->getUploadButton()->isEnabled());
    QCOMPARE(formContents(myPage).mid(1), QStringList({"", "", "", TEXT_CHOOSE_CATEGORY(), ""}));
}

void TestUploadPage::formIsSentAsTyped_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("description");
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("tags");
    QTest::addColumn<QStringList>("sent"); // location, title, description, category, keywords
    QTest::newRow("full path")
        << "/home/user/MyDocs/.videos/Kesä 2013.mp4" << "Kesä 2013.mp4" << "Juhannus" << "Kokko" << 5 << "kokko"
        << QStringList({"/home/user/MyDocs/.videos/Kesä 2013.mp4", "Juhannus", "Kokko", "Travel", "kokko"});
    QTest::newRow("bare file name") << "kokko.avi" << "kokko.avi" << "Juhannus" << "Kokko" << 1 << "kokko"
                                    << QStringList({"kokko.avi", "Juhannus", "Kokko", "Autos", "kokko"});
    QTest::newRow("description trimmed, title and tags as typed")
        << "/v/a.3gp" << "a.3gp" << "  Juhannus " << "\n  Kokko rannalla \n" << 3 << " kokko, järvi "
        << QStringList({"/v/a.3gp", "  Juhannus ", "Kokko rannalla", "People", " kokko, järvi "});
    QTest::newRow("blank description sent empty") << "/v/a.3gp" << "a.3gp" << "J" << "   " << 3 << "k"
                                                  << QStringList({"/v/a.3gp", "J", "", "People", "k"});
    QTest::newRow("All is the empty term") << "/v/a.3gp" << "a.3gp" << "J" << "K" << 0 << "k"
                                           << QStringList({"/v/a.3gp", "J", "K", "", "k"});
    // Two terms with one label: the first in term order.
    QTest::newRow("shared label") << "/v/a.3gp" << "a.3gp" << "J" << "K" << 4 << "k"
                                  << QStringList({"/v/a.3gp", "J", "K", "Comedy", "k"});
}

void TestUploadPage::formIsSentAsTyped()
{
    QFETCH(QString, path);
    QFETCH(QString, shown);
    QFETCH(QString, title);
    QFETCH(QString, description);
    QFETCH(int, category);
    QFETCH(QString, tags);
    QFETCH(QStringList, sent);
    CategoryMap categories = uploadCategories();
    categories.insert(QStringLiteral("Comedy"), QStringLiteral("Comedy"));
    categories.insert(QStringLiteral("Shorts"), QStringLiteral("Comedy"));
    myPage->setCategories(categories);
    myPage->resetUploadCriteria();
    myPage->setVideoFile(path);
    QCOMPARE(myPage->getFileField()->text(), shown);
    myPage->getTitleField()->setText(title);
    myPage->getDescriptionBox()->setPlainText(description);
    myPage->getTagsField()->setText(tags);
    pickCategory(myPage, category);
    const QStringList before = formContents(myPage);

    QSignalSpy requests(myPage, &UploadVideoPage::uploadRequested);
    QTest::mouseClick(myPage->getUploadButton(), Qt::LeftButton);
    QCOMPARE(requests.count(), 1);
    const auto map = requests.first().first().value<QMap<QString, QString>>();
    QCOMPARE(map.keys(), QStringList({"category", "description", "keywords", "location", "title"}));
    QCOMPARE(QStringList({map["location"], map["title"], map["description"], map["category"], map["keywords"]}),
             sent);
    QCOMPARE(formContents(myPage), before);
}

QTEST_MAIN(TestUploadPage)
#include "tst_uploadpage.moc"
