#include "tools/demoservice/DemoCatalogue.h"

#include <QCryptographicHash>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

struct Title
{
    const char* title;
    const char* author;
    const char* category;
    const char* keywords;
    const char* description;
};

// The videos, in the scripts that titles come in. The demo account's own uploads are
// the ones by DemoCatalogue::USER.
const Title TITLES[] = {
    {"Northern lights over the fells", "aurora_nights", "Travel", "aurora, northern lights, lapland, night sky, timelapse",
     "Four hours of a clear night above the fells, squeezed into three minutes."},
    {"Revontulet Saariselällä – aikaväli", "aurora_nights", "Travel", "aurora, finland, timelapse",
     "Aikavälikuvaus tunturin laelta pakkasyönä."},
    {"Pain de campagne au levain", "boulangerie_lea", "Howto", "bread, baking, sourdough, recipe",
     "Une miche croustillante, pas à pas, avec un levain de cinq jours."},
    {"Wie man ein Laufrad zentriert", "radwerkstatt", "Howto", "bicycle, wheel, repair",
     "Speichen nachziehen ohne Zentrierständer – so geht's."},
    {"Tapas en diez minutos", "cocina_rapida", "Howto", "tapas, cooking, quick, recipe",
     "Tres tapas clásicas con lo que hay en la nevera."},
    {"Kitten meets the robot vacuum", "whiskers_daily", "Animals", "cat, kitten, funny, robot",
     "She was not impressed. Then she rode it."},
    {"Street piano in the rain", "city_keys", "Music", "piano, street, rain, music",
     "A borrowed umbrella and an out-of-tune upright at the station."},
    {"Paddling i skärgården i gryningen", "saaristo_kayak", "Sports", "kayak, archipelago, sunrise, sea",
     "Stilla vatten, tre öar och en havsörn."},
    {"Jazz na praia – ao vivo", "bossa_mar", "Music", "jazz, beach, live, bossa nova", "Gravado ao pôr do sol em Ipanema."},
    {"Jak upiec pierniki", "kuchnia_babci", "Howto", "gingerbread, baking, christmas, recipe",
     "Przepis babci, z miodem i korzennymi przyprawami."},
    {"Curling for beginners", "ice_sheet_club", "Sports", "curling, ice, sport, lesson",
     "Sweeping, the hack and your first draw to the button."},
    {"Tiny cabin build, part 3: the roof", "cabin_notes", "Howto", "cabin, building, wood, roof",
     "Rafters up before the rain came."},
    {"Çay bahçesinde akşam", "istanbul_walks", "Travel", "tea, istanbul, evening, bosphorus",
     "Boğaz'a bakan bir çay bahçesinde gün batımı."},
    {"Glassblowing a blue vase", "hot_glass_studio", "Entertainment", "glass, glassblowing, craft, vase",
     "From a glowing gather to a finished vase in one take."},
    {"Speedrun: the lighthouse level", "pixel_runner", "Games", "game, speedrun, retro, lighthouse",
     "New personal best, with the wall clip explained."},
    {"How a sundial tells the time", "science_corner", "Education", "sundial, sun, time, science",
     "Why the shadow moves, and why your sundial may be half an hour off."},
    {"Белые ночи над Невой", "piter_walks", "Travel", "white nights, saint petersburg, river, bridges",
     "Разводные мосты и небо, которое не темнеет."},
    {"Як зварити справжній борщ", "kukhnia_oksany", "Howto", "borscht, soup, cooking, recipe",
     "Буряк, квасоля і трохи терпіння."},
    {"Кот и первый снег", "whiskers_daily", "Animals", "cat, snow, funny, winter", "Первая зима в его жизни."},
    {"Балалайка: урок первый", "strunnye", "Music", "balalaika, lesson, music, folk",
     "Как держать инструмент и первые три аккорда."},
    {"Хоккей во дворе", "dvor_sport", "Sports", "hockey, ice, yard, winter", "Воскресная игра на залитой коробке."},
    {"Ηλιοβασίλεμα στη Σαντορίνη", "aegean_eye", "Travel", "sunset, santorini, sea, greece",
     "Η Οία λίγο πριν χαθεί ο ήλιος στη θάλασσα."},
    {"Ο μουσακάς της γιαγιάς", "kouzina_eleni", "Howto", "moussaka, cooking, greek, recipe",
     "Με μελιτζάνες από τον κήπο και μπεσαμέλ."},
    {"Μπουζούκι στο λιμάνι", "aegean_eye", "Music", "bouzouki, harbour, music, greece", "Ένα βράδυ στον Πειραιά."},
    {"京都の紅葉 散歩", "kyoto_walker", "Travel", "kyoto, autumn, leaves, walk, japan",
     "嵐山から嵯峨野へ、紅葉の小道を歩きます。"},
    {"ねこと段ボール箱", "neko_days", "Animals", "cat, box, funny, japan", "箱があれば入る。それが猫。"},
    {"手作り餃子の包み方", "kitchen_mika", "Howto", "dumplings, gyoza, cooking, recipe", "ひだの作り方をゆっくり見せます。"},
    {"长城日出延时摄影", "lens_beijing", "Travel", "great wall, sunrise, timelapse, china", "金山岭长城，凌晨四点开始拍摄。"},
    {"古筝演奏《高山流水》", "silk_strings", "Music", "guzheng, music, traditional, china", "一首古曲，献给远方的朋友。"},
    {"熊猫宝宝吃竹子", "panda_watch", "Animals", "panda, bamboo, cute, china", "成都基地的大熊猫宝宝第一次自己吃竹子。"},
    {"서울 야경 드라이브", "han_river_cam", "Autos", "seoul, night, drive, city, korea", "한강을 따라 달리는 밤 드라이브."},
    {"할머니의 김치 담그는 법", "halmeoni_kitchen", "Howto", "kimchi, cooking, korea, recipe", "배추 절이기부터 양념까지."},
    {"غروب الشمس في الصحراء", "desert_lens", "Travel", "desert, sunset, dunes, sand",
     "الكثبان الرملية في وادي رم عند الغروب."},
    {"طريقة تحضير القهوة العربية", "qahwa_house", "Howto", "coffee, cardamom, cooking, recipe",
     "القهوة بالهيل كما تُقدَّم للضيوف."},
    {"عزف على العود: مقام الحجاز", "oud_nights", "Music", "oud, music, maqam", "ارتجال قصير على مقام الحجاز."},
    {"שקיעה בים המלח", "negev_trails", "Travel", "dead sea, sunset, desert",
     "הנקודה הנמוכה בעולם, ברגע שהשמש נוגעת בהרים."},
    {"חלה לשבת – מתכון", "ima_bakes", "Howto", "challah, bread, baking, recipe", "קליעה בשש רצועות, צעד אחר צעד."},
    {"ตลาดน้ำยามเช้า", "bangkok_boat", "Travel", "floating market, bangkok, morning, boat",
     "ล่องเรือชมตลาดน้ำดำเนินสะดวกตั้งแต่เช้ามืด"},
    {"ต้มยำกุ้งแบบง่าย", "khrua_thai", "Howto", "tom yum, shrimp, soup, cooking", "เปรี้ยว เผ็ด หอม ทำได้ในสิบห้านาที"},
    {"มวยไทยสำหรับผู้เริ่มต้น", "muay_gym", "Sports", "muay thai, boxing, sport, lesson", "ท่ายืน การ์ด และหมัดตรง"},
    {"Train diary: 東京 → Москва → Αθήνα", "rail_diary", "Travel", "train, journey, railway",
     "Three weeks, nine trains, one notebook."},
    {"My balcony garden in June", "demo", "People", "garden, balcony, plants",
     "Tomatoes, basil and one very brave sunflower."},
    {"Raindrops on the window", "demo", "People", "rain, window, relax", "Ten quiet minutes for a rainy afternoon."},
    {"The paper boat – a stop-motion short", "fold_and_frame", "Film", "animation, stop motion, short film, paper",
     "Two hundred paper boats and a bathtub."},
    {"Der Kühlschrank, der zu viel wusste", "sketch_kollektiv", "Comedy", "comedy, sketch, fridge",
     "Ein Sketch über smarte Haushaltsgeräte."},
    {"Inside a mechanical keyboard", "science_corner", "Tech", "keyboard, switches, teardown, tech",
     "Every switch type, opened and measured."},
};

