#include "app/commands/ActionHint.h"

#include <QAction>
#include <QRegularExpression>

namespace kalvo {

QString PlainCaption(const QString& caption)
{
    QString text = caption;
    if (text.endsWith(QLatin1String("...")))
        text.chop(3);
    else if (text.endsWith(QChar(0x2026)))
        text.chop(1);
    // A Japanese-style accelerator in brackets, half- or full-width: "(&X)", "（&X)".
    static const QRegularExpression bracketed(QStringLiteral("[(（]&[^&][)）]"));
    text.remove(bracketed);
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&'))
                plain += QLatin1Char('&');
            ++i;
            if (i < text.size() && text[i] != QLatin1Char('&'))
                plain += text[i];
            continue;
        }
        plain += text[i];
    }
    return plain.trimmed();
}

THintParts SplitHint(const QString& caption, const QString& hint)
{
    if (hint.isEmpty())
        return {PlainCaption(caption), QString()};
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return {hint, hint};
    return {hint.left(bar), hint.mid(bar + 1)};
}

void ApplyHint(QAction* action, const QString& hint)
{
    const THintParts parts = SplitHint(action->text(), hint);
    action->setToolTip(parts.toolTip);
    action->setStatusTip(parts.statusTip);
}

} // namespace kalvo
