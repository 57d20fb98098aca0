#include "service/feeds/CategoryRequestManager.h"
#include "service/ServiceConstants.h"
#include "service/ServiceTexts.h"

#include <QDebug>
#include <QDomDocument>
#include <QDomElement>

CategoryRequestManager::CategoryRequestManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints,
                                               QObject* parent)
    : RequestManagerBase(network, endpoints, parent)
{
}

void CategoryRequestManager::getCategories()
{
    // One list is enough: a request still running answers this call too.
    if (pendingCount() > 0)
        return;
    send(new ServiceRequest(endpoints().url(ServiceEndpoints::eApi, PATH_CATEGORIES)));
}

bool CategoryRequestManager::parseCategories(const QByteArray& document, CategoryMap& categories, QString& error)
{
    QDomDocument dom;
    QString message;
    int line = 0;
    if (!dom.setContent(document, true, &message, &line)) {
        error = QStringLiteral("Line %1: %2").arg(line).arg(message);
        return false;
    }
    const QDomElement root = dom.documentElement();
    if (root.localName() != APP_CATEGORIES || root.namespaceURI() != NS_APP) {
        error = QStringLiteral("Not a categories document");
        return false;
    }
    CategoryMap found;
    found.insert(QString(), TEXT_CATEGORY_ALL());
    for (QDomElement category = root.firstChildElement(); !category.isNull();
         category = category.nextSiblingElement()) {
        if (category.localName() != ATOM_CATEGORY || category.namespaceURI() != NS_ATOM)
            continue;
        const QString term = category.attribute(ATTR_TERM).trimmed();
        if (term.isEmpty())
            continue;
        bool assignable = false;
        bool deprecated = false;
        for (QDomElement flag = category.firstChildElement(); !flag.isNull(); flag = flag.nextSiblingElement()) {
            if (flag.namespaceURI() != NS_YT)
                continue;
            if (flag.localName() == YT_ASSIGNABLE)
                assignable = true;
            else if (flag.localName() == YT_DEPRECATED)
                deprecated = true;
        }
        if (assignable && !deprecated)
            found.insert(term, category.attribute(ATTR_LABEL, term));
    }
    categories = found;
    return true;
}

void CategoryRequestManager::requestSucceeded(ServiceRequest* request)
{
    QString error;
    CategoryMap categories;
    if (!parseCategories(request->receivedData(), categories, error)) {
        reportFailure(request, ServiceRequest::eMalformed, QStringLiteral("The categories could not be read: ") + error);
        return;
    }
    myCategories = categories;
    Q_EMIT categoriesReady(myCategories);
}

void CategoryRequestManager::requestFailed(ServiceRequest* request)
{
    qDebug() << "CategoryRequestManager::requestFailed" << request->failureMessage();
    Q_EMIT errorOccuredInCategory();
}
