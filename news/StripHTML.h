// Reduction of the news server's markup to the plain text of the news box.
#pragma once

#include <string>
#include <string_view>

namespace ostrafel {

// One left-to-right pass drops everything from a "<" to the next ">" and puts CR LF
// wherever a tag starts with "<br" in any letter case; then every "&nbsp;" becomes a
// space and both ends are trimmed. It is no markup parser: other entities, comments
// and script or style content are kept as text.
//   "a<br />b"          -> "a\r\nb"
//   "<p>One</p><p>Two"  -> "OneTwo"
//   "x > y"             -> "x  y"
//   "a&nb<i>sp;b"       -> "a b"
// The result is never longer than the input and holds no "<" or ">".
std::u16string StripHTMLImproved(std::u16string_view text);

} // namespace ostrafel
