#pragma once

// What the engine reads and writes of the main window. The window implements it over its
// controls, the command line over the console, tests over plain fields; so the engine never
// depends on a user-interface toolkit.

#include <string>
#include <vector>

#include "engine/run_account.h"
#include "engine/scan_record.h"
#include "platform/dialogs.h"

namespace kalvero {

// The status icons: idle, scanning, creating folders, copying.
enum class TStatusIcon { Idle = 0, Scanning = 1, CreatingFolders = 2, Copying = 3 };
// Whether a new status icon is drawn at once or with the window's next repaint.
enum class TRepaint { Now, Later };

class TEngineHost {
 public:
  virtual ~TEngineHost() = default;

  // `dir` and `dir2`: the source and target folder texts. Setting a text reports no change;
  // the engine runs what a change starts itself.
  virtual std::string DirText() const = 0;
  virtual void SetDirText(const std::string& text) = 0;
  virtual std::string Dir2Text() const = 0;
  virtual void SetDir2Text(const std::string& text) = 0;
  // The folder that the text of `dir` or `dir2` names, where the engine works in it (a scan, a
  // run's target); the texts themselves stay as typed. The window takes "~" for the home folder
  // (WithHomeFolder); the command line's folders come from the shell, which has done so.
  virtual std::string FolderPath(const std::string& text) const { return text; }
  // `Edit1` and `Edit2`: the file name and folder name patterns.
  virtual std::string Edit1Text() const = 0;
  virtual void SetEdit1Text(const std::string& text) = 0;
  virtual std::string Edit2Text() const = 0;
  virtual void SetEdit2Text(const std::string& text) = 0;
  // `cb1`: include subfolders; `cb2`: create folders from date.
  virtual bool Cb1Checked() const = 0;
  virtual void SetCb1Checked(bool checked) = 0;
  virtual bool Cb2Checked() const = 0;
  virtual void SetCb2Checked(bool checked) = 0;

  // `Label5`: the count of files found by the last scan; empty before the first scan.
  virtual std::string Label5Caption() const = 0;
  virtual void SetLabel5Caption(const std::string& caption) = 0;
  // `Label6`: the count of files copied, drawn at once or with the next repaint.
  virtual void SetLabel6Caption(const std::string& caption, TRepaint repaint) = 0;
  // `Label9`: the name preview.
  virtual void SetLabel9Caption(const std::string& caption) = 0;

  // The progress bar `bar`.
  virtual void SetBarMax(int maximum) = 0;
  virtual void SetBarPosition(int position) = 0;
  // Moves the bar one step on and draws it.
  virtual void AdvanceBar() = 0;

  // The hourglass over the whole screen while a run works, or the default cursor.
  virtual void SetBusyCursor(bool busy) = 0;

  // The status area: the icon and the text of the status bar.
  virtual void SetStatusIcon(TStatusIcon icon, TRepaint repaint) = 0;
  virtual void SetStatusText(const std::string& text) = 0;

  // Lets the window handle the messages that are waiting; it may call back into the engine.
  // Without user input only what keeps the window painted and answering the desktop is handled:
  // no keystroke or click reaches the engine then.
  virtual void ProcessMessages(bool userInput) = 0;
  // Whether the window was asked to close: a scan of the source field may stop.
  virtual bool Closing() const = 0;

  // Gives the input focus back to `Edit2`.
  virtual void FocusEdit2() = 0;

  // Shows a modal message box with the icon and caption of its kind; answers the button pressed.
  virtual TMessageAnswer ShowMessageBox(TMessageKind kind, const std::string& text,
                                        TMessageButtons buttons) = 0;

  // Lists the entries that the last scan could not examine (a warning box, lines on the console);
  // called only with records.
  virtual void ShowScanRecords(const TScanRecords& records) = 0;
  // Lists the files of a run's source of no type the run takes, and so not copied, by their
  // paths in walk order (an information box, lines on the console and in the journal); called
  // after the run's report, only with files.
  virtual void ShowOtherFiles(const std::vector<std::string>& paths) = 0;

  // A run's account of each picture, after the picture was dealt with, and of each folder the run
  // made, with its identity: a date folder by its name below the target folder, a folder of the
  // target's own chain by its path as typed. The window keeps none; the command line writes a
  // journal. Each answers whether the account was kept: the run takes back the copy or folder of
  // one that was not, and stops (ERecordingFailed).
  virtual bool PictureDone(const TPictureAccount& /*account*/) { return true; }
  virtual bool FolderMade(const std::string& /*folder*/, bool /*belowTarget*/, const TFileIdentity& /*identity*/) {
    return true;
  }
  // A path from outside as a message text shows it; the console writes what could play tricks on
  // a terminal as escapes.
  virtual std::string ShownPath(const std::string& path) const { return path; }

  // The message text of `key` in the language in force (GetText of the main window's `lng`).
  virtual std::string GetText(const std::string& key) const = 0;
  // The program's own text of `key` in the language in force.
  virtual std::string ProgramText(const std::string& key) const = 0;
  // The language of `lng`; writing it translates every window.
  virtual std::string Language() const = 0;
  virtual void SetLanguage(const std::string& language) = 0;
};

}  // namespace kalvero