const char* const COMMENTS[] = {
    "Beautiful! Where exactly was this filmed?", "Watched it three times already.", "Kiitos, tämä oli ihana!",
    "Merci pour la recette !", "Очень красиво!", "Υπέροχο βίντεο!", "素晴らしい映像ですね。", "太美了！", "정말 멋져요!",
    "رائع جداً!", "מדהים, תודה!", "สวยมากครับ", "The music at 1:20 is perfect.", "Tried it today – it worked!",
    "Can you make a longer version?", "¡Qué bonito!", "Danke fürs Zeigen!",
};

const char* const COMMENTERS[] = {"mikko_k", "sofia.r", "anna_kh", "yuki_t", "li_wei", "minji",
                                  "omar_h", "noa_b", "somchai", "pierre_l", "greta_s", "dmitri_v"};

struct Category
{
    const char* term;
    const char* label;
};
const Category CATEGORIES[] = {
    {"Film", "Film & Animation"}, {"Autos", "Autos & Vehicles"}, {"Music", "Music"},
    {"Animals", "Pets & Animals"}, {"Sports", "Sports"},         {"Travel", "Travel & Events"},
    {"Games", "Gaming"},           {"Comedy", "Comedy"},          {"People", "People & Blogs"},
    {"News", "News & Politics"},   {"Entertainment", "Entertainment"}, {"Education", "Education"},
    {"Howto", "Howto & Style"},    {"Nonprofit", "Nonprofits & Activism"}, {"Tech", "Science & Technology"},
};

