#include "shell/LogoPixmap.h"
#include "shell/ShellConstants.h"

#include "core/constants/Icons.h"
#include "shell/ShellLogging.h"

#include <QImageReader>

namespace {
// Read through Qt's SVG image plugin, which the buttons' border images load too:
// when start-up renders the logo on a worker, the plugin is loaded there as well.
QImage renderLogo()
{
    QImageReader reader(ICON_LOGO);
    QSize size = reader.size();
    if (size.isEmpty())
        size = LOGO_SIZE;
    size.scale(LOGO_SIZE, Qt::KeepAspectRatio);
    reader.setScaledSize(size);
    QImage image = reader.read();
    if (image.isNull()) {
        qCWarning(lcShell, "const QImage& logoImage() - cannot render %s: %s", qPrintable(ICON_LOGO),
                  qPrintable(reader.errorString()));
        return QImage();
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
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
