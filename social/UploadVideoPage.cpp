#include "social/UploadVideoPage.h"

#include "service/account/AccountConstants.h"
#include "shell/BackButton.h"
#include "shell/PageHeader.h"
#include "shell/PageHistory.h"
#include "shell/PageHistoryItem.h"
#include "shell/ShellConstants.h"
#include "shell/ShellStyles.h"
#include "social/SocialLogging.h"
#include "social/SocialStyles.h"
#include "social/UploadConstants.h"
#include "social/UploadTexts.h"
#include "widgets/SelectionBox.h"

#include <QDebug>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpacerItem>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

// Where each control sits in the form grid: row, column, rows and columns spanned.
struct GridPlace
{
    int row;
    int column;
    int rowSpan;
    int columnSpan;
};

constexpr GridPlace FILE_LABEL_PLACE{0, 0, 1, 2};
constexpr GridPlace FILE_FIELD_PLACE{0, 3, 1, 5};
constexpr GridPlace BROWSE_BUTTON_PLACE{0, 8, 1, 2};
constexpr GridPlace TITLE_LABEL_PLACE{1, 0, 1, 2};
constexpr GridPlace TITLE_FIELD_PLACE{1, 3, 1, 5};
constexpr GridPlace DESCRIPTION_LABEL_PLACE{2, 0, 1, 3};
constexpr GridPlace DESCRIPTION_BOX_PLACE{2, 3, 2, 7};
constexpr GridPlace CATEGORY_LABEL_PLACE{5, 0, 1, 3};
constexpr GridPlace CATEGORY_BOX_PLACE{5, 3, 1, 7};
constexpr GridPlace TAGS_LABEL_PLACE{6, 0, 1, 2};
constexpr GridPlace TAGS_FIELD_PLACE{6, 3, 1, 7};
constexpr GridPlace UPLOAD_BUTTON_PLACE{7, 4, 1, 2};
constexpr GridPlace SPACER_PLACE{0, 10, 8, 1};

void place(QGridLayout* grid, QWidget* widget, const GridPlace& at)
{
    grid->addWidget(widget, at.row, at.column, at.rowSpan, at.columnSpan);
}

QLabel* rowLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setStyleSheet(STYLE_UPLOAD_LABEL);
    label->setIndent(UPLOAD_LABEL_INDENT);
    return label;
}

} // namespace

