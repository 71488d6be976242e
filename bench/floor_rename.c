/* The floor a renamer is measured against: one no-replace renameat2 per item,
 * relative to an open folder, with nothing else. Reads a folder's names
 * first (as every renamer must), then renames each name containing OLD to the
 * name with its first OLD replaced by NEW. With -r, subfolders are walked
 * first and renamed after their contents.
 *
 *   floor_rename [-r] DIR OLD NEW
 */
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static int renamed;

static int replaced(const char* name, const char* old, const char* new_text, char* out,
                    size_t size) {
  const char* at = strstr(name, old);
  if (!at) return 0;
  snprintf(out, size, "%.*s%s%s", (int)(at - name), name, new_text, at + strlen(old));
  return 1;
}

static void walk(int parent, const char* path, int recursive, const char* old,
                 const char* new_text) {
  int fd = openat(parent, path, O_RDONLY | O_DIRECTORY);
  DIR* dir = fd < 0 ? NULL : fdopendir(fd);
  if (!dir) return;
  size_t count = 0, capacity = 1024;
  char** names = malloc(capacity * sizeof *names);
  unsigned char* kinds = malloc(capacity);
  struct dirent* entry;
  while ((entry = readdir(dir))) {
    if (!strcmp(entry->d_name, ".") || !strcmp(entry->d_name, "..")) continue;
    if (count == capacity) {
      capacity *= 2;
      names = realloc(names, capacity * sizeof *names);
      kinds = realloc(kinds, capacity);
    }
    kinds[count] = entry->d_type;
    names[count++] = strdup(entry->d_name);
  }
  char target[4096];
  for (size_t i = 0; i < count; ++i) {
    if (recursive && kinds[i] == DT_DIR) walk(fd, names[i], recursive, old, new_text);
    if (replaced(names[i], old, new_text, target, sizeof target) &&
        renameat2(fd, names[i], fd, target, RENAME_NOREPLACE) == 0) {
      ++renamed;
    }
    free(names[i]);
  }
  free(names);
  free(kinds);
  closedir(dir);
}

int main(int argc, char** argv) {
  int recursive = argc > 1 && !strcmp(argv[1], "-r");
  if (argc != 4 + recursive) {
    fprintf(stderr, "usage: floor_rename [-r] DIR OLD NEW\n");
    return 2;
  }
  walk(AT_FDCWD, argv[1 + recursive], recursive, argv[2 + recursive], argv[3 + recursive]);
  printf("%d renamed\n", renamed);
  return renamed > 0 ? 0 : 1;
}
