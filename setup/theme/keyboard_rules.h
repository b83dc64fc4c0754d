#pragma once

#include <vector>

#include "setup/theme/control_catalogue.h"

// What a keyboard or screen-reader user meets on a themed page, decided from the records alone.

// The order a page is read in, given each control's rectangle: rows from top to bottom, each
// row from left to right. A control joins the row of the one before it (in top order) when its
// top lies above the middle of that row's first control, so a link beside a taller button is
// read on the button's line. Equal places keep the given order. Returns indices into `rects`.
std::vector<int> ReadingOrder(const std::vector<ControlRect>& rects);

// How a control that shows no standard control of its own takes part in the keyboard and what
// role it reports: a label in link look, a hot spot or hover picture, or a label or picture
// given a click action, acts on a click; it takes a tab stop, answers Space as a click, and
// reports itself as a link (link look) or a push button.
enum class ClickRole { None, Link, PushButton };
ClickRole ClickRoleOf(const ControlRecord& record);

// The caption a theme gives a picture (BITMAP, HOVER, ICON): the value of its property line
// named "Caption", the last when there are several; "" when it has none (the picture is then
// decoration, with no name).
std::string PictureCaption(const ControlRecord& record);