constexpr qint64 HOUR = 3600;
constexpr qint64 DAY = 24 * HOUR;

// One video of today is much discussed: its comments fill three pages of 50.
constexpr int MOST_DISCUSSED_VIDEO = 6;
constexpr int MOST_DISCUSSED_COMMENTS = 137;

QString label(const QString& term)
{
    for (const Category& category : CATEGORIES)
        if (term == QLatin1String(category.term))
            return QString::fromUtf8(category.label);
    return term;
}

// How long ago video number i was published: three in five today (the program looks
// at today's videos first), one this week, one from a week to two years back.
qint64 ageSeconds(int i)
{
    switch (i % 5) {
    case 3: return DAY + (i * 17 % 140) * HOUR;
    case 4: return 8 * DAY + (i * 97 % 700) * DAY;
    default: return (1 + i * 5 % 22) * HOUR;
    }
}

// A stable number from a user name, for the counts of a profile.
uint nameNumber(const QString& userName)
{
    return qHash(userName, 7u);
}

// "aurora_nights" -> "Aurora Nights"
QString displayName(const QString& userName)
{
    QStringList words = userName.split(QRegularExpression(QStringLiteral("[_.]")), Qt::SkipEmptyParts);
    for (QString& word : words)
        word[0] = word.at(0).toUpper();
    return words.join(QLatin1Char(' '));
}

QString videoId(int i)
{
    const QByteArray hash = QCryptographicHash::hash("krelvox demo " + QByteArray::number(i), QCryptographicHash::Md5);
    return QString::fromLatin1(hash.toBase64(QByteArray::Base64UrlEncoding).left(11));
}

bool contains(const QString& text, const QString& word)
{
    return text.contains(word, Qt::CaseInsensitive);
}

template <typename Less>
QList<FakeVideo> sorted(QList<FakeVideo> videos, Less less)
{
    std::stable_sort(videos.begin(), videos.end(), less);
    return videos;
}

} // namespace

const QString DemoCatalogue::USER = QStringLiteral("demo");
const QString DemoCatalogue::PASSWORD = QStringLiteral("krelvox");
const QString DemoCatalogue::CAPTCHA_USER = QStringLiteral("captcha");
// Letters and digits that no font lets one take for another.
const QString DemoCatalogue::CAPTCHA_ANSWER = QStringLiteral("tundra47");

DemoCatalogue::DemoCatalogue(const QDateTime& now) : myNow(now.toUTC())
{
    int i = 0;
    for (const Title& title : TITLES) {
        FakeVideo video;
        video.id = videoId(i);
        video.title = QString::fromUtf8(title.title);
        video.description = QString::fromUtf8(title.description);
        video.author = QString::fromUtf8(title.author);
        video.authorDisplay = displayName(video.author);
        video.category = QString::fromUtf8(title.category);
        video.categoryLabel = label(video.category);
        video.keywords = QString::fromUtf8(title.keywords);
        video.seconds = 45 + i * 173 % 1100;
        video.published = myNow.addSecs(-ageSeconds(i));
        video.views = qRound64(800 * std::pow(1.23, i * 13 % 40));
        video.favorites = int(video.views / 400);
        video.rating = i % 11 == 10 ? 0 : 3.2 + (i * 7 % 19) / 10.0;
        video.raters = video.rating > 0 ? int(video.views / 150) + 3 : 0;
        video.comments = i == MOST_DISCUSSED_VIDEO ? MOST_DISCUSSED_COMMENTS : i * 11 % 23 + (i % 5 == 0 ? 20 : 0);
        video.thumbnailHost = i % 4 + 1;
        myVideos.append(video);
        ++i;
    }
}

