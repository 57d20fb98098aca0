#include "shell/PageHeader.h"
#include "shell/BackButton.h"
#include "shell/LogoPixmap.h"
#include "shell/ShellConstants.h"

#include "shell/ApplicationStyle.h"

#include <QHBoxLayout>
#include <QEvent>
#include <QLabel>

namespace {

// The title: shown whole when there is room, else cut with "…" to the width the band
// leaves it beside the logo, the page's own boxes and the back button, instead of
// pushing them aside or running under them.
class TitleLabel : public QLabel
{
public:
    TitleLabel(const QString& text, QWidget* parent) : QLabel(parent), myText(text)
    {
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        // Titles of videos and messages come from outside: shown as they stand, never
        // as markup that could load a file.
        setTextFormat(Qt::PlainText);
        showFitted();
    }
    void setFullText(const QString& text)
    {
        myText = text;
        showFitted();
    }
    const QString& fullText() const { return myText; }
    QSize minimumSizeHint() const override { return QSize(0, QLabel::minimumSizeHint().height()); }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QLabel::resizeEvent(event);
        showFitted();
    }
    void changeEvent(QEvent* event) override
    {
        QLabel::changeEvent(event);
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
            showFitted();
    }

private:
    void showFitted()
    {
        // Until the label has its style it has neither its font nor its width: the
        // text waits whole, measured with neither (that would load a font never
        // painted); the style's font change and the layout's resize cut it.
        if (!testAttribute(Qt::WA_WState_Polished)) {
            setText(myText);
            return;
        }
        // Each line on its own: a title of two lines is cut where each line ends.
        QStringList lines = myText.split(QLatin1Char('\n'));
        for (QString& line : lines)
            line = fontMetrics().elidedText(line, Qt::ElideRight, qMax(0, contentsRect().width()));
        setText(lines.join(QLatin1Char('\n')));
    }

    QString myText;
};

} // namespace

PageHeader::PageHeader(const QString& title, QWidget* parent, bool withBackButton)
    : QFrame(parent), myLogo(new QLabel(this)), myTitle(new TitleLabel(title, this))
{
    ensureApplicationStyle();
    setMinimumSize(HEADER_MIN_WIDTH, HEADER_HEIGHT);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(HEADER_HEIGHT);

    myLogo->setPixmap(getYoutubeLogoPixmap());
    myLogo->setFixedSize(LOGO_SIZE);

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
    static_cast<TitleLabel*>(myTitle)->setFullText(title);
}

QString PageHeader::getTitle() const
{
    return static_cast<const TitleLabel*>(myTitle)->fullText();
}
