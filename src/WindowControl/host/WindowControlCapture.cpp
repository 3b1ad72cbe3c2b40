// A still picture of the host for the page, which cannot draw its own menus over a
// native window: it shows the picture in the window's place while a menu is open.
#include "WindowControl.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPixmap>
#include <QScreen>

namespace {
const int kJpegQuality = 20;   // small and quick; the page only shows it briefly
}

void WindowControl::grabWindowImage()
{
    QScreen *pScreen = QGuiApplication::primaryScreen();
    if (!pScreen)
        return;
    // What the screen shows in the host's place, with whatever lies over it.
    const QPixmap pixmap = pScreen->grabWindow(reinterpret_cast<WId>(m_hWnd), 0, 0, -1, -1);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    pixmap.toImage().save(&buffer, "JPEG", kJpegQuality);   // opens the buffer for writing
    buffer.close();
    // Without a JPEG encoder the image stays empty; the message still goes.
    const QString strImage = QString::fromLatin1(bytes.toBase64());

    const QJsonObject message{{QLatin1String("image"), strImage}};
    const QJsonObject data{{QLatin1String("type"), QStringLiteral("menuOpen")},
                           {QLatin1String("message"), message}};
    const QJsonObject picture{{QLatin1String("cmd"), QStringLiteral("window.messageCallBack")},
                              {QLatin1String("data"), data},
                              {QLatin1String("sequence"), QLatin1String("")},
                              {QLatin1String("uuid"), m_strUUID}};
    emit sendMessage2Web(QString::fromUtf8(QJsonDocument(picture).toJson(QJsonDocument::Compact)));
}
