#include "platform/memory_file_system.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "engine/text_rules.h"
#include "platform/utf.h"

namespace tessaline::platform {
namespace {

// An open-addressing table from a child's lookup key to its position among
// its siblings. Slots hold the key's hash and the position; keys are compared
// through the children themselves, so a lookup touches little memory.
class ChildIndex {
 public:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  template <typename KeyAt>
  std::size_t find(std::u16string_view key, const KeyAt& keyAt) const {
    if (m_slots.empty()) return npos;
    const std::uint32_t hash = hashOf(key);
    for (std::size_t i = hash & mask();; i = (i + 1) & mask()) {
      const Slot& slot = m_slots[i];
      if (slot.position == kEmpty) return npos;
      if (slot.hash == hash && keyAt(slot.position) == key) return slot.position;
    }
  }

  void insert(std::u16string_view key, std::size_t position) {
    if ((m_count + 1) * 2 > m_slots.size()) grow();
    place({hashOf(key), static_cast<std::uint32_t>(position)});
    ++m_count;
  }

  void erase(std::u16string_view key, std::size_t position) {
    std::size_t i = hashOf(key) & mask();
    while (m_slots[i].position != position)
      i = (i + 1) & mask();
    // Backward-shift deletion keeps every probe sequence unbroken.
    for (std::size_t j = i;;) {
      m_slots[i].position = kEmpty;
      for (;;) {
        j = (j + 1) & mask();
        if (m_slots[j].position == kEmpty) {
          --m_count;
          return;
        }
        const std::size_t home = m_slots[j].hash & mask();
        const bool staysPut = i <= j ? (i < home && home <= j) : (i < home || home <= j);
        if (!staysPut) break;
      }
      m_slots[i] = m_slots[j];
      i = j;
    }
  }

  void clear() {
    m_slots.clear();
    m_count = 0;
  }

 private:
  struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t position = kEmpty;
  };
  static constexpr std::uint32_t kEmpty = static_cast<std::uint32_t>(-1);

  // Mixes four code units per step, so long names hash quickly.
  static std::uint32_t hashOf(std::u16string_view key) {
    std::uint64_t hash = 0x9E3779B97F4A7C15ULL ^ key.size();
    std::size_t i = 0;
    for (; i + 4 <= key.size(); i += 4) {
      std::uint64_t word;
      std::memcpy(&word, key.data() + i, sizeof word);
      hash = (hash ^ word) * 0xBF58476D1CE4E5B9ULL;
      hash ^= hash >> 31;
    }
    for (; i < key.size(); ++i)
      hash = (hash ^ key[i]) * 0x94D049BB133111EBULL;
    hash ^= hash >> 29;
    return static_cast<std::uint32_t>(hash ^ (hash >> 32));
  }

  std::size_t mask() const { return m_slots.size() - 1; }

  void place(const Slot& slot) {
    std::size_t i = slot.hash & mask();
    while (m_slots[i].position != kEmpty)
      i = (i + 1) & mask();
    m_slots[i] = slot;
  }

  void grow() {
    std::vector<Slot> old = std::move(m_slots);
    m_slots.assign(old.empty() ? 8 : old.size() * 2, Slot{});
    for (const Slot& slot : old) {
      if (slot.position != kEmpty) place(slot);
    }
  }

  std::vector<Slot> m_slots;
  std::size_t m_count = 0;
};

}  // namespace

// One file or folder. A folder keeps its children in creation order and an
// index from their lookup keys to their positions.
struct MemoryFileSystem::Node {
  std::u16string name;
  std::u16string key;  // name as compared: folded unless case-sensitive
  bool folder = false;
  bool hidden = false;
  bool system = false;
  std::uint64_t size = 0;
  LocalTime lastWrite;
  std::optional<std::string> content;
  bool readOnly = false;
  Node* parent = nullptr;
  std::vector<std::unique_ptr<Node>> children;
  ChildIndex index;

