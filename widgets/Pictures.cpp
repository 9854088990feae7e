#include "widgets/Pictures.h"

#include <QPixmap>

namespace xpm {
#include "icons/frmMsgBoxQuillon.xpm"
#include "icons/hand.xpm"
#include "icons/Image1.xpm"
#include "icons/imgHelp.xpm"
} // namespace xpm

QPixmap mainWindowPicture()
{
    return QPixmap(xpm::frmMsgBoxQuillon);
}

QPixmap helpPicture()
{
    return QPixmap(xpm::imgHelp);
}

QPixmap settingsPicture()
{
    return QPixmap(xpm::Image1);
}

QPixmap handPicture()
{
    return QPixmap(xpm::hand);
}
