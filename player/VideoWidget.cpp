#include "player/VideoWidget.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

namespace {

// The player's window: Qt paints nothing into it, the player does.
class VideoSurface : public QWidget
{
public:
    explicit VideoSurface(QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_NativeWindow);
        setAttribute(Qt::WA_DontCreateNativeAncestors);
        setAttribute(Qt::WA_PaintOnScreen);
        setAttribute(Qt::WA_NoSystemBackground);
        setAttribute(Qt::WA_OpaquePaintEvent);
        // Taps are not handled here: they go on to the video widget.
    }
    QPaintEngine* paintEngine() const override { return nullptr; }

protected:
    void paintEvent(QPaintEvent*) override {}
};

bool platformHasWindows()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

} // namespace

VideoWidget::VideoWidget(QWidget* parent) : QWidget(parent), mySurface(new VideoSurface(this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    mySurface->hide();
    layoutSurface();
}

VideoWidget::~VideoWidget() = default;

WId VideoWidget::videoWindow()
{
    return platformHasWindows() ? mySurface->winId() : 0;
}

void VideoWidget::setSurfaceShown(bool shown)
{
    if (shown == !mySurface->isHidden())
        return;
    mySurface->setVisible(shown);
    // Qt paints nothing under the player's window, so what it left is painted anew:
    // black, not whatever the page shown before it left behind.
    if (!shown)
        update();
}

void VideoWidget::setVideoSize(const QSize& size)
{
    myVideoSize = size;
    layoutSurface();
}

void VideoWidget::setKeepAspectRatio(bool keep)
{
    myKeepAspect = keep;
    layoutSurface();
}

QRect VideoWidget::surfaceGeometry() const
{
    return mySurface->geometry();
}

void VideoWidget::layoutSurface()
{
    QRect area = rect();
    if (myKeepAspect && myVideoSize.isValid() && !area.isEmpty()) {
        const QSize fitted = myVideoSize.scaled(area.size(), Qt::KeepAspectRatio);
        area = QRect(QPoint((area.width() - fitted.width()) / 2, (area.height() - fitted.height()) / 2), fitted);
    }
    if (area == mySurface->geometry())
        return;
    mySurface->setGeometry(area);
    Q_EMIT surfaceMoved();
}

void VideoWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutSurface();
}

void VideoWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    QWidget::mouseReleaseEvent(event);
}

void VideoWidget::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), Qt::black);
}
