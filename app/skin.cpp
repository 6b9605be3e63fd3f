#include "app/skin.h"

namespace wy {

namespace {
struct Colours {
    const char* buttonTop;
    const char* buttonBottom;
    const char* buttonBorder;
    const char* hover;
    const char* pressed;
    const char* editFrame;
};

Colours ColoursOf(SkinScheme scheme) {
    switch (scheme) {
        case SkinScheme::Blue:
            return {"#f3f7fd", "#c9dbf3", "#7f9db9", "#e1ecfb", "#a9c4ea", "rgb(127, 157, 185)"};
        case SkinScheme::OliveGreen:
            return {"#f7f9ee", "#d6dfb5", "#8ba05c", "#e9efd0", "#bccb8a", "rgb(164, 185, 127)"};
        case SkinScheme::Silver:
            break;
    }
    return {"#fbfbfd", "#d8d8e4", "#a5a4bd", "#ececf4", "#c3c2d6", "rgb(198, 197, 215)"};
}
}  // namespace

QString SkinStyleSheet(SkinScheme scheme) {
    Colours c = ColoursOf(scheme);
    return QStringLiteral(
               "QPushButton { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2);"
               " border: 1px solid %3; border-radius: 3px; color: black; padding: 0px; }"
               "QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 white, stop:1 %4); }"
               "QPushButton:pressed { background: %5; }"
               "QLineEdit { border: 1px solid %6; background: black; color: rgb(255, 255, 0);"
               " selection-background-color: rgb(255, 255, 0); selection-color: black; }"
               "QLineEdit:disabled { color: rgb(128, 128, 0); }"
               "QGroupBox { border: 1px solid %6; border-radius: 3px; margin-top: 7px; color: rgb(255, 0, 255); }"
               "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 6px;"
               " padding: 0px 2px; color: rgb(255, 0, 255); }")
        .arg(c.buttonTop, c.buttonBottom, c.buttonBorder, c.hover, c.pressed, c.editFrame);
}

}  // namespace wy
