#pragma once

namespace app {

// The program's name: the window title and the title of every message box.
inline constexpr char kProductName[] = "Quorix Pictovance Dazazizu";
inline constexpr char kProductVersion[] = "0.1";

} // namespace app
