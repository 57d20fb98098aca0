#include "social/BaseTextContentPage.h"

#include "social/DescriptionDelegate.h"
#include "social/SocialTexts.h"
#include "social/TextPageConstants.h"

#include "shell/PageHeader.h"
#include "shell/ShellStyles.h"
#include "widgets/VariableSweepList.h"
#include "widgets/WidgetStyles.h"
#include "widgets/WidgetTexts.h"

#include <QFrame>
#include <QGridLayout>
#include <QVBoxLayout>

namespace {

// The black band under both header rows.
const QString STYLE_TEXT_PAGE_HEADER_BAND = QStringLiteral("QFrame#textPageHeaderBand { background-color: black; }");

QString titlePrefix(int kind)
{
    switch (kind) {
    case BaseTextContentPage::eCommentsTitle:
        return TEXT_COMMENTS_OF();
    case BaseTextContentPage::eDescriptionTitle:
        return TEXT_DESCRIPTION_OF();
    case BaseTextContentPage::eMessageTitle:
        return TEXT_MESSAGE();
    default:
        return QString();
    }
}

} // namespace

BaseTextContentPage::BaseTextContentPage(QWidget* parent, PageHistory& history)
    : PageBase(parent),
      myHistory(history),
      myLayout(new QVBoxLayout(this)),
      myHeaderGrid(new QGridLayout),
      myHeaderBand(new QFrame(this)),
      myHeader(new PageHeader(QString(), myHeaderBand))
{
    setStyleSheet(STYLE_PAGE);
    myHeaderBand->setObjectName(QStringLiteral("textPageHeaderBand"));
    myHeaderBand->setStyleSheet(STYLE_TEXT_PAGE_HEADER_BAND);
    myHeaderGrid->setContentsMargins(0, 0, 0, 0);
    myHeaderGrid->setSpacing(0);
    myHeaderGrid->addWidget(myHeader, 0, 0, 1, 3);
    myHeaderBand->setLayout(myHeaderGrid);

    myLayout->setContentsMargins(0, 0, 0, 0);
    myLayout->setSpacing(0);
    myLayout->addWidget(myHeaderBand, 0);
    setBackButton(myHeader->getBackButton(), history);
}

BaseTextContentPage::~BaseTextContentPage() = default;

QString BaseTextContentPage::setTitle(const QString& text, int kind)
{
    const QString title = titlePrefix(kind) + text;
    // Line by line: a message's title has a line of its own under "Message 3/12".
    QStringList lines = title.split(QLatin1Char('\n'));
    for (QString& line : lines)
        if (line.length() > TEXT_PAGE_TITLE_MAX_CHARS)
            line = line.left(TEXT_PAGE_TITLE_MAX_CHARS) + TEXT_ELLIPSIS();
    myHeader->setTitle(lines.join(QLatin1Char('\n')));
    return title;
}

QString BaseTextContentPage::getTitle() const
{
    return myHeader->getTitle();
}

void BaseTextContentPage::setListToBeginning()
{
    if (myList)
        myList->setToBeginning();
}

void BaseTextContentPage::setPageFocus()
{
    // The keys scroll the text.
    if (myList)
        myList->setFocus(Qt::OtherFocusReason);
}

void BaseTextContentPage::setList(SweepListBase* list, int stretch)
{
    if (myList || !list)
        return;
    myList = list;
    // The text keeps off the screen's edges, in line with the header's logo.
    auto* body = new QVBoxLayout;
    body->setContentsMargins(TEXT_PAGE_MARGIN, TEXT_PAGE_MARGIN_TOP, TEXT_PAGE_MARGIN, TEXT_PAGE_MARGIN_BOTTOM);
    body->addWidget(list);
    myLayout->addLayout(body, stretch);
}

VariableSweepList* BaseTextContentPage::createTextList(QAbstractItemModel* model, int flag, int stretch)
{
    auto* list = new VariableSweepList(this, flag);
    list->setStyleSheet(STYLE_VARIABLE_SWEEP_LIST);
    list->setWordWrap(true);
    list->setAutoScroll(false);
    list->setItemDelegate(new DescriptionDelegate(list));
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setModel(model);
    setList(list, stretch);
    return list;
}
