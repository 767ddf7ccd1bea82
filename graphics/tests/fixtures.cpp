#include "graphics/tests/fixtures.h"

TARVO_EMBED_BYTES(kQuadrantsPng, "quadrants.png");
TARVO_EMBED_BYTES(kPhotoJpg, "photo.jpg");
TARVO_EMBED_BYTES(kFramesGif, "frames.gif");
TARVO_EMBED_BYTES(kIconIco, "icon.ico");
TARVO_EMBED_BYTES(kPlainBmp, "plain.bmp");
