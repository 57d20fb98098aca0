#ifndef KRELVOX_SENDLINKWIDGET_H
#define KRELVOX_SENDLINKWIDGET_H

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class SelectionBox;

// Sends the video's link: to one of the account's contacts with a message, by
// e-mail through the mail program, or onto the clipboard. It only asks; the
// controller sends and reports the outcome back (setResult).
class SendLinkWidget : public QWidget
{
    Q_OBJECT
public:
    enum eWay { eToContact = 0, eByMail = 1, eToClipboard = 2 };

    explicit SendLinkWidget(QWidget* parent = nullptr);
    ~SendLinkWidget() override;

    void setWay(int way);
    int getWay() const { return myWay; }
    // The account's contacts (user names).
    void setContacts(const QStringList& contacts);
    QString getContact() const;
    void setContact(const QString& contact);
    void setMessage(const QString& text);
    QString getMessage() const;
    void setResult(const QString& text);
    QString getResult() const;
    // Back to the first way, no message, no result (a new video).
    void reset();

    QPushButton* getSendButton() const { return mySendButton; }

Q_SIGNALS:
    void sendToContactRequested(const QString& contact, const QString& message);
    void sendByMailRequested(const QString& message);
    void copyRequested();
    // The contact way was chosen while there are no contacts yet.
    void contactsNeeded();

private:
    void send();
    void updateParts();

    SelectionBox* myWayBox;
    SelectionBox* myContactBox;
    QLineEdit* myMessage;
    QPushButton* mySendButton;
    QLabel* myResult;
    QStringList myContacts;
    int myWay = eToContact;
};

#endif
