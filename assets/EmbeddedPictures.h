#pragma once

namespace miravane {

// Registers the pictures built into the program with the resource system. Called before the
// first lookup; calling it again does nothing.
void registerEmbeddedPictures();

}  // namespace miravane
