#ifndef KRELVOX_UPLOADVIDEOPAGE_H
#define KRELVOX_UPLOADVIDEOPAGE_H

#include "core/Types.h"
#include "shell/PageBase.h"

#include <QMap>
#include <QString>

class PageHeader;
class PageHistory;
class QLineEdit;
class QPushButton;
class QTextEdit;
class SelectionBox;

// The upload form: the video file (chosen through the controller's file chooser),
// a title, a description, one of the service's categories and tags. "Upload" is
// enabled only while every field is filled and a category is shown; it hands the
// form over as one map and keeps the form as it is.
class UploadVideoPage : public PageBase
{
    Q_OBJECT
public:
    UploadVideoPage(QWidget* parent, PageHistory& history);
    ~UploadVideoPage() override;

    // The full path of the video; the file field shows its last component. An empty
    // path empties the field (a cancelled file chooser).
    void setVideoFile(const QString& path);
    // Empties every field and shows "Choose category..."; the stored path stays until
    // the next setVideoFile, but with the file field empty the form cannot be sent.
    void resetUploadCriteria();
    // The service's categories (term -> label; the empty term, "All", first).
    void setCategories(const CategoryMap& categories);

    QString getVideoFile() const { return myFilePath; }
    QLineEdit* getFileField() const { return myFileField; }
    QLineEdit* getTitleField() const { return myTitleField; }
    QLineEdit* getTagsField() const { return myTagsField; }
    QTextEdit* getDescriptionBox() const { return myDescriptionBox; }
    SelectionBox* getCategoryBox() const { return myCategoryBox; }
    QPushButton* getBrowseButton() const { return myBrowseButton; }
    QPushButton* getUploadButton() const { return myUploadButton; }
    PageHeader* getHeader() const { return myHeader; }

public Q_SLOTS:
    // Records the page (id 17): going back to it shows the form as it was left.
    void addToPageHistory() override;

Q_SIGNALS:
    void browseButtonClicked();
    // The back button, pressed short or long: the controller decides where it leads.
    void backButtonClicked();
    // Keys "location", "title", "description", "category", "keywords".
    void uploadRequested(QMap<QString, QString> uploadMap);

private Q_SLOTS:
    void browseClicked();
    void uploadClicked();
    void backClicked(bool longClick);
    // Enables "Upload" exactly while the form is complete.
    void textChanged();

private:
    bool textFieldsFilled() const;
    QString chosenCategory() const;

    PageHistory& myPageHistory;
    QLineEdit* myFileField;
    QLineEdit* myTitleField;
    QLineEdit* myTagsField;
    QTextEdit* myDescriptionBox;
    SelectionBox* myCategoryBox;
    QPushButton* myBrowseButton;
    QPushButton* myUploadButton;
    PageHeader* myHeader;
    CategoryMap myCategories;
    QString myFilePath;
};

#endif
