#include "widgets/Pictures.h"

#include <QPixmap>

namespace xpm {
#include "widgets/icons/frmMsgBoxQuillon.xpm"
#include "widgets/icons/hand.xpm"
#include "widgets/icons/Image1.xpm"
#include "widgets/icons/imgHelp.xpm"
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
