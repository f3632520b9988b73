// Word wrap of report texts: the lines a text takes in a column of a given width,
// measured by the caller on the device the text is drawn on.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Width of a piece of text in device units.
using TextWidth = std::function<int(std::wstring_view)>;

// Breaks `text` into lines no wider than `maxWidth`: after blanks where it can; a word
// wider than the whole column is broken between its characters (at least one
// character a line), so nothing reaches into the next column. A line break in the
// text ("\n", "\r\n") starts a new line; blanks at a break are dropped. An empty text
// gives one empty line.
std::vector<std::wstring> WrapText(std::wstring_view text, int maxWidth, const TextWidth& width);