  static std::unique_ptr<Node> make(std::u16string_view name, std::u16string key, bool folder) {
    auto node = std::make_unique<Node>();
    node->name = name;
    node->key = std::move(key);
    node->folder = folder;
    return node;
  }

  std::size_t positionOf(std::u16string_view childKey) const {
    return index.find(childKey,
                      [this](std::size_t i) -> const std::u16string& { return children[i]->key; });
  }

  Node* child(std::u16string_view childKey) const {
    const std::size_t position = positionOf(childKey);
    return position == ChildIndex::npos ? nullptr : children[position].get();
  }

  Node& append(std::unique_ptr<Node> node) {
    node->parent = this;
    index.insert(node->key, children.size());
    children.push_back(std::move(node));
    return *children.back();
  }

  std::unique_ptr<Node> detach(const Node& node) {
    const std::size_t position = positionOf(node.key);
    std::unique_ptr<Node> owned = std::move(children[position]);
    children.erase(children.begin() + static_cast<std::ptrdiff_t>(position));
    index.clear();  // the positions behind it moved
    for (std::size_t i = 0; i < children.size(); ++i)
      index.insert(children[i]->key, i);
    owned->parent = nullptr;
    return owned;
  }

  // Gives a child another name in the same folder, keeping its place.
  void renameChild(Node& node, std::u16string_view newName, std::u16string newKey) {
    const std::size_t position = positionOf(node.key);
    index.erase(node.key, position);
    index.insert(newKey, position);
    node.name = newName;
    node.key = std::move(newKey);
  }
};

namespace {

[[noreturn]] void misuse(const char* what, std::u16string_view path) {
  throw std::invalid_argument(std::string("MemoryFileSystem: ") + what + ": " + toUtf8(path));
}

bool isDrive(std::u16string_view part) {
  return part.size() == 2 && part[1] == u':' && engine::isAsciiLetter(part[0]);
}

}  // namespace

MemoryFileSystem::MemoryFileSystem(PathStyle style)
    : MemoryFileSystem(style, style == PathStyle::Posix) {}

MemoryFileSystem::MemoryFileSystem(PathStyle style, bool caseSensitive)
    : m_style(style), m_caseSensitive(caseSensitive), m_root(std::make_unique<Node>()) {
  m_root->folder = true;
}

MemoryFileSystem::~MemoryFileSystem() = default;

// ---------------------------------------------------------------------------
// Paths

std::u16string MemoryFileSystem::keyOf(std::u16string_view name) const {
  std::u16string key;
  foldInto(key, name, false);
  return key;
}

// key = name as compared: upper-cased unless names are case-sensitive; a
// drive letter always compares without case.
void MemoryFileSystem::foldInto(std::u16string& key, std::u16string_view name, bool drive) const {
  key.assign(name);
  if (m_caseSensitive && !drive) return;
  for (char16_t& c : key) {
    if (c < 0x80) {
      if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    } else if (!drive) {
      c = engine::unicodeUpper(c);
    }
  }
}

// Empty when the path is not absolute or holds a "." or ".." component. Empty
// components (doubled or trailing separators) are skipped.
std::optional<MemoryFileSystem::Parts> MemoryFileSystem::split(std::u16string_view path) const {
  const char16_t separator = separatorOf(m_style);
  if (m_style == PathStyle::Posix ? !path.starts_with(u'/') : !isDrive(path.substr(0, 2))) {
    return std::nullopt;
  }
  Parts parts;
  std::size_t begin = 0;
  while (begin <= path.size()) {
    const std::size_t end = std::min(path.find(separator, begin), path.size());
    const std::u16string_view part = path.substr(begin, end - begin);
    if (part == u"." || part == u"..") return std::nullopt;
    if (!part.empty()) parts.push_back(part);
    begin = end + 1;
  }
  if (m_style == PathStyle::Windows && !isDrive(parts.front())) return std::nullopt;
  return parts;
}

// The lookup key of parts[i]; a drive letter compares without case always.
std::u16string MemoryFileSystem::componentKey(const Parts& parts, std::size_t i) const {
  if (m_style == PathStyle::Windows && i == 0) return engine::asciiUpper(parts[0]);
  return keyOf(parts[i]);
}

