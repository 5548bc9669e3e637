#pragma once

#include <string>
#include <string_view>

namespace app {

// A message (UTF-8) as the program shows it, in its error box and on standard error. A message
// may quote texts from a file or an argument; these must neither act on the user's terminal nor
// pass for other texts. So every byte that is not printable UTF-8 is shown as an escape in the
// style of quoted values (\n, \t, \xHH: control characters, DEL, bytes that are not UTF-8), and
// every character that is invisible or looks like a plain space (C1 controls, no-break and other
// spaces, the byte order mark, zero-width characters, direction marks and overrides) as \uXXXX.
// Backslashes and all other characters, letters with diacritics among them, stay as they are, so
// a message without such bytes is unchanged, and escaping twice changes nothing more.
std::string SafeMessageText(std::string_view message);

} // namespace app
