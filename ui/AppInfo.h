#pragma once

namespace miravane {

// Task-bar text and the caption of every message box.
inline constexpr char kApplicationTitle[] = "Miravane";

// The maker's notice, as it stands in the main window's caption and footer.
inline constexpr char kMakerNotice[] = "\xC2\xA9 miravane.example";

// The page the banner opens. The host is under the reserved .example domain on purpose.
inline constexpr char kMakerPage[] = "http://www.miravane.example/program.asp";

}  // namespace miravane
