#include "app/Pictures.h"

#include <QPixmap>

namespace xpm {
#include "app/icons/Image1.xpm"
#include "app/icons/frmMsgBoxQuillon.xpm"
#include "app/icons/hand.xpm"
#include "app/icons/imgHelp.xpm"
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
