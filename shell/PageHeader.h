#ifndef KRELVOX_PAGEHEADER_H
#define KRELVOX_PAGEHEADER_H

#include <QFrame>

class BackButton;
class QLabel;

// The black header band at the top of a page (at least 800 x 70): the logo at the
// left, the page title in bold 18 pt white, and the back button at the right.
class PageHeader : public QFrame
{
    Q_OBJECT
public:
    explicit PageHeader(const QString& title, QWidget* parent = nullptr, bool withBackButton = true);
    ~PageHeader() override;

    // The title is shown cut with "…" when the band has no room for all of it;
    // getTitle gives it whole.
    void setTitle(const QString& title);
    QString getTitle() const;
    QLabel* getTitleLabel() const { return myTitle; }
    // Null when the header was made without one (the home view).
    BackButton* getBackButton() const { return myBackButton; }

private:
    QLabel* myLogo;
    QLabel* myTitle;
    BackButton* myBackButton = nullptr;
};

#endif
