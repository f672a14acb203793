#include "tests/e2e/ControlPictures.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/ControlLook.h"
#include "platform/graphics/Font.h"

namespace e2e {

Picture focusedDefaultButton(const std::string& text, int x, int y, int width, int height) {
    graphics::Bitmap bitmap(x + width, y + height);
    {
        graphics::Canvas canvas(bitmap, {x, y}, {0, 0, width, height});
        graphics::look::ControlState state;
        state.focused = true;
        state.isDefault = true;
        graphics::look::paintPushButton(canvas, graphics::messageFont(), {0, 0, width, height}, text, state);
    }
    Picture picture;
    picture.width = width;
    picture.height = height;
    for (int row = y; row < y + height; ++row) {
        for (int column = x; column < x + width; ++column) picture.pixels.push_back(bitmap.pixel(column, row));
    }
    return picture;
}

}  // namespace e2e
