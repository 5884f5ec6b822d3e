#pragma once
// The desk's icon: the seal of the sheet's header (命 in the navy circle) as
// a scalable picture and as the bitmap sizes of the hicolor icon theme.
#include <QString>

namespace picturegen {

// Writes DIR/seal.svg (the character as a path, so that no font is needed
// to show it) and DIR/seal-N.png for each size N; running it again writes
// the same bytes. Returns the number of files written.
int writeIcons(const QString& dir);

}  // namespace picturegen
