// The flat look of push buttons, edit boxes and group boxes, in three colour
// schemes. The list box and the browser keep the platform's own look.
#pragma once

#include <QString>

namespace wy {

enum class SkinScheme { Blue = 1, OliveGreen = 2, Silver = 3 };

QString SkinStyleSheet(SkinScheme scheme);

}  // namespace wy
