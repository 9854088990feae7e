#include "options_window/FlagsLabel.h"

#include <QLabel>
#include <QVariant>

namespace {
constexpr char kTagProperty[] = "Tag";
}

void writeFlagsLabel(QLabel &lblFlags, const StyleFlags &flags)
{
    lblFlags.setText(flags.expression);
    lblFlags.setProperty(kTagProperty, QString::number(flags.value));
}

qint32 styleValueOf(const QLabel &lblFlags)
{
    return lblFlags.property(kTagProperty).toString().toInt();
}
