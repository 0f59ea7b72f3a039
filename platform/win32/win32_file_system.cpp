// The file system of Windows: listing, folders, facts, reading and replacing a file's content.
// The target folder of a copy run lives in target_folder.cpp.

#include "platform/win32/win32_file_system.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <memory>
#include <type_traits>

#include "platform/file_names.h"
#include "platform/win32/api_path.h"
#include "platform/win32/target_folder.h"
#include "platform/win32/wide_text.h"

namespace kalvero {
namespace {

// FILETIME counts 100 ns since 1601-01-01; this many of them lie before 1970-01-01.
constexpr std::int64_t kTicksBefore1970 = 116'444'736'000'000'000;

std::int64_t UnixNanoseconds(std::int64_t ticks) { return (ticks - kTicksBefore1970) * 100; }

std::int64_t Ticks(const FILETIME& time) {
  return static_cast<std::int64_t>((std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime);
}

const std::string& OsPath(const std::string& path) {
  static const std::string current = ".";
  return path.empty() ? current : path;
}

TFileIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& information) {
  return {information.dwVolumeSerialNumber,
          (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow};
}

// What the open `file` is: its information, or why it is no regular file (a folder, a device or a
// pipe) or cannot be examined.
std::error_code Examine(HANDLE file, BY_HANDLE_FILE_INFORMATION& information) {
  if (!GetFileInformationByHandle(file, &information)) return LastWin32Error();
  if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return std::make_error_code(std::errc::is_a_directory);
  return {};
}

// The facts of the regular file open in `file`; a device (NUL, CON, COM1) or a pipe is none.
std::error_code FactsOf(HANDLE file, TFileFacts& facts) {
  if (GetFileType(file) != FILE_TYPE_DISK) return std::make_error_code(std::errc::invalid_argument);
  BY_HANDLE_FILE_INFORMATION information;
  if (const std::error_code error = Examine(file, information)) return error;
  FILE_BASIC_INFO basic;
  if (!GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic)) return LastWin32Error();
  facts.lastWriteNanoseconds = UnixNanoseconds(Ticks(information.ftLastWriteTime));
  facts.size = (std::uint64_t{information.nFileSizeHigh} << 32) | information.nFileSizeLow;
  facts.identity = IdentityOf(information);
  facts.changeNanoseconds = UnixNanoseconds(basic.ChangeTime.QuadPart);
  return {};
}

// Opens a regular file to read it, letting others read it too but nobody write it meanwhile, and
// checks what it is before anything is read, so a device name never reaches ReadFile.
TWinHandle OpenRegularFile(const std::string& path, std::error_code& error, TFileFacts& facts) {
  TWinHandle file(CreateFileW(ApiPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  error = file.Valid() ? FactsOf(file.Get(), facts) : LastWin32Error();
  return error ? TWinHandle() : std::move(file);
}

// Reads up to `size` bytes; fewer only at the end of the file or on failure, with its reason.
std::size_t ReadSome(HANDLE file, char* into, std::size_t size, std::error_code& error) {
  std::size_t done = 0;
  while (done < size) {
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(size - done, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(file, into + done, piece, &got, nullptr)) {
      error = LastWin32Error();
      break;
    }
    if (got == 0) break;
    done += got;
  }
  return done;
}

class TWin32ReadableFile final : public TReadableFile {
 public:
  TWin32ReadableFile(TWinHandle file, const TFileFacts& facts) : file_(std::move(file)), facts_(facts) {}

  TFileFacts Facts() const override { return facts_; }

  std::size_t Read(std::span<std::byte> into) override {
    // Reading stops at the size the file had when it was opened, which saves the read that
    // would only find the end of a small file.
    const std::uint64_t left = facts_.size - std::min(position_, facts_.size);
    const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(into.size(), left));
    std::error_code ignored;
    const std::size_t got = ReadSome(file_.Get(), reinterpret_cast<char*>(into.data()), wanted, ignored);
    position_ += got;
    return got;
  }

  bool SeekTo(std::uint64_t offset) override {
    position_ = std::min(offset, facts_.size);
    LARGE_INTEGER place;
    place.QuadPart = static_cast<LONGLONG>(position_);
    if (SetFilePointerEx(file_.Get(), place, nullptr, FILE_BEGIN)) return true;
    position_ = facts_.size;
    return false;
  }

 private:
  TWinHandle file_;
  TFileFacts facts_;
  std::uint64_t position_ = 0;
};

// `folder` with a separator at its end, unless it is empty (the current folder) or has one.
std::string FolderPrefix(const std::string& folder) {
  if (folder.empty() || IsPathSeparator(folder.back())) return folder;
  return folder + kPathSeparator;
}

bool Absent(const std::error_code& error) { return error == std::errc::no_such_file_or_directory; }

// Records why the entry `name` could not be examined, unless it vanished since it was listed.
void RecordUnreadable(const std::string& path, const std::string& name, const std::error_code& reason,
                      std::vector<TUnreadableEntry>* unreadable) {
  if (unreadable == nullptr) return;
  const DWORD attributes = GetFileAttributesW(ApiPath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES && Absent(LastWin32Error())) return;
  const bool link = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  unreadable->push_back({name, reason, link});
}

// Classifies one entry of a search. A plain file is a file as listed; a folder, and a reparse point
// (a link or a junction, which may lead to a folder), is opened to learn what it leads to and
// which folder it is, so that a walk through links can tell the folders it has entered.
std::optional<TFolderEntry> ClassifyEntry(const std::string& folder, const WIN32_FIND_DATAW& found,
                                          std::vector<TUnreadableEntry>* unreadable) {
  const DWORD attributes = found.dwFileAttributes;
  TFolderEntry result{NarrowText(found.cFileName), TEntryKind::File, false, {}};
  result.hidden =
      IsHiddenName(result.name) || (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
  if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0) return result;
  const std::string path = folder + result.name;
  std::error_code error;
  const TWinHandle entry = OpenEntry(path, FILE_READ_ATTRIBUTES, error);
  BY_HANDLE_FILE_INFORMATION information;
  if (!error && !GetFileInformationByHandle(entry.Get(), &information)) error = LastWin32Error();
  if (error) {
    RecordUnreadable(path, result.name, error, unreadable);
    return std::nullopt;
  }
  if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
    return GetFileType(entry.Get()) == FILE_TYPE_DISK ? std::optional(result) : std::nullopt;
  result.kind = TEntryKind::Folder;
  result.identity = IdentityOf(information);
  return result;
}

// Closes a search handle.
struct TFindCloser {
  void operator()(HANDLE search) const { FindClose(search); }
};
using TSearch = std::unique_ptr<std::remove_pointer_t<HANDLE>, TFindCloser>;

// The longest path the API takes with the \\?\ prefix is 32767 units with the terminating null,
// and ApiPath's prefix adds up to 6 (\\?\UNC\ in place of a share's \\). A path's UTF-8 bytes
// are never fewer than its UTF-16 units, so a path within this many bytes always fits.
constexpr std::size_t kLongestApiPath = 32767 - 1 - 6;

// A new file beside `target`, named after it, which nothing else can have opened; `attributes`
// are those it is made with. Its path goes to `created`.
TWinHandle CreateFileBeside(const std::string& target, DWORD attributes, std::string& created,
                            std::error_code& error) {
  static std::atomic<unsigned> counter{0};
  const auto separator = std::find_if(target.rbegin(), target.rend(), IsPathSeparator);
  const std::size_t nameStart = static_cast<std::size_t>(target.rend() - separator);
  for (int attempt = 0; attempt < 100; ++attempt) {
    created = target.substr(0, nameStart) + "." + target.substr(nameStart) + ".new-" +
              std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
    TWinHandle file(CreateFileW(ApiPath(created).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr));
    if (file.Valid() || GetLastError() != ERROR_FILE_EXISTS) {
      error = file.Valid() ? std::error_code() : LastWin32Error();
      return file;
    }
  }
  error = std::make_error_code(std::errc::file_exists);
  return TWinHandle();
}

std::error_code FillNewFile(TWinHandle file, std::string_view content) {
  while (!content.empty()) {
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(content.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file.Get(), content.data(), piece, &written, nullptr)) return LastWin32Error();
    content.remove_prefix(written);
  }
  if (!FlushFileBuffers(file.Get())) return LastWin32Error();
  if (!CloseHandle(file.Release())) return LastWin32Error();
  return {};
}

// The path the new content is renamed to: `path` itself, or for a reparse point (a link) the
// file it leads to, so that the link stays a link.
std::error_code ResolveTarget(const std::string& path, DWORD attributes, std::string& target) {
  target = path;
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return {};
  std::error_code error;
  const TWinHandle entry = OpenEntry(path, 0, error);
  if (error) return error;
  std::wstring resolved(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetFinalPathNameByHandleW(entry.Get(), resolved.data(), static_cast<DWORD>(resolved.size()),
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return LastWin32Error();
    if (length < resolved.size()) {
      resolved.resize(length);
      target = NarrowText(resolved);
      return {};
    }
    resolved.resize(length);
  }
}

}  // namespace

TWinHandle OpenEntry(const std::string& path, DWORD access, std::error_code& error) {
  TWinHandle entry(CreateFileW(ApiPath(OsPath(path)).c_str(), access,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (entry.Valid()) error.clear();
  else error = LastWin32Error();
  return entry;
}

std::vector<TFolderEntry> TWin32FileSystem::ListFolder(const std::string& folder,
                                                       std::vector<TUnreadableEntry>* unreadable) const {
  std::vector<TFolderEntry> entries;
  const std::string prefix = FolderPrefix(folder);
  WIN32_FIND_DATAW found;
  const TSearch search(FindFirstFileExW(ApiPath(prefix + "*").c_str(), FindExInfoBasic, &found,
                                        FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (search.get() == INVALID_HANDLE_VALUE) {
    // Every folder but a drive's root holds "." and "..", so nothing found means an empty root;
    // anything else is a folder that is missing, is no folder or cannot be read.
    const DWORD code = GetLastError();
    std::error_code why;
    if (code != ERROR_FILE_NOT_FOUND || !FolderIdentity(folder, &why)) {
      if (unreadable != nullptr) unreadable->push_back({"", code == ERROR_FILE_NOT_FOUND ? why : Win32Error(code)});
    }
    return entries;
  }
  const std::size_t firstUnreadable = unreadable != nullptr ? unreadable->size() : 0;
  do {
    const std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (auto classified = ClassifyEntry(prefix, found, unreadable)) entries.push_back(std::move(*classified));
  } while (FindNextFileW(search.get(), &found));
  // The end of the folder, or an error that ends its listing (an I/O error on a failing card).
  if (GetLastError() != ERROR_NO_MORE_FILES && unreadable != nullptr) unreadable->push_back({"", LastWin32Error()});
  std::ranges::sort(entries, NameLess, &TFolderEntry::name);
  if (unreadable != nullptr)
    std::ranges::sort(unreadable->begin() + static_cast<std::ptrdiff_t>(firstUnreadable), unreadable->end(), NameLess,
                      &TUnreadableEntry::name);
  return entries;
}

std::optional<TFileIdentity> TWin32FileSystem::FolderIdentity(const std::string& path, std::error_code* why) const {
  std::error_code error;
  const TWinHandle entry = OpenEntry(path, FILE_READ_ATTRIBUTES, error);
  BY_HANDLE_FILE_INFORMATION information;
  if (!error && !GetFileInformationByHandle(entry.Get(), &information)) error = LastWin32Error();
  if (!error && (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
    error = std::make_error_code(std::errc::not_a_directory);
  if (error) {
    if (why != nullptr) *why = error;
    return std::nullopt;
  }
  return IdentityOf(information);
}

bool TWin32FileSystem::Exists(const std::string& path) const {
  std::error_code error;
  if (OpenEntry(path, FILE_READ_ATTRIBUTES, error).Valid()) return true;
  // A file that the system keeps to itself (a page file) cannot be opened, but exists.
  return !Absent(error) && GetFileAttributesW(ApiPath(OsPath(path)).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::error_code TWin32FileSystem::CreateFolder(const std::string& path) {
  return CreateDirectoryW(ApiPath(path).c_str(), nullptr) ? std::error_code() : LastWin32Error();
}

std::optional<TFileFacts> TWin32FileSystem::FileFacts(const std::string& path) const {
  std::error_code error;
  const TWinHandle file = OpenEntry(path, FILE_READ_ATTRIBUTES, error);
  TFileFacts facts;
  if (error || FactsOf(file.Get(), facts)) return std::nullopt;
  return facts;
}

std::unique_ptr<TTargetFolder> TWin32FileSystem::OpenTargetFolder(const std::string& path, std::error_code& error) {
  return OpenWin32TargetFolder(path, true, error);
}

std::unique_ptr<TTargetFolder> TWin32FileSystem::OpenRecordedFolder(const std::string& path, std::error_code& error) {
  return OpenWin32TargetFolder(path, false, error);
}

TRemoval TWin32FileSystem::RemoveEmptyFolder(const std::string& path, const TFileIdentity& identity, bool checkOnly,
                                             std::size_t leaving) {
  return RemoveWin32EmptyFolder(path, identity, checkOnly, leaving);
}

std::error_code TWin32FileSystem::WriteAccess(const std::string& path) const {
  std::error_code error;
  if (!FolderIdentity(path, &error)) return error;
  // A medium that takes no writes says so before any access right is asked for.
  const TWinHandle folder = OpenEntry(path, FILE_READ_ATTRIBUTES, error);
  DWORD flags = 0;
  if (!error && !GetVolumeInformationByHandleW(folder.Get(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0))
    error = LastWin32Error();
  if (error) return error;
  if ((flags & FILE_READ_ONLY_VOLUME) != 0) return std::make_error_code(std::errc::read_only_file_system);
  // Opening the folder with the rights to add files and folders asks the system's own access
  // check; the read-only attribute of a folder forbids nothing on Windows and is not consulted.
  OpenEntry(path, FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY, error);
  return error;
}

std::size_t TWin32FileSystem::LongestPath() const { return kLongestApiPath; }

std::unique_ptr<TReadableFile> TWin32FileSystem::OpenRead(const std::string& path, std::error_code& error) const {
  TFileFacts facts;
  TWinHandle file = OpenRegularFile(path, error, facts);
  if (error) return nullptr;
  return std::make_unique<TWin32ReadableFile>(std::move(file), facts);
}

std::optional<std::string> TWin32FileSystem::ReadWholeFile(const std::string& path, std::uint64_t maxSize,
                                                           std::error_code& error) const {
  TFileFacts facts;
  const TWinHandle file = OpenRegularFile(path, error, facts);
  if (error) return std::nullopt;
  std::string content;
  std::array<char, 1 << 16> buffer;
  for (;;) {
    const std::size_t got = ReadSome(file.Get(), buffer.data(), buffer.size(), error);
    if (error) return std::nullopt;
    if (got == 0) return content;
    // content.size() never exceeds maxSize, so the difference cannot wrap.
    if (got > maxSize - content.size()) {
      error = std::make_error_code(std::errc::file_too_large);
      return std::nullopt;
    }
    content.append(buffer.data(), got);
  }
}

std::error_code TWin32FileSystem::ReplaceFileContent(const std::string& path, std::string_view content) {
  if (path.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
  std::string target;
  std::error_code error = ResolveTarget(path, GetFileAttributesW(ApiPath(path).c_str()), target);
  if (error) return error;
  const DWORD old = GetFileAttributesW(ApiPath(target).c_str());
  if (old == INVALID_FILE_ATTRIBUTES && GetLastError() != ERROR_FILE_NOT_FOUND) return LastWin32Error();
  if (old != INVALID_FILE_ATTRIBUTES) {
    if ((old & FILE_ATTRIBUTE_DIRECTORY) != 0) return std::make_error_code(std::errc::is_a_directory);
    if ((old & FILE_ATTRIBUTE_READONLY) != 0) return std::make_error_code(std::errc::permission_denied);
    if (!FileFacts(target)) return std::make_error_code(std::errc::invalid_argument);
  }
  // The new file carries the old one's attributes (hidden, system, ...), which the rename keeps.
  constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                          FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  const DWORD attributes = old == INVALID_FILE_ATTRIBUTES || (old & kKept) == 0 ? FILE_ATTRIBUTE_NORMAL : old & kKept;
  std::string created;
  TWinHandle file = CreateFileBeside(target, attributes, created, error);
  if (error) return error;
  error = FillNewFile(std::move(file), content);
  // One rename puts the new file in the old one's place: readers see the one or the other.
  if (!error && !MoveFileExW(ApiPath(created).c_str(), ApiPath(target).c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    error = LastWin32Error();
  if (error) DeleteFileW(ApiPath(created).c_str());
  return error;
}

TFileSystem& NativeFileSystem() {
  static TWin32FileSystem fileSystem;
  return fileSystem;
}

}  // namespace kalvero
