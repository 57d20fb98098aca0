#include "social/MessagePage.h"

#include "core/MessageListModel.h"
#include "social/SocialLogging.h"
#include "widgets/VariableSweepList.h"

#include <QDebug>
#include <QStringListModel>

MessagePage::MessagePage(QWidget* parent, PageHistory& history, MessageListModel* model, int index)
    : BaseTextContentPage(parent, history),
      myMessageListModel(model),
      myMessageIndex(index),
      myTextModel(new QStringListModel(this)),
      myTextList(createTextList(myTextModel, 1, 1))
{
    loadMessage();
    connect(myTextList, &SweepListBase::horizontalSweep, this, &MessagePage::changeMessage);
}

MessagePage::~MessagePage() = default;

void MessagePage::addToPageHistory()
{
}

void MessagePage::setMessageIndex(int index)
{
    myMessageIndex = index;
    loadMessage();
}

QString MessagePage::getText() const
{
    return myTextModel->stringList().value(0);
}

void MessagePage::changeMessage(int direction)
{
    const int count = myMessageListModel ? myMessageListModel->rowCount() : 0;
    if (direction < 1) {
        if (myMessageIndex >= 1)
            --myMessageIndex;
    } else if (myMessageIndex + 1 < count) {
        ++myMessageIndex;
    }
    loadMessage();
}

void MessagePage::loadMessage()
{
    MessageEntry* entry = myMessageListModel ? myMessageListModel->entryAt(myMessageIndex) : nullptr;
    if (!entry) {
        qCDebug(lcSocial) << "void MessagePage::loadMessage()"
                          << "No message at index " << myMessageIndex;
        return;
    }
    // "3/12" on the first line, the title on the second.
    setTitle(QStringLiteral("%1/%2\n%3")
                 .arg(myMessageIndex + 1)
                 .arg(myMessageListModel->rowCount())
                 .arg(entry->getTitle()),
             eMessageTitle);
    myTextModel->setStringList({entry->getSummary()});
    // Each message is read from its top.
    setListToBeginning();
}
