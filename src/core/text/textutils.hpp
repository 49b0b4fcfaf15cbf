#pragma once
// The small text operations by which every quantity of an output file is
// found: cut the text between two markers, read a number there, take the first
// number after an anchor, split a component list, cut out the archive entry,
// turn the CPU-time line into text.  All searches ignore letter case unless a
// comment says otherwise.

#include <string>
#include <string_view>
#include <vector>

#include "core/text/searchtext.hpp"

namespace zerlant {

inline constexpr std::string_view kCrLf = "\r\n";

// The text between the first (or, with fromEnd, the last) occurrence of
// `start` and the next `end` found from one character after it.  An empty
// `end` gives the rest of the text.  Empty result when a marker is missing.
TextRef textoentre(TextRef text, std::string_view start, std::string_view end, bool fromEnd);

// textoentre, trimmed of blanks; its leading number when the whole piece is
// numeric, otherwise 0.
double numeroentre(TextRef text, std::string_view start, std::string_view end, bool fromEnd);

// True when neither is empty and `word` occurs in `text`, case ignored.
bool contienetexto(TextRef text, std::string_view word);
bool contienetexto(std::string_view text, std::string_view word);

// The first field of the rest of the anchor's line (split at `separator`,
// empty fields skipped) whose text without its last character is numeric; its
// leading number.  0 when none qualifies or the line has no CR LF after it.
double primernumerotras(TextRef text, std::string_view anchor, std::string_view separator,
                        bool fromEnd);

// The leading numbers of the first n comma-separated parts; a missing part
// gives 0.  The result always holds n values (index 0 is the first part).
std::vector<double> leercomponentes(std::string_view text, int n);

// The entries of `list` that are not empty, in order.
std::vector<std::string> quitarvacios(const std::vector<std::string>& list);
std::vector<std::string_view> quitarvacios(const std::vector<std::string_view>& list);
// The same into `out`; when no entry is kept, `out` is left as it was.
void quitarvacios(const std::vector<std::string>& list, std::vector<std::string>& out);
void quitarvacios(const std::vector<std::string_view>& list, std::vector<std::string_view>& out);

// True when one of the blank-separated pieces of `list` equals `word` exactly
// (case counts).
bool palabraenlista(std::string_view word, std::string_view list);

// The element symbol of atomic number z (1..103), else the empty text.
std::string simboloelemento(int z);

// Splits at every occurrence of `separator`, empty pieces kept.
std::vector<std::string_view> splitText(std::string_view text, std::string_view separator);

// Blanks, tabs, CR and LF trimmed at both ends.
std::string_view trimBlanks(std::string_view text);

// The tail of a text that `leercola` would read: its last 65,000,000 bytes.
inline constexpr std::size_t kTailBytes = 65'000'000;
TextRef tailOf(TextRef text);

// Removes every CR LF followed by a blank, with the blank (three bytes), which
// joins wrapped lines.
std::string joinWrappedLines(std::string_view text);

// One cell of separated text (CSV and the like): a cell holding the
// separator, a double quote, CR or LF goes in double quotes with its quotes
// doubled, so that a reader of separated text sees one cell; every other cell
// stands as it is.
std::string separatedCell(std::string_view cell, std::string_view separator);

// The archive entry of a normalised output text: from the first "1|1|" of the
// tail (exact case) to just before the "@" that ends the entry (the first "@"
// right after a "|"); with `join`, every CR LF followed by a blank is removed
// together with the blank.  Empty when there is no entry.
std::string entradaarchivo(TextRef normalisedText, bool join);

// Where every archive entry of a file lies, in file order: the offsets of its
// "1|1|" and of the "@" that ends it.  A file of several job steps (Link1)
// holds one entry per step that finished.
struct ArchivePlace {
    std::size_t begin = 0;
    std::size_t end = 0;
};
std::vector<ArchivePlace> archivePlaces(TextRef normalisedText);

// The four numbers of a "Job cpu time" line:
//   " Job cpu time:       0 days  0 hours  1 minutes 23.4 seconds."
struct CpuTime {
    double days = 0.0;
    double hours = 0.0;
    double minutes = 0.0;
    double seconds = 0.0;
};
CpuTime readCpuTime(TextRef line);
// As "d:h:m:s" (or "h:m:s" when days is 0), numbers written with the given
// decimal separator.
std::string formatCpuTime(const CpuTime& time, char decimalSeparator);
// The rest of a "Job cpu time" line, read and written.
std::string tiempocpu(TextRef line, char decimalSeparator);

}  // namespace zerlant
