#include "app/cli/help_texts.h"

#include "engine/settings.h"

namespace kalvero {
namespace {

// The general help says it; a command's help points there.
constexpr const char* kEscapes =
    R"(Everything from outside that kalvero prints (file names, EXIF texts, settings values) shows
the bytes below 32, the byte 127, the C1 controls (C2 80 to C2 9F) and every byte that is no part
of valid UTF-8 as \xNN, and a backslash as \\; blanks and letters stay as they are. So no name can
clear the screen, set the terminal's title or split a line.
)";

constexpr const char* kEscapesPointer = "Names and texts from outside are printed escaped: see kalvero --help.\n";

// The lines of sort's help on the two patterns, with their defaults and limit.
std::string PatternOptions() {
  return "  --pattern TEXT         file name pattern (default \"" + std::string(kDefaultFilePattern) +
         "\"); the tokens DD MM\n"
         "                         YYYY HH NN SS stand for the capture date and time, FFF for a number\n"
         "  --folder-pattern TEXT  name of the date folders, at most " +
         std::to_string(kFolderPatternMaxLength) + " characters (default \"" + std::string(kDefaultFolderPattern) +
         "\");\n"
         "                         a / nests them, each level at most as long: YYYY/MM\n";
}

}  // namespace

std::string GeneralHelp() {
  return std::string(R"(Usage:
  kalvero                                   start the window program
  kalvero sort [options] [--] [SOURCE TARGET]
  kalvero date [--] FILE...
  kalvero exif [--] FILE...
  kalvero undo [--dry-run] [--] REPORT
  kalvero COMMAND --help                    the options of a command
  kalvero --help | --version

  sort   copies every JPEG below SOURCE into TARGET under a name made from its capture date
  date   prints the date text a run would use for each FILE
  exif   prints what the metadata reader finds in each FILE
  undo   takes back the run that a journal (sort --report) records

  -h, --help     this text
  --version      the program's name and version
An argument -- ends the options: every argument after it is a folder or file, even one that
begins with a dash.

)") + kEscapes;
}

std::string SortHelp(const std::string& settingsFile) {
  return R"(Usage: kalvero sort [options] [--] [SOURCE TARGET]

Copies every JPEG file (*.jpg, *.jpeg) below SOURCE into TARGET under a name made from the
picture's EXIF capture date, as the window's "Copy files" button does. Sources are only read; an
existing file is never replaced. A missing TARGET is created. A copy appears under its name only
once it is complete, also when the run is interrupted; before the run reports its count, the copies
are written to the medium. A folder TARGET below SOURCE is not scanned.

SOURCE and TARGET are given both or neither. Without them, and for every option left out, sort
takes the choices the window stored in its settings file, )" +
         (settingsFile.empty() ? std::string("(none: neither XDG_CONFIG_HOME nor HOME is set)")
                               : settingsFile) +
         R"(, else the
defaults below. It never writes that file.

)" + PatternOptions() + R"(  --date-folders         copy into one folder per date (the default)
  --no-date-folders      copy flat into TARGET
  --subfolders           include the subfolders of SOURCE (the default)
  --no-subfolders        only the files of SOURCE itself
  --language NAME        German, English (the default), French or Spanish
  --yes                  answer Yes when asked whether to go on with names by time alone
                         (without it the question is asked on a terminal, else answered Cancel)
  --verbose              name each picture that was not copied on standard error, with its
                         reason: the name exists, no space left, name too long, permission
                         refused, the picture could not be read, no usable date, ...; and
                         each other file of SOURCE, with the reason "not a JPEG picture" (with
                         --types: "not of the types taken")
  --dry-run              write nothing at all (no folder, no file, no settings): read the dates,
                         build every name, check it against TARGET as it is and against the
                         other names of the run, and print for each picture SOURCE, a tab and
                         the path it would get, or SOURCE, a tab and the reason it would not be
                         copied. The exit status is the one the run would have. The prediction
                         is exact on file systems that tell letter case apart.
  --types LIST           the files to take, a list joined by commas: jpeg (the default), raw
                         (.cr2 .nef .nrw .arw .sr2 .dng .orf .pef .rw2 .srw .raf .cr3), heic
                         (.heic .heif .avif), video (.mov .mp4 .m4v .3gp) or all. Raw files,
                         HEIF pictures and videos are dated by their own metadata (a video by
                         its creation date as written, else its movie time in the local time
                         zone) and keep their extension, lower-cased; one whose header does not
                         fit its kind is not examined. Sidecars (.xmp, .thm) are other files.
  --on-clash CHOICE      where a copy's name is taken: fail (the default: the picture is not
                         copied, "the name exists"); skip-identical (a file with the picture's
                         bytes at the name is the picture, "already there", and no failure, so
                         importing the same card twice succeeds); number (as skip-identical, and
                         beside a different file the copy takes the first free name numbered
                         (2), (3), ... after a blank before the extension)
  --undated CHOICE       a picture without a usable date: keep (the default: not copied, listed);
                         folder NAME (copied into the folder NAME of TARGET under its own file
                         name, the clash choice applying); file-time (named by the file's
                         last-write time in the local time zone; --verbose says so)
  --report FILE          keep a journal of the run in FILE, which must not exist: a header (the
                         format version, the time, the folders, patterns and options), then a
                         line for every folder the run made and every picture, written as it
                         happens. With --dry-run it records the plan. kalvero undo FILE takes
                         the run back.
  -h, --help             this text

