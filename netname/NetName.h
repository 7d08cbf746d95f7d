#pragma once
// The net-name personality reading: a nickname reduced to letters, the last
// letter choosing one of 26 traits. Names are GBK bytes; trait texts UTF-8.
// Also the rule of the box the name is typed into, on code points.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tongshu::netname {

// The most letters a nickname is reduced to.
inline constexpr int kNetNameMaxLetters = 255;

// Input box limit in GBK bytes (nine Chinese characters); a character GBK
// cannot encode counts as two.
inline constexpr int kNetNameMaxBytes = 18;

// The box's text and cursor (in code points) after an edit.
struct NetNameEdit {
  std::u32string text;
  std::size_t cursor = 0;
};

// The box's rule for an edit that turned `shown` into `edited` with the cursor
// at `cursor`: ASCII letters upper-cased, and the text kept within
// kNetNameMaxBytes. Of what the edit put in before the cursor, as many whole
// characters as still fit are kept, and the cursor follows them. Nothing when
// the text would pass the limit and the edit is not an insertion at the
// cursor (or the cursor lies beyond the text).
std::optional<NetNameEdit> LimitNetNameEdit(std::u32string_view shown, std::u32string_view edited,
                                            std::size_t cursor);

// The nickname in a box's GBK text: trimmed of blanks and control characters,
// then ending at its first NUL, where zero-terminated text ends.
std::string_view NetNameText(std::string_view gbkBoxText);

// The letters a GBK nickname reduces to: one initial per Chinese character
// ("?" for one without), ASCII letters upper-cased, blanks and punctuation
// dropped, at most kNetNameMaxLetters, then every digit as its letter. The
// name ends at its first NUL.
// Throws std::bad_alloc if the converter cannot allocate its result.
std::string NetNameLetters(std::string_view gbkName);

// The trait for a GBK nickname, chosen by the last of its letters; empty when
// that letter selects none. Throws as NetNameLetters.
std::string NetNamePersonality(std::string_view gbkName);

// Every digit replaced by its letter: 1..9 -> A..I, 0 -> J.
std::string DigitsToLetters(std::string_view text);

// Per byte c: CharOfCode(c + 64) for c in 1..9, else CharOfCode(c).
std::string KeepPlainChars(std::string_view text);

// The one-character text of code c for c in 1..159, else empty.
std::string CharOfCode(int c);

// The trait text (UTF-8) of a lower-case letter key; empty for any other key.
std::string TraitOfLetter(std::string_view key);

}  // namespace tongshu::netname
