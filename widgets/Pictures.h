#pragma once

class QPixmap;

// The pictures the main window shows at start, decoded from arrays built
// into the program: reading them as files would look through every image
// plugin first and delay the window's first showing.
QPixmap mainWindowPicture();
QPixmap helpPicture();
QPixmap settingsPicture();
QPixmap handPicture();
