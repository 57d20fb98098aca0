#include "player/SendLinkWidget.h"

#include "player/PlayerConstants.h"
#include "player/PlayerStyles.h"
#include "player/PlayerTexts.h"
#include "shell/ShellStyles.h"
#include "shell/ShellTexts.h"
#include "widgets/SelectionBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

SendLinkWidget::SendLinkWidget(QWidget* parent)
    : QWidget(parent),
      myWayBox(new SelectionBox(0, this)),
      myContactBox(new SelectionBox(1, this)),
      myMessage(new QLineEdit(this)),
      mySendButton(new QPushButton(TEXT_SEND(), this)),
      myResult(new QLabel(this))
{
    myWayBox->setItems({TEXT_SEND_TO_CONTACT(), TEXT_SEND_BY_MAIL(), TEXT_COPY_TO_CLIPBOARD()});
    connect(myWayBox, &SelectionBox::currentIndexChanged, this, [this] { setWay(myWayBox->currentIndex()); });
    myMessage->setPlaceholderText(TEXT_LINK_MESSAGE());
    myMessage->setStyleSheet(STYLE_LINE_EDIT);
    mySendButton->setStyleSheet(STYLE_PUSH_BUTTON + STYLE_PANEL_BUTTON_FONT);
    mySendButton->setFixedHeight(PANEL_BUTTON_HEIGHT);
    connect(mySendButton, &QPushButton::clicked, this, &SendLinkWidget::send);
    connect(myMessage, &QLineEdit::returnPressed, this, &SendLinkWidget::send);
    myResult->setStyleSheet(STYLE_LABEL_12);
    myResult->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(VIEW_SPACING);
    layout->addWidget(myWayBox);
    layout->addWidget(myContactBox);
    layout->addWidget(myMessage);
    layout->addWidget(mySendButton, 0, Qt::AlignRight);
    layout->addWidget(myResult);
    layout->addStretch(1);
    setContacts({});
}

SendLinkWidget::~SendLinkWidget() = default;

void SendLinkWidget::setWay(int way)
{
    if (way < eToContact || way > eToClipboard)
        return;
    myWay = way;
    myWayBox->setCurrentIndex(way);
    myResult->clear();
    updateParts();
    if (way == eToContact && myContacts.isEmpty())
        Q_EMIT contactsNeeded();
}

void SendLinkWidget::setContacts(const QStringList& contacts)
{
    const QString chosen = getContact();
    myContacts = contacts;
    if (contacts.isEmpty()) {
        myContactBox->setItems({});
        myContactBox->setText(TEXT_NO_CONTACTS_YET());
    } else {
        myContactBox->setItems(contacts);
        setContact(chosen);
    }
    updateParts();
}

QString SendLinkWidget::getContact() const
{
    return myContacts.isEmpty() ? QString() : myContactBox->currentText();
}

void SendLinkWidget::setContact(const QString& contact)
{
    const int row = myContacts.indexOf(contact);
    if (row >= 0)
        myContactBox->setCurrentIndex(row);
}

void SendLinkWidget::setMessage(const QString& text)
{
    myMessage->setText(text);
}

QString SendLinkWidget::getMessage() const
{
    return myMessage->text();
}

void SendLinkWidget::setResult(const QString& text)
{
    myResult->setText(text);
}

QString SendLinkWidget::getResult() const
{
    return myResult->text();
}

void SendLinkWidget::reset()
{
    myMessage->clear();
    myResult->clear();
    myWay = eToContact;
    myWayBox->setCurrentIndex(eToContact);
    updateParts();
}

void SendLinkWidget::updateParts()
{
    myContactBox->setVisible(myWay == eToContact);
    myMessage->setVisible(myWay != eToClipboard);
    mySendButton->setEnabled(myWay != eToContact || !myContacts.isEmpty());
}

void SendLinkWidget::send()
{
    switch (myWay) {
    case eToContact:
        if (!getContact().isEmpty())
            Q_EMIT sendToContactRequested(getContact(), getMessage());
        break;
    case eByMail:
        Q_EMIT sendByMailRequested(getMessage());
        break;
    default:
        Q_EMIT copyRequested();
        break;
    }
}