// The node of the first count parts; the root for none.
MemoryFileSystem::Node* MemoryFileSystem::walk(const Parts& parts, std::size_t count) const {
  Node* node = m_root.get();
  for (std::size_t i = 0; i < count && node; ++i)
    node = node->folder ? node->child(componentKey(parts, i)) : nullptr;
  return node;
}

// True for "/" and for a drive root, which cannot be renamed or replaced.
bool MemoryFileSystem::isRootLevel(const Parts& parts) const {
  return parts.size() <= (m_style == PathStyle::Windows ? 1u : 0u);
}

bool MemoryFileSystem::isRoot(const Node& node) const {
  return &node == m_root.get() || (m_style == PathStyle::Windows && node.parent == m_root.get());
}

// The node of path, walking its components without building a list of them;
// every lookup of the engine's pipeline comes here, so it allocates nothing
// once the key buffer has grown.
MemoryFileSystem::Node* MemoryFileSystem::find(std::u16string_view path) const {
  const char16_t separator = separatorOf(m_style);
  if (m_style == PathStyle::Posix ? !path.starts_with(u'/') : !isDrive(path.substr(0, 2))) {
    return nullptr;
  }
  Node* node = m_root.get();
  bool first = true;
  for (std::size_t begin = 0; begin <= path.size();) {
    const std::size_t end = std::min(path.find(separator, begin), path.size());
    const std::u16string_view part = path.substr(begin, end - begin);
    begin = end + 1;
    if (part.empty()) continue;
    if (part == u"." || part == u"..") return nullptr;
    if (m_style == PathStyle::Windows && first && !isDrive(part)) return nullptr;
    if (!node->folder) return nullptr;
    foldInto(m_keyBuffer, part, m_style == PathStyle::Windows && first);
    node = node->child(m_keyBuffer);
    if (!node) return nullptr;
    first = false;
  }
  // "file/" names no file, as on a real file system.
  if (!node->folder && path.back() == separator) return nullptr;
  return node;
}

std::u16string MemoryFileSystem::pathKey(std::u16string_view path) const {
  const auto parts = split(path);
  if (!parts) return std::u16string(path);
  std::u16string key;
  for (std::size_t i = 0; i < parts->size(); ++i)
    key += separatorOf(m_style) + componentKey(*parts, i);
  return key;
}

bool MemoryFileSystem::injected(const std::set<std::u16string>& faults,
                                std::u16string_view path) const {
  return !faults.empty() && faults.contains(pathKey(path));
}

EntryInfo MemoryFileSystem::infoOf(const Node& node) const {
  EntryInfo info;
  info.folder = node.folder;
  info.hidden = node.hidden || (m_style == PathStyle::Posix && node.name.starts_with(u'.'));
  info.system = node.system;
  info.size = node.folder ? 0 : node.size;
  info.lastWrite = node.lastWrite;
  return info;
}

// ---------------------------------------------------------------------------
// Setting up

MemoryFileSystem::Node* MemoryFileSystem::addNode(std::u16string_view path, bool folder) {
  const auto parts = split(path);
  if (!parts) misuse("not an absolute path", path);
  if (!folder && isRootLevel(*parts)) misuse("a root cannot be a file", path);
  Node* node = m_root.get();
  for (std::size_t i = 0; i < parts->size(); ++i) {
    const bool wantFolder = folder || i + 1 < parts->size();
    std::u16string key = componentKey(*parts, i);
    Node* next = node->child(key);
    if (!next) next = &node->append(Node::make((*parts)[i], std::move(key), wantFolder));
    if (next->folder != wantFolder) misuse("exists as the other kind", path);
    node = next;
  }
  return node;
}

MemoryFileSystem::Node* MemoryFileSystem::ensureFolder(std::u16string_view path) {
  return addNode(path, true);
}

