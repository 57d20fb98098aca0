#include "social/WriteCommentPage.h"

#include "core/VideoEntry.h"
#include "shell/PageHistory.h"
#include "shell/PageHistoryItem.h"
#include "shell/ShellStyles.h"
#include "shell/ShellTexts.h"
#include "social/SocialLogging.h"
#include "social/SocialStyles.h"
#include "social/SocialTexts.h"
#include "social/TextPageConstants.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

WriteCommentPage::WriteCommentPage(QWidget* parent, PageHistory& history)
    : PageBase(parent),
      myHistory(history),
      myTitle(new QLabel(TEXT_WRITE_COMMENT(), this)),
      myEditor(new QTextEdit(this)),
      mySendButton(new QPushButton(TEXT_SEND(), this)),
      myCancelButton(new QPushButton(TEXT_CANCEL_UPPER(), this)),
      myCounter(new QLabel(this))
{
    setStyleSheet(STYLE_PAGE);
    myTitle->setStyleSheet(STYLE_WRITE_COMMENT_TITLE);
    myTitle->setAlignment(Qt::AlignCenter);
    // Only plain text: what is pasted arrives without its markup.
    myEditor->setAcceptRichText(false);
    myEditor->setStyleSheet(STYLE_WRITE_COMMENT_EDITOR);
    for (QPushButton* button : {mySendButton, myCancelButton}) {
        button->setStyleSheet(STYLE_LARGE_BUTTON);
        button->setMinimumSize(WRITE_COMMENT_BUTTON_MIN_WIDTH, WRITE_COMMENT_BUTTON_MIN_HEIGHT);
    }
    mySendButton->setEnabled(false);
    myCounter->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QWidget(this), 0);
    buttons->addWidget(mySendButton, 0);
    buttons->addWidget(myCancelButton, 0);
    buttons->addWidget(myCounter, 0);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(myTitle);
    layout->addWidget(myEditor, 1);
    layout->addLayout(buttons);

    connect(myEditor, &QTextEdit::textChanged, this, &WriteCommentPage::textChanged);
    connect(mySendButton, &QPushButton::clicked, this, qOverload<>(&WriteCommentPage::sendComment));
    connect(myCancelButton, &QPushButton::clicked, this, &WriteCommentPage::resetCommentAndExit);
    textChanged();
}

WriteCommentPage::~WriteCommentPage() = default;

int WriteCommentPage::characterCount(const QString& text)
{
    int count = text.size();
    for (int i = 0; i + 1 < text.size(); ++i)
        if (text.at(i).isHighSurrogate() && text.at(i + 1).isLowSurrogate())
            --count;
    return count;
}

void WriteCommentPage::setVideoEntryAndFocus(VideoEntry* video)
{
    if (!video) {
        qCDebug(lcSocial) << "WriteCommentPage::setVideoEntryAndFocus"
                          << "Error: invalid pointer!";
        return;
    }
    // A copy: the page may be shown again from the page history after the video view
    // has moved on to another video.
    myVideo = std::make_unique<VideoEntry>(*video);
    myEditor->setFocus(Qt::OtherFocusReason);
}

void WriteCommentPage::addToPageHistory()
{
    myHistory.add(new PageHistoryItem(eWriteCommentPageId));
}

void WriteCommentPage::setPageFocus()
{
    myEditor->setFocus(Qt::OtherFocusReason);
}

void WriteCommentPage::textChanged()
{
    myCharacterCount = characterCount(myEditor->toPlainText());
    myCounter->setText(QString::number(COMMENT_MAX_CHARS - myCharacterCount));
    const QString& style =
        myCharacterCount <= COMMENT_MAX_CHARS ? STYLE_COMMENT_COUNTER_FITS : STYLE_COMMENT_COUNTER_TOO_LONG;
    if (myCounter->styleSheet() != style)
        myCounter->setStyleSheet(style);
    updateSendButton();
}

void WriteCommentPage::updateSendButton()
{
    const bool enabled = !myPosting && myCharacterCount >= 1 && myCharacterCount <= COMMENT_MAX_CHARS;
    if (mySendButton->isEnabled() != enabled)
        mySendButton->setEnabled(enabled);
}

void WriteCommentPage::sendComment()
{
    if (myPosting)
        return;
    const QString text = myEditor->toPlainText();
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        // Only blanks: there is nothing to keep for another try.
        Q_EMIT sendComment(trimmed, myVideo.get());
        resetCommentAndExit();
        return;
    }
    myPosting = true;
    myPostedText = text;
    updateSendButton();
    Q_EMIT sendComment(trimmed, myVideo.get());
    Q_EMIT goBack();
}

void WriteCommentPage::resetCommentAndExit()
{
    mySendButton->setEnabled(false);
    myEditor->setPlainText(QString());
    Q_EMIT goBack();
}

void WriteCommentPage::commentPosted()
{
    if (!myPosting)
        return;
    myPosting = false;
    if (myEditor->toPlainText() == myPostedText)
        myEditor->setPlainText(QString());
    myPostedText.clear();
    updateSendButton();
}

void WriteCommentPage::commentRefused()
{
    if (!myPosting)
        return;
    myPosting = false;
    myPostedText.clear();
    updateSendButton();
}
