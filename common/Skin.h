#pragma once

class QWidget;

// The look of the programs' main windows: one style sheet over the window
// and its standard controls. A widget whose "tag" property is 99 keeps the
// platform look.
namespace Skin {

constexpr int UnskinnedTag = 99;

// Marks root and every descendant (but tag-99 widgets) and applies the sheet.
void apply(QWidget *root);
// For widgets created after apply(): marks them and their children.
void adopt(QWidget *widget);

} // namespace Skin
