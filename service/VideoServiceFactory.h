#ifndef KRELVOX_VIDEOSERVICEFACTORY_H
#define KRELVOX_VIDEOSERVICEFACTORY_H

#include <QObject>
#include <QString>

class Repository;
class VideoServiceProvider;

// The name the application controller asks the service factory for.
inline const QString SERVICE_NAME_YOUTUBE = QStringLiteral("YOUTUBE");

// Makes the video service. There is one implementation, returned for any name.
class VideoServiceFactory : public QObject
{
    Q_OBJECT
public:
    explicit VideoServiceFactory(QObject* parent = nullptr) : QObject(parent) {}

    // The service is a child of parent.
    VideoServiceProvider* createService(const QString& name, Repository& repository, QObject* parent);
};

#endif