UploadVideoPage::UploadVideoPage(QWidget* parent, PageHistory& history)
    : PageBase(parent),
      myPageHistory(history),
      myFileField(new QLineEdit(this)),
      myTitleField(new QLineEdit(this)),
      myTagsField(new QLineEdit(this)),
      myDescriptionBox(new QTextEdit(this)),
      myCategoryBox(new SelectionBox(0, this)),
      myBrowseButton(new QPushButton(TEXT_BROWSE(), this)),
      myUploadButton(new QPushButton(TEXT_UPLOAD_BUTTON(), this)),
      myHeader(new PageHeader(TEXT_UPLOAD_VIDEO(), this))
{
    qCDebug(lcSocial, "UploadVideoPage::UploadVideoPage(QWidget*, PageHistory&) begin");
    setMinimumSize(SCREEN_WIDTH, SCREEN_HEIGHT);

    // 1. The fields.
    myFileField->setReadOnly(true);
    myFileField->setStyleSheet(STYLE_UPLOAD_FILE_FIELD);
    myTitleField->setStyleSheet(STYLE_UPLOAD_TEXT_FIELD);
    myTagsField->setStyleSheet(STYLE_UPLOAD_TEXT_FIELD);
    myDescriptionBox->setStyleSheet(STYLE_UPLOAD_TEXT_FIELD);
    myDescriptionBox->setAcceptRichText(false);
    myDescriptionBox->verticalScrollBar()->setStyleSheet(STYLE_UPLOAD_SCROLL_BAR);

    // 2. The buttons; "Upload" waits for a complete form.
    myBrowseButton->setStyleSheet(STYLE_UPLOAD_BROWSE_BUTTON);
    myBrowseButton->setMinimumSize(UPLOAD_BROWSE_MIN_WIDTH, UPLOAD_BROWSE_MIN_HEIGHT);
    myUploadButton->setStyleSheet(STYLE_LARGE_BUTTON);
    myUploadButton->setMinimumSize(UPLOAD_BUTTON_MIN_WIDTH, UPLOAD_BUTTON_MIN_HEIGHT);
    myUploadButton->setEnabled(false);

    // 3. The form grid.
    auto* form = new QGridLayout;
    // "Upload" is the last row: it keeps clear of the screen's bottom edge.
    form->setContentsMargins(0, 0, 0, UPLOAD_FORM_BOTTOM_MARGIN);
    form->setSpacing(UPLOAD_FORM_SPACING);
    place(form, rowLabel(TEXT_UPLOAD_FILE_LABEL(), this), FILE_LABEL_PLACE);
    place(form, myFileField, FILE_FIELD_PLACE);
    place(form, myBrowseButton, BROWSE_BUTTON_PLACE);
    place(form, rowLabel(TEXT_UPLOAD_TITLE_LABEL(), this), TITLE_LABEL_PLACE);
    place(form, myTitleField, TITLE_FIELD_PLACE);
    place(form, rowLabel(TEXT_UPLOAD_DESCRIPTION_LABEL(), this), DESCRIPTION_LABEL_PLACE);
    place(form, myDescriptionBox, DESCRIPTION_BOX_PLACE);
    place(form, rowLabel(TEXT_UPLOAD_CATEGORY_LABEL(), this), CATEGORY_LABEL_PLACE);
    place(form, myCategoryBox, CATEGORY_BOX_PLACE);
    place(form, rowLabel(TEXT_UPLOAD_TAGS_LABEL(), this), TAGS_LABEL_PLACE);
    place(form, myTagsField, TAGS_FIELD_PLACE);
    place(form, myUploadButton, UPLOAD_BUTTON_PLACE);
    form->addItem(new QSpacerItem(UPLOAD_SPACER_SIZE, UPLOAD_SPACER_SIZE, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  SPACER_PLACE.row, SPACER_PLACE.column, SPACER_PLACE.rowSpan, SPACER_PLACE.columnSpan);

    // 4. The title band above the form.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(myHeader, 0);
    layout->addLayout(form, UPLOAD_FORM_STRETCH);
    setStyleSheet(STYLE_PAGE);

    // 5. Connections: every watched field re-checks the form.
    connect(myBrowseButton, &QPushButton::clicked, this, &UploadVideoPage::browseClicked);
    connect(myUploadButton, &QPushButton::clicked, this, &UploadVideoPage::uploadClicked);
    connect(myFileField, &QLineEdit::textChanged, this, &UploadVideoPage::textChanged);
    connect(myTitleField, &QLineEdit::textChanged, this, &UploadVideoPage::textChanged);
    connect(myDescriptionBox, &QTextEdit::textChanged, this, &UploadVideoPage::textChanged);
    connect(myCategoryBox, &SelectionBox::labelTextChanged, this, &UploadVideoPage::textChanged);
    connect(myTagsField, &QLineEdit::textChanged, this, &UploadVideoPage::textChanged);
    connect(myHeader->getBackButton(), &BackButton::backButtonClicked, this, &UploadVideoPage::backClicked);
    qCDebug(lcSocial, "UploadVideoPage::UploadVideoPage(QWidget*, PageHistory&) return");
}

UploadVideoPage::~UploadVideoPage() = default;

void UploadVideoPage::setVideoFile(const QString& path)
{
    qCDebug(lcSocial, "void UploadVideoPage::setVideoFile(QString&) begin");
    myFilePath = path;
    myFileField->setText(path.section(QLatin1Char('/'), -1));
    qCDebug(lcSocial, "void UploadVideoPage::setVideoFile(QString&) return");
}

void UploadVideoPage::resetUploadCriteria()
{
    qCDebug(lcSocial, "void UploadVideoPage::resetUploadCriteria() begin");
    myFileField->clear();
    myTitleField->clear();
    myDescriptionBox->clear();
    myCategoryBox->setCurrentIndex(0);
    myCategoryBox->setText(TEXT_CHOOSE_CATEGORY());
    myTagsField->clear();
    qCDebug(lcSocial, "void UploadVideoPage::resetUploadCriteria() return");
}

void UploadVideoPage::setCategories(const CategoryMap& categories)
{
    qCDebug(lcSocial, "void UploadVideoPage::setCategories(CategoryMap&) begin");
    myCategories = categories;
    myCategoryBox->setItems(myCategories.values());
    myCategoryBox->setText(TEXT_CHOOSE_CATEGORY());
    qCDebug(lcSocial, "void UploadVideoPage::setCategories(CategoryMap&) return");
}

void UploadVideoPage::addToPageHistory()
{
    myPageHistory.add(new PageHistoryItem(eUploadPageId));
}

void UploadVideoPage::browseClicked()
{
    qCDebug(lcSocial, "void UploadVideoPage::browseClicked() begin");
    Q_EMIT browseButtonClicked();
    qCDebug(lcSocial, "void UploadVideoPage::browseClicked() return");
}

void UploadVideoPage::backClicked(bool longClick)
{
    qCDebug(lcSocial, "void UploadVideoPage::backClicked(bool) begin");
    // The form is left the same way however long the button was held.
    Q_UNUSED(longClick);
    Q_EMIT backButtonClicked();
    qCDebug(lcSocial, "void UploadVideoPage::backClicked(bool) return");
}

bool UploadVideoPage::textFieldsFilled() const
{
    return !myFileField->text().isEmpty() && !myTitleField->text().isEmpty()
        && !myDescriptionBox->toPlainText().isEmpty() && !myTagsField->text().isEmpty();
}

void UploadVideoPage::textChanged()
{
    qCDebug(lcSocial, "void UploadVideoPage::textChanged() begin");
    myUploadButton->setEnabled(textFieldsFilled() && myCategoryBox->text() != TEXT_CHOOSE_CATEGORY());
    qCDebug(lcSocial, "void UploadVideoPage::textChanged() return");
}

QString UploadVideoPage::chosenCategory() const
{
    // The first term in term order whose label is the list's entry; "" for none.
    const QString label = myCategoryBox->currentText();
    for (auto it = myCategories.cbegin(); it != myCategories.cend(); ++it)
        if (it.value() == label)
            return it.key();
    return QString();
}

void UploadVideoPage::uploadClicked()
{
    qCDebug(lcSocial, "void UploadVideoPage::uploadClicked() begin");
    if (!textFieldsFilled()) {
        qCDebug(lcSocial, "Error: All fields not filled!");
        return;
    }
    QMap<QString, QString> uploadMap;
    uploadMap.insert(UPLOAD_LOCATION, myFilePath);
    uploadMap.insert(UPLOAD_TITLE, myTitleField->text());
    uploadMap.insert(UPLOAD_DESCRIPTION, myDescriptionBox->toPlainText().trimmed());
    uploadMap.insert(UPLOAD_CATEGORY, chosenCategory());
    uploadMap.insert(UPLOAD_KEYWORDS, myTagsField->text());
    Q_EMIT uploadRequested(uploadMap);
    qCDebug(lcSocial, "void UploadVideoPage::uploadClicked() return");
}
