#include "service/VideoServiceFactory.h"
#include "service/ServiceLogging.h"
#include "service/YoutubeVideoService.h"

#include <QDebug>

VideoServiceProvider* VideoServiceFactory::createService(const QString& name, Repository& repository, QObject* parent)
{
    // There is one service; every name gets it.
    qCDebug(lcService) << "VideoServiceFactory::createService" << name;
    return new YoutubeVideoService(repository, parent);
}
