#include "tools/demoservice/DemoPictures.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

// Scenes are drawn on a canvas of this size and scaled to the asked size.
constexpr qreal CANVAS_WIDTH = 480;
constexpr qreal CANVAS_HEIGHT = 360;
constexpr qreal HORIZON = 250;
constexpr qreal DISC_RADIUS = 50;
constexpr int JPEG_QUALITY = 90;
constexpr int GOLDEN_ANGLE = 137;

// The captcha: a picture of the size that the service's were, letters in a plain bold
// sans font, spaced so that no two touch.
const QSize CAPTCHA_SIZE(280, 90);
constexpr int CAPTCHA_LETTER_PIXELS = 44;
constexpr qreal CAPTCHA_LETTER_ADVANCE = 32;
constexpr qreal CAPTCHA_TURN_DEGREES = 9;
constexpr qreal CAPTCHA_BASELINE_SWAY = 6;

QColor shade(int hue, int saturation, int value)
{
    return QColor::fromHsv(hue % 360, saturation, value);
}

void drawSky(QPainter& painter, int hue)
{
    QLinearGradient sky(0, 0, 0, HORIZON);
    sky.setColorAt(0, shade(hue, 140, 70));
    sky.setColorAt(1, shade(hue + 25, 70, 215));
    painter.fillRect(QRectF(0, 0, CANVAS_WIDTH, HORIZON), sky);
}

void drawDisc(QPainter& painter, int index)
{
    const QPointF centre(90 + index * 53 % 300, 75 + index * 29 % 70);
    painter.setPen(Qt::NoPen);
    painter.setBrush(DemoPictures::signatureColour(index));
    painter.drawEllipse(centre, DISC_RADIUS, DISC_RADIUS);
}

void drawGround(QPainter& painter, int hue)
{
    painter.fillRect(QRectF(0, HORIZON, CANVAS_WIDTH, CANVAS_HEIGHT - HORIZON), shade(hue + 90, 90, 70));
}

void drawMountains(QPainter& painter, const QColor& colour, int index)
{
    QPainterPath range(QPointF(0, HORIZON + 10));
    for (int i = 0; i <= 6; ++i)
        range.lineTo(i * 80, HORIZON - (i % 2 ? 70 + index * 13 % 60 : 15));
    range.lineTo(CANVAS_WIDTH, HORIZON + 10);
    painter.fillPath(range, colour);
}

void drawWaves(QPainter& painter, const QColor& colour)
{
    painter.setPen(QPen(colour, 9, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    for (int line = 0; line < 3; ++line) {
        QPainterPath wave(QPointF(0, 275 + line * 28));
        for (int x = 0; x <= CANVAS_WIDTH; x += 8)
            wave.lineTo(x, 275 + line * 28 + 14 * qSin((x + line * 40) / 38.0));
        painter.drawPath(wave);
    }
}

void drawCat(QPainter& painter, const QColor& colour)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(QPointF(360, 300), 70, 55);                       // body
    painter.drawEllipse(QPointF(300, 245), 42, 38);                       // head
    painter.drawPolygon(QPolygonF({{268, 228}, {272, 180}, {298, 212}})); // ears
    painter.drawPolygon(QPolygonF({{304, 210}, {330, 180}, {334, 228}}));
}

void drawBowl(QPainter& painter, const QColor& colour)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawChord(QRectF(140, 200, 200, 150), 0, -180 * 16);
    painter.setPen(QPen(colour.lighter(160), 7, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        QPainterPath steam(QPointF(200 + i * 40, 260));
        steam.cubicTo(180 + i * 40, 230, 225 + i * 40, 215, 200 + i * 40, 185);
        painter.drawPath(steam);
    }
}

void drawBall(QPainter& painter, const QColor& colour)
{
    painter.setPen(QPen(colour.lighter(170), 6));
    painter.drawLine(QPointF(0, 300), QPointF(CANVAS_WIDTH, 300));
    painter.setPen(QPen(colour, 6));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(330, 290), 42, 42);
    painter.drawArc(QRectF(300, 250, 60, 80), 90 * 16, 180 * 16);
}

void drawBlocks(QPainter& painter, const QColor& colour)
{
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 12; ++i) {
        painter.setBrush(i % 2 ? colour : colour.lighter(150));
        painter.drawRect(QRectF(20 + i * 38, 300 - i % 4 * 30, 34, 34 + i % 4 * 30));
    }
}

void drawRoad(QPainter& painter, const QColor& colour)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(QPolygonF({{200, HORIZON}, {280, HORIZON}, {420, CANVAS_HEIGHT}, {60, CANVAS_HEIGHT}}));
    painter.setBrush(QColor(250, 220, 80));
    for (int i = 0; i < 4; ++i)
        painter.drawRect(QRectF(236 - i * 2, HORIZON + 8 + i * 26, 8 + i * 4, 14 + i * 2));
}

void drawPerson(QPainter& painter, const QColor& colour)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(QPointF(320, 215), 36, 36);
    painter.drawChord(QRectF(250, 255, 140, 170), 0, 180 * 16);
}

