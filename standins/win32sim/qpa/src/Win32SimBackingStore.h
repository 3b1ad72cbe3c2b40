#pragma once

#include <qpa/qplatformbackingstore.h>

#include <QImage>

// One image per top-level window; flushing hands the pixels to the desktop window
// (a native child's part of the image goes to the child's own window).
class Win32SimBackingStore : public QPlatformBackingStore
{
public:
    explicit Win32SimBackingStore(QWindow *window);

    QPaintDevice *paintDevice() override { return &m_image; }
    void beginPaint(const QRegion &region) override;
    void flush(QWindow *window, const QRegion &region, const QPoint &offset) override;
    void resize(const QSize &size, const QRegion &staticContents) override;
    QImage toImage() const override { return m_image; }

private:
    QImage m_image;
};
