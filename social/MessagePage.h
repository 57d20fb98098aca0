#ifndef KRELVOX_MESSAGEPAGE_H
#define KRELVOX_MESSAGEPAGE_H

#include "social/BaseTextContentPage.h"

#include <QPointer>

class MessageListModel;
class QStringListModel;
class VariableSweepList;

// One inbox message on a page of its own: "Message 3/12" and the message's title in
// the header, its summary as scrollable word-wrapped text below. A sideways sweep
// over the text moves to the previous or the next message of the same list. The page
// reads the statistics page's message model and keeps only a row; it never records
// itself in the page history, so going back returns to the statistics page.
class MessagePage : public BaseTextContentPage
{
    Q_OBJECT
public:
    MessagePage(QWidget* parent, PageHistory& history, MessageListModel* model, int index);
    ~MessagePage() override;

    // Shows the message of that row.
    void setMessageIndex(int index);
    // The body's text (the shown summary).
    QString getText() const;
    VariableSweepList* getTextList() const { return myTextList; }

public Q_SLOTS:
    void addToPageHistory() override;
    // direction below 1: the previous message, else the next; at either end the row
    // stays. The message is loaded again in every case.
    void changeMessage(int direction);

private:
    // Shows the row's message; a row the model does not have changes nothing.
    void loadMessage();

    QPointer<MessageListModel> myMessageListModel;
    int myMessageIndex;
    QStringListModel* myTextModel;
    VariableSweepList* myTextList;
};

#endif
