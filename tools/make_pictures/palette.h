#pragma once

#include <QImage>
#include <QString>

namespace art {

// Reduces a picture to at most 256 colours chosen for this picture (median cut), so flat
// storybook art ships small without the blotches of a fixed web palette.
QImage ReduceColours(const QImage& picture);

// Writes the picture as a palette PNG at the best compression; false when the file could
// not be written.
bool SavePicture(const QImage& picture, const QString& path);

}  // namespace art
