#pragma once

// A copy run's account of each picture: what became of it and why, for a journal of the run and
// for the reasons a script reads. The window shows only the run's lists; the command line keeps
// the account.

#include <span>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/file_system.h"

namespace kalvero {

// Other: a file of the source that is no JPEG picture, never copied. AlreadyThere: a file with the
// picture's bytes is at the name the run would give it, so the run leaves it be.
enum class TPictureOutcome { Copied, NotCopied, Undated, Other, AlreadyThere };

// Why a picture was not copied, or has no usable date.
enum class TPictureReason {
  None,
  NameExists,         // something of the copy's name is there already
  NoSpace,            // the medium is full, or the user's quota
  NameTooLong,        // the file system takes no name of that length
  PermissionRefused,  // the source may not be read or the target not written
  Unreadable,         // the picture could not be opened or read
  NoUsableDate,       // no EXIF date, or one the date check refuses
  NoSingleName,       // the name made from its date would leave its folder
  NoFolder,           // its date folder is not there or is no folder
  Other,              // anything else; the platform's message tells what
  NotAJpeg,           // a file of the source that is no JPEG picture
  RefusedName,        // the system refuses the name made from its date (IsRefusedName)
  DatedByFileTime,    // copied, named by the file's last-write time for want of a usable date
  NotOfTheTypes,      // a file of the source of no type the run takes, where it takes more than JPEGs
};

// A reason in the words of each reader: the journal's word (journals already written hold it, so
// it never changes) and the phrase of the command line, empty where the platform's message says it.
struct TPictureReasonWords {
  TPictureReason reason;
  std::string_view journalWord;
  std::string_view phrase;
};

// Every reason, once each.
std::span<const TPictureReasonWords> PictureReasonTable();
const TPictureReasonWords& WordsOf(TPictureReason reason);

struct TPictureAccount {
  std::string source;
  std::string target;  // below the target folder ("2004.08.07/07.08.2004 - 10.00.00.jpg"); empty when unnamed
  TPictureOutcome outcome = TPictureOutcome::Copied;
  TPictureReason reason = TPictureReason::None;
  std::error_code error;  // the platform's answer, where there was one
  TFileFacts copy;        // the copy's size and last-write time as its file system keeps them
  std::string date;       // the date text its names were made from; empty where the run read none
};

// The reason a copy that failed with `error` was not made.
TPictureReason CopyFailureReason(const std::error_code& error);

}  // namespace kalvero
