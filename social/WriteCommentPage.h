#ifndef KRELVOX_WRITECOMMENTPAGE_H
#define KRELVOX_WRITECOMMENTPAGE_H

#include "shell/PageBase.h"

#include <memory>

class PageHistory;
class QLabel;
class QPushButton;
class QTextEdit;
class VideoEntry;

// The page on which the user types a comment on the video of the information view:
// a plain-text editor, the number of characters still allowed (red below zero) and
// "SEND" (enabled for 1 to 500 characters) and "CANCEL". The page posts nothing
// itself: "SEND" hands the trimmed text and the video to the application controller
// (sendComment) and leaves (goBack). What was typed stays in the editor until the
// service has taken the comment (commentPosted), so that a refused post loses
// nothing; "CANCEL" empties the editor and leaves.
class WriteCommentPage : public PageBase
{
    Q_OBJECT
public:
    WriteCommentPage(QWidget* parent, PageHistory& history);
    ~WriteCommentPage() override;

    // Keeps a copy of the video to comment on and gives the editor the focus; the
    // text already typed stays. Null changes nothing.
    void setVideoEntryAndFocus(VideoEntry* video);
    // The page's copy of the video, null until one was given.
    VideoEntry* getVideoEntry() const { return myVideo.get(); }

    QTextEdit* getEditor() const { return myEditor; }
    QLabel* getCounter() const { return myCounter; }
    QPushButton* getSendButton() const { return mySendButton; }
    QPushButton* getCancelButton() const { return myCancelButton; }

    // Characters as the limit counts them: a character outside the basic plane (two
    // UTF-16 units) counts once.
    static int characterCount(const QString& text);

public Q_SLOTS:
    // Records the page (id 18), so that going back to it shows it again as it was.
    void addToPageHistory() override;
    void setPageFocus() override;
    // The editor's text changed: the counter and "SEND" follow.
    void textChanged();
    // "SEND".
    void sendComment();
    // "CANCEL".
    void resetCommentAndExit();
    // The service took the comment: the editor is emptied, unless the user has
    // changed the text since it was sent.
    void commentPosted();
    // The service refused the comment: the text stays for another try.
    void commentRefused();

Q_SIGNALS:
    void sendComment(const QString& text, VideoEntry* video);
    void goBack();

private:
    void updateSendButton();

    PageHistory& myHistory;
    std::unique_ptr<VideoEntry> myVideo;
    int myCharacterCount = 0;
    bool myPosting = false;
    // The text that was sent, as it stood in the editor.
    QString myPostedText;
    QLabel* myTitle;
    QTextEdit* myEditor;
    QPushButton* mySendButton;
    QPushButton* myCancelButton;
    QLabel* myCounter;
};

#endif
