#ifndef KRELVOX_CATEGORYREQUESTMANAGER_H
#define KRELVOX_CATEGORYREQUESTMANAGER_H

#include "core/Types.h"
#include "service/RequestManagerBase.h"

// Fetches the service's category list. The map it delivers holds "" -> "All" and one
// entry (term -> label) per category that videos can be filed under: deprecated and
// non-assignable categories are left out.
class CategoryRequestManager : public RequestManagerBase
{
    Q_OBJECT
public:
    CategoryRequestManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints,
                           QObject* parent = nullptr);

    void getCategories();
    const CategoryMap& categories() const { return myCategories; }

    // Reads a categories document; false (and an untouched map) when it is not one.
    static bool parseCategories(const QByteArray& document, CategoryMap& categories, QString& error);

Q_SIGNALS:
    void categoriesReady(CategoryMap& categories);
    void errorOccuredInCategory();

protected:
    void requestSucceeded(ServiceRequest* request) override;
    void requestFailed(ServiceRequest* request) override;

private:
    CategoryMap myCategories;
};

#endif
