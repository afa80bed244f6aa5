// The character set of a response body and the Windows code page that decodes it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ostrafel {

inline constexpr unsigned kCodePageUtf8 = 65001;
inline constexpr unsigned kCodePageUtf16LE = 1200;
inline constexpr unsigned kCodePageUtf16BE = 1201;

// The "charset" parameter of a "Content-Type" value: the first ";"-piece that starts
// with "charset" (any case, after leading characters up to U+0020) must split at "="
// into exactly two parts; the second, trimmed and unquoted ('...' then "..."), is the
// name. Later pieces are not looked at. An empty name counts as none.
//   "text/html; charset=windows-1256"       -> "windows-1256"
//   "text/html;charset='utf-8'"             -> "utf-8"
//   "text/html; charset=a=b"                -> none
//   "text/html; foo=1; charset=iso-8859-6"  -> "iso-8859-6"
std::optional<std::string> ExtractCharset(std::string_view contentType);

// The code page of a character-set name or alias (any letter case), or "cp" followed
// by a decimal code-page number: "windows-1256" -> 1256, "utf8" -> 65001,
// "cp936" -> 936. Fails for an unknown name.
std::optional<unsigned> CodePageForCharset(std::string_view name);

} // namespace ostrafel
