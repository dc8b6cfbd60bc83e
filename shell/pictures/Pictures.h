#pragma once

#include <QImage>

// The program's own pictures: the start picture of each language and the
// background tile of the main window. The build writes them beside the
// program; the splash falls back to drawing its picture when the file is gone.
namespace Pictures {

// 1 English, 2 Chinese.
QImage StartPicture(int language);
QImage BackgroundTile(int language);
// The program's icon: a small radio.
QImage AppIcon(int size);

} // namespace Pictures
