#include "canvas/tools/TextTool.h"

#include "canvas/CanvasCursors.h"
#include "canvas/CoordinateMapping.h"
#include "canvas/DisplayColors.h"
#include "canvas/ShapePaths.h"
#include "canvas/TextRender.h"
#include "imaging/raster/ApplyCoverage.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputMethod>
#include <QPainter>

#include <algorithm>

namespace kalvo {

namespace {

bool fullColour(const TToolHost& host)
{
    return host.Bitmap().bitCount() > 8;
}

QFont fontFor(const TToolHost& host)
{
    return TextFontOf(host.ToolSettings(), host.ToolSettings().TextAntiAlias && fullColour(host));
}

} // namespace

QString TTextTool::ShownText() const
{
    if (FPreedit.isEmpty())
        return FText;
    QString shown = FText;
    shown.insert(FCaret, FPreedit);
    return shown;
}

QRect TTextTool::ClientBox() const
{
    const QFont font = fontFor(Host());
    const QRect box = TextBox(font, ShownText(), FPos).adjusted(-font.pixelSize(), -2, font.pixelSize(), 2);
    return ImageToClientTransform(Host().View()).mapRect(QRectF(box)).toAlignedRect().adjusted(-2, -2, 2, 2);
}

void TTextTool::Changed(const QRect& before)
{
    Host().UpdateClient(before | ClientBox());
    QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

void TTextTool::Leave()
{
    // Changing the mode keeps what was typed.
    if (FEditing)
        Commit();
}

void TTextTool::Press(const TToolMouse& mouse)
{
    TToolHost& host = Host();
    if (mouse.Button != Qt::LeftButton || !host.HasImage())
        return;
    const QPoint p = ClampToImagePixel(host.View(), host.ScreenToImage(mouse.Pos));
    if (FEditing) {
        const QRect box = TextBox(fontFor(host), ShownText(), FPos);
        if (box.adjusted(-4, -4, 4, 4).contains(p)) {
            FMoving = true;
            FGrab = p - FPos;
            host.CaptureMouse(true);
            host.SetDragging(true);
            return;
        }
        // A click outside the text draws it.
        Commit();
        return;
    }
    FEditing = true;
    FPos = p;
    FText.clear();
    FPreedit.clear();
    FCaret = 0;
    Changed(QRect());
}

void TTextTool::Move(const TToolMouse& mouse)
{
    if (!FMoving)
        return;
    const QPoint p = Host().ScreenToImage(mouse.Pos) - FGrab;
    if (p == FPos)
        return;
    const QRect before = ClientBox();
    FPos = p;
    Changed(before);
}

void TTextTool::Release(const TToolMouse& mouse)
{
    if (mouse.Button != Qt::LeftButton || !FMoving)
        return;
    FMoving = false;
    Host().SetDragging(false);
    Host().CaptureMouse(false);
}

void TTextTool::Insert(const QString& text)
{
    QString clean = text;
    clean.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    clean.replace(QLatin1Char('\t'), QLatin1Char(' '));
    clean.removeIf([](QChar c) { return c != QLatin1Char('\n') && c.category() == QChar::Other_Control; });
    if (clean.isEmpty())
        return;
    const QRect before = ClientBox();
    FText.insert(FCaret, clean);
    FCaret += int(clean.size());
    Changed(before);
}

void TTextTool::MoveCaretLine(int delta)
{
    const int lineStart = FCaret == 0 ? 0 : int(FText.lastIndexOf(QLatin1Char('\n'), FCaret - 1)) + 1;
    const int column = FCaret - lineStart;
    int target = lineStart;
    if (delta < 0) {
        if (lineStart == 0)
            return;
        target = lineStart - 1 == 0 ? 0 : int(FText.lastIndexOf(QLatin1Char('\n'), lineStart - 2)) + 1;
    } else {
        const int end = int(FText.indexOf(QLatin1Char('\n'), FCaret));
        if (end < 0)
            return;
        target = end + 1;
    }
    int targetEnd = int(FText.indexOf(QLatin1Char('\n'), target));
    if (targetEnd < 0)
        targetEnd = int(FText.size());
    FCaret = std::min(target + column, targetEnd);
}

bool TTextTool::KeyDown(const TToolKey& key)
{
    if (!FEditing)
        return false;
    const QRect before = ClientBox();
    const bool ctrl = key.Modifiers & Qt::ControlModifier;
    switch (key.Key) {
    case Qt::Key_Escape: Abandon(); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (ctrl)
            Commit();
        else
            Insert(QStringLiteral("\n"));
        return true;
    case Qt::Key_Backspace:
        if (FCaret > 0)
            FText.remove(--FCaret, 1);
        break;
    case Qt::Key_Delete:
        if (FCaret < FText.size())
            FText.remove(FCaret, 1);
        break;
    case Qt::Key_Left: FCaret = std::max(FCaret - 1, 0); break;
    case Qt::Key_Right: FCaret = std::min(FCaret + 1, int(FText.size())); break;
    case Qt::Key_Up: MoveCaretLine(-1); break;
    case Qt::Key_Down: MoveCaretLine(1); break;
    case Qt::Key_Home: FCaret = FCaret == 0 ? 0 : int(FText.lastIndexOf(QLatin1Char('\n'), FCaret - 1)) + 1; break;
    case Qt::Key_End: {
        const int end = int(FText.indexOf(QLatin1Char('\n'), FCaret));
        FCaret = end < 0 ? int(FText.size()) : end;
        break;
    }
    case Qt::Key_V:
        if (ctrl) {
            Insert(QGuiApplication::clipboard()->text());
            return true;
        }
        [[fallthrough]];
    default:
        if (ctrl || (key.Modifiers & Qt::AltModifier) || key.Text.isEmpty())
            return false;
        Insert(key.Text);
        return true;
    }
    Changed(before);
    return true;
}

void TTextTool::InputMethod(const QString& commit, const QString& preedit)
{
    if (!FEditing)
        return;
    const QRect before = ClientBox();
    FPreedit = preedit;
    if (!commit.isEmpty())
        Insert(commit);
    Changed(before);
}

QRect TTextTool::InputCaretArea() const
{
    if (!FEditing)
        return {};
    const QRect caret = TextCaret(fontFor(Host()), FText, FCaret, FPos);
    return ImageToClientTransform(Host().View()).mapRect(QRectF(caret)).toAlignedRect();
}

void TTextTool::EndEdit(bool commit)
{
    if (commit)
        Commit();
    else
        Abandon();
}

void TTextTool::Cancel()
{
    // A lost capture ends a move of the text; the text itself stays in edit.
    if (!FMoving)
        return;
    FMoving = false;
    Host().SetDragging(false);
    Host().CaptureMouse(false);
}

void TTextTool::Abandon()
{
    if (!FEditing)
        return;
    const QRect before = ClientBox();
    Cancel();
    FEditing = false;
    FText.clear();
    FPreedit.clear();
    FCaret = 0;
    FPreview = QImage();
    FPreviewKey.clear();
    Host().UpdateClient(before);
}

void TTextTool::Commit()
{
    if (!FEditing)
        return;
    TToolHost& host = Host();
    const QString text = FText;
    const QPoint pos = FPos;
    Abandon();
    if (text.trimmed().isEmpty() || !host.HasImage())
        return;
    const TToolSettings& settings = host.ToolSettings();
    const bool antiAlias = settings.TextAntiAlias && fullColour(host);
    const TCoverage coverage = RenderTextCoverage(TextFontOf(settings, antiAlias), text, pos, antiAlias);
    const std::optional<TBitmap>& mask = host.SelectionMask();
    if (!host.RaisePaintNotice(TToolHost::TPaintNotice::Text, coverage.Area()))
        return;
    const QRect changed = ApplyCoverage(host.PaintBitmap(), coverage, host.PaintColor(true),
                                        fullColour(host) ? settings.TextAlphaChannel : 0, mask ? &*mask : nullptr,
                                        host.Region());
    host.BitmapPixelsChanged(changed);
}

std::optional<QCursor> TTextTool::Cursor() const
{
    return CanvasCursor(crText, Host().PixelRatio());
}

void TTextTool::PaintOverlay(QPainter& painter)
{
    if (!FEditing)
        return;
    const TToolHost& host = Host();
    const TToolSettings& settings = host.ToolSettings();
    const bool antiAlias = settings.TextAntiAlias && fullColour(host);
    const QFont font = TextFontOf(settings, antiAlias);
    const QString shown = ShownText();
    const TColor colour = DisplayColorFor(host.Bitmap(), host.PaintColor(true));
    const int alpha = fullColour(host) ? std::clamp(settings.TextAlphaChannel, 0, 100) : 0;
    // The preview is the coverage the commit draws, made again only when something changed.
    const QString key = shown + QChar(0) + font.toString() + QString::number(colour) + QLatin1Char(',')
        + QString::number(alpha);
    if (key != FPreviewKey) {
        FPreviewKey = key;
        const TCoverage coverage = RenderTextCoverage(font, shown, QPoint(), antiAlias);
        FPreviewOrigin = coverage.Origin;
        FPreview = QImage(coverage.Table.width(), coverage.Table.height(), QImage::Format_ARGB32_Premultiplied);
        const int opacity = 100 - alpha;
        for (int y = 0; y < FPreview.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(FPreview.scanLine(y));
            for (int x = 0; x < FPreview.width(); ++x) {
                const int a = coverage.Table[y][x] * opacity / 100;
                row[x] = qPremultiply(qRgba(GetRValue(colour), GetGValue(colour), GetBValue(colour), a));
            }
        }
    }
    const QTransform toClient = ImageToClientTransform(host.View());
    painter.save();
    painter.setTransform(toClient, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (!FPreview.isNull())
        painter.drawImage(FPos + FPreviewOrigin, FPreview);
    painter.restore();
    // The frame around the text and the caret, one screen pixel wide, inverted over the picture.
    const QRect box = toClient.mapRect(QRectF(TextBox(font, shown, FPos))).toAlignedRect().adjusted(-2, -2, 1, 1);
    const QRect caret = toClient.mapRect(QRectF(TextCaret(font, shown, FCaret + int(FPreedit.size()), FPos)))
                            .toAlignedRect();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QPen dotted(Qt::white, 1, Qt::DotLine);
    painter.setPen(dotted);
    painter.drawRect(box);
    painter.fillRect(QRect(caret.left(), caret.top(), std::max(1, caret.width() / 2), caret.height()), Qt::white);
    painter.restore();
}

} // namespace kalvo
