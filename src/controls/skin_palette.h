#pragma once
// The colours of the editor's skin, in one place so every control agrees: light greys for faces, a
// slate blue for the frame, and one blue accent for what is active, chosen or under the pointer.

#include <QColor>

namespace controls::skin {

inline constexpr QColor kWindowFace{230, 230, 230};
inline constexpr QColor kPanel{255, 255, 255};
inline constexpr QColor kReadoutFace{240, 240, 240};

inline constexpr QColor kAccent{0, 100, 200};
inline constexpr QColor kAccentBright{44, 132, 228};
inline constexpr QColor kAccentSoft{222, 235, 252};
inline constexpr QColor kAccentEdge{150, 186, 236};

inline constexpr QColor kTitleTop{76, 116, 176};
inline constexpr QColor kTitleBottom{44, 78, 132};
inline constexpr QColor kFrameLine{92, 106, 128};

inline constexpr QColor kBorder{168, 176, 190};
inline constexpr QColor kBorderLight{205, 210, 218};
inline constexpr QColor kFaceTop{255, 255, 255};
inline constexpr QColor kFaceBottom{236, 239, 244};
inline constexpr QColor kPressedFace{208, 222, 242};
inline constexpr QColor kDisabledFace{242, 243, 245};

inline constexpr QColor kText{40, 44, 52};
inline constexpr QColor kTextDisabled{160, 165, 174};
inline constexpr QColor kTrack{208, 213, 221};

} // namespace controls::skin
