// The plain text of the little HTML some calendars put into an event's description
// (Google Calendar writes "<br>", "<b>", "<a href=…>", "<ul><li>"): the tags that
// end a line become line breaks, list items get a bullet, the others are dropped,
// and character references are read.
#pragma once

#include <string>
#include <string_view>

// True when the text holds one of the tags that such descriptions use, so that
// ordinary text with "<" and ">" in it is left as it is.
bool LooksLikeHtml(std::wstring_view text);

std::wstring HtmlToPlainText(std::wstring_view html);
