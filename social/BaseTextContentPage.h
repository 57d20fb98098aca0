#ifndef KRELVOX_BASETEXTCONTENTPAGE_H
#define KRELVOX_BASETEXTCONTENTPAGE_H

#include "shell/PageBase.h"

class PageHeader;
class PageHistory;
class QAbstractItemModel;
class QFrame;
class QGridLayout;
class QVBoxLayout;
class SweepListBase;
class VariableSweepList;

// Base of the pages that show long texts (a video's comments, its description, an
// inbox message): a black header band with the logo, a title and the back button,
// a second header row that a subclass may fill (a paging bar), and under it a
// kinetic list that the subclass makes. The subclass records itself in the page
// history as it needs.
class BaseTextContentPage : public PageBase
{
    Q_OBJECT
public:
    // What the title is about; each kind has its prefix.
    enum eTitleKind { eCommentsTitle = 0, eDescriptionTitle = 1, eMessageTitle = 2 };

    BaseTextContentPage(QWidget* parent, PageHistory& history);
    ~BaseTextContentPage() override;

    // Shows the kind's prefix ("Comments of ", "Description of ", "Message "; none for
    // another kind) and the text, each line of it cut to 42 characters and "...".
    // Returns the prefixed text uncut.
    QString setTitle(const QString& text, int kind);
    QString getTitle() const;
    // Scrolls the list to its beginning.
    void setListToBeginning();
    SweepListBase* getList() const { return myList; }
    PageHeader* getHeader() const { return myHeader; }

    void setPageFocus() override;

protected:
    // The subclass's list, under the header; set once.
    void setList(SweepListBase* list, int stretch = 0);
    // A list for long texts (a description, a message), made the page's list: each
    // row of the model is one text, painted as wrapped plain text by
    // DescriptionDelegate; nothing is selected or edited. flag: the list's mode.
    VariableSweepList* createTextList(QAbstractItemModel* model, int flag, int stretch);
    // Row 0 holds the header, row 1 (columns 0-2) is the subclass's.
    QGridLayout* getHeaderGrid() const { return myHeaderGrid; }
    PageHistory& getHistory() const { return myHistory; }

private:
    PageHistory& myHistory;
    SweepListBase* myList = nullptr;
    QVBoxLayout* myLayout;
    QGridLayout* myHeaderGrid;
    QFrame* myHeaderBand;
    PageHeader* myHeader;
};

#endif
