#ifndef KRELVOX_SEARCHPAGE_H
#define KRELVOX_SEARCHPAGE_H

#include "core/Types.h"
#include "shell/PageBase.h"

#include <QPointF>
#include <QPointer>
#include <QStringList>

class PageHeader;
class PageHistory;
class QCompleter;
class QLabel;
class QLineEdit;
class QPushButton;
class QStringListModel;
class Repository;
class SelectionBox;
class UniformSweepList;

// The search form: the query field, completed from the earlier searches while
// SETTING_SEARCH_COMPLETION_ENABLED is on, a category and a sort order, and the list
// of earlier searches (most recent first): picking one fills the field, choosing it
// (double tap, a second tap or Return) searches for it at once. Its widgets are built
// when it is first shown or used.
class SearchPage : public PageBase
{
    Q_OBJECT
public:
    // sortOrders: the service's sort-order map (key "" for relevance).
    SearchPage(Repository& repository, PageHistory& history, const CategoryMap& sortOrders, QWidget* parent);
    ~SearchPage() override;

    QLineEdit* getQueryField() const { ensureBuilt(); return myQueryField; }
    QPushButton* getSearchButton() const { ensureBuilt(); return mySearchButton; }
    SelectionBox* getCategoryBox() const { ensureBuilt(); return myCategoryBox; }
    SelectionBox* getSortBox() const { ensureBuilt(); return mySortBox; }
    UniformSweepList* getHistoryList() const { ensureBuilt(); return myHistoryList; }
    QStringList getHistory() const;
    bool isCompletionEnabled() const;

    // The category key of the category box's entry ("" for all).
    QString getCategory() const;
    // The sort key of the sort box's entry ("" for relevance).
    QString getSortBy() const;

public Q_SLOTS:
    void addToPageHistory() override;
    void blockUiSignals(bool block) override;
    void setPageFocus() override;

    // The service's categories (key "" labelled for all first); the chosen
    // category stays chosen when it is still offered.
    void setCategories(CategoryMap& categories);
    // SETTING_SEARCH_COMPLETION_ENABLED below 1 switches the completion off, any
    // other value on; SETTING_DEFAULT_SORTING_ORDER chooses the sort order.
    void settingChanged(const QString& key, int value);
    // Empties the list of earlier searches (the store is emptied by the caller).
    void clearHistoryList();
    // Reads the earlier searches from the store again.
    void reloadHistory();
    // Searches for the query field's text (nothing for an empty text).
    void startSearch();

Q_SIGNALS:
    void search(const QString& text, const QString& category, const QString& sortBy);

private Q_SLOTS:
    void historySelectionChanged();
    void historyChosen(const QModelIndex& index);

protected:
    void buildPage() override;
    // The suggestions' pop-up: a tap beside it closes it and still reaches what was
    // tapped.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setCompletionEnabled(bool enabled);

    Repository& myRepository;
    PageHistory& myHistory;
    CategoryMap mySortOrders;
    // The widgets, built by buildPage().
    PageHeader* myHeader = nullptr;
    QLineEdit* myQueryField = nullptr;
    QPushButton* mySearchButton = nullptr;
    QLabel* myCategoryLabel = nullptr;
    SelectionBox* myCategoryBox = nullptr;
    QLabel* mySortLabel = nullptr;
    SelectionBox* mySortBox = nullptr;
    QLabel* myHistoryLabel = nullptr;
    UniformSweepList* myHistoryList = nullptr;
    QStringListModel* myHistoryModel = nullptr;
    QCompleter* myCompleter = nullptr;
    QStringList myCategoryKeys;
    QStringList myCategoryLabels;
    QStringList mySortKeys;
    // A tap that began beside the suggestions' pop-up: where, and on what.
    bool myTapBeside = false;
    QPointer<QWidget> myTapTarget;
    QPointF myTapPress;
};

#endif