int DemoCatalogue::indexOf(const QString& videoId) const
{
    for (int i = 0; i < myVideos.count(); ++i)
        if (myVideos.at(i).id == videoId)
            return i;
    return -1;
}

QList<FakeVideo> DemoCatalogue::videosAt(const QList<int>& indexes) const
{
    QList<FakeVideo> videos;
    for (int index : indexes)
        videos.append(videoAt(index));
    return videos;
}

QDateTime DemoCatalogue::since(const QString& time) const
{
    if (time == QLatin1String("today"))
        return myNow.addSecs(-DAY);
    if (time == QLatin1String("this_week"))
        return myNow.addSecs(-7 * DAY);
    if (time == QLatin1String("this_month"))
        return myNow.addSecs(-30 * DAY);
    return QDateTime();
}

std::optional<QList<FakeVideo>> DemoCatalogue::standardFeed(const QString& name, const QString& time) const
{
    // The videos published within the time frame, in the order of the figure that the
    // feed is named after, as the lists show it.
    const QDateTime from = since(time);
    auto within = [&from](const FakeVideo& video) { return !from.isValid() || video.published >= from; };
    QList<FakeVideo> shown;
    if (name == QLatin1String("most_viewed") || name == QLatin1String("most_recent")) {
        std::copy_if(myVideos.cbegin(), myVideos.cend(), std::back_inserter(shown), within);
        if (name == QLatin1String("most_recent"))
            return sorted(shown, [](const FakeVideo& a, const FakeVideo& b) { return a.published > b.published; });
        return sorted(shown, [](const FakeVideo& a, const FakeVideo& b) { return a.views > b.views; });
    }
    if (name == QLatin1String("top_rated")) {
        std::copy_if(myVideos.cbegin(), myVideos.cend(), std::back_inserter(shown),
                     [&within](const FakeVideo& video) { return within(video) && video.rating > 0; });
        return sorted(shown, [](const FakeVideo& a, const FakeVideo& b) {
            return a.rating != b.rating ? a.rating > b.rating : a.raters > b.raters;
        });
    }
    if (name == QLatin1String("most_discussed")) {
        std::copy_if(myVideos.cbegin(), myVideos.cend(), std::back_inserter(shown),
                     [&within](const FakeVideo& video) { return within(video) && video.comments > 0; });
        return sorted(shown, [](const FakeVideo& a, const FakeVideo& b) { return a.comments > b.comments; });
    }
    return std::nullopt;
}

QList<FakeVideo> DemoCatalogue::search(const DemoSearch& search) const
{
    // Every word of the text is in the title or the keywords; the time frame counts
    // from the upload.
    const QStringList words = search.text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QDateTime from = since(search.time);
    QList<FakeVideo> found;
    for (const FakeVideo& video : myVideos) {
        if (!search.category.isEmpty() && video.category.compare(search.category, Qt::CaseInsensitive) != 0)
            continue;
        if (from.isValid() && video.published < from)
            continue;
        const QString searched = video.title + QLatin1Char(' ') + video.keywords;
        if (!words.isEmpty() && std::all_of(words.begin(), words.end(),
                                            [&searched](const QString& word) { return contains(searched, word); }))
            found.append(video);
    }
    if (search.orderBy == QLatin1String("published"))
        return sorted(found, [](const FakeVideo& a, const FakeVideo& b) { return a.published > b.published; });
    if (search.orderBy == QLatin1String("viewCount"))
        return sorted(found, [](const FakeVideo& a, const FakeVideo& b) { return a.views > b.views; });
    if (search.orderBy == QLatin1String("rating"))
        return sorted(found, [](const FakeVideo& a, const FakeVideo& b) { return a.rating > b.rating; });
    // Relevance: the whole text in the title first, then the most viewed.
    const QString phrase = words.join(QLatin1Char(' '));
    return sorted(found, [&phrase](const FakeVideo& a, const FakeVideo& b) {
        const bool inA = contains(a.title, phrase);
        const bool inB = contains(b.title, phrase);
        return inA != inB ? inA : a.views > b.views;
    });
}