void MemoryFileSystem::addFolder(std::u16string_view path, LocalTime lastWrite) {
  ensureFolder(path)->lastWrite = lastWrite;
}

void MemoryFileSystem::addFile(std::u16string_view path, std::uint64_t size, LocalTime lastWrite) {
  Node* node = addNode(path, false);
  node->size = size;
  node->lastWrite = lastWrite;
  node->content = size == 0 ? std::optional<std::string>("") : std::nullopt;
}

void MemoryFileSystem::addFileWithContent(std::u16string_view path, std::string content,
                                          LocalTime lastWrite) {
  Node* node = addNode(path, false);
  node->size = content.size();
  node->lastWrite = lastWrite;
  node->content = std::move(content);
}

void MemoryFileSystem::setHidden(std::u16string_view path, bool hidden) {
  Node* node = find(path);
  if (!node) misuse("no such item", path);
  node->hidden = hidden;
}

void MemoryFileSystem::setSystem(std::u16string_view path, bool system) {
  Node* node = find(path);
  if (!node) misuse("no such item", path);
  node->system = system;
}

void MemoryFileSystem::failRename(std::u16string_view from) {
  m_failRename.insert(pathKey(from));
}
void MemoryFileSystem::failEnumerate(std::u16string_view folder) {
  m_failEnumerate.insert(pathKey(folder));
}
void MemoryFileSystem::failWrite(std::u16string_view path) {
  m_failWrite.insert(pathKey(path));
}
void MemoryFileSystem::failStat(std::u16string_view path) {
  m_failStat.insert(pathKey(path));
}

// ---------------------------------------------------------------------------
// The FileSystem port

// Entries are copied before visit sees them, and the loop re-checks the size,
// so a visitor may rename or delete entries of the folder it walks.
bool MemoryFileSystem::enumerate(std::u16string_view folder, const Visitor& visit,
                                 EntryDetail /*detail*/) const {
  if (injected(m_failEnumerate, folder)) return false;
  const Node* node = find(folder);
  if (!node || !node->folder) return false;
  for (std::size_t i = 0; i < node->children.size(); ++i) {
    const Node& child = *node->children[i];
    if (!visit(DirEntry{child.name, infoOf(child)})) break;
  }
  return true;
}

std::optional<EntryInfo> MemoryFileSystem::stat(std::u16string_view path) const {
  if (injected(m_failStat, path)) return std::nullopt;
  const Node* node = find(path);
  if (!node) return std::nullopt;
  return infoOf(*node);
}

bool MemoryFileSystem::exists(std::u16string_view path) const {
  return find(path) != nullptr;
}

bool MemoryFileSystem::folderExists(std::u16string_view path) const {
  const Node* node = find(path);
  return node && node->folder;
}

bool MemoryFileSystem::fileExists(std::u16string_view path) const {
  const Node* node = find(path);
  return node && !node->folder;
}

// Like Windows, a case-insensitive file system lets an item take a name that
// differs from its own only in case (unless refuseCaseOnlyRenames is on). In
// case-sensitive mode a rename onto the item's own name reports TargetExists,
// as renameat2 with RENAME_NOREPLACE does.
RenameStatus MemoryFileSystem::rename(std::u16string_view from, std::u16string_view to) {
  ++m_renameCalls;
  if (injected(m_failRename, from)) return RenameStatus::Failed;
  Node* node = find(from);
  if (!node) return RenameStatus::SourceMissing;
  const auto target = split(to);
  if (!target || isRootLevel(*target) || isRoot(*node)) return RenameStatus::Failed;
  Node* parent = walk(*target, target->size() - 1);
  if (!parent || !parent->folder) return RenameStatus::Failed;
  std::u16string key = componentKey(*target, target->size() - 1);
  const Node* existing = parent->child(key);
  if (existing && (existing != node || m_caseSensitive || m_refuseCaseOnly)) {
    return RenameStatus::TargetExists;
  }
  for (const Node* up = parent; up; up = up->parent) {
    if (up == node) return RenameStatus::Failed;  // a folder cannot move into itself
  }
  if (parent == node->parent) {
    parent->renameChild(*node, target->back(), std::move(key));
  } else {
    std::unique_ptr<Node> owned = node->parent->detach(*node);
    owned->name = target->back();
    owned->key = std::move(key);
    parent->append(std::move(owned));
  }
  return RenameStatus::Renamed;
}

