#ifndef KRELVOX_NORMALSCREENVIEW_H
#define KRELVOX_NORMALSCREENVIEW_H

#include "player/VideoViewBase.h"

class PageHeader;
class QPushButton;
class QStackedWidget;
class SendLinkWidget;
class VideoCommentsWidget;
class VideoInfoWidget;

// The information view: the header with the video's title and the back button; the
// video, its progress and buttons at the left; at the right three panes chosen by
// tabs: the video's information with its rating, its comments, and sending its link.
// A tap on the picture goes to full screen; the back button and Escape go back in the
// page history.
class NormalScreenView : public VideoViewBase
{
    Q_OBJECT
public:
    enum ePane { eInfoPane = 0, eCommentsPane = 1, eSendPane = 2 };

    NormalScreenView(PageHistory& history, QWidget* parent);
    ~NormalScreenView() override;

    void setVideo(const VideoEntry& video, int playListId) override;
    void showPane(int pane);
    int currentPane() const;

    PageHeader* getHeader() const;
    VideoInfoWidget* getInfoWidget() const;
    VideoCommentsWidget* getCommentsWidget() const;
    SendLinkWidget* getSendLinkWidget() const;
    QPushButton* getTab(int pane) const;

protected:
    void videoTapped() override { Q_EMIT viewChangeRequested(); }
    void buildPage() override;

private:
    PageHeader* myHeader = nullptr;
    QStackedWidget* myPanes = nullptr;
    QList<QPushButton*> myTabs;
    VideoInfoWidget* myInfo = nullptr;
    VideoCommentsWidget* myComments = nullptr;
    SendLinkWidget* mySendLink = nullptr;
};

#endif
