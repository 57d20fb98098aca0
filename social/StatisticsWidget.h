#ifndef KRELVOX_STATISTICSWIDGET_H
#define KRELVOX_STATISTICSWIDGET_H

#include <QHash>
#include <QList>
#include <QString>
#include <QWidget>

class QGridLayout;
class QLabel;

// The account's figures in two columns of five lines, each a caption and its value:
// from the profile (created, last login, favourites, contacts, subscriptions, videos
// viewed) and from this device (disk space used and free, searches made, the most
// searched text and the most viewed video). The values come ready to show.
class StatisticsWidget : public QWidget
{
    Q_OBJECT
public:
    explicit StatisticsWidget(QWidget* parent = nullptr);
    ~StatisticsWidget() override;

    // Sets all ten lines from the profile hash; a missing key leaves its caption alone.
    void setData(const QHash<QString, QString>& data);

    // The text of line 0-9, in the order of the table in the .cpp (tests, screenshots).
    QString lineText(int line) const;

private:
    QGridLayout* myLayout;
    QList<QLabel*> myValues;
};

#endif
