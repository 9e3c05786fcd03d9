// The picture on the exchange wizard's pages: a placeable metafile among the
// program's resources, played into a rectangle of a page, keeping its shape.
#pragma once

#include <windows.h>

namespace WizardPicture {

// Plays the picture centred in `area` of `dc`, as large as fits without
// changing its proportions. Does nothing when the resource is missing.
void Draw(HDC dc, const RECT& area);

}  // namespace WizardPicture
