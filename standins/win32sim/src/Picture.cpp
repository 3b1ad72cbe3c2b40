// Pictures of the desktop: windows drawn bottom to top, each clipped by its window
// region and by every ancestor's client area, children over their parent. Windows with
// pixels of their own show them in their client area; the rest show a flat colour with
// their title (text only when a QGuiApplication exists, since fonts need one).
#include "State.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QFont>
#include <QPainter>

using namespace win32sim::detail;

namespace {

const QColor kDesktopColour(0x1E, 0x4E, 0x6E);
const QColor kFrameColour(0x6C, 0x7A, 0x89);
const QColor kCaptionColour(0x3A, 0x5F, 0x8A);

bool canDrawText()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
}

QColor colourOf(const Window *w)
{
    if (w->colour.isValid())
        return w->colour;
    const quintptr v = reinterpret_cast<quintptr>(w->handle) >> 2;
    return QColor::fromHsv(int((v * 47) % 360), 90, 225);
}

void drawTitle(QPainter &p, const QRect &r, const QString &text, const QColor &background)
{
    if (text.isEmpty() || r.width() < 4 || r.height() < 4 || !canDrawText())
        return;
    QFont f = p.font();
    f.setPixelSize(12);
    p.setFont(f);
    p.setPen(background.lightness() > 128 ? Qt::black : Qt::white);
    p.drawText(r.adjusted(4, 2, -4, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

void paintWindow(QPainter &p, HWND h, const QRegion &clip, const QPoint &origin)
{
    State &s = State::get();
    Window *w = s.win(h);
    if (!w || !(w->style & WS_VISIBLE))
        return;
    const QRect wr = screenRect(w);
    QRegion visible = clip.intersected(wr);
    if (w->hasRegion)
        visible = visible.intersected(w->region.translated(wr.topLeft()));
    if (visible.isEmpty())
        return;
    p.save();
    p.setClipRegion(visible.translated(-origin));
    const QRect cr = clientRectScreen(w);
    if (cr != wr) {
        p.fillRect(wr.translated(-origin), kFrameColour);
        const QMargins m = nonClientMargins(w->style, w->exStyle);
        if (m.top() > m.left()) {
            const QRect caption(wr.x() + m.left(), wr.y() + m.left(), wr.width() - m.left() - m.right(),
                                m.top() - m.left());
            p.fillRect(caption.translated(-origin), kCaptionColour);
            drawTitle(p, caption.translated(-origin), w->title, kCaptionColour);
        }
    }
    const QColor colour = colourOf(w);
    p.fillRect(cr.translated(-origin), colour);
    if (!w->pixels.isNull())
        p.drawImage(cr.topLeft() - origin, w->pixels);
    else if (cr == wr || (w->style & WS_CAPTION) != WS_CAPTION)
        drawTitle(p, cr.translated(-origin), w->title, colour);
    p.restore();
    const QRegion inner = visible.intersected(cr);
    const std::vector<HWND> children = w->children;
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        paintWindow(p, *it, inner, origin);
}

} // namespace

namespace win32sim {

void setWindowPixels(HWND hwnd, const QImage &clientPixels)
{
    Lock lock(State::mutex());
    if (Window *w = desktop().win(hwnd))
        w->pixels = clientPixels;
}

QImage grabScreen(const QRect &screenRect)
{
    Lock lock(State::mutex());
    desktop();
    if (screenRect.isEmpty())
        return QImage();
    QImage img(screenRect.size(), QImage::Format_RGB32);
    img.fill(kDesktopColour);
    QPainter p(&img);
    const std::vector<HWND> top = topLevelList();
    for (auto it = top.rbegin(); it != top.rend(); ++it)
        paintWindow(p, *it, QRegion(screenRect), screenRect.topLeft());
    p.end();
    return img;
}

QImage picture()
{
    QRect v;
    for (const Monitor &m : monitors())
        v = v.united(m.rect);
    return grabScreen(v);
}

bool savePicture(const QString &pngPath)
{
    return picture().save(pngPath, "PNG");
}

} // namespace win32sim
