#pragma once

namespace miravane {

// Task-bar text and the caption of every message box.
inline constexpr char kApplicationTitle[] = "Miravane";

// The page the banner opens. The host is under the reserved .example domain on purpose.
inline constexpr char kMakerPage[] = "http://www.miravane.example/program.asp";

}  // namespace miravane