void drawGear(QPainter& painter, const QColor& colour)
{
    painter.setPen(QPen(colour, 22, Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    const QPointF centre(340, 285);
    for (int tooth = 0; tooth < 8; ++tooth) {
        const qreal angle = tooth * M_PI / 4;
        painter.drawLine(centre + QPointF(45 * qCos(angle), 45 * qSin(angle)),
                         centre + QPointF(70 * qCos(angle), 70 * qSin(angle)));
    }
    painter.drawEllipse(centre, 45, 45);
}

void drawFilmStrip(QPainter& painter, const QColor& colour)
{
    painter.fillRect(QRectF(0, 270, CANVAS_WIDTH, 70), colour);
    for (int x = 10; x < CANVAS_WIDTH; x += 32) {
        painter.fillRect(QRectF(x, 276, 16, 10), Qt::white);
        painter.fillRect(QRectF(x, 324, 16, 10), Qt::white);
    }
}

// The motif of a category, in the dark colour of the scene.
void drawMotif(QPainter& painter, const QString& category, const QColor& colour, int index)
{
    if (category == QLatin1String("Travel"))
        drawMountains(painter, colour, index);
    else if (category == QLatin1String("Music"))
        drawWaves(painter, colour);
    else if (category == QLatin1String("Animals"))
        drawCat(painter, colour);
    else if (category == QLatin1String("Howto"))
        drawBowl(painter, colour);
    else if (category == QLatin1String("Sports"))
        drawBall(painter, colour);
    else if (category == QLatin1String("Games"))
        drawBlocks(painter, colour);
    else if (category == QLatin1String("Autos"))
        drawRoad(painter, colour);
    else if (category == QLatin1String("People"))
        drawPerson(painter, colour);
    else if (category == QLatin1String("Education") || category == QLatin1String("Tech"))
        drawGear(painter, colour);
    else
        drawFilmStrip(painter, colour);
}

} // namespace

namespace DemoPictures {

QColor signatureColour(int videoIndex)
{
    return shade(videoIndex * GOLDEN_ANGLE, 230, 250);
}

QImage videoPicture(int videoIndex, const QString& category, const QSize& size)
{
    const int hue = signatureColour(videoIndex).hsvHue() + 200;
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size.width() / CANVAS_WIDTH, size.height() / CANVAS_HEIGHT);
    drawSky(painter, hue);
    drawDisc(painter, videoIndex);
    drawGround(painter, hue);
    drawMotif(painter, category, shade(hue, 160, 45), videoIndex);
    return image;
}

QImage userPicture(const QString& userId, const QSize& size)
{
    const int hue = int(qHash(userId) % 360);
    QImage image(size, QImage::Format_RGB32);
    image.fill(shade(hue, 120, 200));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size.width() / 100.0, size.height() / 100.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade(hue + 180, 60, 250));
    painter.drawEllipse(QPointF(50, 40), 20, 20);
    painter.drawChord(QRectF(18, 66, 64, 70), 0, 180 * 16);
    return image;
}

QImage captchaPicture(const QString& answer)
{
    QImage image(CAPTCHA_SIZE, QImage::Format_RGB32);
    image.fill(QColor(236, 232, 218));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    // Pale waves behind the letters make it look like a challenge; drawn first and
    // far lighter than the letters, they never hide or join any.
    painter.setPen(QPen(QColor(190, 180, 160), 2));
    for (int line = 0; line < 4; ++line) {
        QPainterPath wave(QPointF(0, 18 + line * 18));
        for (int x = 0; x <= CAPTCHA_SIZE.width(); x += 6)
            wave.lineTo(x, 18 + line * 18 + 7 * qSin((x + line * 50) / 23.0));
        painter.drawPath(wave);
    }

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(CAPTCHA_LETTER_PIXELS);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const qreal left = (CAPTCHA_SIZE.width() - CAPTCHA_LETTER_ADVANCE * answer.size()) / 2;
    const qreal baseline = (CAPTCHA_SIZE.height() + metrics.capHeight()) / 2;
    for (int i = 0; i < answer.size(); ++i) {
        const QString letter = answer.mid(i, 1);
        const qreal width = metrics.horizontalAdvance(letter);
        painter.save();
        // Each letter turns about its own middle and sways up or down a little.
        painter.translate(left + (i + 0.5) * CAPTCHA_LETTER_ADVANCE,
                          baseline + CAPTCHA_BASELINE_SWAY * qSin(i * 2.1) - metrics.capHeight() / 2);
        painter.rotate(CAPTCHA_TURN_DEGREES * qSin(i * 1.7 + 0.5));
        painter.setPen(shade(220 + i * 23, 200, 90));
        painter.drawText(QPointF(-width / 2, metrics.capHeight() / 2), letter);
        painter.restore();
    }
    return image;
}

QByteArray jpeg(const QImage& image)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", JPEG_QUALITY);
    return data;
}

} // namespace DemoPictures
