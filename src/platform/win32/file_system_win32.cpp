// File-system calls with the wide Win32 functions.
#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/win32/win32_text.h"

namespace pixdeck::platform {

namespace {

// The buffer sizes the system's path calls are used with.
constexpr DWORD kPathBuffer = MAX_PATH;

struct FindCloser {
  HANDLE handle;
  ~FindCloser() { ::FindClose(handle); }
};

struct HandleCloser {
  HANDLE handle;
  ~HandleCloser() {
    if (handle != INVALID_HANDLE_VALUE)
      ::CloseHandle(handle);
  }
};

DWORD AttributesOf(const std::string& path) {
  if (path.empty())
    return INVALID_FILE_ATTRIBUTES;
  return ::GetFileAttributesW(ToWide(path).c_str());
}

// Calls fill(buffer, size) as long as the answer does not fit; fill returns
// the length written or, when the buffer is too small, the size it needs.
template <typename Fill>
std::wstring GrowingBuffer(DWORD initial, Fill fill) {
  std::vector<wchar_t> buffer(initial);
  for (;;) {
    const DWORD length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0)
      return {};
    if (length < buffer.size())
      return std::wstring(buffer.data(), length);
    buffer.resize(std::max<std::size_t>(length + 1, buffer.size() * 2));
  }
}

// The folder part of a path, with its trailing separator ("C:\" stays "C:\").
std::wstring FolderOf(const std::wstring& path) {
  const std::size_t cut = path.find_last_of(L"\\/:");
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

std::wstring RootOf(const std::string& folder) {
  const std::wstring wide = ToWide(folder);
  if (wide.size() >= 2 && wide[1] == L':')
    return wide.substr(0, 2) + L"\\";
  std::vector<wchar_t> root(kPathBuffer + 1);
  if (::GetVolumePathNameW(wide.c_str(), root.data(), static_cast<DWORD>(root.size())))
    return root.data();
  return {};
}

// Where a symbolic link finally points, so that the link stays a link when
// its file is replaced; the path itself when it is no link or points nowhere.
std::wstring FinalLinkTarget(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 ||
      (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return path;
  HandleCloser file{::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (file.handle == INVALID_HANDLE_VALUE)
    return path;
  const std::wstring resolved = GrowingBuffer(kPathBuffer, [&](wchar_t* buffer, DWORD size) {
    return ::GetFinalPathNameByHandleW(file.handle, buffer, size,
                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  });
  // The answer has the "\\?\" form; plain paths are what the rest expects.
  if (resolved.rfind(L"\\\\?\\UNC\\", 0) == 0)
    return L"\\\\" + resolved.substr(8);
  if (resolved.rfind(L"\\\\?\\", 0) == 0)
    return resolved.substr(4);
  return resolved.empty() ? path : resolved;
}

bool WriteAll(HANDLE file, const std::string& contents) {
  std::size_t written = 0;
  while (written < contents.size()) {
    const DWORD chunk =
        static_cast<DWORD>(std::min<std::size_t>(contents.size() - written, 1 << 20));
    DWORD done = 0;
    if (!::WriteFile(file, contents.data() + written, chunk, &done, nullptr) || done == 0)
      return false;
    written += done;
  }
  return true;
}

}  // namespace

Expected<void> FindMatches(const std::string& searchPath,
                           const std::function<void(const DirEntry&)>& onEntry) {
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW(ToWide(searchPath).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    // A folder that holds no match is still a folder that could be read.
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES)
      return {};
    return Unexpected(
        ErrorText("Cannot read folder " + ToUtf8(FolderOf(ToWide(searchPath))), error));
  }
  FindCloser closer{search};
  const std::wstring folder = FolderOf(ToWide(searchPath));
  DirEntry entry;
  do {
    entry.name = ToUtf8(found.cFileName);
    entry.size = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
        (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      // The search gives a symbolic link no size: take its target's, when it has one.
      HandleCloser file{::CreateFileW((folder + found.cFileName).c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
      LARGE_INTEGER size{};
      if (file.handle != INVALID_HANDLE_VALUE && ::GetFileSizeEx(file.handle, &size))
        entry.size = static_cast<std::uint64_t>(size.QuadPart);
    }
    entry.isDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    onEntry(entry);
  } while (::FindNextFileW(search, &found));
  return {};
}

Expected<void> SearchFolder(const std::string& folder, const std::vector<std::string>& patterns,
                            const std::function<void(std::size_t, const FolderMatch&)>& onMatch,
                            MatchSizes /*sizes: the search always has them*/) {
  // The system's search matches each pattern itself (short names included),
  // so every pattern has a search of its own.
  std::string prefix = folder;
  if (!prefix.empty() && prefix.back() != '\\' && prefix.back() != '/' && prefix.back() != ':')
    prefix.push_back('\\');
  Expected<void> searched;
  for (std::size_t i = 0; i < patterns.size(); ++i) {
    Expected<void> one = FindMatches(prefix + patterns[i], [&](const DirEntry& entry) {
      onMatch(i, FolderMatch{entry.name, entry.size, entry.isDirectory});
    });
    if (!one && searched)
      searched = std::move(one);
  }
  return searched;
}

bool FileExists(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool DirectoryExists(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CanOpenForReading(const std::string& path) {
  if (path.empty())
    return false;
  const HANDLE file = ::CreateFileW(ToWide(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  ::CloseHandle(file);
  return true;
}

bool IsReadOnlyFile(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

Expected<std::string> ReadRegularFile(const std::string& path, std::size_t maxBytes) {
  const std::string what = "Cannot read file " + path;
  const auto tooLarge = [&] {
    return Unexpected(what + ": it is larger than " + std::to_string(maxBytes) + " bytes");
  };
  if (path.empty())
    return Unexpected(ErrorText(what, ERROR_PATH_NOT_FOUND));
  HandleCloser file{::CreateFileW(ToWide(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (file.handle == INVALID_HANDLE_VALUE)
    return LastErrorFailure(what);
  // A disk file only: no pipe, console or other device.
  if (::GetFileType(file.handle) != FILE_TYPE_DISK)
    return Unexpected(what + ": it is no regular file");
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.handle, &size) || size.QuadPart < 0)
    return LastErrorFailure(what);
  if (static_cast<std::uint64_t>(size.QuadPart) > maxBytes)
    return tooLarge();
  std::string text;
  text.reserve(static_cast<std::size_t>(size.QuadPart));
  char chunk[16384];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file.handle, chunk, sizeof chunk, &got, nullptr))
      return LastErrorFailure(what);
    if (text.size() + got > maxBytes)
      return tooLarge();  // grown since it was measured
    if (got == 0)
      return text;
    text.append(chunk, got);
  }
}

FolderFiles::FolderFiles(const std::string& folder) : folder_(folder) {}

FolderFiles::~FolderFiles() = default;

HeadRead FolderFiles::ReadHead(const std::string& name, void* buffer, std::size_t size) {
  HeadRead head;
  if (name.empty())
    return head;
  std::string path = folder_;
  if (!path.empty() && path.back() != '\\' && path.back() != '/')
    path += '\\';
  path += name;
  const std::wstring widePath = ToWide(path);
  // Opening without backup semantics turns folders away.
  HandleCloser file{::CreateFileW(widePath.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (file.handle == INVALID_HANDLE_VALUE) {
    // A folder or a file this user may not read; its size is the search's.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    head.found = ::GetFileAttributesExW(widePath.c_str(), GetFileExInfoStandard, &data) != 0;
    if (head.found && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
      head.fileSize = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    return head;
  }
  head.found = true;
  LARGE_INTEGER fileSize{};
  if (::GetFileSizeEx(file.handle, &fileSize))
    head.fileSize = static_cast<std::uint64_t>(fileSize.QuadPart);
  if (::GetFileType(file.handle) != FILE_TYPE_DISK)
    return head;
  std::size_t total = 0;
  auto* out = static_cast<char*>(buffer);
  while (total < size) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size - total, 1 << 20));
    DWORD got = 0;
    if (!::ReadFile(file.handle, out + total, want, &got, nullptr))
      return head;
    if (got == 0)
      break;
    total += got;
  }
  head.bytes = static_cast<std::ptrdiff_t>(total);
  return head;
}

Expected<void> RemoveFile(const std::string& path) {
  if (path.empty())
    return Unexpected(ErrorText("Cannot delete file", ERROR_PATH_NOT_FOUND));
  if (!::DeleteFileW(ToWide(path).c_str()))
    return LastErrorFailure("Cannot delete file " + path);
  return {};
}

namespace {

Unexpected<ReadFailure> CannotRead(const char* what) {
  const DWORD code = ::GetLastError();
  return Unexpected(ReadFailure{ReadFailure::Kind::Failed, ErrorText(what, code)});
}

}  // namespace

Expected<std::string, ReadFailure> ReadWholeFile(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD code = ::GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND)
      return Unexpected(ReadFailure{ReadFailure::Kind::Missing, "it does not exist"});
    return Unexpected(
        ReadFailure{ReadFailure::Kind::Failed, ErrorText("it cannot be opened", code)});
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return Unexpected(ReadFailure{ReadFailure::Kind::NotAFile, "it is a folder"});
  HandleCloser file{::CreateFileW(ToWide(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (file.handle == INVALID_HANDLE_VALUE)
    return CannotRead("it cannot be opened");
  if (::GetFileType(file.handle) != FILE_TYPE_DISK)  // a device such as CON or a pipe
    return Unexpected(ReadFailure{ReadFailure::Kind::NotAFile, "it is no regular file"});
  std::string contents;
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file.handle, buffer, sizeof buffer, &got, nullptr))
      return CannotRead("it cannot be read");
    if (got == 0)
      break;
    contents.append(buffer, got);
  }
  return contents;
}

namespace {

// Rewrites the file itself, for a folder where no temporary file can be made.
// The one risk of this way: a write that fails half-way (disk full, a kill)
// leaves the file damaged, since there is no earlier copy to fall back on.
Expected<void> RewriteInPlace(const std::wstring& target, const std::string& path,
                              const std::string& contents) {
  HandleCloser file{::CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
  const bool ok = file.handle != INVALID_HANDLE_VALUE && WriteAll(file.handle, contents) &&
                  ::SetEndOfFile(file.handle) && ::FlushFileBuffers(file.handle);
  if (!ok)
    return LastErrorFailure("Cannot write file " + path);
  return {};
}

bool IsWritableFile(const std::wstring& target) {
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
}

}  // namespace

Expected<void> CreateNewFile(const std::string& path) {
  const std::string what = "Cannot create file " + path;
  if (path.empty())
    return Unexpected(ErrorText(what, ERROR_PATH_NOT_FOUND));
  // CREATE_NEW fails on any existing name, a reparse point included.
  const HANDLE file = ::CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE || !::CloseHandle(file))
    return LastErrorFailure(what);
  return {};
}

Expected<void> ReplaceFileAtomically(const std::string& path, const std::string& contents) {
  const std::string cannotCreate = "Cannot create file " + path;
  const std::string cannotWrite = "Cannot write file " + path;
  const std::wstring target = FinalLinkTarget(ToWide(path));
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
      (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    // The user's read-only mark: a plain write would be refused too.
    return Unexpected(ErrorText(cannotCreate, ERROR_ACCESS_DENIED));
  }
  std::wstring folder = FolderOf(target);
  if (folder.empty())
    folder = L".";
  // A unique name beside the target, so that the rename stays on its volume.
  std::vector<wchar_t> temp(kPathBuffer + 1);
  if (::GetTempFileNameW(folder.c_str(), L"pdk", 0, temp.data()) == 0) {
    const DWORD code = ::GetLastError();
    if (code == ERROR_ACCESS_DENIED && IsWritableFile(target))
      return RewriteInPlace(target, path, contents);
    return Unexpected(ErrorText(cannotCreate, code));
  }
  const std::wstring tempPath = temp.data();
  Expected<void> replaced;
  {
    HandleCloser file{::CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE || !WriteAll(file.handle, contents) ||
        !::FlushFileBuffers(file.handle))
      replaced = LastErrorFailure(cannotWrite);
    if (file.handle != INVALID_HANDLE_VALUE) {
      const HANDLE handle = file.handle;
      file.handle = INVALID_HANDLE_VALUE;
      if (!::CloseHandle(handle) && replaced)
        replaced = LastErrorFailure(cannotWrite);
    }
  }
  if (replaced && !::MoveFileExW(tempPath.c_str(), target.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    replaced = LastErrorFailure(cannotCreate);
  if (!replaced)
    ::DeleteFileW(tempPath.c_str());
  return replaced;
}

Expected<std::string> TempDirectory() {
  wchar_t buffer[kPathBuffer + 1] = {};
  const DWORD length = ::GetTempPathW(kPathBuffer, buffer);
  if (length == 0)
    return LastErrorFailure("The system names no temporary folder");
  if (length > kPathBuffer)
    return Unexpected(ErrorText("The system names no temporary folder", ERROR_BUFFER_OVERFLOW));
  return ToUtf8(std::wstring(buffer, length));
}

Expected<std::string> CreateUniqueTempFile(const std::string& dir, const std::string& prefix) {
  wchar_t buffer[kPathBuffer + 1] = {};
  if (::GetTempFileNameW(ToWide(dir).c_str(), ToWide(prefix).c_str(), 0, buffer) == 0)
    return LastErrorFailure("Cannot create a temporary file in " + dir);
  return ToUtf8(buffer);
}

std::string ProgramFilePath() {
  return ToUtf8(GrowingBuffer(kPathBuffer, [](wchar_t* buffer, DWORD size) {
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer, size);
    return length >= size ? size : length;  // cut short: ask for more room
  }));
}

std::string CurrentDirectory() {
  return ToUtf8(GrowingBuffer(kPathBuffer, [](wchar_t* buffer, DWORD size) {
    return ::GetCurrentDirectoryW(size, buffer);
  }));
}

std::string PerUserConfigDirectory() {
  // The user's own application data folder: the Windows directory, where the
  // settings went once, cannot be written by a user of current Windows.
  PWSTR appData = nullptr;
  std::string dir;
  if (SUCCEEDED(
          ::SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE, nullptr, &appData))) {
    dir = ToUtf8(appData) + "\\Pixdeck";
  }
  ::CoTaskMemFree(appData);
  if (dir.empty()) {
    return {};
  }
  // Created on first need.
  if (!::CreateDirectoryW(ToWide(dir).c_str(), nullptr) &&
      ::GetLastError() != ERROR_ALREADY_EXISTS) {
    return {};
  }
  return dir;
}

bool IsOnReadOnlyMedium(const std::string& folder) {
  const std::wstring root = RootOf(folder);
  return !root.empty() && ::GetDriveTypeW(root.c_str()) == DRIVE_CDROM;
}

std::string ShortPath(const std::string& path) {
  if (path.empty())
    return path;
  wchar_t buffer[kPathBuffer] = {};
  const DWORD length = ::GetShortPathNameW(ToWide(path).c_str(), buffer, kPathBuffer);
  if (length == 0 || length >= kPathBuffer)
    return path;
  return ToUtf8(std::wstring(buffer, length));
}

}  // namespace pixdeck::platform
