// Reading the fixture-unit entry: one number, or a sum of numbers joined by "+".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ostrafel {

// Reads the entry box text. Each number is read first with "." as the decimal
// separator, then with ","; each term of a sum may use its own separator.
// On success sfu receives the load and, for a sum, entryWriteBack the text that
// replaces the entry (the sum written under FormatSettings). On failure neither
// output is touched.
//   "12"     -> 12, no write-back       "12,5"  -> 12.5, no write-back
//   "10+12"  -> 22, write-back "22"     "1+"    -> refused
//   "1e+3"   -> refused ("1e" is no number)
bool TryGetSFU(std::u16string_view entryText, double& sfu,
               std::optional<std::u16string>& entryWriteBack);

} // namespace ostrafel
