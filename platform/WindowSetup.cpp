#include "platform/WindowSetup.h"

#include <QPalette>
#include <QScreen>
#include <QWidget>

#include <algorithm>

QFont fontWithTwin(
    const QString &family, const QString &metricTwin, qreal pointSize, QFont::StyleHint fallback)
{
    QFont font;
    font.setFamilies({ family, metricTwin });
    font.setStyleHint(fallback);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    return font;
}

QFont dialogFont(qreal pointSize)
{
    return fontWithTwin(QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
        pointSize, QFont::SansSerif);
}

void setForeColour(QWidget &widget, const QColor &colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

void useTextBoxColours(QWidget &label)
{
    label.setBackgroundRole(QPalette::Base);
    label.setForegroundRole(QPalette::Text);
    label.setAutoFillBackground(true);
}

void useFixedWindowFrame(QWidget &window, Qt::WindowType kind, bool withMinimizeButton)
{
    Qt::WindowFlags flags = kind | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (withMinimizeButton)
        flags |= Qt::WindowMinimizeButtonHint;
    window.setWindowFlags(flags);
}

void centreOnScreen(QWidget &window, const QScreen &screen)
{
    const QRect available = screen.availableGeometry();
    QRect frame = window.frameGeometry();
    frame.moveCenter(available.center());
    frame.moveLeft(std::max(frame.left(), available.left()));
    frame.moveTop(std::max(frame.top(), available.top()));
    window.move(frame.topLeft());
}
