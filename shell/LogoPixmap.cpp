#include "shell/LogoPixmap.h"
#include "shell/ShellConstants.h"

#include "core/constants/Icons.h"

#include <QPainter>
#include <QSvgRenderer>

namespace {
QImage renderLogo()
{
    QSvgRenderer renderer(ICON_LOGO);
    if (!renderer.isValid()) {
        qWarning("const QImage& logoImage() - cannot render %s", qPrintable(ICON_LOGO));
        return QImage();
    }
    QSize size = renderer.defaultSize();
    if (size.isEmpty())
        size = LOGO_SIZE;
    size.scale(LOGO_SIZE, Qt::KeepAspectRatio);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}
} // namespace

const QImage& logoImage()
{
    static const QImage logo = renderLogo();
    return logo;
}

const QPixmap& getYoutubeLogoPixmap()
{
    static const QPixmap logo = QPixmap::fromImage(logoImage());
    return logo;
}
