// Copies into a target folder on Windows: never replacing a file, never following a link or
// junction below the folder, and never showing a copy under its name before it is complete and on
// the medium. Below the folder everything is opened relative to its handle with the native API
// (NtCreateFile with RootDirectory and FILE_OPEN_REPARSE_POINT), as the Win32 API has no such call.

#include <windows.h>
#include <winternl.h>
#include <bcrypt.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <span>
#include <vector>

#include "platform/file_names.h"
#include "platform/win32/api_path.h"
#include "platform/win32/interrupt_lock.h"
#include "platform/win32/target_folder.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_handle.h"

namespace kalvero {
namespace {

constexpr NTSTATUS kNameNotFound = static_cast<NTSTATUS>(0xC0000034);
constexpr NTSTATUS kNameCollision = static_cast<NTSTATUS>(0xC0000035);
constexpr NTSTATUS kPathNotFound = static_cast<NTSTATUS>(0xC000003A);
constexpr NTSTATUS kNotADirectory = static_cast<NTSTATUS>(0xC0000103);

constexpr ULONG kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::error_code Error(std::errc code) { return std::make_error_code(code); }

std::error_code StatusError(NTSTATUS status) { return Win32Error(RtlNtStatusToDosError(status)); }

bool Missing(NTSTATUS status) { return status == kNameNotFound || status == kPathNotFound; }

// A name directly inside a folder: one that the native API would read as a path, as a stream of
// a file (after a colon), or as this folder or its parent, is none.
bool PlainName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("\\/:") == std::string::npos;
}

// Windows' times count 100 ns from 1601; ours count nanoseconds from 1970, saturating beyond the
// range that they can hold.
constexpr std::int64_t kTicksTo1970 = 116444736000000000;

std::int64_t Nanoseconds(LARGE_INTEGER time) {
  constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max() / 100;
  const std::int64_t ticks = time.QuadPart - kTicksTo1970;
  return std::clamp(ticks, -kLimit, kLimit) * 100;
}

// Opens `name` directly in the folder `root` without following a reparse point, for synchronous
// access; letter case is ignored as Windows' own calls ignore it.
NTSTATUS OpenRelative(HANDLE root, const std::wstring& name, ACCESS_MASK access, ULONG attributes, ULONG share,
                      ULONG disposition, ULONG options, TWinHandle& handle) {
  if (name.size() > std::numeric_limits<USHORT>::max() / sizeof(wchar_t))
    return static_cast<NTSTATUS>(0xC0000033);  // STATUS_OBJECT_NAME_INVALID
  UNICODE_STRING text;
  text.Buffer = const_cast<PWSTR>(name.c_str());
  text.Length = static_cast<USHORT>(name.size() * sizeof(wchar_t));
  text.MaximumLength = text.Length;
  OBJECT_ATTRIBUTES object;
  InitializeObjectAttributes(&object, &text, OBJ_CASE_INSENSITIVE, root, nullptr);
  IO_STATUS_BLOCK io{};
  HANDLE opened = nullptr;
  const NTSTATUS status =
      NtCreateFile(&opened, access | SYNCHRONIZE, &object, &io, nullptr, attributes, share, disposition,
                   options | FILE_OPEN_REPARSE_POINT | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
  if (status >= 0) handle.Reset(opened);
  return status;
}

// Whether the open entry is a link: a reparse point that stands for another name (a symbolic
// link, junction or mount point). Other reparse points (cloud or deduplicated files) are files.
// An entry whose kind cannot be told counts as a link, which is never followed.
bool IsLink(HANDLE entry) {
  FILE_ATTRIBUTE_TAG_INFO tag{};
  if (!GetFileInformationByHandleEx(entry, FileAttributeTagInfo, &tag, sizeof tag)) return true;
  return (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 && IsReparseTagNameSurrogate(tag.ReparseTag);
}

bool IsFolder(HANDLE entry) {
  FILE_BASIC_INFO basic{};
  return GetFileInformationByHandleEx(entry, FileBasicInfo, &basic, sizeof basic) &&
         (basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<TFileIdentity> IdentityOf(HANDLE entry) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(entry, &info)) return std::nullopt;
  return TFileIdentity{info.dwVolumeSerialNumber,
                       (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

// The facts of an open file: identity from the volume's serial number and the file's index, the
// change time that the file system sets on every change.
std::optional<TFileFacts> FactsOf(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info;
  FILE_BASIC_INFO basic{};
  if (!GetFileInformationByHandle(file, &info) ||
      !GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic))
    return std::nullopt;
  TFileFacts facts;
  facts.lastWriteNanoseconds = Nanoseconds(basic.LastWriteTime);
  facts.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  facts.identity = {info.dwVolumeSerialNumber,
                    (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
  facts.changeNanoseconds = Nanoseconds(basic.ChangeTime);
  return facts;
}

// Marks an open file or folder for deletion; it goes when its last handle is closed.
bool MarkForDeletion(HANDLE entry) {
  FILE_DISPOSITION_INFO disposition{};
  disposition.DeleteFile = TRUE;
  return SetFileInformationByHandle(entry, FileDispositionInfo, &disposition, sizeof disposition);
}

// Opens the source of a copy for reading, others denied write access; anything but a regular
// file on a disk is refused before a byte is read.
TWinHandle OpenSource(const std::string& path, std::error_code& error) {
  TWinHandle file(CreateFileW(ApiPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.Valid()) {
    const DWORD code = GetLastError();
    // Windows refuses to open a folder as a file with ERROR_ACCESS_DENIED.
    const DWORD attributes = code == ERROR_ACCESS_DENIED ? GetFileAttributesW(ApiPath(path).c_str()) : 0;
    error = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                ? Error(std::errc::is_a_directory)
                : Win32Error(code);
  } else if (GetFileType(file.Get()) != FILE_TYPE_DISK || IsFolder(file.Get())) {
    error = Error(IsFolder(file.Get()) ? std::errc::is_a_directory : std::errc::invalid_argument);
    file.Reset();
  }
  return file;
}

// Reads up to `into.size()` bytes, fewer only at the end of the file; answers how many, or -1.
std::int64_t ReadFull(HANDLE file, std::span<char> into) {
  std::size_t got = 0;
  while (got < into.size()) {
    DWORD part = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(into.size() - got, 1u << 30));
    if (!ReadFile(file, into.data() + got, wanted, &part, nullptr)) return -1;
    if (part == 0) break;
    got += part;
  }
  return static_cast<std::int64_t>(got);
}

// Whether the open file `copy` holds the same bytes as the file `source`.
std::error_code SameBytes(HANDLE copy, const std::string& source, bool& same) {
  std::error_code error;
  const TWinHandle from = OpenSource(source, error);
  if (error) return error;
  std::vector<char> ours(1 << 16), theirs(1 << 16);
  for (;;) {
    const std::int64_t got = ReadFull(copy, ours);
    if (got < 0) return LastWin32Error();
    const std::int64_t other = ReadFull(from.Get(), theirs);
    if (other < 0) return LastWin32Error();
    if (got != other || !std::equal(ours.begin(), ours.begin() + got, theirs.begin())) {
      same = false;
      return {};
    }
    if (got < static_cast<std::int64_t>(ours.size())) {
      same = true;
      return {};
    }
  }
}

// A hidden name that no picture search takes for a picture: ".kalvero-<16 hex digits>.part".
std::wstring TemporaryName() {
  std::uint64_t random = 0;
  if (BCryptGenRandom(nullptr, reinterpret_cast<PUCHAR>(&random), sizeof random, BCRYPT_USE_SYSTEM_PREFERRED_RNG) <
      0) {
    static std::uint64_t counter = 0;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    random = (static_cast<std::uint64_t>(GetCurrentProcessId()) << 32) ^ ++counter ^
             static_cast<std::uint64_t>(now.QuadPart);
  }
  std::array<char, 17> digits;
  std::snprintf(digits.data(), digits.size(), "%016llx", static_cast<unsigned long long>(random));
  return WideText(".kalvero-" + std::string(digits.data()) + ".part");
}

TRemoval Failure(const std::error_code& error) { return {TRemovalVerdict::Failed, error}; }

// The count of entries in the open folder, "." and ".." left out.
std::optional<std::size_t> EntryCount(HANDLE folder) {
  std::vector<std::byte> buffer(64 * 1024);
  std::size_t count = 0;
  for (FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;; kind = FileIdBothDirectoryInfo) {
    if (!GetFileInformationByHandleEx(folder, kind, buffer.data(), static_cast<DWORD>(buffer.size())))
      return GetLastError() == ERROR_NO_MORE_FILES ? std::optional(count) : std::nullopt;
    for (std::size_t offset = 0;;) {
      const auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(buffer.data() + offset);
      const std::wstring_view name(entry->FileName, entry->FileNameLength / sizeof(wchar_t));
      if (name != L"." && name != L"..") ++count;
      if (entry->NextEntryOffset == 0) break;
      offset += entry->NextEntryOffset;
    }
  }
}

// Removes the open folder while it is the folder `identity`, no link and empty.
TRemoval RemoveOpenFolder(HANDLE folder, const TFileIdentity& identity, bool checkOnly, std::size_t leaving) {
  if (!IsFolder(folder) || IsLink(folder) || IdentityOf(folder) != identity) return TRemovalVerdict::FolderReplaced;
  if (checkOnly) {
    const auto count = EntryCount(folder);
    if (!count) return Failure(LastWin32Error());
    return *count > leaving ? Failure(Error(std::errc::directory_not_empty)) : TRemoval{};
  }
  return MarkForDeletion(folder) ? TRemoval{} : Failure(LastWin32Error());
}

class TWin32TargetFolder final : public TTargetFolder {
 public:
  TWin32TargetFolder(TWinHandle folder, bool writable) : folder_(std::move(folder)), writable_(writable) {}

  std::error_code MakeFolder(const std::string& name, std::optional<TFileIdentity>* made) override;
  TFileIdentity Identity() const override { return IdentityOf(folder_.Get()).value_or(TFileIdentity{}); }
  std::error_code CopyInto(const std::string& source, const std::string& folder, const std::string& name,
                           TFileFacts* copy) override;
  TEntryLook LookUp(const std::string& folder, const std::string& name) const override;
  std::optional<TFileFacts> Facts(const std::string& folder, const std::string& name) const override;
  bool HoldsSameBytes(const std::string& folder, const std::string& name, const std::string& source) const override;
  std::error_code Flush() override;
  TRemoval RemoveCopy(const std::string& folder, const std::string& name, const TFileFacts& copy,
                      const std::string& source, bool checkOnly) override;
  TRemoval RemoveFolder(const std::string& name, const TFileIdentity& identity, bool checkOnly,
                        std::size_t leaving) override;

 private:
  // The folder `path` below this one, a level or several joined by the separator (this one itself
  // for the empty text, as a null handle); a link or junction at any level answers not_a_directory.
  TWinHandle OpenSubfolder(const std::string& path, std::error_code& error) const;
  // The facts of the regular file `name` in the open folder `in`, links not followed.
  static std::optional<TFileFacts> FactsIn(HANDLE in, const std::wstring& name);
  HANDLE Within(const TWinHandle& subfolder) const { return subfolder.Valid() ? subfolder.Get() : folder_.Get(); }
  // Writes the source's bytes into the open temporary file, with the source's last-write time,
  // visible, and flushed to the medium.
  std::error_code Fill(HANDLE to, HANDLE from) const;

  TWinHandle folder_;
  bool writable_;  // opened with the access that lets it be flushed
};

// Opens the folder `name` directly in the folder `root`; a link or junction in its place answers
// not_a_directory.
TWinHandle OpenFolderIn(HANDLE root, const std::string& name, std::error_code& error) {
  TWinHandle folder;
  if (!PlainName(name)) {
    error = Error(std::errc::invalid_argument);
    return folder;
  }
  const NTSTATUS status = OpenRelative(root, WideText(name), FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES,
                                       0, kShareAll, FILE_OPEN, FILE_DIRECTORY_FILE, folder);
  if (status < 0) error = status == kNotADirectory ? Error(std::errc::not_a_directory) : StatusError(status);
  else if (IsLink(folder.Get())) {
    error = Error(std::errc::not_a_directory);
    folder.Reset();
  }
  return folder;
}

TWinHandle TWin32TargetFolder::OpenSubfolder(const std::string& path, std::error_code& error) const {
  TWinHandle level;
  if (path.empty()) return level;
  // Each level inside the one above it, so that a link at any level is never followed.
  for (const std::string& name : PathNames(path)) {
    TWinHandle inner = OpenFolderIn(Within(level), name, error);
    if (error) return TWinHandle();
    level = std::move(inner);
  }
  return level;
}

std::error_code TWin32TargetFolder::MakeFolder(const std::string& name, std::optional<TFileIdentity>* made) {
  if (made != nullptr) made->reset();
  const auto [parentPath, last] = SplitLastName(name);
  const std::string leaf(last);
  std::error_code error;
  const TWinHandle parent = OpenSubfolder(std::string(parentPath), error);
  if (error) return error;
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (OpenFolderIn(Within(parent), leaf, error).Valid()) return {};
    if (error != std::errc::no_such_file_or_directory) return error;
    error.clear();
    TWinHandle created;
    const NTSTATUS status = OpenRelative(Within(parent), WideText(leaf), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                                         FILE_ATTRIBUTE_NORMAL, kShareAll, FILE_CREATE, FILE_DIRECTORY_FILE, created);
    if (status >= 0) {
      // A folder whose identity cannot be told is recorded as none, which undo never removes.
      if (made != nullptr) *made = IdentityOf(created.Get()).value_or(TFileIdentity{});
      return {};
    }
    // Made by another program since the look-up: judged by what is there now.
    if (status != kNameCollision) return StatusError(status);
  }
  return Error(std::errc::file_exists);
}

TEntryLook TWin32TargetFolder::LookUp(const std::string& folder, const std::string& name) const {
  std::error_code error;
  const TWinHandle subfolder = OpenSubfolder(folder, error);
  if (error || !PlainName(name)) return TEntryLook::Absent;
  TWinHandle entry;
  const NTSTATUS status =
      OpenRelative(Within(subfolder), WideText(name), FILE_READ_ATTRIBUTES, 0, kShareAll, FILE_OPEN, 0, entry);
  // Something that cannot be opened even to read its attributes (being deleted, say) is there.
  if (status < 0) return Missing(status) ? TEntryLook::Absent : TEntryLook::Other;
  return IsFolder(entry.Get()) && !IsLink(entry.Get()) ? TEntryLook::Folder : TEntryLook::Other;
}

std::optional<TFileFacts> TWin32TargetFolder::Facts(const std::string& folder, const std::string& name) const {
  std::error_code error;
  const TWinHandle subfolder = OpenSubfolder(folder, error);
  if (error || !PlainName(name)) return std::nullopt;
  return FactsIn(Within(subfolder), WideText(name));
}

std::optional<TFileFacts> TWin32TargetFolder::FactsIn(HANDLE in, const std::wstring& name) {
  TWinHandle file;
  if (OpenRelative(in, name, FILE_READ_ATTRIBUTES, 0, kShareAll, FILE_OPEN, FILE_NON_DIRECTORY_FILE, file) < 0 ||
      IsLink(file.Get()))
    return std::nullopt;
  return FactsOf(file.Get());
}

std::error_code TWin32TargetFolder::CopyInto(const std::string& source, const std::string& folder,
                                             const std::string& name, TFileFacts* copy) {
  std::error_code error;
  const TWinHandle subfolder = OpenSubfolder(folder, error);
  if (error) return error;
  if (!PlainName(name)) return Error(std::errc::invalid_argument);
  const HANDLE into = Within(subfolder);
  const std::wstring wideName = WideText(name);
  {
    TWinHandle existing;
    const NTSTATUS status = OpenRelative(into, wideName, FILE_READ_ATTRIBUTES, 0, kShareAll, FILE_OPEN, 0, existing);
    if (status >= 0) return Error(std::errc::file_exists);
    if (!Missing(status)) return StatusError(status);
  }
  const TWinHandle from = OpenSource(source, error);
  if (error) return error;

  // Another run may write into the same folder: a name that exists is never taken over. The
  // file is made and registered for removal under the lock, so that an interruption never
  // meets one that is not registered.
  std::unique_lock lock(InterruptLock());
  TWinHandle to;
  for (int attempt = 0; attempt < 100 && !to.Valid(); ++attempt) {
    const NTSTATUS status = OpenRelative(into, TemporaryName(), GENERIC_WRITE | DELETE | FILE_READ_ATTRIBUTES,
                                         FILE_ATTRIBUTE_HIDDEN, FILE_SHARE_DELETE, FILE_CREATE,
                                         FILE_NON_DIRECTORY_FILE | FILE_SEQUENTIAL_ONLY, to);
    if (status < 0 && status != kNameCollision) return StatusError(status);
  }
  if (!to.Valid()) return Error(std::errc::file_exists);
  std::optional<TPendingFile> pending(to.Get());
  lock.unlock();
  error = Fill(to.Get(), from.Get());

  // From here the copy is removed, or it is named and stays until it is recorded: a hold of the
  // caller keeps the lock past this call.
  lock.lock();
  if (!error) {
    std::vector<std::byte> buffer(offsetof(FILE_RENAME_INFORMATION, FileName) + wideName.size() * sizeof(wchar_t));
    auto* rename = reinterpret_cast<FILE_RENAME_INFORMATION*>(buffer.data());
    rename->ReplaceIfExists = FALSE;
    rename->RootDirectory = into;
    rename->FileNameLength = static_cast<ULONG>(wideName.size() * sizeof(wchar_t));
    std::memcpy(rename->FileName, wideName.data(), rename->FileNameLength);
    IO_STATUS_BLOCK io{};
    const NTSTATUS status = NtSetInformationFile(to.Get(), &io, rename, static_cast<ULONG>(buffer.size()),
                                                 FileRenameInformation);
    if (status < 0) error = StatusError(status);
  }
  if (error) MarkForDeletion(to.Get());
  pending.reset();
  to.Reset();
  if (error) return error;
  // Naming the copy changed its change time: its facts as undo will find them are those under
  // its name now.
  if (copy != nullptr) *copy = FactsIn(into, wideName).value_or(TFileFacts{});
  return {};
}

std::error_code TWin32TargetFolder::Fill(HANDLE to, HANDLE from) const {
  LARGE_INTEGER size;
  FILE_BASIC_INFO source{};
  if (!GetFileSizeEx(from, &size) || !GetFileInformationByHandleEx(from, FileBasicInfo, &source, sizeof source))
    return LastWin32Error();
  std::vector<char> buffer(1 << 17);
  for (std::uint64_t remaining = static_cast<std::uint64_t>(size.QuadPart); remaining > 0;) {
    DWORD got = 0;
    if (!ReadFile(from, buffer.data(), static_cast<DWORD>(std::min<std::uint64_t>(remaining, buffer.size())), &got,
                  nullptr))
      return LastWin32Error();
    // A copy counts only with all the bytes the source had when it was opened.
    if (got == 0) return Error(std::errc::io_error);
    for (DWORD done = 0; done < got;) {
      DWORD written = 0;
      if (!WriteFile(to, buffer.data() + done, got - done, &written, nullptr)) return LastWin32Error();
      done += written;
    }
    remaining -= got;
  }
  // The source's last-write time where the file system can hold it; the copy is no longer hidden
  // once it is named, and only then complete.
  FILE_BASIC_INFO basic{};
  if (!GetFileInformationByHandleEx(to, FileBasicInfo, &basic, sizeof basic)) return LastWin32Error();
  basic.CreationTime.QuadPart = 0;
  basic.LastAccessTime.QuadPart = 0;
  basic.ChangeTime.QuadPart = 0;
  basic.LastWriteTime = source.LastWriteTime;
  basic.FileAttributes &= ~DWORD{FILE_ATTRIBUTE_HIDDEN};
  if (basic.FileAttributes == 0) basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
  if (!SetFileInformationByHandle(to, FileBasicInfo, &basic, sizeof basic)) return LastWin32Error();
  // "Copied" means on the medium before the copy has its name.
  return FlushFileBuffers(to) ? std::error_code() : LastWin32Error();
}

std::error_code TWin32TargetFolder::Flush() {
  // Every copy was flushed before it was named; flushing the folder writes its entries too. A
  // folder opened only to read holds no copy of this run, and a file system that cannot flush a
  // folder says so with ERROR_INVALID_FUNCTION.
  if (!writable_ || FlushFileBuffers(folder_.Get())) return {};
  const DWORD code = GetLastError();
  return code == ERROR_INVALID_FUNCTION ? std::error_code() : Win32Error(code);
}

bool TWin32TargetFolder::HoldsSameBytes(const std::string& folder, const std::string& name,
                                        const std::string& source) const {
  std::error_code error;
  const TWinHandle subfolder = OpenSubfolder(folder, error);
  if (error || !PlainName(name)) return false;
  TWinHandle file;
  const NTSTATUS status = OpenRelative(Within(subfolder), WideText(name), GENERIC_READ, 0, kShareAll, FILE_OPEN,
                                       FILE_SEQUENTIAL_ONLY, file);
  if (status < 0 || IsFolder(file.Get()) || IsLink(file.Get())) return false;
  bool same = false;
  return !SameBytes(file.Get(), source, same) && same;
}

TRemoval TWin32TargetFolder::RemoveCopy(const std::string& folder, const std::string& name, const TFileFacts& copy,
                                        const std::string& source, bool checkOnly) {
  std::error_code error;
  const TWinHandle subfolder = OpenSubfolder(folder, error);
  if (error == std::errc::no_such_file_or_directory) return TRemovalVerdict::Gone;
  if (error == std::errc::not_a_directory) return TRemovalVerdict::FolderReplaced;
  if (error) return Failure(error);
  if (!PlainName(name)) return Failure(Error(std::errc::invalid_argument));
  // Checked and removed through one handle, so that the file removed is the file checked.
  TWinHandle file;
  const NTSTATUS status =
      OpenRelative(Within(subfolder), WideText(name), GENERIC_READ | (checkOnly ? 0 : DELETE), 0,
                   FILE_SHARE_READ | FILE_SHARE_DELETE, FILE_OPEN, FILE_SEQUENTIAL_ONLY, file);
  if (Missing(status)) return TRemovalVerdict::Gone;
  if (status < 0) return Failure(StatusError(status));
  if (IsFolder(file.Get()) || IsLink(file.Get())) return TRemovalVerdict::NotRegularFile;
  if (FactsOf(file.Get()) != copy) return TRemovalVerdict::Changed;
  // A source that is gone cannot be compared; the facts must do then.
  bool same = true;
  if (const std::error_code unreadable = SameBytes(file.Get(), source, same);
      unreadable && unreadable != std::errc::no_such_file_or_directory)
    return Failure(unreadable);
  if (!same) return TRemovalVerdict::BytesDiffer;
  if (checkOnly) return {};
  return MarkForDeletion(file.Get()) ? TRemoval{} : Failure(LastWin32Error());
}

TRemoval TWin32TargetFolder::RemoveFolder(const std::string& name, const TFileIdentity& identity, bool checkOnly,
                                          std::size_t leaving) {
  const auto [parentPath, last] = SplitLastName(name);
  const std::string leaf(last);
  if (!PlainName(leaf)) return Failure(Error(std::errc::invalid_argument));
  std::error_code error;
  const TWinHandle parent = OpenSubfolder(std::string(parentPath), error);
  if (error == std::errc::no_such_file_or_directory) return TRemovalVerdict::Gone;
  if (error == std::errc::not_a_directory) return TRemovalVerdict::FolderReplaced;
  if (error) return Failure(error);
  TWinHandle folder;
  const ACCESS_MASK access = FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | (checkOnly ? 0 : DELETE);
  const NTSTATUS status = OpenRelative(Within(parent), WideText(leaf), access, 0, kShareAll, FILE_OPEN, 0, folder);
  if (Missing(status)) return TRemovalVerdict::Gone;
  if (status < 0) return Failure(StatusError(status));
  return RemoveOpenFolder(folder.Get(), identity, checkOnly, leaving);
}

// Opens a folder by its path: the folder a link or junction leads to, or with `followLink` false
// the entry itself.
TWinHandle OpenFolderByPath(const std::string& path, bool followLink, DWORD access) {
  const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (followLink ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
  return TWinHandle(CreateFileW(ApiPath(path.empty() ? "." : path).c_str(), access | SYNCHRONIZE, kShareAll, nullptr,
                                OPEN_EXISTING, flags, nullptr));
}

}  // namespace

std::unique_ptr<TTargetFolder> OpenWin32TargetFolder(const std::string& path, bool followLink,
                                                     std::error_code& error) {
  constexpr DWORD kRead = FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES;
  // The access to add entries lets the folder be flushed; a folder that this user or the medium
  // does not let be written, or that another program holds open denying writers, is still opened:
  // for undo to check it, and for copies, each of which is flushed itself.
  bool writable = true;
  TWinHandle folder = OpenFolderByPath(path, followLink, kRead | FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY);
  const DWORD refusal = folder.Valid() ? ERROR_SUCCESS : GetLastError();
  if (refusal == ERROR_ACCESS_DENIED || refusal == ERROR_WRITE_PROTECT || refusal == ERROR_SHARING_VIOLATION) {
    writable = false;
    folder = OpenFolderByPath(path, followLink, kRead);
  }
  if (!folder.Valid()) {
    error = LastWin32Error();
    return nullptr;
  }
  if (!followLink && IsLink(folder.Get())) {
    error = Error(std::errc::too_many_symbolic_link_levels);
    return nullptr;
  }
  if (!IsFolder(folder.Get())) {
    error = Error(std::errc::not_a_directory);
    return nullptr;
  }
  error.clear();
  return std::make_unique<TWin32TargetFolder>(std::move(folder), writable);
}

TRemoval RemoveWin32EmptyFolder(const std::string& path, const TFileIdentity& identity, bool checkOnly,
                                std::size_t leaving) {
  const TWinHandle folder =
      OpenFolderByPath(path, false, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | (checkOnly ? 0 : DELETE));
  if (!folder.Valid()) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return TRemovalVerdict::Gone;
    return Failure(Win32Error(code));
  }
  return RemoveOpenFolder(folder.Get(), identity, checkOnly, leaving);
}

}  // namespace kalvero