QList<FakeVideo> DemoCatalogue::related(const QString& videoId) const
{
    const int index = indexOf(videoId);
    if (index < 0)
        return {};
    // The same category first, then the others; each part by views.
    const QString category = videoAt(index).category;
    QList<FakeVideo> others;
    for (const FakeVideo& video : myVideos)
        if (video.id != videoId)
            others.append(video);
    return sorted(others, [&category](const FakeVideo& a, const FakeVideo& b) {
        const bool sameA = a.category == category;
        const bool sameB = b.category == category;
        return sameA != sameB ? sameA : a.views > b.views;
    });
}

QList<FakeVideo> DemoCatalogue::responses(const QString& videoId) const
{
    // Every fourth video has answers: the next two videos of its category.
    const int index = indexOf(videoId);
    if (index < 0 || index % 4 != 0)
        return {};
    QList<int> answers;
    for (int i = index + 1; i < myVideos.count() && answers.count() < 2; ++i)
        if (videoAt(i).category == videoAt(index).category)
            answers.append(i);
    return videosAt(answers);
}

QList<FakeVideo> DemoCatalogue::uploads(const QString& userName) const
{
    QList<FakeVideo> uploaded;
    for (const FakeVideo& video : myVideos)
        if (video.author == userName)
            uploaded.append(video);
    return sorted(uploaded, [](const FakeVideo& a, const FakeVideo& b) { return a.published > b.published; });
}

QList<FakeComment> DemoCatalogue::comments(const QString& videoId) const
{
    const int index = indexOf(videoId);
    if (index < 0)
        return {};
    const FakeVideo& video = videoAt(index);
    const QList<FakeComment> posted = myPosted.value(videoId);
    QList<FakeComment> comments(posted.crbegin(), posted.crend());
    // The made ones spread evenly since the upload, the newest first.
    const int made = video.comments - int(posted.count());
    const qint64 age = video.published.secsTo(myNow);
    for (int j = made - 1; j >= 0; --j) {
        FakeComment comment;
        comment.id = QStringLiteral("dc%1x%2").arg(index, 3, 10, QLatin1Char('0')).arg(j, 4, 10, QLatin1Char('0'));
        comment.author = QString::fromUtf8(COMMENTERS[(index + j * 5) % std::size(COMMENTERS)]);
        comment.text = QString::fromUtf8(COMMENTS[(index * 3 + j) % std::size(COMMENTS)]);
        comment.published = video.published.addSecs(age * (j + 1) / (made + 1));
        comments.append(comment);
    }
    return comments;
}

bool DemoCatalogue::addComment(const QString& videoId, const QString& author, const QString& text)
{
    const int index = indexOf(videoId);
    if (index < 0)
        return false;
    QList<FakeComment>& posted = myPosted[videoId];
    FakeComment comment;
    comment.id = QStringLiteral("dp%1x%2").arg(index, 3, 10, QLatin1Char('0')).arg(posted.count(), 4, 10, QLatin1Char('0'));
    comment.author = author;
    comment.text = text;
    comment.published = QDateTime::currentDateTimeUtc();
    posted.append(comment);
    ++myVideos[index].comments;
    return true;
}

QList<FakeCategory> DemoCatalogue::categories() const
{
    QList<FakeCategory> categories;
    for (const Category& category : CATEGORIES)
        categories.append(FakeCategory{QString::fromUtf8(category.term), QString::fromUtf8(category.label), true});
    return categories;
}

