#ifndef KRELVOX_BASEQUERYPAGE_H
#define KRELVOX_BASEQUERYPAGE_H

#include "shell/PageBase.h"

class PageHistory;
class ProgressRoll;
class QAbstractItemModel;
class QFrame;
class QGridLayout;
class QLabel;
class QPushButton;
class Repository;
class VideoEntry;
class VideoEntryItemDelegate;
class VideoListModel;
class VideoSweepList;

// The frame of a page that asks the service for something and shows the answer in
// lists: a black header bar with the logo, a title, a subtitle and a count label; a
// content area with a centred no-results label and a busy indicator over it; a column
// for buttons at the right; and one kinetic list of videos with its painter and
// model. Subclasses add their buttons, views and the back button.
class BaseQueryPage : public PageBase
{
    Q_OBJECT
public:
    BaseQueryPage(Repository* repository, QWidget* parent, PageHistory& history);
    ~BaseQueryPage() override;

    VideoSweepList* getResultList() const { return myResultList; }
    VideoListModel* getVideoListModel() const { return myVideoListModel; }
    QPushButton* getPlayButton() const { return myPlayButton; }
    QLabel* getTitleLabel() const { return myTitleLabel; }
    QLabel* getCountLabel() const { return myCountLabel; }
    QLabel* getNoResultsLabel() const { return myNoResultsLabel; }
    ProgressRoll* getBusyIndicator() const { return myBusyIndicator; }

public Q_SLOTS:
    // Clears the list's selection and scrolls it to the top.
    void setResultListToBeginning();
    void hideMyNoResultsLabel();

Q_SIGNALS:
    void playVideo(VideoEntry* entry);
    void getAuthorUploadedVideos(QString author);
    // The page's back button has taken the user back.
    void backButtonSignal();

protected:
    void setTitle(const QString& text);
    void setSubtitle(const QString& text);
    // The text the no-results label shows when it is shown; its visibility stays.
    void setNoResultsText(const QString& text);
    // Starts the busy indicator and puts it in front.
    void showBusyIndicator();
    // Stops and hides the busy indicator; the play button is disabled with it.
    void hideBusyIndicator();
    // An icon button of the right-hand column: the icon at the resource path, 77 x 77,
    // at most 81 x 81, with a focus frame.
    static void styleIconButton(QPushButton* button, const QString& iconPath);

    VideoEntryItemDelegate* getVideoDelegate() const { return myVideoDelegate; }
    // A second model that the subclass keeps with the page (the statistics page's
    // contacts).
    void setSecondModel(QAbstractItemModel* model) { mySecondModel = model; }
    Repository* getRepository() const { return myRepository; }
    PageHistory& getHistory() const { return myHistory; }

    // Layout cells for the subclass: the header row (header bar and header in columns
    // 0-3; column 3 is free for the back button), the content area (cell (0, 0) holds
    // the no-results label and the busy indicator) and the button column.
    QGridLayout* getHeaderRowGrid() const { return myHeaderRowGrid; }
    QGridLayout* getContentGrid() const { return myContentGrid; }
    QGridLayout* getRightColumnGrid() const { return myRightColumnGrid; }

private:
    QGridLayout* myMainGrid;
    QGridLayout* myHeaderRowGrid;
    QGridLayout* myContentGrid;
    QGridLayout* myRightColumnGrid;
    QGridLayout* myHeaderGrid;
    QLabel* myTitleLabel;
    QLabel* mySubtitleLabel;
    QLabel* myNoResultsLabel;
    QLabel* myCountLabel;
    QLabel* myLogoLabel;
    QFrame* myHeaderBar;
    QPushButton* myPlayButton;
    VideoSweepList* myResultList;
    VideoEntryItemDelegate* myVideoDelegate;
    VideoListModel* myVideoListModel;
    QAbstractItemModel* mySecondModel = nullptr;
    Repository* myRepository;
    PageHistory& myHistory;
    ProgressRoll* myBusyIndicator;
};

#endif
