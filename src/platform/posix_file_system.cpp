#include "platform/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>  // renameat2 and RENAME_NOREPLACE (glibc with _GNU_SOURCE)
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>

#include "platform/utf.h"

namespace tessaline::platform {
namespace {

// The byte path of a name; empty when it holds a NUL, which no POSIX path can
// hold and which would silently cut the path short at the system call.
std::optional<std::string> nativePath(std::u16string_view path) {
  std::string bytes = toUtf8(path);
  if (bytes.empty() || bytes.find('\0') != std::string::npos) return std::nullopt;
  return bytes;
}

std::optional<LocalTime> localTimeOf(time_t seconds) {
  struct tm parts;
  if (!localtime_r(&seconds, &parts)) return std::nullopt;
  return LocalTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                   parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

bool isHiddenName(std::string_view name) {
  return !name.empty() && name[0] == '.' && name != "." && name != "..";
}

// The last component of a path, trailing slashes ignored.
std::string_view lastComponent(std::string_view path) {
  while (path.size() > 1 && path.back() == '/')
    path.remove_suffix(1);
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The entry an lstat result describes; linkToFolder tells whether a link
// leads to a folder.
EntryInfo infoOf(const struct stat& own, bool linkToFolder, std::string_view name) {
  EntryInfo info;
  info.symlink = S_ISLNK(own.st_mode);
  info.folder = S_ISDIR(own.st_mode) || (info.symlink && linkToFolder);
  info.hidden = isHiddenName(name);
  info.size = info.folder ? 0 : static_cast<std::uint64_t>(own.st_size);
  info.lastWrite = localTimeOf(own.st_mtime);
  return info;
}

// The info of a directory entry. When the entry cannot be stat'ed (it went
// away meanwhile, or the folder may be read but not searched) it is still
// listed with what the name and the entry's type tell: no size, no time.
EntryInfo entryInfo(int folderFd, const dirent& entry) {
  struct stat own;
  if (fstatat(folderFd, entry.d_name, &own, AT_SYMLINK_NOFOLLOW) != 0) {
    EntryInfo info;
    info.symlink = entry.d_type == DT_LNK;
    info.folder = entry.d_type == DT_DIR;
    info.hidden = isHiddenName(entry.d_name);
    return info;
  }
  struct stat target;
  const bool linkToFolder = S_ISLNK(own.st_mode) &&
                            fstatat(folderFd, entry.d_name, &target, 0) == 0 &&
                            S_ISDIR(target.st_mode);
  return infoOf(own, linkToFolder, entry.d_name);
}

// What the entry's type tells without a stat: enough for a walk that only
// needs to tell files from folders.
EntryInfo kindsOf(const dirent& entry) {
  EntryInfo info;
  info.folder = entry.d_type == DT_DIR;
  info.hidden = isHiddenName(entry.d_name);
  return info;
}

bool isFolder(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool isMissing(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) != 0 && errno == ENOENT;
}

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};

// Closes a file descriptor when it goes out of scope.
struct OpenFile {
  explicit OpenFile(int descriptor) : fd(descriptor) {}
  ~OpenFile() {
    if (fd >= 0) close(fd);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  int fd;
};

// ---------------------------------------------------------------------------
// Renaming without replacing

RenameStatus statusOfError(int error, const std::string& from) {
  if (error == EEXIST || error == ENOTEMPTY) return RenameStatus::TargetExists;
  if (error == ENOENT && isMissing(from)) return RenameStatus::SourceMissing;
  return RenameStatus::Failed;
}

// Errors of renameat2 that mean "this file system does not take the flag".
bool flagRefused(int error) {
  return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

// Errors of link() that mean "no hard links here" rather than a real failure.
bool linkRefused(int error) {
  return error == EPERM || error == EOPNOTSUPP || error == ENOSYS || error == EMLINK;
}

// Looks before it leaps: a target created between the check and the rename
// would be replaced. Only used where nothing atomic is available.
RenameStatus checkedRename(const std::string& from, const std::string& to) {
  struct stat target;
  if (lstat(to.c_str(), &target) == 0) return RenameStatus::TargetExists;
  if (errno != ENOENT) return RenameStatus::Failed;
  if (::rename(from.c_str(), to.c_str()) == 0) return RenameStatus::Renamed;
  return statusOfError(errno, from);
}

// link() fails with EEXIST when the target exists, so this never replaces.
RenameStatus linkThenUnlink(const std::string& from, const std::string& to) {
  if (link(from.c_str(), to.c_str()) != 0) {
    const int error = errno;
    if (linkRefused(error)) return checkedRename(from, to);
    return statusOfError(error, from);
  }
  if (unlink(from.c_str()) == 0) return RenameStatus::Renamed;
  unlink(to.c_str());  // leave the file under its old name only
  return RenameStatus::Failed;
}

RenameStatus fallbackRename(const std::string& from, const std::string& to) {
  struct stat source;
  if (lstat(from.c_str(), &source) != 0) {
    return errno == ENOENT ? RenameStatus::SourceMissing : RenameStatus::Failed;
  }
  return S_ISDIR(source.st_mode) ? checkedRename(from, to) : linkThenUnlink(from, to);
}

// ---------------------------------------------------------------------------
// Writing whole files

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Creates a new temporary file in folder (a prefix ending in "/", or empty
// for the current folder); its path goes to tempPath.
int openTemp(const std::string& folder, std::string& tempPath) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = folder + ".tessaline-" + std::to_string(getpid()) + "-" + std::to_string(counter++) +
               ".tmp";
    const int fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// The file a write to path lands in: a link is followed, so that writing
// through a link updates the file it points to instead of replacing the link.
std::optional<std::string> writeTarget(const std::string& path) {
  struct stat own;
  if (lstat(path.c_str(), &own) != 0 || !S_ISLNK(own.st_mode)) return path;
  std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr), &std::free);
  if (!real) return std::nullopt;
  return std::string(real.get());
}

void syncFolder(const std::string& folder) {
  const OpenFile dir(
      open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.fd >= 0) fsync(dir.fd);
}

bool replaceWith(const std::string& target, std::string_view bytes) {
  const std::string folder = target.substr(0, target.rfind('/') + 1);
  std::string temp;
  const int fd = openTemp(folder, temp);
  if (fd < 0) return false;
  // Keep the rights of the file replaced, where the file system has rights.
  struct stat old;
  if (::stat(target.c_str(), &old) == 0) fchmod(fd, old.st_mode & 07777);
  bool ok = writeAll(fd, bytes) && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  // The one replacing rename of the program: the target is our own file.
  ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) {
    unlink(temp.c_str());
    return false;
  }
  syncFolder(folder);
  return true;
}

std::optional<std::string> readWhole(const std::string& path) {
  // O_NONBLOCK keeps a FIFO from blocking the open; it is refused below.
  const OpenFile file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat info;
  if (file.fd < 0 || fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  std::string content;
  char buffer[65536];
  while (true) {
    const ssize_t got = read(file.fd, buffer, sizeof buffer);
    if (got == 0) return content;
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    content.append(buffer, static_cast<std::size_t>(got));
  }
}

}  // namespace

bool PosixFileSystem::enumerate(std::u16string_view folder, const Visitor& visit,
                                EntryDetail detail) const {
  const auto path = nativePath(folder);
  if (!path) return false;
  const std::unique_ptr<DIR, DirCloser> dir(opendir(path->c_str()));
  if (!dir) return false;
  const int fd = dirfd(dir.get());
  while (true) {
    errno = 0;
    const dirent* entry = readdir(dir.get());
    if (!entry) return errno == 0;
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    const bool kindKnown = entry->d_type == DT_DIR || entry->d_type == DT_REG;
    const EntryInfo info =
        detail == EntryDetail::Kinds && kindKnown ? kindsOf(*entry) : entryInfo(fd, *entry);
    if (!visit(DirEntry{fromUtf8(name), info})) return true;
  }
}

std::optional<EntryInfo> PosixFileSystem::stat(std::u16string_view path) const {
  const auto native = nativePath(path);
  if (!native) return std::nullopt;
  struct stat own;
  if (lstat(native->c_str(), &own) != 0) return std::nullopt;
  const bool linkToFolder = S_ISLNK(own.st_mode) && isFolder(*native);
  return infoOf(own, linkToFolder, lastComponent(*native));
}

bool PosixFileSystem::exists(std::u16string_view path) const {
  const auto native = nativePath(path);
  struct stat own;
  return native && lstat(native->c_str(), &own) == 0;
}

bool PosixFileSystem::folderExists(std::u16string_view path) const {
  const auto native = nativePath(path);
  return native && isFolder(*native);
}

bool PosixFileSystem::fileExists(std::u16string_view path) const {
  const auto native = nativePath(path);
  struct stat own;
  return native && lstat(native->c_str(), &own) == 0 && !isFolder(*native);
}

// A rename onto the same path reports TargetExists: renameat2 refuses it with
// EEXIST like any other existing target.
PosixFileSystem::~PosixFileSystem() {
  forgetFolder();
}

void PosixFileSystem::forgetFolder() const {
  if (m_folderFd >= 0) close(m_folderFd);
  m_folderFd = -1;
  m_folder.clear();
}

// An open handle of the folder that holds both items when they share it, so
// that a run of renames in one folder does not walk the folder's path again
// for every item; -1 otherwise. The handle is dropped as soon as a rename
// moves that folder or one above it.
int PosixFileSystem::sharedFolderFd(const std::string& from, const std::string& to) const {
  const std::size_t slash = from.rfind('/');
  if (slash == std::string::npos || slash == 0 || to.size() <= slash ||
      to.compare(0, slash + 1, from, 0, slash + 1) != 0 ||
      to.find('/', slash + 1) != std::string::npos) {
    return -1;
  }
  const std::string_view folder(from.data(), slash + 1);
  if (m_folderFd >= 0 && m_folder == folder) return m_folderFd;
  forgetFolder();
  m_folderFd = open(std::string(folder).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (m_folderFd >= 0) m_folder = folder;
  return m_folderFd;
}

RenameStatus PosixFileSystem::rename(std::u16string_view fromPath, std::u16string_view toPath) {
  const auto from = nativePath(fromPath);
  if (!from) return RenameStatus::SourceMissing;
  const auto to = nativePath(toPath);
  if (!to) return RenameStatus::Failed;
  // Renaming the held folder, or a folder above it, moves what it names.
  if (m_folderFd >= 0 && m_folder.starts_with(*from) && m_folder[from->size()] == '/') {
    forgetFolder();
  }
  const int folder = sharedFolderFd(*from, *to);
  const bool renamed = folder >= 0 ? renameat2(folder, from->c_str() + m_folder.size(), folder,
                                               to->c_str() + m_folder.size(), RENAME_NOREPLACE) == 0
                                   : renameat2(AT_FDCWD, from->c_str(), AT_FDCWD, to->c_str(),
                                               RENAME_NOREPLACE) == 0;
  if (renamed) return RenameStatus::Renamed;
  const int error = errno;
  if (flagRefused(error)) return fallbackRename(*from, *to);
  return statusOfError(error, *from);
}

RenameStatus renameWithoutReplacingFallback(std::u16string_view fromPath,
                                            std::u16string_view toPath) {
  const auto from = nativePath(fromPath);
  if (!from) return RenameStatus::SourceMissing;
  const auto to = nativePath(toPath);
  if (!to) return RenameStatus::Failed;
  return fallbackRename(*from, *to);
}

bool PosixFileSystem::createFolder(std::u16string_view path) {
  const auto native = nativePath(path);
  if (!native) return false;
  mkdir(native->c_str(), 0777);
  return isFolder(*native);
}

std::optional<std::string> PosixFileSystem::readFile(std::u16string_view path) const {
  const auto native = nativePath(path);
  if (!native) return std::nullopt;
  return readWhole(*native);
}

bool PosixFileSystem::writeFile(std::u16string_view path, std::string_view bytes) {
  const auto native = nativePath(path);
  if (!native || native->back() == '/') return false;
  const auto target = writeTarget(*native);
  return target && replaceWith(*target, bytes);
}

bool PosixFileSystem::removeFile(std::u16string_view path) {
  const auto native = nativePath(path);
  struct stat own;
  if (!native || lstat(native->c_str(), &own) != 0 || S_ISDIR(own.st_mode)) return false;
  return unlink(native->c_str()) == 0;
}

namespace {

// Appends through a shared memory mapping of the file: an append is a copy
// into the page cache, no system call, and still reaches the file when the
// program is killed right after. The file grows in steps, so until it is
// closed (and cut to its real length) it may end in NUL bytes past the last
// append; readers of such a file must ignore them. Where the file cannot be
// mapped, appends fall back to write().
class PosixAppendFile : public AppendFile {
 public:
  PosixAppendFile(int fd, std::uint64_t size) : m_fd(fd), m_size(size) {}
  ~PosixAppendFile() override {
    if (m_data) {
      munmap(m_data, m_mapped);
      if (ftruncate(m_fd, static_cast<off_t>(m_size)) != 0) {
        // The file keeps NUL bytes at its end, which its readers ignore.
      }
    }
    close(m_fd);
  }
  PosixAppendFile(const PosixAppendFile&) = delete;
  PosixAppendFile& operator=(const PosixAppendFile&) = delete;

  bool append(std::string_view bytes) override {
    if (!m_mapFailed && reserve(m_size + bytes.size())) {
      std::memcpy(m_data + m_size, bytes.data(), bytes.size());
      m_size += bytes.size();
      return true;
    }
    if (lseek(m_fd, static_cast<off_t>(m_size), SEEK_SET) < 0 || !writeAll(m_fd, bytes)) {
      return false;
    }
    m_size += bytes.size();
    return true;
  }

  bool truncate(std::uint64_t size) override {
    if (size > m_size) return false;
    if (m_data) {
      std::memset(m_data + size, 0, m_size - size);
    } else if (ftruncate(m_fd, static_cast<off_t>(size)) != 0) {
      return false;
    }
    m_size = size;
    return true;
  }

  std::uint64_t size() const override { return m_size; }

 private:
  static constexpr std::size_t kStep = std::size_t{1} << 20;

  // Makes the mapping hold at least size bytes.
  bool reserve(std::uint64_t size) {
    if (m_data && size <= m_mapped) return true;
    const std::size_t wanted = std::max<std::size_t>({kStep, m_mapped * 2, size + kStep});
    if (ftruncate(m_fd, static_cast<off_t>(wanted)) != 0) return fail();
    void* data = m_data ? mremap(m_data, m_mapped, wanted, MREMAP_MAYMOVE)
                        : mmap(nullptr, wanted, PROT_READ | PROT_WRITE, MAP_SHARED, m_fd, 0);
    if (data == MAP_FAILED) return fail();
    m_data = static_cast<char*>(data);
    m_mapped = wanted;
    return true;
  }

  // Gives up the mapping for good and goes on with write().
  bool fail() {
    if (m_data) munmap(m_data, m_mapped);
    m_data = nullptr;
    m_mapped = 0;
    m_mapFailed = true;
    if (ftruncate(m_fd, static_cast<off_t>(m_size)) != 0) {
      // write() goes on at the logical end; the NUL bytes past it are ignored.
    }
    return false;
  }

  int m_fd;
  std::uint64_t m_size;
  char* m_data = nullptr;
  std::size_t m_mapped = 0;
  bool m_mapFailed = false;
};

}  // namespace

std::unique_ptr<AppendFile> PosixFileSystem::openAppend(std::u16string_view path) {
  const auto native = nativePath(path);
  if (!native) return nullptr;
  const int fd = open(native->c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return nullptr;
  }
  return std::make_unique<PosixAppendFile>(fd, static_cast<std::uint64_t>(info.st_size));
}

bool PosixFileSystem::replaceOwnFile(std::u16string_view fromPath, std::u16string_view toPath) {
  const auto from = nativePath(fromPath);
  const auto to = nativePath(toPath);
  return from && to && ::rename(from->c_str(), to->c_str()) == 0;
}

bool PosixFileSystem::isSameItem(std::u16string_view first, std::u16string_view second) const {
  const auto a = nativePath(first);
  const auto b = nativePath(second);
  struct stat infoA, infoB;
  return a && b && lstat(a->c_str(), &infoA) == 0 && lstat(b->c_str(), &infoB) == 0 &&
         infoA.st_dev == infoB.st_dev && infoA.st_ino == infoB.st_ino;
}

bool PosixFileSystem::setReadOnly(std::u16string_view path, bool readOnly) {
  const auto native = nativePath(path);
  struct stat info;
  if (!native || ::stat(native->c_str(), &info) != 0) return false;
  const mode_t writable = S_IWUSR | S_IWGRP | S_IWOTH;
  const mode_t mode = readOnly ? (info.st_mode & ~writable) : (info.st_mode | S_IWUSR);
  return chmod(native->c_str(), mode & 07777) == 0;
}

bool PosixFileSystem::isReadOnly(std::u16string_view path) const {
  const auto native = nativePath(path);
  struct stat info;
  return native && ::stat(native->c_str(), &info) == 0 &&
         (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace tessaline::platform
