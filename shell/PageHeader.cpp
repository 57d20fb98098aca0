#include "shell/PageHeader.h"
#include "shell/BackButton.h"
#include "shell/LogoPixmap.h"
#include "shell/ShellConstants.h"

#include "shell/ShellStyles.h"

#include <QHBoxLayout>
#include <QLabel>

PageHeader::PageHeader(const QString& title, QWidget* parent, bool withBackButton)
    : QFrame(parent), myLogo(new QLabel(this)), myTitle(new QLabel(title, this))
{
    setStyleSheet(STYLE_PAGE_HEADER);
    setMinimumSize(HEADER_MIN_WIDTH, HEADER_HEIGHT);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(HEADER_HEIGHT);

    myLogo->setPixmap(getYoutubeLogoPixmap());
    myLogo->setFixedSize(LOGO_SIZE);
    myLogo->setStyleSheet(STYLE_HEADER_LABEL);
    myTitle->setStyleSheet(STYLE_HEADER_LABEL);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(HEADER_MARGIN, 0, HEADER_MARGIN, 0);
    layout->setSpacing(HEADER_SPACING);
    layout->addWidget(myLogo);
    layout->addWidget(myTitle, 1);
    if (withBackButton) {
        myBackButton = new BackButton(this);
        layout->addWidget(myBackButton);
    }
}

PageHeader::~PageHeader() = default;

void PageHeader::setTitle(const QString& title)
{
    myTitle->setText(title);
}

QString PageHeader::getTitle() const
{
    return myTitle->text();
}