bool MemoryFileSystem::createFolder(std::u16string_view path) {
  const auto parts = split(path);
  if (!parts) return false;
  if (const Node* node = walk(*parts, parts->size())) return node->folder;
  if (isRootLevel(*parts)) return false;  // drives are not made here
  Node* parent = walk(*parts, parts->size() - 1);
  if (!parent || !parent->folder) return false;
  parent->append(Node::make(parts->back(), componentKey(*parts, parts->size() - 1), true));
  return true;
}

std::optional<std::string> MemoryFileSystem::readFile(std::u16string_view path) const {
  const Node* node = find(path);
  if (!node || node->folder) return std::nullopt;
  return node->content;
}

bool MemoryFileSystem::writeFile(std::u16string_view path, std::string_view bytes) {
  if (injected(m_failWrite, path)) return false;
  const auto parts = split(path);
  if (!parts || isRootLevel(*parts) || path.back() == separatorOf(m_style)) return false;
  Node* parent = walk(*parts, parts->size() - 1);
  if (!parent || !parent->folder) return false;
  std::u16string key = componentKey(*parts, parts->size() - 1);
  Node* node = parent->child(key);
  if (node && node->folder) return false;
  if (!node) node = &parent->append(Node::make(parts->back(), std::move(key), false));
  node->content = std::string(bytes);
  node->size = bytes.size();
  return true;
}

bool MemoryFileSystem::removeFile(std::u16string_view path) {
  const Node* node = find(path);
  if (!node || node->folder) return false;
  node->parent->detach(*node);
  return true;
}

namespace {

// Appends to a file of the memory file system, finding it again by its path
// on every call so that it never holds on to a node that went away.
class MemoryAppendFile : public AppendFile {
 public:
  MemoryAppendFile(MemoryFileSystem& fs, std::u16string path) : m_fs(fs), m_path(std::move(path)) {}

  bool append(std::string_view bytes) override {
    std::string content = m_fs.readFile(m_path).value_or(std::string());
    content.append(bytes);
    return m_fs.writeFile(m_path, content);
  }
  bool truncate(std::uint64_t size) override {
    std::string content = m_fs.readFile(m_path).value_or(std::string());
    content.resize(static_cast<std::size_t>(size), '\0');
    return m_fs.writeFile(m_path, content);
  }
  std::uint64_t size() const override { return m_fs.readFile(m_path).value_or("").size(); }

 private:
  MemoryFileSystem& m_fs;
  std::u16string m_path;
};

}  // namespace

std::unique_ptr<AppendFile> MemoryFileSystem::openAppend(std::u16string_view path) {
  const Node* node = find(path);
  if (node && node->folder) return nullptr;
  if (!node && !writeFile(path, "")) return nullptr;
  if (injected(m_failWrite, path)) return nullptr;
  return std::make_unique<MemoryAppendFile>(*this, std::u16string(path));
}

bool MemoryFileSystem::replaceOwnFile(std::u16string_view from, std::u16string_view to) {
  const std::optional<std::string> content = readFile(from);
  if (!content || injected(m_failWrite, to) || !writeFile(to, *content)) return false;
  return removeFile(from);
}

bool MemoryFileSystem::isSameItem(std::u16string_view first, std::u16string_view second) const {
  const Node* a = find(first);
  return a && a == find(second);
}

bool MemoryFileSystem::setReadOnly(std::u16string_view path, bool readOnly) {
  Node* node = find(path);
  if (!node) return false;
  node->readOnly = readOnly;
  return true;
}

bool MemoryFileSystem::isReadOnly(std::u16string_view path) const {
  const Node* node = find(path);
  return node && node->readOnly;
}

}  // namespace tessaline::platform
