#ifndef KRELVOX_RECORDINGPAINTDEVICE_H
#define KRELVOX_RECORDINGPAINTDEVICE_H

// A paint device that draws nothing and records what a painter was asked to draw:
// lines with their pen colour, filled rectangles with their brush colour, images with
// their target and source rectangles, and text runs with their position. Row painters
// are checked against it instead of against pixels.

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTextItem>

struct RecordedLine { QLineF line; QColor color; };
struct RecordedRect { QRectF rect; QColor color; };
struct RecordedImage { QRectF target; QRectF source; qint64 cacheKey; };
struct RecordedText { QPointF position; QString text; bool underline; int weight; int pointSize; QColor color; };

class RecordingPaintEngine : public QPaintEngine
{
public:
    RecordingPaintEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& state) override
    {
        if (state.state() & QPaintEngine::DirtyPen)
            myPen = state.pen().color();
        if (state.state() & QPaintEngine::DirtyBrush)
            myBrush = state.brush().color();
    }
    void drawLines(const QLineF* lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            recordedLines.append({lines[i], myPen});
    }
    void drawLines(const QLine* lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            recordedLines.append({QLineF(lines[i]), myPen});
    }
    void drawRects(const QRectF* rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            recordedRects.append({rects[i], myBrush});
    }
    void drawRects(const QRect* rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            recordedRects.append({QRectF(rects[i]), myBrush});
    }
    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override
    {
        recordedImages.append({target, source, pixmap.cacheKey()});
    }
    void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags) override
    {
        recordedImages.append({target, source, image.cacheKey()});
    }
    void drawTextItem(const QPointF& position, const QTextItem& item) override
    {
        recordedTexts.append({position, item.text(), item.font().underline(), item.font().weight(),
                              item.font().pointSize(), myPen});
    }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPolygon(const QPoint*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}

    void clear()
    {
        recordedLines.clear();
        recordedRects.clear();
        recordedImages.clear();
        recordedTexts.clear();
    }
    bool isEmpty() const
    {
        return recordedLines.isEmpty() && recordedRects.isEmpty() && recordedImages.isEmpty() && recordedTexts.isEmpty();
    }
    // The text runs joined, in drawing order.
    QString allText() const
    {
        QString text;
        for (const RecordedText& t : recordedTexts)
            text += t.text;
        return text;
    }

    QList<RecordedLine> recordedLines;
    QList<RecordedRect> recordedRects;
    QList<RecordedImage> recordedImages;
    QList<RecordedText> recordedTexts;

private:
    QColor myPen;
    QColor myBrush;
};

class RecordingPaintDevice : public QPaintDevice
{
public:
    RecordingPaintDevice(int width = 800, int height = 480) : myWidth(width), myHeight(height) {}
    ~RecordingPaintDevice() override = default;

    QPaintEngine* paintEngine() const override { return &myEngine; }
    RecordingPaintEngine& engine() { return myEngine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return myWidth;
        case PdmHeight: return myHeight;
        case PdmWidthMM: return myWidth * 254 / 960;
        case PdmHeightMM: return myHeight * 254 / 960;
        case PdmNumColors: return 0x7fffffff;
        case PdmDepth: return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 96;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }

private:
    int myWidth;
    int myHeight;
    mutable RecordingPaintEngine myEngine;
};

#endif
