#include "player/VideoInfoWidget.h"

#include "core/VideoEntry.h"
#include "player/PlayerConstants.h"
#include "player/PlayerStyles.h"
#include "player/PlayerTexts.h"
#include "player/RatingWidget.h"
#include "player/VideoProgressBar.h"
#include "shell/ShellStyles.h"
#include "widgets/RowDelegateBase.h"

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
      myMoreButton(new QPushButton(TEXT_MORE(), this))
{
    myTitle->setStyleSheet(STYLE_LABEL_18);
    myTitle->setWordWrap(true);
    myDetails->setStyleSheet(STYLE_LABEL_12);
    myRatingNote->setStyleSheet(STYLE_LABEL_12);
    myRatingNote->setWordWrap(true);
    myDescription->setStyleSheet(STYLE_LABEL_12);
    myDescription->setWordWrap(true);
    myDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    myMoreButton->setStyleSheet(STYLE_PUSH_BUTTON + STYLE_PANEL_BUTTON_FONT);
    myMoreButton->setFixedHeight(PANEL_BUTTON_HEIGHT);
    connect(myMoreButton, &QPushButton::clicked, this, &VideoInfoWidget::descriptionRequested);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(VIEW_SPACING / 2);
    layout->addWidget(myTitle);
    layout->addWidget(myDetails);
    layout->addWidget(myRatingNote);
    layout->addWidget(myRating);
    layout->addWidget(myDescription, 1);
    layout->addWidget(myMoreButton, 0, Qt::AlignRight);
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
