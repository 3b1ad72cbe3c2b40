#pragma once

#include <qpa/qplatformscreen.h>

// One desktop monitor: its rectangle and work area; grabs composite the desktop.
class Win32SimScreen : public QPlatformScreen
{
public:
    Win32SimScreen(int iIndex, const QRect &rcGeometry, const QRect &rcWork);

    void setGeometries(const QRect &rcGeometry, const QRect &rcWork);

    QRect geometry() const override { return m_rcGeometry; }
    QRect availableGeometry() const override { return m_rcWork; }
    int depth() const override { return 32; }
    QImage::Format format() const override { return QImage::Format_ARGB32_Premultiplied; }
    QDpi logicalDpi() const override { return QDpi(96, 96); }
    QDpi logicalBaseDpi() const override { return QDpi(96, 96); }
    QSizeF physicalSize() const override;
    QString name() const override;
    QList<QPlatformScreen *> virtualSiblings() const override;
    QWindow *topLevelAt(const QPoint &point) const override;
    QPixmap grabWindow(WId window, int x, int y, int width, int height) const override;

private:
    int m_iIndex;
    QRect m_rcGeometry;
    QRect m_rcWork;
};