A pattern whose names would be longer than TARGET's file system allows is refused before the run.
Status texts (each when it changes) and messages are printed in the chosen language, a message
after its label ("error:", "warning:", ... in English); a terminal shows progress. Each
entry of SOURCE that could not be examined (a folder that cannot be read, a broken link named like
a picture, ...) is named on standard error with its reason. Every run ends with one line on
standard output: the counts of the pictures copied, not copied, without a usable date, the
entries not examined and the other files of SOURCE, of no type taken, which are not copied (they
do not change the exit status), and with --on-clash skip-identical or number the pictures
already there (which do not change it either; undo never removes them).

Exit status: 0 all copied; 1 some files were not copied or had no usable date, or entries could
not be examined; 2 a usage error, or the checks refused the run; 3 an error stopped the run (a date
folder that cannot be made, copies that could not be written to the medium, a journal that cannot
be written: the copy whose line failed is removed again). A run that stops first reports what it
met, then the error.

)" + kEscapesPointer;
}

std::string DateHelp() {
  return std::string(R"(Usage: kalvero date [--] FILE...

Prints for every FILE, in order, the date text a copy run would use (empty when there is none), a
tab and the FILE as given. Raw files (.cr2 .cr3 .nef .nrw .arw .sr2 .dng .orf .pef .rw2 .srw
.raf), HEIF pictures (.heic .heif .avif) and videos (.mov .mp4 .m4v .3gp) are read by readers of
their own: a video's QuickTime creation date as written, else its movie header's time in the local
time zone (TZ). A FILE whose header or boxes are not those of its kind is named on standard error
with the reason.
  -h, --help     this text

Exit status: 0; 1 when a FILE does not exist or is not of its kind; 2 for a usage error.

)") + kEscapesPointer;
}

std::string ExifHelp() {
  return std::string(R"(Usage: kalvero exif [--] FILE...

Prints for every FILE what the metadata reader found: whether there is an Exif segment, the
reader's status, the date, camera make and model, picture size and the tag listing.
  -h, --help     this text

Exit status: 0; 1 when a FILE does not exist; 2 for a usage error.

)") + kEscapesPointer;
}

std::string UndoHelp() {
  return std::string(R"(Usage: kalvero undo [--dry-run] [--] REPORT

Takes back the run that the journal REPORT (kalvero sort --report) records, from any folder. It
removes exactly the copies that the journal lists as copied, each only while it is still the file
the run made (the same identity and change time) with the size and modification time the journal
records and, where its source still exists, the same bytes; then the folders the run made, while
they are the folders it made and empty. It works from the recorded target folder itself, refuses a
folder that is not the run's at that path, and never follows a link placed in it after the run. It
touches nothing the journal does not name, never a source, never a file changed since. A medium
mounted again since the run gives its files other identities: then it keeps everything. A journal
of another version, or with a line it cannot read or that the run cannot have written, is refused
before anything is removed; only a last line without its line end, which a run killed while
writing it leaves, is passed over with a warning. It prints each path it removed or kept, and why.
  --dry-run      remove nothing; print what would be removed and kept
  -h, --help     this text

Exit status: 0 everything recorded was taken back; 1 something was kept; 2 a usage error or a
journal it refuses; 3 the target folder cannot be opened or is not the run's, or no copy is the
run's file; nothing was removed.

)") + kEscapesPointer;
}

std::string VersionText() { return "kalvero " KALVERO_VERSION "\n"; }

}  // namespace kalvero
