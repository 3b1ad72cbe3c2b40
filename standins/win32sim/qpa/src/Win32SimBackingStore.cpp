#include "Win32SimBackingStore.h"

#include "Win32SimWindow.h"

#include <QPainter>
#include <QWindow>

#include <win32sim/Desktop.h>

Win32SimBackingStore::Win32SimBackingStore(QWindow *window)
    : QPlatformBackingStore(window)
{
}

void Win32SimBackingStore::resize(const QSize &size, const QRegion &staticContents)
{
    Q_UNUSED(staticContents);
    const QImage::Format format = window()->format().hasAlpha() ? QImage::Format_ARGB32_Premultiplied
                                                                : QImage::Format_RGB32;
    if (m_image.size() != size || m_image.format() != format) {
        m_image = QImage(size.expandedTo(QSize(1, 1)), format);
        m_image.fill(Qt::transparent);
    }
}

void Win32SimBackingStore::beginPaint(const QRegion &region)
{
    if (!m_image.hasAlphaChannel())
        return;
    QPainter painter(&m_image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect &rect : region)
        painter.fillRect(rect, Qt::transparent);
}

void Win32SimBackingStore::flush(QWindow *window, const QRegion &region, const QPoint &offset)
{
    Q_UNUSED(region);
    auto *pWindow = window ? static_cast<Win32SimWindow *>(window->handle()) : nullptr;
    if (!pWindow || !pWindow->isAlive())
        return;
    const QSize size = pWindow->geometry().size();
    if (window == this->window() && offset.isNull() && size == m_image.size())
        win32sim::setWindowPixels(pWindow->hwnd(), m_image);
    else {
        // Only what the store holds: a native child may reach far past it.
        const QRect rcPart(offset, size.boundedTo(m_image.size() - QSize(offset.x(), offset.y())));
        win32sim::setWindowPixels(pWindow->hwnd(), rcPart.isEmpty() ? QImage() : m_image.copy(rcPart));
    }
}
