#include "service/feeds/CategoryRequestManager.h"
#include "service/ServiceConstants.h"
#include "service/ServiceLogging.h"
#include "service/ServiceTexts.h"
#include "service/feeds/AtomReader.h"

#include <QDebug>
#include <QXmlStreamReader>

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
    using AtomReader::is;
    error.clear();
    QXmlStreamReader reader(document);
    if (!reader.readNextStartElement() || !is(reader, NS_APP, APP_CATEGORIES)) {
        error = reader.hasError() ? reader.errorString() : QStringLiteral("Not a categories document");
        return false;
    }
    CategoryMap found;
    found.insert(QString(), TEXT_CATEGORY_ALL());
    while (reader.readNextStartElement()) {
        if (!is(reader, NS_ATOM, ATOM_CATEGORY)) {
            AtomReader::skip(reader);
            continue;
        }
        const QXmlStreamAttributes attributes = reader.attributes();
        const QString term = attributes.value(ATTR_TERM).trimmed().toString();
        const QString label = attributes.hasAttribute(ATTR_LABEL) ? attributes.value(ATTR_LABEL).toString() : term;
        bool assignable = false;
        bool deprecated = false;
        while (reader.readNextStartElement()) {
            if (is(reader, NS_YT, YT_ASSIGNABLE))
                assignable = true;
            else if (is(reader, NS_YT, YT_DEPRECATED))
                deprecated = true;
            AtomReader::skip(reader);
        }
        if (!term.isEmpty() && assignable && !deprecated)
            found.insert(term, label);
    }
    if (!AtomReader::finish(reader, error))
        return false;
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
    qCDebug(lcService) << "CategoryRequestManager::requestFailed" << request->failureMessage();
    Q_EMIT errorOccuredInCategory();
}