std::optional<FakeProfile> DemoCatalogue::profile(const QString& userName) const
{
    if (userName == USER)
        return accountProfile();
    bool known = !uploads(userName).isEmpty();
    for (const char* commenter : COMMENTERS)
        known = known || userName == QLatin1String(commenter);
    for (const FakeContact& contact : contacts())
        known = known || userName == contact.userName;
    if (!known)
        return std::nullopt;
    const uint n = nameNumber(userName);
    FakeProfile profile;
    profile.userName = userName;
    profile.displayName = displayName(userName);
    profile.joined = myNow.addSecs(-(300 + qint64(n % 2000)) * DAY);
    profile.lastWebAccess = myNow.addSecs(-qint64(n % 72) * HOUR);
    profile.watched = int(50 + n % 900);
    profile.subscribers = int(n % 300);
    profile.favorites = int(n % 40);
    profile.contacts = int(n % 25);
    profile.subscriptions = int(n % 30);
    profile.uploads = int(uploads(userName).count());
    return profile;
}

FakeProfile DemoCatalogue::accountProfile() const
{
    FakeProfile profile;
    profile.userName = USER;
    profile.displayName = QStringLiteral("Demo Viewer");
    profile.summary = QStringLiteral("Tries out every page of the program.");
    profile.location = QStringLiteral("FI");
    profile.joined = myNow.addSecs(-400 * DAY);
    profile.lastWebAccess = myNow.addSecs(-2 * HOUR);
    profile.watched = 1234;
    profile.subscribers = 17;
    profile.subscriptions = 9;
    profile.favorites = int(favorites().count());
    const QList<FakeContact> all = contacts();
    profile.contacts = int(std::count_if(all.cbegin(), all.cend(), [](const FakeContact& contact) {
        return contact.status == QLatin1String("accepted");
    }));
    profile.uploads = int(uploads(USER).count());
    return profile;
}

QList<FakeContact> DemoCatalogue::contacts() const
{
    auto ago = [this](int days) { return QString::fromLatin1(FakeDocuments::timestamp(myNow.addSecs(-days * DAY))); };
    // "requested": the other user asks the account to be a contact (an invitation to
    // answer); "pending": the account asked and waits for the answer.
    return {{QStringLiteral("kyoto_walker"), QStringLiteral("accepted"), ago(210)},
            {QStringLiteral("whiskers_daily"), QStringLiteral("accepted"), ago(160)},
            {QStringLiteral("aegean_eye"), QStringLiteral("accepted"), ago(95)},
            {QStringLiteral("desert_lens"), QStringLiteral("requested"), ago(2)},
            {QStringLiteral("han_river_cam"), QStringLiteral("pending"), ago(5)}};
}

QList<FakeMessage> DemoCatalogue::inbox() const
{
    auto message = [this](const char* id, const char* sender, const char* summary, int hoursAgo, int video) {
        return FakeMessage{QString::fromLatin1(id), QString::fromLatin1(sender), QString::fromUtf8(summary),
                           myNow.addSecs(-hoursAgo * HOUR), videoAt(video)};
    };
    return {message("dm0003", "kyoto_walker", "Look at these colours! 紅葉が見頃です。", 3, 24),
            message("dm0002", "whiskers_daily", "This one made me laugh.", 27, 5),
            message("dm0001", "aegean_eye", "Next summer? Καλό καλοκαίρι!", 75, 21)};
}

QList<FakePlayList> DemoCatalogue::playLists() const
{
    auto items = [this](const QString& prefix, const QList<int>& indexes) {
        QList<FakeListItem> list;
        for (int index : indexes)
            list.append(FakeListItem{QStringLiteral("%1%2").arg(prefix).arg(index, 4, 10, QLatin1Char('0')),
                                     videoAt(index).id});
        return list;
    };
    return {{QStringLiteral("PLD3M0TRAVEL0001"), QStringLiteral("Travel dreams"),
             QStringLiteral("Places to see one day"), items(QStringLiteral("PIT"), {0, 21, 24, 32, 37, 40})},
            {QStringLiteral("PLD3M0KITCHEN002"), QStringLiteral("Kitchen"), QStringLiteral("Recipes to try"),
             items(QStringLiteral("PIK"), {2, 17, 22, 26, 31, 33, 38})},
            {QStringLiteral("PLD3M0MUSIC00003"), QStringLiteral("Music from everywhere"), QString(),
             items(QStringLiteral("PIM"), {6, 8, 19, 23, 28, 34})}};
}

QList<FakeListItem> DemoCatalogue::favorites() const
{
    QList<FakeListItem> favorites;
    for (int index : {5, 16, 25, 29, 35})
        favorites.append(FakeListItem{QStringLiteral("FLD3M0%1").arg(index, 4, 10, QLatin1Char('0')), videoAt(index).id});
    return favorites;
}
