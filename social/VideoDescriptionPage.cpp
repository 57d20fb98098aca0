#include "social/VideoDescriptionPage.h"

#include "shell/PageHistory.h"
#include "shell/PageHistoryItem.h"
#include "widgets/VariableSweepList.h"

#include <QStringListModel>

VideoDescriptionPage::VideoDescriptionPage(VideoEntry* video, QWidget* parent, PageHistory& history)
    : BaseTextContentPage(parent, history),
      myTextModel(new QStringListModel(this)),
      myTextList(createTextList(myTextModel, 0, 0))
{
    Q_UNUSED(video);
}

VideoDescriptionPage::~VideoDescriptionPage() = default;

void VideoDescriptionPage::setDescription(const QString& text)
{
    myTextModel->setStringList({text});
}

QString VideoDescriptionPage::getDescription() const
{
    return myTextModel->stringList().value(0);
}

void VideoDescriptionPage::addToPageHistory()
{
    getHistory().add(new PageHistoryItem(eDescriptionPageId));
}
