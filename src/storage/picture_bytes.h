// Whether a picture file holds all of its picture. The decoders fill what is missing
// from a cut-off JPEG, BMP or GIF with grey or black and call it a success, so the
// end of each of those formats is looked for here before anything is decoded.
#pragma once

#include <QByteArray>

namespace hibi {

// More than any picture of a game needs; a file beyond it is refused unread.
inline constexpr qsizetype kMaxPictureBytes = 64 * 1024 * 1024;

// False when the bytes begin like a PNG, JPEG, GIF or BMP file that ends before its
// picture does: a PNG without its end chunk, a JPEG with no end marker after its last
// scan, a GIF whose blocks run out before the trailer, an uncompressed BMP shorter
// than its rows. Any other bytes are left to the decoder and count as whole.
bool PictureBytesWhole(const QByteArray& bytes);

}  // namespace hibi
