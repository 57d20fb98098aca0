#include "shell/LogoPixmap.h"
#include "shell/ShellConstants.h"

#include "core/constants/Icons.h"

#include <QPainter>
#include <QSvgRenderer>

namespace {
QPixmap renderLogo()
{
    QSvgRenderer renderer(ICON_LOGO);
    if (!renderer.isValid()) {
        qWarning("const QPixmap& getYoutubeLogoPixmap() - cannot render %s", qPrintable(ICON_LOGO));
        return QPixmap();
    }
    QSize size = renderer.defaultSize();
    if (size.isEmpty())
        size = LOGO_SIZE;
    size.scale(LOGO_SIZE, Qt::KeepAspectRatio);
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}
} // namespace

const QPixmap& getYoutubeLogoPixmap()
{
    static const QPixmap logo = renderLogo();
    return logo;
}
