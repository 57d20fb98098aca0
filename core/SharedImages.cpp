#include "core/SharedImages.h"
#include "core/CoreLogging.h"
#include "core/constants/Icons.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

const QImage& getSharedImage(const QString& path)
{
    static QHash<QString, QImage> cache;
    auto it = cache.find(path);
    if (it != cache.end())
        return it.value();

    QImage image;
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QSvgRenderer renderer(path);
        if (renderer.isValid()) {
            QSize size = renderer.defaultSize();
            if (size.isEmpty())
                size = QSize(81, 81);
            image = QImage(size, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            renderer.render(&painter);
        } else {
            qCWarning(lcCore, "getSharedImage: cannot render %s", qPrintable(path));
        }
    } else if (!image.load(path)) {
        qCWarning(lcCore, "getSharedImage: cannot load %s", qPrintable(path));
    }
    return cache.insert(path, image).value();
}

const QImage& getStarImage()
{
    return getSharedImage(ICON_STAR5);
}

const QImage& getBackBgImage()
{
    return getSharedImage(ICON_BACK_BG);
}

const QImage& getStateImage(eStateImage which)
{
    switch (which) {
    case eStateLink:
        return getSharedImage(ICON_STATE_LINK);
    case eStateMemory:
        return getSharedImage(ICON_STATE_MEMORY);
    case eStateHistory:
        return getSharedImage(ICON_STATE_HISTORY);
    case eStateEmpty:
        break;
    }
    return getSharedImage(ICON_STATE_EMPTY);
}
