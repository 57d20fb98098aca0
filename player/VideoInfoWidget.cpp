#include "player/VideoInfoWidget.h"

#include "core/VideoEntry.h"
#include "player/PlayerConstants.h"
#include "player/PlayerStyles.h"
#include "player/PlayerTexts.h"
#include "player/RatingWidget.h"
#include "player/VideoProgressBar.h"
#include "shell/ShellStyles.h"
#include "widgets/RowDelegateBase.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The description is cut here; the button leads to the whole text.
constexpr int DESCRIPTION_MAX_CHARS = 160;

} // namespace

VideoInfoWidget::VideoInfoWidget(QWidget* parent)
    : QWidget(parent),
      myTitle(new QLabel(this)),
      myDetails(new QLabel(this)),
      myRating(new RatingWidget(this)),
      myRatingNote(new QLabel(this)),
      myDescription(new QLabel(this)),
      myRelatedButton(new QPushButton(TEXT_RELATED_BUTTON(), this)),
      myResponsesButton(new QPushButton(TEXT_RESPONSES_BUTTON(), this)),
      myMoreButton(new QPushButton(TEXT_MORE(), this))
{
    // Everything here but the figures' captions comes from the video's document: shown
    // as it stands, never as markup that could load a file.
    for (QLabel* label : {myTitle, myDetails, myRatingNote, myDescription})
        label->setTextFormat(Qt::PlainText);
    myTitle->setStyleSheet(STYLE_LABEL_18);
    myTitle->setWordWrap(true);
    myDetails->setStyleSheet(STYLE_LABEL_12);
    myRatingNote->setStyleSheet(STYLE_LABEL_12);
    myRatingNote->setWordWrap(true);
    myDescription->setStyleSheet(STYLE_LABEL_12);
    myDescription->setWordWrap(true);
    myDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (QPushButton* button : {myRelatedButton, myResponsesButton, myMoreButton}) {
        button->setStyleSheet(STYLE_PUSH_BUTTON + STYLE_PANEL_BUTTON_FONT);
        button->setFixedHeight(PANEL_BUTTON_HEIGHT);
    }
    connect(myRelatedButton, &QPushButton::clicked, this, &VideoInfoWidget::relatedVideosRequested);
    connect(myResponsesButton, &QPushButton::clicked, this, &VideoInfoWidget::videoResponsesRequested);
    connect(myMoreButton, &QPushButton::clicked, this, &VideoInfoWidget::descriptionRequested);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(VIEW_SPACING);
    buttons->addWidget(myRelatedButton);
    buttons->addWidget(myResponsesButton);
    buttons->addWidget(myMoreButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(VIEW_SPACING / 2);
    layout->addWidget(myTitle);
    layout->addWidget(myDetails);
    layout->addWidget(myRatingNote);
    layout->addWidget(myRating);
    layout->addWidget(myDescription, 1);
    layout->addLayout(buttons);
}

VideoInfoWidget::~VideoInfoWidget() = default;

void VideoInfoWidget::setVideo(const VideoEntry& video)
{
    myTitle->setText(video.getName());
    QStringList details;
    if (!video.getAuthor().isEmpty())
        details << TEXT_BY_AUTHOR().arg(video.getAuthor());
    details << TEXT_DURATION().arg(VideoProgressBar::formatTime(video.getLength()));
    if (!video.getViewCount().isEmpty())
        details << TEXT_VIEWS().arg(video.getViewCount());
    if (video.getUploadDate().isValid())
        details << TEXT_UPLOADED().arg(video.getUploadDate().toString(QStringLiteral("d.M.yyyy")));
    if (!video.getRatingCount().isEmpty())
        details << TEXT_RATINGS().arg(video.getRatingCount());
    myDetails->setText(details.join(QLatin1Char('\n')));
    myRating->setAverage(video.getRating().toDouble());
    myRatingNote->setText(TEXT_RATE_VIDEO());
    myDescription->setText(RowDelegateBase::cutText(video.getDescription(), DESCRIPTION_MAX_CHARS));
    myMoreButton->setVisible(!video.getDescription().isEmpty());
}

void VideoInfoWidget::setRatingNote(const QString& text)
{
    myRatingNote->setText(text);
}

QString VideoInfoWidget::getRatingNote() const
{
    return myRatingNote->text();
}

QString VideoInfoWidget::getText() const
{
    return myTitle->text() + QLatin1Char('\n') + myDetails->text() + QLatin1Char('\n') + myDescription->text();
}
