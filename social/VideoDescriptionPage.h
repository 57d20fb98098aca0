#ifndef KRELVOX_VIDEODESCRIPTIONPAGE_H
#define KRELVOX_VIDEODESCRIPTIONPAGE_H

#include "social/BaseTextContentPage.h"

class QStringListModel;
class VariableSweepList;
class VideoEntry;

// A video's whole description on a page of its own, under "Description of " and the
// video's title: one row of wrapped plain text that the list scrolls kinetically.
class VideoDescriptionPage : public BaseTextContentPage
{
    Q_OBJECT
public:
    // video: not kept; the caller fills the page with setTitle and setDescription.
    VideoDescriptionPage(VideoEntry* video, QWidget* parent, PageHistory& history);
    ~VideoDescriptionPage() override;

    void setDescription(const QString& text);
    QString getDescription() const;
    VariableSweepList* getTextList() const { return myTextList; }

public Q_SLOTS:
    void addToPageHistory() override;

private:
    QStringListModel* myTextModel;
    VariableSweepList* myTextList;
};

#endif
