#pragma once

#include <QByteArray>
#include <QString>

namespace miravane {

// Registers the pictures built into the program with the resource system. Called before the
// first lookup; calling it again does nothing.
void registerEmbeddedPictures();

// The bytes of the embedded file at a resource path such as ":/cards/back.jpg", wrapped in
// place rather than copied (they live as long as the program). Throws if there is no such
// file, or if it was stored compressed and so cannot be wrapped.
QByteArray embeddedBytes(const QString& path);

// Whether there is an embedded file at the path that embeddedBytes() can wrap.
bool isEmbedded(const QString& path);

// Where a picture drawn at twice the size is kept: ":/banner.jpg" -> ":/banner@2x.jpg".
QString twiceTheSizePath(const QString& path);

}  // namespace miravane
