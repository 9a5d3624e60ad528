#pragma once

namespace miravane {

// Task-bar text and the caption of every message box.
inline constexpr char kApplicationTitle[] = "Miravane";

// The id the desktop entry, the icons and the metainfo are installed under.
inline constexpr char kDesktopFileName[] = "example.miravane.miravane";

// The page the banner opens. The host is under the reserved .example domain on purpose.
inline constexpr char kMakerPage[] = "http://www.miravane.example/program.asp";

}  // namespace miravane
